// The routes from Studio into a game, in headless Chromium: a reload or a link
// gives the same render and rule, a route called exact gives the very bytes
// (zider-sfx runs its actions), and the game's readers take what they take.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { preset, seed } from './cases.mjs';
import {
  env,
  fieldValue,
  openStudio,
  rendered,
  runTool,
  sha256,
  singleFile,
  tool,
  useBrowser,
  work,
} from './browser.mjs';

useBrowser();

const exportedWav = async (p) => {
  const [download] = await Promise.all([p.waitForEvent('download'), p.click('#export-wav')]);
  return sha256(readFileSync(await download.path()));
};
const rule = (p) => p.locator('#route-main li').allTextContents();
const setField = async (p, index, text) => {
  await p.fill(`#param-${index}-value`, text);
  await p.press(`#param-${index}-value`, 'Enter');
};
/** Waits until no route is still being compared render to render. */
const verdicts = async (p) => {
  await p.waitForFunction(
    () => ![...document.querySelectorAll('.verdict')].some((v) => v.textContent.startsWith('checking')),
  );
  return p
    .locator('#game .route')
    .evaluateAll((rs) => Object.fromEntries(rs.map((r) => [r.dataset.route, r.querySelector('.verdict').textContent])));
};

test('a preset noise sound and an edit of it survive a reload and their link, byte for byte', async () => {
  const p = await openStudio();
  await p.click('button[aria-label="Create explosion"]');
  await rendered(p);
  const made = { wav: await exportedWav(p), rule: await rule(p) };
  assert.equal(made.wav, runTool([seed(1), preset(2)]).wavSha256);
  assert.equal(made.rule[1], 'Create explosion');
  await p.reload();
  await p.waitForSelector('body[data-ready=true]');
  assert.deepEqual({ wav: await exportedWav(p), rule: await rule(p) }, made);
  // An edit keeps the noise; the single-file page opens the link the same.
  await setField(p, 0, '0.4');
  await rendered(p);
  const edited = { wav: await exportedWav(p), rule: await rule(p), url: p.url() };
  const q = await openStudio(`file://${singleFile}${new URL(edited.url).hash}`);
  await rendered(q);
  assert.deepEqual({ wav: await exportedWav(q), rule: await rule(q), url: edited.url }, edited);
  assert.deepEqual([...p.errors, ...q.errors], []);
  await p.close();
  await q.close();
});

test('the CSV route is exact only once its render is the sound; zider-sfx gives the snapped sound from its actions', async () => {
  const p = await openStudio();
  await p.click('button[aria-label="Create explosion"]');
  await rendered(p);
  const before = await verdicts(p);
  assert.equal(before.actions, 'exact: this very sound');
  assert.match(
    before.csv,
    /^not exact: it rounds .* to four decimals; \d+ of \d+ samples differ, by up to [\d.]+ % of full scale$/,
  );
  await p.click('#other-routes summary');
  await p.getByRole('button', { name: 'Snap to the CSV text' }).click();
  await rendered(p);
  const after = await verdicts(p);
  assert.equal(after.csv, 'exact: this very sound');
  assert.equal(await p.getAttribute('#route-main .route', 'data-route'), 'csv');
  // The route as the game runs it: the text, the seed, "Generate sound".
  const [load, setSeed] = await rule(p);
  const text = /^Load variables from CSV string "(.*)"$/.exec(load)[1];
  const state = Number(/^Set random seed to (\d+)$/.exec(setSeed)[1]);
  assert.equal(await exportedWav(p), runTool([{ kind: 'csv', text }, seed(state)]).wavSha256);
  await p.close();
});

test('values the CSV text cannot carry: the .sfs file is offered, and fields show what the block holds', async () => {
  const p = await openStudio();
  await setField(p, 1, '99999999999');
  assert.equal(await fieldValue(p, 1), '-2147483648');
  await setField(p, 0, '1e400');
  assert.equal(await p.getAttribute('#route-main .route', 'data-route'), 'sfs');
  assert.match(
    await p.textContent('#route-others [data-route=csv]'),
    /not offered: Sound volume .*\("inf"\); use the \.sfs file/,
  );
  assert.equal(await p.locator('#game li', { hasText: 'inf' }).count(), 0);
  await p.close();
});

test("the game's readers: quoted and short CSV texts load with a note, a bad .sfs file gets its reader's message", async () => {
  const p = await openStudio(env.baseUrl);
  await p.fill('#csv-input', '"0.5000,2,,0.2000,,0.3000,0.3500,,,,,,,,,,,,,1.0000,,,,"');
  await p.click('#load-csv');
  assert.equal(await fieldValue(p, 1), '2');
  assert.equal(await p.isVisible('#csv-note'), false);
  await p.fill('#csv-input', '0.25');
  await p.click('#load-csv');
  assert.equal(await fieldValue(p, 0), '0.25');
  assert.equal(await fieldValue(p, 1), '2');
  assert.equal(
    await p.textContent('#csv-note'),
    'The CSV text has 1 field: the game sets variable 0 and leaves the other 23 as they are.',
  );
  await p.setInputFiles('#file', { name: 'x.sfs', mimeType: 'application/octet-stream', buffer: Buffer.alloc(0) });
  await p.waitForSelector('#import-error:not([hidden])');
  assert.equal(
    await p.textContent('#import-error'),
    'not a .sfs file: x.sfs (0 bytes; the shortest, version 100, has 89)',
  );
  await p.close();
});

test('a sound the buffer cuts: a note on the waveform and the buffer length the object needs', async () => {
  const p = await openStudio(env.baseUrl);
  await setField(p, 3, '1');
  await setField(p, 5, '1.2');
  await rendered(p);
  const wav = join(work, 'long.wav');
  const r = spawnSync(tool, ['--buffer-length', '10', '--csv', '1,0,,1,,1.2,0.3', '--render', wav]);
  assert.equal(r.status, 0);
  const needs = Math.ceil((readFileSync(wav).length - 44) / 2 / 41000);
  assert.ok(needs > 5);
  await p.waitForSelector('#cut:not([hidden])');
  assert.equal(
    await p.textContent('#cut'),
    `Cut: the buffer ends before the sound; "Buffer length" ${needs} plays it whole.`,
  );
  assert.match(
    await p.textContent('#buffer-note'),
    new RegExp(`at least ${needs} to play this sound whole \\(it is 5 here\\)`),
  );
  await p.fill('#buffer', String(needs));
  await p.press('#buffer', 'Enter');
  await rendered(p);
  assert.equal(await p.isVisible('#cut'), false);
  await p.close();
});
