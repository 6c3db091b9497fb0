// The page's render speed beside the native one: the 410000-sample sound
// rendered by the page's engine (in its worker, headless Chromium) and by
// build/native/bin/render-time in the same run, taking turns, medians of
// several renders. Prints the wall-clock figures and, where /proc shows the
// worker thread (Linux), the processor time, which a busy machine disturbs
// less. Asserts only that both renders give the same bytes (speed targets
// live in the benchmarks, not in tests).

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { LONGEST, toolArgs } from './cases.mjs';
import { openStudio, root, sha256, useBrowser, work } from './browser.mjs';

const timer = join(root, 'build/native/bin/render-time');
const RUNS = 7;

useBrowser();

const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];

/** One native render of the case, timed by render-time (after one untimed
 * render in the same process): wall-clock and processor milliseconds, and
 * the WAV digest. */
function nativeRender(steps) {
  const wav = join(work, 'native.wav');
  const r = spawnSync(timer, [...toolArgs(steps, () => ''), '--runs', '2', '--render', wav], { encoding: 'utf8' });
  assert.equal(r.status, 0, `render-time: ${r.stderr}`);
  const [ms, cpu] = r.stdout.trim().split('\n')[1].split(' ').map(Number);
  return { ms, cpu, wavSha256: sha256(readFileSync(wav)) };
}

/** Processor milliseconds run so far by the web workers of the browsers this
 * process started (Linux); null where /proc does not tell. */
function workerCpuMs() {
  try {
    const parent = new Map();
    for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
      try {
        const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
        parent.set(pid, stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      } catch {
        // the process has ended
      }
    }
    const ours = new Set([String(process.pid)]);
    for (let grown = true; grown;) {
      grown = false;
      for (const [pid, ppid] of parent) {
        if (ours.has(ppid) && !ours.has(pid)) {
          ours.add(pid);
          grown = true;
        }
      }
    }
    let ms = 0;
    for (const pid of ours) {
      for (const tid of readdirSync(`/proc/${pid}/task`)) {
        const task = `/proc/${pid}/task/${tid}`;
        if (readFileSync(`${task}/comm`, 'utf8').startsWith('DedicatedWorker'))
          ms += Number(readFileSync(`${task}/schedstat`, 'utf8').split(' ')[0]) / 1e6;
      }
    }
    return ms;
  } catch {
    return null;
  }
}

test('the 410000-sample render: the page against the native build, same bytes', async () => {
  assert.ok(existsSync(timer), `${timer} is missing (build the native preset)`);
  const page = await openStudio();
  // One render first: the engine compiles its optimised code meanwhile. Then
  // the two builds take turns, so that both see the same load on the machine.
  const first = await page.evaluate((s) => window.studio.run(s), LONGEST);
  const wasm = { ms: [], cpu: [] };
  const native = { ms: [], cpu: [] };
  for (let i = 0; i < RUNS; i++) {
    const cpuBefore = workerCpuMs();
    const inPage = await page.evaluate((s) => window.studio.run(s), LONGEST);
    const cpuAfter = workerCpuMs();
    const byNative = nativeRender(LONGEST);
    assert.equal(inPage.wavSha256, first.wavSha256);
    assert.equal(byNative.wavSha256, first.wavSha256);
    wasm.ms.push(inPage.ms);
    if (cpuBefore !== null && cpuAfter !== null) wasm.cpu.push(cpuAfter - cpuBefore);
    native.ms.push(byNative.ms);
    native.cpu.push(byNative.cpu);
  }
  await page.close();
  const figures = (key) => {
    const [w, n] = [median(wasm[key]), median(native[key])];
    return `wasm ${w.toFixed(1)} ms, native ${n.toFixed(1)} ms, ratio ${(w / n).toFixed(2)}`;
  };
  console.log(`render: ${figures('ms')}`);
  if (wasm.cpu.length === RUNS) console.log(`render, processor time: ${figures('cpu')}`);
});
