// The Explore map's logic without a browser: recipes run through the same
// WebAssembly generator the page loads and checked against zider-sfx, the
// features of known sounds, the layout's arrow keys, and the worker pool
// driven by fake workers.

import { before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { Worker } from 'node:worker_threads';
import { build } from 'esbuild';
import { importModules, nodeBundle, root, src } from './bundle.mjs';

const tmp = mkdtempSync(join(tmpdir(), 'studio-explore-'));
let m;
let engine;

before(async () => {
  m = await importModules(
    ['recipe', 'features', 'layout', 'pool', 'point', 'map'].map((name) => `explore/${name}`).concat('engine'),
    tmp,
  );
  const entry = await build({
    ...nodeBundle,
    entryPoints: [join(src, 'explore/explore_worker.ts')],
    // A thread's port stands in for a Web Worker's global scope.
    banner: {
      js:
        "const { parentPort } = require('node:worker_threads');" +
        'globalThis.self = { set onmessage(f) { parentPort.on("message", (data) => f({ data })); },' +
        ' postMessage: (m, t) => parentPort.postMessage(m, t) };',
    },
  });
  writeFileSync(join(tmp, 'worker.cjs'), entry.outputFiles[0].text);
  engine = await m.loadEngine();
});

const sfx = (args) => {
  const file = join(tmp, 'point.wav');
  execFileSync(join(root, 'build/native/bin/zider-sfx'), [...args, '--render', file]);
  return readFileSync(file);
};

test('seeds follow the page seed: distinct, typeable, the same prefix for a longer map', () => {
  const seeds = m.exploreSeeds(7, 1024);
  assert.equal(new Set(seeds).size, 1024);
  assert.ok(seeds.every((s) => Number.isInteger(s) && s >= 1 && s <= 0x7fffffff));
  assert.deepEqual(m.exploreSeeds(7, 256), seeds.slice(0, 256));
  assert.notDeepEqual(m.exploreSeeds(8, 4), seeds.slice(0, 4));
  // The seed field's value as the game takes it: -1 is 4294967295.
  assert.deepEqual(m.exploreSeeds(-1, 4), m.exploreSeeds(4294967295, 4));
  assert.equal(m.exploreSeeds(7, 5000).length, 1024);
});

test("each mode's recipe, run by zider-sfx after the base sound, gives the point's very bytes", () => {
  const baseArgs = ['--seed', '3', '--preset', '1'];
  const base = engine.design(engine.resetBlock(), engine.seedState(3), { kind: 'preset', index: 1 }).block;
  const other = engine.resetBlock();
  const sources = [{ mode: 'mutate' }, { mode: 'preset', preset: 1 }, { mode: 'randomize' }];
  for (const source of sources) {
    const recipes = m.exploreRecipes(source, 7, 256);
    for (const recipe of [recipes[0], recipes[255]]) {
      assert.deepEqual(recipe.steps[0], { kind: 'seed', seed: recipe.seed });
      const drawn = m.applyRecipe(engine, base, recipe);
      const wav = engine.render(drawn.block, drawn.rand, 5);
      assert.deepEqual(sfx([...baseArgs, ...m.recipeArgs(recipe)]), Buffer.from(wav), `${source.mode} ${recipe.seed}`);
      // Only a mutation depends on the sound it starts from.
      const elsewhere = m.applyRecipe(engine, other, recipe).block;
      assert.equal(
        recipe.needsBase,
        elsewhere.some((w, i) => w !== drawn.block[i]),
        source.mode,
      );
      const point = m.makePoint(engine, { base, recipe, buffer: 5, columns: 8, keepSamples: true });
      assert.deepEqual(Buffer.from(point.samples.buffer), Buffer.from(wav.subarray(44)));
    }
  }
  assert.throws(() => m.recipeFor({ mode: 'preset', preset: 7 }, 1), /preset 7/);
});

function blockWith(changes) {
  const block = engine.resetBlock();
  for (const [index, value] of Object.entries(changes)) {
    block[index] = Number(index) === 1 ? value : new Uint32Array(new Float32Array([value]).buffer)[0];
  }
  return block;
}

const featuresOf = (block) => {
  const wav = engine.render(block, engine.seedState(1), 5);
  return m.describe(new Int16Array(wav.buffer.slice(44)));
};

test('a silent sound has its length and nothing else', () => {
  // Wave type 4 renders silence of the normal length.
  const f = featuresOf(blockWith({ 1: 4 }));
  assert.ok(f.seconds > 0.5);
  assert.equal(f.rms, 0);
  assert.equal(f.loudnessDb, m.SILENCE_DB);
  assert.equal(f.brightnessHz, 0);
  assert.equal(f.movement, 'steady');
  assert.deepEqual(Array.from(m.waveSummary(new Int16Array(0), 2)), [0, 0, 0, 0]);
});

test('a steady square wave has its pitch at both ends and harmonics above it', () => {
  // The reset block: a square wave of period 1098 subsamples, 8 x 44100 / 1098 Hz.
  const square = featuresOf(engine.resetBlock());
  const hz = (8 * 44100) / 1098;
  assert.ok(Math.abs(square.startHz / hz - 1) < 0.005, `${square.startHz}`);
  assert.ok(Math.abs(square.endHz / hz - 1) < 0.005, `${square.endHz}`);
  assert.equal(square.movement, 'steady');
  assert.ok(square.brightnessHz > 2 * hz);
  assert.ok(square.loudnessDb < 0 && square.loudnessDb > -30);
  const noise = featuresOf(blockWith({ 1: 3 }));
  assert.ok(noise.noisiness > 4 * square.noisiness, `${noise.noisiness} ${square.noisiness}`);
  // The centroid in hertz: a 1000 Hz sine sits on 1000 Hz.
  const sine = Int16Array.from({ length: 44100 }, (_, i) =>
    Math.round(16000 * Math.sin((2 * Math.PI * 1000 * i) / 44100)),
  );
  assert.ok(Math.abs(m.describe(sine).brightnessHz - 1000) < 20, `${m.describe(sine).brightnessHz}`);
});

test('a slide rises or falls; noise that does not slide is steady', () => {
  assert.equal(featuresOf(blockWith({ 8: 0.3 })).movement, 'rising');
  assert.equal(featuresOf(blockWith({ 1: 3, 6: 0.4 })).movement, 'steady');
  assert.equal(featuresOf(blockWith({ 1: 3, 6: 0.4, 8: -0.2 })).movement, 'falling');
  const falling = featuresOf(blockWith({ 6: 0.6, 8: -0.3 }));
  assert.equal(falling.movement, 'falling');
  assert.ok(falling.pitchOctaves < -1 / 12);
});

test('scales keep outliers inside the map and in order; rows are placed top down', () => {
  const values = [...Array.from({ length: 99 }, (_, i) => i), 1e6];
  const scale = m.robustScale(values);
  assert.ok(scale(0) >= 0 && scale(0) < 0.06 && scale(98) > 0.94 && scale(98) < scale(1e6) && scale(1e6) <= 1);
  assert.ok(scale(50) > 0.45 && scale(50) < 0.55);
  assert.equal(m.robustScale([3, 3, 3])(3), 0.5);
  const f = (seconds, brightnessHz) => ({ ...m.describe(new Int16Array(0)), seconds, brightnessHz });
  const placed = m.place([f(0.1, 200), null, f(1, 4000)]);
  assert.equal(placed[1], null);
  assert.ok(placed[0].x < placed[2].x && placed[0].y > placed[2].y);
});

test('arrow keys move to the nearest point in the cone of the direction, else anywhere ahead', () => {
  //   0 is the start; 1 is near but steeply up-right; 2 is straight right, further.
  const points = [{ x: 0, y: 0 }, { x: 1, y: -3 }, { x: 5, y: 1 }, null, { x: -2, y: 0 }, { x: -2, y: 0 }];
  assert.equal(m.neighbour(points, 0, 'right'), 2);
  assert.equal(m.neighbour(points, 0, 'up'), 1);
  assert.equal(m.neighbour(points, 0, 'left'), 4, 'a tie goes to the lower index');
  // Nothing in the cone below: the nearest point ahead, however far sideways.
  assert.equal(m.neighbour(points, 0, 'down'), 2);
  assert.equal(m.neighbour(points, 2, 'right'), -1);
  assert.equal(m.neighbour(points, 3, 'left'), -1);
  assert.equal(m.nearest(points, 4.5, 1.2, 1), 2);
  assert.equal(m.nearest(points, 20, 20, 1), -1);
});

class FakeWorker {
  static all = [];
  posted = [];
  onmessage = null;
  onerror = null;
  terminated = false;
  constructor() {
    FakeWorker.all.push(this);
  }
  postMessage(message) {
    this.posted.push(message);
  }
  terminate() {
    this.terminated = true;
  }
  /** Answers the last job: doubles it. */
  answer() {
    const { id, job } = this.posted.at(-1);
    this.onmessage({ data: { id, result: job * 2 } });
  }
}

test('the pool runs one job per worker, delivers results as they come and drops a cancelled batch', async () => {
  FakeWorker.all = [];
  const pool = new m.WorkerPool(() => new FakeWorker(), 2);
  pool.warm();
  assert.equal(FakeWorker.all.length, 2, 'warming starts every worker');
  const got = [];
  const old = pool.run([1, 2, 3, 4], { onResult: (i, r) => got.push(['old', i, r]) });
  const [a, b] = FakeWorker.all;
  assert.equal(FakeWorker.all.length, 2, 'the jobs go to the warmed workers');
  assert.deepEqual([a.posted.length, b.posted.length], [1, 1]);
  b.answer();
  assert.deepEqual(got, [['old', 1, 4]]);
  assert.equal(b.posted.at(-1).job, 3);
  // The sound changes: the old map's waiting job 4 is dropped, and results
  // of its running jobs 1 and 3 are thrown away when they come.
  old.cancel();
  const next = pool.run([10], { onResult: (i, r) => got.push(['new', i, r]) });
  const urgent = pool.runOne(7);
  a.answer();
  b.answer();
  assert.deepEqual(got, [['old', 1, 4]]);
  assert.deepEqual([a.posted.at(-1).job, b.posted.at(-1).job], [7, 10], 'the urgent job went first');
  a.answer();
  b.answer();
  assert.equal(await urgent, 14);
  assert.deepEqual(got, [
    ['old', 1, 4],
    ['new', 0, 20],
  ]);
  assert.equal(await old.done, false);
  assert.equal(await next.done, true);
  assert.equal(pool.pending, 0);
});

test('a job that fails, or whose worker dies, is reported and the rest go on', async () => {
  FakeWorker.all = [];
  const pool = new m.WorkerPool(() => new FakeWorker(), 1);
  const errors = [];
  const results = [];
  const batch = pool.run([1, 2, 3], { onResult: (i, r) => results.push(r), onError: (i, e) => errors.push([i, e]) });
  const first = FakeWorker.all[0];
  first.onerror({ message: 'out of memory' });
  assert.ok(first.terminated);
  const second = FakeWorker.all[1];
  second.onmessage({ data: { id: second.posted[0].id, error: 'bad block' } });
  second.answer();
  assert.deepEqual(errors, [
    [0, 'out of memory'],
    [1, 'bad block'],
  ]);
  assert.deepEqual(results, [6]);
  assert.equal(await batch.done, true);

  // The worker side: a handler's exception becomes an error reply.
  const scope = {
    onmessage: null,
    sent: [],
    postMessage(msg) {
      this.sent.push(msg);
    },
  };
  m.serveJobs(scope, (job) => {
    if (job < 0) throw new Error('negative');
    return { result: job + 1 };
  });
  scope.onmessage({ data: { id: 1, job: -1 } });
  scope.onmessage({ data: { id: 2, job: 1 } });
  await new Promise((r) => setTimeout(r, 0));
  assert.deepEqual(scope.sent, [
    { id: 1, error: 'negative' },
    { id: 2, result: 2 },
  ]);
});

test("changing the sound mid-map drops the old map's work; a point played is heard and current", async () => {
  FakeWorker.all = [];
  const explorer = new m.Explorer(new m.WorkerPool(() => new FakeWorker(), 1));
  const reply = (samples) => {
    const w = FakeWorker.all[0];
    const { id, job } = w.posted.at(-1);
    w.onmessage({
      data: { id, result: { block: job.base, features: null, samples: samples ? new Int16Array(3) : null } },
    });
  };
  const request = { source: { mode: 'mutate' }, pageSeed: 1, count: 3, buffer: 5 };
  const old = explorer.open({ ...request, base: new Uint32Array(26).fill(1) });
  reply(false);
  const next = explorer.open({ ...request, base: new Uint32Array(26).fill(2) });
  reply(false); // the old map's second point, already running
  assert.deepEqual([old.answered, next.answered], [1, 0]);
  assert.equal(FakeWorker.all[0].posted.at(-1).job.base[0], 2);
  // Two points hovered in turn while a worker is busy: only the last is rendered.
  const passed = explorer.samples(1);
  const played = explorer.samples(2);
  reply(false); // the new map's first point, running when the sounds were asked for
  assert.equal(FakeWorker.all[0].posted.at(-1).job.recipe, next.points[2].recipe);
  reply(true);
  assert.equal(await passed, null);
  assert.equal((await played).length, 3);
  assert.ok(next.points[2].heard && next.current === 2 && next.points[1].heard && !next.points[0].heard);
  reply(false);
  reply(false);
  assert.equal(next.answered, 3);
  assert.equal(await explorer.done, true);
});

test('the point worker answers the pool with what the page would compute itself', async () => {
  const thread = new Worker(join(tmp, 'worker.cjs'));
  const worker = {
    onmessage: null,
    onerror: null,
    postMessage: (msg, t) => thread.postMessage(msg, t),
    terminate: () => thread.terminate(),
  };
  thread.on('message', (data) => worker.onmessage({ data }));
  const pool = new m.WorkerPool(() => worker, 1);
  const job = {
    base: engine.resetBlock(),
    recipe: m.recipeFor({ mode: 'mutate' }, 99),
    buffer: 5,
    columns: 16,
    keepSamples: false,
  };
  const got = await pool.runOne(job);
  pool.dispose();
  const want = m.makePoint(engine, job);
  assert.deepEqual(
    [got.block, got.rand, got.features, got.summary, got.samples],
    [want.block, want.rand, want.features, want.summary, null],
  );
});
