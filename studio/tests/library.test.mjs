// The library: a set built in the page exported as a pack that holds, file
// for file, what zider-sfx --render-set writes for the page's own .zus; the
// panel's add, rename, reorder, undo, reload, open and save; events.txt.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { unzipSync } from 'fflate';
import { openStudio, tool, useBrowser, work } from './browser.mjs';

useBrowser();

const HEADER = 'zider-uzazir-set 1\n';
/** The reset block's words; variable 1 is the wave type. */
const RESET = [0x3f800000, 0, 0, 0x3e99999a, 0, 0x3ecccccd, 0x3e99999a, ...Array(12).fill(0), 0x3f800000, 0, 0, 0, 0];
const f32 = (v) => new Uint32Array(new Float32Array([v]).buffer)[0];
const bits = (words) => `bits:${words.map((w) => (w >>> 0).toString(16).padStart(8, '0')).join(',')}`;
const NAMES = ['../x', 'CON', 'a\\b', 'Jump', 'jump', 'été', 'z.', 'nul.txt'];

/** count sounds: every buffer length, every wave type (noise too) with its
 * own seed, values no CSV text holds, NaN, infinities and -0, hostile names. */
function generatedSet(count) {
  const special = [0x7fc00000, 0x7f800000, 0xff800000, 0x80000000];
  const lines = [];
  for (let i = 0; i < count; i++) {
    const words = [...RESET];
    words[1] = i % 4;
    words[3] = f32(i % 3 === 0 ? 0.1 : 0.05 + i * 0.0012345);
    words[5] = f32(0.1 + (i % 7) * 0.05);
    words[8] = f32(-0.2 + (i % 5) * 0.0731);
    if (i % 6 === 5) words[4 + (i % 15)] = special[i % 4];
    const name = NAMES[i] ?? `sound ${i}`;
    const seed = i === 1 ? 4294967295 : i * 7919 + 1;
    lines.push(`${name}\t${i % 11}\t${seed}\t${bits(words)}\n`);
  }
  return HEADER + lines.join('');
}

async function fresh() {
  const p = await openStudio();
  await p.evaluate(() => window.localStorage.clear());
  await p.reload();
  await p.waitForSelector('body[data-ready=true]');
  return p;
}

/** Opens a .zus file through the panel's file field (or drops it on the
 * page); waits until it is the library or refused. */
async function openSet(p, name, text, drop = false) {
  const before = await p.evaluate(() => JSON.stringify(window.studio.library));
  if (!drop) await p.setInputFiles('#library-set-file', { name, mimeType: 'text/plain', buffer: Buffer.from(text) });
  else {
    await p.evaluate(
      ([file, content]) => {
        const data = new window.DataTransfer();
        data.items.add(new window.File([content], file));
        document.dispatchEvent(new window.DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
      },
      [name, text],
    );
  }
  await p.waitForFunction(
    (was) => JSON.stringify(window.studio.library) !== was || !document.getElementById('library-error').hidden,
    before,
  );
}

const names = (p) => p.evaluate(() => window.studio.library.sounds.map((s) => s.name));

/** Clicks the button and returns the bytes it downloads (with their fileName). */
async function download(p, selector) {
  const [file] = await Promise.all([p.waitForEvent('download', { timeout: 120000 }), p.click(selector)]);
  const bytes = readFileSync(await file.path());
  bytes.fileName = file.suggestedFilename();
  return bytes;
}

/** Adds the design a preset gives from seed under name. */
async function addPreset(p, seed, preset, name) {
  await p.fill('#seed', String(seed));
  await p.press('#seed', 'Enter');
  await p.click(`button[aria-label="Create ${preset}"]`);
  await p.fill('#sound-name', name);
  await p.press('#sound-name', 'Enter');
  await p.click('#library-add');
}

async function exportPack(p) {
  return unzipSync(new Uint8Array(await download(p, '#library-export')));
}

test("the pack holds zider-sfx --render-set's files for the page's .zus", async () => {
  const p = await fresh();
  await openSet(p, 'game.zus', generatedSet(25));
  for (const [seed, preset] of [
    [3, 'explosion'],
    [40, 'jump'],
    [977, 'laser/shoot'],
    [5, 'explosion'],
    [12, 'hit/hurt'],
    [8, 'pickup/coin'],
  ]) {
    await addPreset(p, seed, preset, `${preset} ${seed}`);
  }
  assert.equal((await names(p)).length, 31);
  const pack = await exportPack(p);
  writeFileSync(join(work, 'game.zus'), pack['sounds/game.zus']);
  const dir = join(work, 'tool');
  const r = spawnSync(tool, ['--render-set', join(work, 'game.zus'), '--render-dir', dir, '--jobs', '2'], {
    encoding: 'utf8',
  });
  assert.equal(r.status, 0, r.stderr);
  const packed = Object.keys(pack)
    .map((path) => path.replace(/^sounds\//, ''))
    .sort();
  assert.deepEqual(packed, readdirSync(dir).sort());
  assert.ok(
    packed.includes('_CON.wav') && packed.includes('jump~2.sfs') && packed.includes('_._x.wav'),
    packed.join(' '),
  );
  for (const file of packed) assert.ok(Buffer.from(pack[`sounds/${file}`]).equals(readFileSync(join(dir, file))), file);
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('add, a refused rename, reorder by keyboard, undo, reload, save and open a .zus', async () => {
  const p = await fresh();
  await addPreset(p, 1, 'jump', 'jump');
  await p.click('#library-add');
  assert.match(await p.textContent('#library-error'), /"jump": expected a name not used by another sound/);
  await addPreset(p, 2, 'pickup/coin', 'coin');
  // A name the core refuses is said as it is typed, and not taken.
  const second = p.locator('#library-list li').nth(1).locator('input');
  await second.fill('#coin');
  assert.match(await p.textContent('#library-name-error-1'), /does not start with #/);
  await second.press('Enter');
  assert.deepEqual(await names(p), ['jump', 'coin']);
  assert.equal(await second.inputValue(), 'coin');
  await second.press('Alt+ArrowUp');
  assert.deepEqual(await names(p), ['coin', 'jump']);
  assert.equal(await p.evaluate(() => document.activeElement.closest('li').dataset.index), '0');
  await p.click('#undo');
  assert.deepEqual(await names(p), ['jump', 'coin']);
  await p.click('#redo');
  // Another tab sees the change, so that its own next change keeps it.
  const other = await openStudio();
  await p.click('#library-list [aria-label="Duplicate jump"]');
  await other.waitForFunction(() => window.studio.library.sounds.length === 3);
  await other.click('#library-list [aria-label="Delete jump 2"]');
  await other.close();
  await p.reload();
  await p.waitForSelector('body[data-ready=true]');
  assert.deepEqual(await names(p), ['coin', 'jump']);
  const saved = (await download(p, '#library-save')).toString();
  assert.match(saved, /^zider-uzazir-set 1\n(#.*\n)coin\t5\t\d+\t[^\n]+\njump\t5\t\d+\t[^\n]+\n$/);
  await openSet(p, 'broken.zus', `${saved}x\t11\t1\t,\n`);
  assert.equal(
    await p.textContent('#library-error'),
    'broken.zus: line 5, column 3: expected a buffer length from 0 to 10',
  );
  await openSet(p, 'other.zus', saved.replace('coin', 'bell'), true);
  assert.deepEqual(await names(p), ['bell', 'jump']);
  assert.match(await p.textContent('#library-count'), /^other\.zus: 2 sounds/);
  await p.fill('#library-name', 'a:b');
  await p.press('#library-name', 'Enter');
  const renamed = await download(p, '#library-save');
  assert.equal(renamed.fileName, 'a_b.zus');
  assert.match(renamed.toString(), /^zider-uzazir-set 1\n(#.*\n)bell\t/);
  assert.equal(await p.inputValue('#library-name'), 'a_b');
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('a sound opened in the editor takes the edits; the seed kept gives the sound heard', async () => {
  const p = await fresh();
  await addPreset(p, 9, 'explosion', 'boom');
  const kept = await p.evaluate(() => window.studio.library.sounds[0].seed);
  assert.equal(kept, await p.evaluate(() => window.studio.d.rand >>> 0));
  assert.equal(await p.isHidden('#library-note'), true, 'no note: the set sound is the one designed');
  await p.click('button[aria-label="Create jump"]');
  assert.equal(await p.evaluate(() => window.studio.library.sounds[0].seed), kept, 'not open: unchanged');
  await p.click('#library-list [data-action=edit]');
  assert.equal(await p.inputValue('#seed'), String(kept));
  await p.click('#mutate');
  const edited = await p.evaluate(() => ({
    open: window.studio.library.sounds[0].seed,
    rand: window.studio.d.rand >>> 0,
  }));
  assert.equal(edited.open, edited.rand);
  assert.notEqual(edited.open, kept);
  await p.close();
});

test('events.txt of a three-sound set, and the time for 200 sounds', async () => {
  const p = await fresh();
  const block = '1.0000,,,0.2949,,0.2834,0.5540,,0.2267,,,,,,0.0025,,,,,1.0000,,,,';
  const inexact = bits([...RESET.slice(0, 3), f32(0.123456), ...RESET.slice(4)]);
  await openSet(
    p,
    'three.zus',
    `${HEADER}jump\t5\t1\t${block}\nCON\t5\t4294967295\t${inexact}\nlong\t8\t7\t${block}\n`,
  );
  const pack = await exportPack(p);
  assert.equal(Buffer.from(pack['sounds/events.txt']).toString(), EVENTS);
  await openSet(p, 'big.zus', generatedSet(200));
  await exportPack(p);
  console.log(`# library: 200 sounds rendered and packed in ${await p.getAttribute('#library-status', 'data-ms')} ms`);
  await p.close();
});

/** Seeds above 2147483647 as the editor takes them, CSV only where exact,
 * one object per buffer length, the renamed file listed. */
const EVENTS = `Zider Uzazir: the sound set "three.zus", 3 sounds

These rules put every sound of the set into the sound bank under its name,
exactly as the set defines it. Put the .sfs files into a folder "sounds"
beside your application (only sounds loaded from a file need one). "Start
of frame" stands for your host's condition that is true once when the
frame starts, Apppath$ for its expression of the application's folder.

The sounds need 2 values of "Buffer length", which caps how long a
generated sound can be: use one object for each, with the property set as
given.

Zider Uzazir 1: set its property "Buffer length" to 5.

    Start of frame
      → Zider Uzazir 1: Set random seed to 1
      → Zider Uzazir 1: Load variables from CSV string "1.0000,,,0.2949,,0.2834,0.5540,,0.2267,,,,,,0.0025,,,,,1.0000,,,,"
      → Zider Uzazir 1: Generate sound
      → Zider Uzazir 1: Add generated sound as "jump"
      → Zider Uzazir 1: Set random seed to -1
      → Zider Uzazir 1: Load SFX sample file Apppath$ + "sounds\\_CON.sfs"
      → Zider Uzazir 1: Generate sound
      → Zider Uzazir 1: Add generated sound as "CON"

Zider Uzazir 2: set its property "Buffer length" to 8.

    Start of frame
      → Zider Uzazir 2: Set random seed to 7
      → Zider Uzazir 2: Load variables from CSV string "1.0000,,,0.2949,,0.2834,0.5540,,0.2267,,,,,,0.0025,,,,,1.0000,,,,"
      → Zider Uzazir 2: Generate sound
      → Zider Uzazir 2: Add generated sound as "long"

Files named differently from their sounds:

    "CON" → _CON.wav, _CON.sfs
`;
