// How long an Explore map takes outside a browser: recipes, renders and
// features of N points of a one-second sound (mutate mode, and the other
// modes for comparison) on this thread, then through the worker pool with
// Node worker threads standing in for Web Workers. Wall-clock times count
// whatever else the machine runs; the processor time of the single-thread
// runs does not.
//
//   node studio/bench/explore.mjs [POINTS] [THREADS]      (default 256 2)
// needs build/wasm/bin/engine.js (bash scripts/studio --build-only).

import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Worker } from 'node:worker_threads';
import { build } from 'esbuild';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '../..');
const points = Number(process.argv[2] ?? 256);
const threads = Number(process.argv[3] ?? 2);
const tmp = mkdtempSync(join(tmpdir(), 'studio-explore-bench-'));

async function bundle(contents, banner = '') {
  const out = await build({
    stdin: { contents, resolveDir: join(here, '../src'), loader: 'ts' },
    bundle: true,
    write: false,
    platform: 'node',
    format: 'cjs',
    banner: { js: banner },
    alias: { 'zu-engine': join(root, 'build/wasm/bin/engine.js') },
    logLevel: 'warning',
  });
  return out.outputFiles[0].text;
}

const libFile = join(tmp, 'lib.cjs');
writeFileSync(
  libFile,
  await bundle(
    "export * from './explore/recipe'; export * from './explore/features'; export * from './explore/pool';" +
      "export { loadEngine } from './engine'; export { samplesOf } from './wave';",
  ),
);
// The worker entry as it is, with `self` made of the thread's port.
const workerFile = join(tmp, 'worker.cjs');
writeFileSync(
  workerFile,
  await bundle(
    "import './explore/explore_worker';",
    "const { parentPort } = require('node:worker_threads');" +
      'globalThis.self = { set onmessage(f) { parentPort.on("message", (data) => f({ data })); },' +
      ' postMessage: (m, t) => parentPort.postMessage(m, t) };',
  ),
);
const m = (await import(libFile)).default;
const engine = await m.loadEngine();

// A square wave of one second: sustain 9000 samples, decay 35100.
const base = engine.resetBlock();
base[5] = new Uint32Array(new Float32Array([Math.sqrt(0.351)]).buffer)[0];
const sources = [{ mode: 'mutate' }, { mode: 'preset', preset: 2 }, { mode: 'randomize' }];

function singleThread(source) {
  const cpu0 = process.cpuUsage();
  const t0 = performance.now();
  const recipes = m.exploreRecipes(source, 1, points);
  const t1 = performance.now();
  let render = 0;
  let describe = 0;
  let samplesTotal = 0;
  for (const recipe of recipes) {
    const a = performance.now();
    const { block, rand } = m.applyRecipe(engine, base, recipe);
    const samples = m.samplesOf(engine.render(block, rand, 5));
    const b = performance.now();
    m.describe(samples);
    m.waveSummary(samples, 48);
    describe += performance.now() - b;
    render += b - a;
    samplesTotal += samples.length;
  }
  const total = performance.now() - t0;
  const cpu = process.cpuUsage(cpu0);
  const cpuMs = (cpu.user + cpu.system) / 1000;
  const seconds = samplesTotal / 44100 / points;
  console.log(
    `${source.mode.padEnd(9)} ${points} points, mean ${seconds.toFixed(2)} s each: recipes ${(t1 - t0).toFixed(1)} ms,` +
      ` recipe+render ${render.toFixed(0)} ms, features ${describe.toFixed(0)} ms, total ${total.toFixed(0)} ms` +
      ` (processor time ${cpuMs.toFixed(0)} ms)`,
  );
}

function adapt(worker) {
  const w = {
    onmessage: null,
    onerror: null,
    postMessage: (msg, transfer) => worker.postMessage(msg, transfer),
    terminate: () => worker.terminate(),
  };
  worker.on('message', (data) => w.onmessage?.({ data }));
  worker.on('error', (e) => w.onerror?.({ message: String(e) }));
  return w;
}

async function pooled() {
  const pool = new m.WorkerPool(() => adapt(new Worker(workerFile)), threads);
  // Warm up: every thread loads its engine.
  await Promise.all(Array.from({ length: threads }, () => pool.runOne(job(m.recipeFor({ mode: 'mutate' }, 1)))));
  const t0 = performance.now();
  let first = 0;
  const batch = pool.run(m.exploreRecipes({ mode: 'mutate' }, 1, points).map(job), {
    onResult: () => (first ||= performance.now() - t0),
    onError: (i, e) => console.error(i, e),
  });
  await batch.done;
  const total = performance.now() - t0;
  console.log(
    `pool of ${threads} threads: ${points} points in ${total.toFixed(0)} ms (first after ${first.toFixed(1)} ms)`,
  );
  pool.dispose();
}

function job(recipe) {
  return { base, recipe, buffer: 5, columns: 48, keepSamples: false };
}

for (const source of sources) singleThread(source);
await pooled();
