// The library's worker: renders set sounds through the core for the pool.

import { loadEngine } from '../engine';
import { serveJobs } from '../explore/pool';
import { outlineOf, resultTransfer, SetJob, SetResult } from './set-jobs';

const ready = loadEngine();

serveJobs<SetJob, SetResult>(self, async ({ sound, files }) => {
  const engine = await ready;
  const wav = engine.set.render(sound);
  const result: SetResult = { ...outlineOf(wav), ...(files ? { wav, sfs: engine.set.sfs(sound) } : {}) };
  return { result, transfer: resultTransfer(result) };
});
