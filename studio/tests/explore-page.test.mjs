// The Explore view in headless Chromium: what each point plays is what
// zider-sfx renders from the point's recipe, the arrow keys and Enter, the map
// following a sound changed mid-map, the single-file page, and the time a map
// takes (printed, not asserted).
//
// Environment: ZU_ROOT (the repository), with build/studio built and
// build/native/bin/zider-sfx present.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { preset, seed, toolArgs } from './cases.mjs';
import { env, root, sha256, singleFile, tool, useBrowser, work } from './browser.mjs';

useBrowser();

/* global AudioBufferSourceNode, crypto, Worker -- spy() runs in the page */
/** Runs in the page before its scripts: keeps the SHA-256 of every sound
 * played (as 16-bit samples) and counts the jobs sent to the map's workers. */
function spy() {
  window.played = [];
  window.mapJobs = 0;
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    const data = this.buffer.getChannelData(0);
    const pcm = Int16Array.from(data, (v) => Math.round(v * 32768));
    const slot = window.played.push(null) - 1;
    void crypto.subtle.digest('SHA-256', pcm).then((d) => {
      window.played[slot] = Array.from(new Uint8Array(d), (b) => b.toString(16).padStart(2, '0')).join('');
    });
    return start.apply(this, args);
  };
  const post = Worker.prototype.postMessage;
  Worker.prototype.postMessage = function (message, ...rest) {
    if (message && typeof message === 'object' && 'job' in message) window.mapJobs++;
    return post.call(this, message, ...rest);
  };
}

async function open(url = env.baseUrl, viewport = { width: 1280, height: 800 }) {
  const p = await env.browser.newPage({ viewport });
  p.errors = [];
  p.on('pageerror', (e) => p.errors.push(e.message));
  await p.addInitScript(spy);
  await p.goto(url);
  await p.waitForSelector('body[data-ready=true]', { timeout: 20000 });
  return p;
}

/** Seed 5 then "Create explosion", through the controls. */
async function explosion(p) {
  await p.fill('#seed', '5');
  await p.press('#seed', 'Enter');
  await p.click('button[aria-label="Create explosion"]');
}
const EXPLOSION = [seed(5), preset(2)];

/** Makes a map and waits until every point is in; returns its time in ms. */
async function makeMap(p, count, mode = 'mutate') {
  await p.selectOption('#explore-mode', mode);
  await p.fill('#explore-points', String(count));
  await p.click('#explore-open');
  const done = new RegExp(`^${count} / ${count} points, made in (\\d+) ms`);
  const line = await p.waitForFunction(
    (re) => new RegExp(re).exec(document.getElementById('explore-progress').textContent)?.[1],
    done.source,
    { timeout: 120000 },
  );
  return Number(await line.jsonValue());
}

/** The SHA-256 of the next sound the page plays after act(). */
async function nextPlayed(p, act) {
  const n = await p.evaluate(() => window.played.length);
  await act();
  await p.waitForFunction((k) => window.played[k] != null, n);
  return p.evaluate((k) => window.played[k], n);
}

/** An arrow key on the map: the point it moves to (its seed, description and
 * the digest of what it played), or null when no point lies that way. */
async function arrow(p, key) {
  const before = await p.textContent('#explore-point');
  const n = await p.evaluate(() => window.played.length);
  await p.press('#explore-map', key);
  const text = await p.textContent('#explore-point');
  if (text === before) return null;
  await p.waitForFunction((k) => window.played[k] != null, n);
  const sha = await p.evaluate((k) => window.played[k], n);
  return { seed: Number(/Set random seed to (\d+)/.exec(text)[1]), text, sha };
}

/** Walks the map with the arrow keys, row by row from the top (across to
 * the end, one down, back), until want points were heard; returns them by seed. */
async function sweep(p, want) {
  const seen = new Map();
  const keep = (point) => point && seen.set(point.seed, point);
  while (keep(await arrow(p, 'ArrowUp')));
  let across = 'ArrowRight';
  for (let k = 0; seen.size < want && k < 200; k++) {
    if (keep(await arrow(p, across))) continue;
    if (!keep(await arrow(p, 'ArrowDown'))) break;
    across = across === 'ArrowRight' ? 'ArrowLeft' : 'ArrowRight';
  }
  return seen;
}

/** The actions "In your game" gives for the sound, up to "Generate sound". */
async function recipe(p) {
  const lines = await p.locator('#game [data-route=actions] li').allTextContents();
  return lines.slice(0, lines.indexOf('Generate sound') + 1);
}

/** The digest of zider-sfx's samples for args. */
function toolSamples(args) {
  const file = join(work, 'point.wav');
  const r = spawnSync(tool, [...args, '--render', file], { encoding: 'utf8' });
  assert.equal(r.status, 0, `zider-sfx ${args.join(' ')}: ${r.stderr}`);
  return sha256(readFileSync(file).subarray(44));
}

const MODES = {
  mutate: { action: 'Mutate sound', args: (s) => [...toolArgs(EXPLOSION), '--seed', String(s), '--mutate'] },
  preset: { action: 'Create explosion', args: (s) => ['--seed', String(s), '--preset', '2'] },
  randomize: { action: 'Randomize sound', args: (s) => ['--seed', String(s), '--randomize'] },
};

test('every point heard plays what zider-sfx renders from its recipe, in each mode', async () => {
  const p = await open();
  await explosion(p);
  for (const [mode, { action, args }] of Object.entries(MODES)) {
    await makeMap(p, 48, mode);
    const seen = await sweep(p, 20);
    for (const point of seen.values()) {
      assert.match(point.text, new RegExp(`In your game: Set random seed to ${point.seed}, then ${action}\\.$`));
    }
    assert.equal(seen.size, 20, `${mode}: only ${seen.size} points reached with the arrow keys`);
    for (const [s, { sha }] of seen) assert.equal(sha, toolSamples(args(s)), `${mode} point with seed ${s}`);
  }
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('Enter picks the current point as one undo step, with its recipe in "In your game"', async () => {
  const p = await open();
  await explosion(p);
  await makeMap(p, 16);
  const first = await arrow(p, 'ArrowRight');
  const point = (await arrow(p, 'ArrowDown')) ?? (await arrow(p, 'ArrowUp'));
  assert.ok(first && point && point.seed !== first.seed, 'the arrow keys move to another point');
  await p.press('#explore-map', 'Enter');
  const before = ['Set random seed to 5', 'Create explosion'];
  const picked = [...before, `Set random seed to ${point.seed}`, 'Mutate sound', 'Generate sound'];
  assert.deepEqual(await recipe(p), picked);
  assert.equal(await nextPlayed(p, () => p.click('#play')), point.sha);
  await p.click('#undo');
  assert.deepEqual(await recipe(p), [...before, 'Generate sound']);
  // The map stays: it is the map of the sound undone to.
  assert.match(await p.textContent('#explore-progress'), /^16 \/ 16 points/);
  await p.click('#redo');
  assert.deepEqual(await recipe(p), picked);
  // A map of the picked sound's mutations: its points add to the picked recipe.
  await p.click('#explore-around');
  await p.waitForFunction(() => /^16 \/ 16 points, made/.test(document.getElementById('explore-progress').textContent));
  const around = await arrow(p, 'ArrowLeft');
  await p.press('#explore-map', 'Enter');
  assert.deepEqual(await recipe(p), [
    ...picked.slice(0, -1),
    `Set random seed to ${around.seed}`,
    'Mutate sound',
    'Generate sound',
  ]);
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('changing the sound mid-map drops the old work and maps the new sound', async () => {
  const p = await open();
  await p.click('button[aria-label="Create blip/select"]');
  await p.fill('#explore-points', '1024');
  await p.click('#explore-open');
  await p.waitForFunction(() => /^([1-9]\d*) \/ 1024/.test(document.getElementById('explore-progress').textContent));
  await p.click('#mutate');
  await p.waitForFunction(
    () => /^1024 \/ 1024 points, made/.test(document.getElementById('explore-progress').textContent),
    null,
    { timeout: 120000 },
  );
  const jobs = await p.evaluate(() => window.mapJobs);
  assert.ok(jobs < 2048, `${jobs} jobs sent: the first map's work went on`);
  await arrow(p, 'ArrowLeft');
  await p.press('#explore-map', 'Enter');
  const actions = await recipe(p);
  assert.deepEqual(actions.slice(0, 3), ['Set random seed to 1', 'Create blip/select', 'Mutate sound']);
  assert.match(actions[3], /^Set random seed to \d+$/);
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('a 256-point map of a one-second sound: time to render, describe and draw it', async () => {
  const p = await open();
  await p.fill('#param-5-value', String(Math.sqrt(0.351)));
  await p.press('#param-5-value', 'Enter');
  await p.waitForFunction(() => /^44\d{3} samples/.test(document.getElementById('length').textContent));
  const cold = await makeMap(p, 256);
  const warm = await makeMap(p, 256);
  console.log(`# explore: 256 points in ${warm} ms (the first map, starting its workers: ${cold} ms)`);
  await p.close();
});

test('the single-file page makes a map opened from disk; screenshots', async () => {
  const p = await open(`file://${singleFile}`);
  await explosion(p);
  await makeMap(p, 64);
  // The pointer on a dot plays it; a click picks it.
  await p.locator('#explore-map').scrollIntoViewIfNeeded();
  const dot = await p.evaluate(() => {
    const canvas = document.getElementById('explore-map');
    const { data, width } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    for (let i = 0; i < data.length; i += 4) {
      const [r, g, b] = data.subarray(i, i + 3);
      const box = canvas.getBoundingClientRect();
      if (Math.max(r, g, b) - Math.min(r, g, b) > 80)
        return { x: box.left + ((i / 4) % width), y: box.top + Math.floor(i / 4 / width) };
    }
    return null;
  });
  assert.ok(dot, 'no point drawn on the map');
  await nextPlayed(p, () => p.mouse.move(dot.x, dot.y + 1));
  const hovered = /Set random seed to (\d+)/.exec(await p.textContent('#explore-point'))[1];
  await p.mouse.click(dot.x, dot.y + 1);
  assert.deepEqual((await recipe(p)).slice(-3, -1), [`Set random seed to ${hovered}`, 'Mutate sound']);
  await arrow(p, 'ArrowRight');
  mkdirSync(join(root, 'out'), { recursive: true });
  await p.locator('#explore').screenshot({ path: join(root, 'out/explore.png') });
  await p.setViewportSize({ width: 420, height: 800 });
  const right = await p.evaluate(() => document.getElementById('explore').getBoundingClientRect().right);
  assert.ok(right <= 420, `the Explore view reaches ${right}px in a 420px window`);
  await p.locator('#explore').screenshot({ path: join(root, 'out/explore-narrow.png') });
  assert.deepEqual(p.errors, []);
  await p.close();
});
