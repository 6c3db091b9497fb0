// "Export pack": one zip for the game, whose folder sounds/ holds what
// zider-sfx --render-set SET.zus --render-dir sounds writes: each sound's
// .wav and .sfs file under its safe file name, events.txt and the set's .zus
// file. Every byte comes from the core; the sounds render in the pool.

import { zip, Zippable } from 'fflate';
import type { Engine } from '../engine';
import type { WorkerPool } from '../explore/pool';
import type { Library } from './library';
import type { SetJob, SetResult } from './set-jobs';

/** The folder of the pack that goes beside the game's application. */
export const PACK_FOLDER = 'sounds';

/** The pack's files by path, in set order: the sounds' files, then events.txt and the .zus file. */
export async function packFiles(
  engine: Engine,
  pool: WorkerPool<SetJob, SetResult>,
  lib: Library,
  onProgress: (done: number) => void = () => {},
): Promise<Map<string, Uint8Array>> {
  const names = engine.set.fileNames(lib.sounds);
  const zusName = `${lib.name}.zus`;
  const events = engine.set.events(lib.sounds, zusName);
  const zus = engine.set.write(lib.sounds);
  const results: SetResult[] = [];
  let failure = '';
  await pool.run(
    lib.sounds.map((sound) => ({ sound, files: true })),
    {
      onResult: (i, r) => {
        results[i] = r;
        onProgress(results.filter(Boolean).length);
      },
      onError: (i, message) => (failure ||= `"${lib.sounds[i].name}" could not be rendered: ${message}`),
    },
  ).done;
  if (failure) throw new Error(failure);
  const files = new Map<string, Uint8Array>();
  results.forEach((r, i) => {
    files.set(`${PACK_FOLDER}/${names[i]}.wav`, r.wav as Uint8Array);
    files.set(`${PACK_FOLDER}/${names[i]}.sfs`, r.sfs as Uint8Array);
  });
  files.set(`${PACK_FOLDER}/events.txt`, new TextEncoder().encode(events));
  files.set(`${PACK_FOLDER}/${zusName}`, new TextEncoder().encode(zus));
  return files;
}

/** The zip of files, compressed off the page's thread. */
export function zipFiles(files: Map<string, Uint8Array>): Promise<Uint8Array> {
  const tree: Zippable = {};
  for (const [path, bytes] of files) tree[path] = bytes;
  return new Promise((resolve, reject) => zip(tree, { level: 6 }, (e, out) => (e ? reject(e) : resolve(out))));
}
