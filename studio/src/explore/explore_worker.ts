// The Explore map's worker: renders and describes the points the pool sends.

import { loadEngine } from '../engine';
import { makePoint, PointJob, PointResult, pointTransfer } from './point';
import { serveJobs, WorkerScopeLike } from './pool';

const ready = loadEngine();

serveJobs<PointJob, PointResult>(self as unknown as WorkerScopeLike, async (job) => {
  const result = makePoint(await ready, job);
  return { result, transfer: pointTransfer(result) };
});
