// Shared set-up of the browser tests: the served Studio site, one headless
// Chromium with clipboard access, and the native zider-sfx to compare with.
//
// Environment: ZU_ROOT (the repository), with build/studio built and
// build/native/bin/zider-sfx present; ZU_CHROMIUM overrides /usr/bin/chromium.

import { after, before } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from '../serve.mjs';
import { toolArgs } from './cases.mjs';

export const root = resolve(process.env.ZU_ROOT ?? join(dirname(fileURLToPath(import.meta.url)), '../..'));
export const site = join(root, 'build/studio/site');
export const singleFile = join(root, 'build/studio/ZiderUzazir-Studio.html');
export const tool = join(root, 'build/native/bin/zider-sfx');
/** A scratch folder for this test file, removed at the end. */
export const work = mkdtempSync(join(tmpdir(), 'studio-test-'));

export const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

/** Runs the tool on a case; returns its WAV digest, CSV text, .sfs bytes and time. */
export function runTool(steps) {
  let n = 0;
  const args = toolArgs(steps, (bytes) => {
    const file = join(work, `in${n++}.sfs`);
    writeFileSync(file, bytes);
    return file;
  });
  const wav = join(work, 'out.wav');
  const sfs = join(work, 'out.sfs');
  const start = process.hrtime.bigint();
  const r = spawnSync(tool, [...args, '--render', wav, '--save', sfs, '--print-csv'], { encoding: 'utf8' });
  const ms = Number(process.hrtime.bigint() - start) / 1e6;
  assert.equal(r.status, 0, `zider-sfx ${args.join(' ')}: ${r.stderr}`);
  return {
    wavSha256: sha256(readFileSync(wav)),
    csv: r.stdout.replace(/\n$/, ''),
    sfs: readFileSync(sfs).toString('hex'),
    ms,
  };
}

/** The browser and the served site's address, set by useBrowser's before(). */
export const env = { browser: null, baseUrl: '' };

/** Registers before/after hooks that serve the site and start Chromium, then
 * run ready() (if given) within the same hook. */
export function useBrowser(ready) {
  let server;
  before(async () => {
    let url;
    ({ server, url } = await serve(site));
    env.baseUrl = url;
    const browser = await chromium.launch({
      executablePath: process.env.ZU_CHROMIUM ?? '/usr/bin/chromium',
      args: ['--no-sandbox'],
    });
    const context = await browser.newContext();
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(url).origin });
    browser.newPage = (options) => context.newPage(options);
    env.browser = browser;
    if (ready) await ready();
  });
  after(async () => {
    await env.browser?.close();
    server?.close();
    rmSync(work, { recursive: true, force: true });
  });
}

/** Opens Studio at url (default: the served page) and waits until it is ready;
 * page.errors collects uncaught page errors. */
export async function openStudio(url = env.baseUrl, viewport = { width: 1280, height: 800 }) {
  const p = await env.browser.newPage({ viewport, acceptDownloads: true });
  const errors = [];
  p.on('pageerror', (e) => errors.push(e.message));
  await p.goto(url);
  await p.waitForSelector('body[data-ready=true]', { timeout: 20000 });
  p.errors = errors;
  return p;
}

/** Resolves when the status says the current sound was rendered. */
export const rendered = (p) =>
  p.waitForFunction(() => document.getElementById('status').textContent.startsWith('Rendered'));
/** The text in variable index's number field. */
export const fieldValue = (p, index) => p.inputValue(`#param-${index}-value`);
