// The page's render speed beside the native one: the 410000-sample sound
// rendered by the page's engine (in its worker, headless Chromium) and by
// build/native/bin/render-time in the same run, medians of several renders.
// Prints the figures; asserts only that both renders give the same bytes
// (speed targets live in the benchmarks, not in tests).

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from '../serve.mjs';
import { LONGEST, toolArgs } from './cases.mjs';

const root = resolve(process.env.ZU_ROOT ?? join(dirname(fileURLToPath(import.meta.url)), '../..'));
const site = join(root, 'build/studio/site');
const timer = join(root, 'build/native/bin/render-time');
const work = mkdtempSync(join(tmpdir(), 'studio-speed-'));
const RUNS = Number(process.env.RUNS ?? 7);

let server;
let baseUrl;
let browser;

before(async () => {
  ({ server, url: baseUrl } = await serve(site));
  browser = await chromium.launch({ executablePath: process.env.ZU_CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];
const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

/** One native render of the case, timed by render-time (after one untimed
 * render in the same process); returns its milliseconds and WAV digest. */
function nativeRender(steps) {
  const wav = join(work, 'native.wav');
  const r = spawnSync(timer, [...toolArgs(steps, () => ''), '--runs', '2', '--render', wav], { encoding: 'utf8' });
  assert.equal(r.status, 0, `render-time: ${r.stderr}`);
  return { ms: Number(r.stdout.trim().split('\n')[1]), wavSha256: sha256(readFileSync(wav)) };
}

test('the 410000-sample render: the page against the native build, same bytes', async () => {
  assert.ok(existsSync(timer), `${timer} is missing (build the native preset)`);
  const page = await browser.newPage();
  await page.goto(baseUrl);
  await page.waitForSelector('body[data-ready=true]', { timeout: 20000 });
  // One render first: the engine compiles its optimised code meanwhile. Then
  // the two builds take turns, so that both see the same load on the machine.
  const first = await page.evaluate((s) => window.studio.run(s), LONGEST);
  const wasm = [];
  const native = [];
  for (let i = 0; i < RUNS; i++) {
    const inPage = await page.evaluate((s) => window.studio.run(s), LONGEST);
    const byNative = nativeRender(LONGEST);
    assert.equal(inPage.wavSha256, first.wavSha256);
    assert.equal(byNative.wavSha256, first.wavSha256);
    wasm.push(inPage.ms);
    native.push(byNative.ms);
  }
  await page.close();
  const figures = (pick) => `wasm ${pick(wasm).toFixed(1)} ms, native ${pick(native).toFixed(1)} ms, ratio ${(pick(wasm) / pick(native)).toFixed(2)}`;
  console.log(`render: ${figures(median)}`);
  console.log(`render, fastest of ${RUNS}: ${figures((xs) => Math.min(...xs))}`);
});
