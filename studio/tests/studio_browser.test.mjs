// The Studio page in headless Chromium: renders, texts and files byte for byte
// the same as zider-sfx, and the controls an author uses.
//
// Environment: ZU_ROOT (the repository), with build/studio built and
// build/native/bin/zider-sfx present.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from '../serve.mjs';
import { bitIdentityCases, toolArgs } from './cases.mjs';

const root = resolve(process.env.ZU_ROOT ?? join(dirname(fileURLToPath(import.meta.url)), '../..'));
const site = join(root, 'build/studio/site');
const singleFile = join(root, 'build/studio/ZiderUzazir-Studio.html');
const tool = join(root, 'build/native/bin/zider-sfx');
const work = mkdtempSync(join(tmpdir(), 'studio-test-'));

let server;
let baseUrl;
let browser;
let page;

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

/** Runs the tool on a case; returns its WAV digest, CSV text and .sfs bytes. */
function runTool(steps) {
  let n = 0;
  const args = toolArgs(steps, (bytes) => {
    const file = join(work, `in${n++}.sfs`);
    writeFileSync(file, bytes);
    return file;
  });
  const wav = join(work, 'out.wav');
  const sfs = join(work, 'out.sfs');
  const r = spawnSync(tool, [...args, '--render', wav, '--save', sfs, '--print-csv'], { encoding: 'utf8' });
  assert.equal(r.status, 0, `zider-sfx ${args.join(' ')}: ${r.stderr}`);
  return { wavSha256: sha256(readFileSync(wav)), csv: r.stdout.replace(/\n$/, ''), sfs: readFileSync(sfs).toString('hex') };
}

async function openStudio(url) {
  const p = await browser.newPage({ viewport: { width: 1280, height: 800 }, acceptDownloads: true });
  const errors = [];
  p.on('pageerror', (e) => errors.push(e.message));
  await p.goto(url);
  await p.waitForSelector('body[data-ready=true]', { timeout: 20000 });
  p.errors = errors;
  return p;
}

const rendered = (p) => p.waitForFunction(() => document.getElementById('status').textContent.startsWith('Rendered'));
const fieldValue = (p, index) => p.inputValue(`#param-${index}-value`);

before(async () => {
  ({ server, url: baseUrl } = await serve(site));
  browser = await chromium.launch({ executablePath: process.env.ZU_CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
  const context = await browser.newContext();
  await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(baseUrl).origin });
  browser.newPage = (options) => context.newPage(options);
  page = await openStudio(baseUrl);
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

test('every case renders, formats and saves the same bytes in the page as in zider-sfx', async () => {
  const cases = bitIdentityCases();
  assert.ok(cases.length >= 60, `${cases.length} cases`);
  const differ = [];
  for (const steps of cases) {
    const inPage = await page.evaluate((s) => window.studio.run(s), steps);
    const byTool = runTool(steps);
    for (const key of ['wavSha256', 'csv', 'sfs']) {
      if (inPage[key] !== byTool[key]) differ.push(`${JSON.stringify(steps)} ${key}: page ${inPage[key]} tool ${byTool[key]}`);
    }
  }
  console.log(`# bit identity: ${cases.length} cases compared (WAV SHA-256, CSV text, .sfs bytes)`);
  assert.deepEqual(differ, []);
  assert.deepEqual(page.errors, []);
});

test('exported WAV, .sfs and copied CSV are the bytes zider-sfx gives', async () => {
  const p = await openStudio(baseUrl);
  await p.fill('#seed', '5');
  await p.press('#seed', 'Enter');
  await p.click('button[aria-label="Create explosion"]');
  await p.click('#mutate');
  await rendered(p);
  const tool = runTool([{ seed: 5 }, { preset: 2 }, { mutate: true }]);
  const save = async (name) => {
    const [download] = await Promise.all([p.waitForEvent('download'), p.getByRole('button', { name }).click()]);
    return readFileSync(await download.path());
  };
  assert.equal(sha256(await save('Export WAV')), tool.wavSha256);
  assert.equal((await save('Export .sfs')).toString('hex'), tool.sfs);
  await p.getByRole('button', { name: 'Copy CSV' }).click();
  assert.equal(await p.evaluate(() => navigator.clipboard.readText()), tool.csv);
  // The recipe the game needs for this very sound.
  const recipe = await p.locator('#recipe li').allTextContents();
  assert.deepEqual(recipe, ['Set random seed to 5', 'Create explosion', 'Mutate sound', 'Generate sound']);
  await p.close();
});

test('a preset, a slider, undo and redo', async () => {
  const p = await openStudio(baseUrl);
  await rendered(p);
  await p.click('button[aria-label="Create blip/select"]');
  // After seed 1, blip/select gives a sawtooth at start frequency 0.53864.
  assert.equal(await fieldValue(p, 1), '1');
  assert.equal(await fieldValue(p, 6), '0.53864');
  await p.focus('#param-6');
  await p.keyboard.press('End');
  assert.equal(await fieldValue(p, 6), '1');
  assert.equal(await p.locator('#recipe-none').isVisible(), true);
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
  const p = await openStudio(baseUrl);
  await p.click('button[aria-label="Create jump"]');
  const before = await p.evaluate(() => location.hash);
  await p.setInputFiles('#file', { name: 'bad.sfs', mimeType: 'application/octet-stream', buffer: Buffer.from([103, 0, 0, 0, 1, 2, 3]) });
  await p.waitForSelector('#error:not([hidden])');
  assert.match(await p.textContent('#error'), /bad\.sfs/);
  await p.fill('#csv-input', '0.5,abc');
  await p.click('#load-csv');
  assert.match(await p.textContent('#error'), /2 fields/);
  assert.equal(await p.evaluate(() => location.hash), before);
  // A good one goes through: a version-101 file.
  await p.setInputFiles('#file', { name: 'ok.sfs', mimeType: 'application/octet-stream', buffer: Buffer.alloc(101, 0).fill(Buffer.from([101, 0, 0, 0]), 0, 4) });
  await p.waitForSelector('#error', { state: 'hidden' });
  assert.equal(await fieldValue(p, 6), '0');
  await p.close();
});

test('a share link opens exactly the sound and buffer length it carries', async () => {
  const csv = '0.5000,2,,0.2500,,0.3000,0.4000,,,,,,,,,,,,,1.0000,,,,';
  const p = await openStudio(`${baseUrl}#csv=${encodeURIComponent(csv)}&buffer=2`);
  await rendered(p);
  assert.equal(await p.inputValue('#buffer'), '2');
  assert.equal(await fieldValue(p, 0), '0.5');
  assert.equal(await p.textContent('#csv-action'), `Load variables from CSV string "${csv.replace(',2,', ',2.0000,')}"`);
  assert.equal(await p.textContent('#csv-status'), 'exact: the CSV text gives this very sound');
  // A block the CSV text cannot carry travels as raw bits, bit for bit.
  await p.click('button[aria-label="Create explosion"]');
  const url = p.url();
  assert.match(url, /#bits=/);
  const block = await p.evaluate(() => Array.from(window.studio.d.block));
  const q = await openStudio(url);
  assert.deepEqual(await q.evaluate(() => Array.from(window.studio.d.block)), block);
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
