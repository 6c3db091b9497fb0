// The Explore map's worker: renders and describes the points the pool sends.

import { loadEngine } from '../engine';
import { makePoint, PointJob, PointResult, pointTransfer } from './point';
import { serveJobs } from './pool';

const ready = loadEngine();

serveJobs<PointJob, PointResult>(self, async (job) => {
  const result = makePoint(await ready, job);
  return { result, transfer: pointTransfer(result) };
});
