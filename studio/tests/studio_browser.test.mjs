// The Studio page in headless Chromium: renders, texts and files byte for byte
// the same as zider-sfx, and the controls an author uses.
//
// Environment: ZU_ROOT (the repository), with build/studio built and
// build/native/bin/zider-sfx present.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { bitIdentityCases, mutate, preset, seed } from './cases.mjs';
import { env, fieldValue, openStudio, rendered, root, runTool, sha256, singleFile, useBrowser } from './browser.mjs';

let page;

useBrowser(async () => {
  page = await openStudio();
});

test('every case renders, formats and saves the same bytes in the page as in zider-sfx', async () => {
  const cases = bitIdentityCases();
  assert.ok(cases.length >= 60, `${cases.length} cases`);
  const differ = [];
  for (const steps of cases) {
    const inPage = await page.evaluate((s) => window.studio.run(s), steps);
    const byTool = runTool(steps);
    for (const key of ['wavSha256', 'csv', 'sfs']) {
      if (inPage[key] !== byTool[key])
        differ.push(`${JSON.stringify(steps)} ${key}: page ${inPage[key]} tool ${byTool[key]}`);
    }
  }
  console.log(`# bit identity: ${cases.length} cases compared (WAV SHA-256, CSV text, .sfs bytes)`);
  assert.deepEqual(differ, []);
  assert.deepEqual(page.errors, []);
});

test('exported WAV, .sfs and copied CSV are the bytes zider-sfx gives', async () => {
  const p = await openStudio(env.baseUrl);
  await p.fill('#seed', '5');
  await p.press('#seed', 'Enter');
  await p.click('button[aria-label="Create explosion"]');
  await p.click('#mutate');
  await rendered(p);
  const tool = runTool([seed(5), preset(2), mutate]);
  const save = async (name) => {
    const [download] = await Promise.all([p.waitForEvent('download'), p.getByRole('button', { name }).click()]);
    return readFileSync(await download.path());
  };
  assert.equal(sha256(await save('Export WAV')), tool.wavSha256);
  assert.equal((await save('Export .sfs')).toString('hex'), tool.sfs);
  await p.getByRole('button', { name: 'Copy CSV' }).click();
  assert.equal(await p.evaluate(() => navigator.clipboard.readText()), tool.csv);
  // The whole rule the game needs for this very sound, under the sound's name.
  await p.fill('#sound-name', 'boom');
  await p.press('#sound-name', 'Enter');
  assert.equal(await p.getAttribute('#route-main .route', 'data-route'), 'actions');
  assert.deepEqual(await p.locator('#route-main li').allTextContents(), [
    'Set random seed to 5',
    'Create explosion',
    'Mutate sound',
    'Generate sound',
    'Add generated sound as "boom"',
    'Play sound "boom" on channel 0, 1 times',
  ]);
  const [named] = await Promise.all([p.waitForEvent('download'), p.click('#export-sfs')]);
  assert.equal(named.suggestedFilename(), 'boom.sfs');
  await p.close();
});

test('a preset, a slider, undo and redo', async () => {
  const p = await openStudio(env.baseUrl);
  await rendered(p);
  await p.click('button[aria-label="Create blip/select"]');
  // After seed 1, blip/select gives a sawtooth at start frequency 0.53864.
  assert.equal(await fieldValue(p, 1), '1');
  assert.equal(await fieldValue(p, 6), '0.53864');
  await p.focus('#param-6');
  await p.keyboard.press('End');
  assert.equal(await fieldValue(p, 6), '1');
  assert.notEqual(await p.getAttribute('#route-main .route', 'data-route'), 'actions');
  await p.click('#undo');
  assert.equal(await fieldValue(p, 6), '0.53864');
  await p.click('#redo');
  assert.equal(await fieldValue(p, 6), '1');
  await p.keyboard.press('Control+z');
  await p.keyboard.press('Control+z');
  assert.equal(await fieldValue(p, 6), '0.3');
  await p.close();
});

test('a bad file or text shows an error and changes nothing', async () => {
  const p = await openStudio(env.baseUrl);
  await p.click('button[aria-label="Create jump"]');
  const before = await p.evaluate(() => location.hash);
  await p.setInputFiles('#file', {
    name: 'bad.sfs',
    mimeType: 'application/octet-stream',
    buffer: Buffer.from([103, 0, 0, 0, 1, 2, 3]),
  });
  await p.waitForSelector('#import-error:not([hidden])');
  assert.match(await p.textContent('#import-error'), /bad\.sfs/);
  await p.fill('#csv-input', '0.5,abc');
  await p.click('#load-csv');
  assert.match(await p.textContent('#import-error'), /field 2 of the CSV text is not a number/);
  assert.equal(await p.evaluate(() => location.hash), before);
  // A good one goes through: a version-101 file.
  await p.setInputFiles('#file', {
    name: 'ok.sfs',
    mimeType: 'application/octet-stream',
    buffer: Buffer.alloc(101, 0).fill(Buffer.from([101, 0, 0, 0]), 0, 4),
  });
  await p.waitForSelector('#import-error', { state: 'hidden' });
  assert.equal(await fieldValue(p, 6), '0');
  await p.close();
});

test('a share link opens exactly the sound and buffer length it carries', async () => {
  const csv = '0.5000,2,,0.2500,,0.3000,0.4000,,,,,,,,,,,,,1.0000,,,,';
  const p = await openStudio(`${env.baseUrl}#csv=${encodeURIComponent(csv)}&buffer=2`);
  await rendered(p);
  assert.equal(await p.inputValue('#buffer'), '2');
  assert.equal(await fieldValue(p, 0), '0.5');
  assert.equal(
    await p.textContent('#route-main [data-route=csv] li'),
    `Load variables from CSV string "${csv.replace(',2,', ',2.0000,')}"`,
  );
  assert.equal(await p.textContent('#route-main .verdict'), 'exact: this very sound');
  // An edited block the CSV text cannot carry travels as raw bits, bit for
  // bit, with the random state the render draws from.
  await p.click('button[aria-label="Create explosion"]');
  await p.fill('#param-6-value', '0.123456');
  await p.press('#param-6-value', 'Enter');
  const url = p.url();
  assert.match(url, /#bits=.*&rand=\d+/);
  const block = await p.evaluate(() => [...window.studio.d.block, window.studio.d.rand]);
  const q = await openStudio(url);
  assert.deepEqual(await q.evaluate(() => [...window.studio.d.block, window.studio.d.rand]), block);
  await p.close();
  await q.close();
});

test('the single-file build works opened from disk; screenshot', async () => {
  const p = await openStudio(`file://${singleFile}`);
  await p.click('button[aria-label="Create laser/shoot"]');
  await rendered(p);
  await p.click('#new-variations');
  mkdirSync(join(root, 'out'), { recursive: true });
  await p.screenshot({ path: join(root, 'out/studio.png') });
  assert.deepEqual(p.errors, []);
  await p.setViewportSize({ width: 480, height: 800 });
  const overflow = await p.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
  assert.ok(overflow <= 0, `page wider than a narrow window by ${overflow}px`);
  await p.close();
});
