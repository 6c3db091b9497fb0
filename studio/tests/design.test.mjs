// The page's logic without a browser: its DOM-free modules bundled for Node.js
// with the same WebAssembly generator and registry names the page is built with.

import { before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { guideParameters } from '../generate.mjs';
import { importModules, root } from './bundle.mjs';
import { seed } from './cases.mjs';

let m;
let engine;

before(async () => {
  m = await importModules([
    'design',
    'actions',
    'replay',
    'share',
    'importing',
    'params',
    'engine',
    'routes',
    'names',
    'format',
    'library/library',
  ]);
  engine = await m.loadEngine();
});

const labels = (d) => d.actions.map(m.actionLabel);

test('actions keep only what the game needs to reach the same block and random state', () => {
  const d = m.replay(engine, [seed(5), { kind: 'preset', index: 2 }, { kind: 'mutate' }]);
  assert.deepEqual(labels(d), ['Set random seed to 5', 'Create explosion', 'Mutate sound']);
  // A seed or a reset that nothing drew from goes.
  const pruned = m.replay(engine, [seed(3), { kind: 'reset' }, seed(4), { kind: 'preset', index: 1 }]);
  assert.deepEqual(labels(pruned), ['Set random seed to 4', 'Create laser/shoot']);
  // Each variation is its recipe's result: a seed, then one mutation.
  const v = m.variations(engine, d)[3];
  assert.deepEqual(labels(v).slice(-2), ['Set random seed to 9', 'Mutate sound']);
  const again = m.replay(engine, [seed(9), { kind: 'mutate' }], d);
  assert.deepEqual(Array.from(again.block), Array.from(v.block));
  // A manual edit keeps the random state, which the seed action then gives.
  const edited = m.replay(engine, [{ kind: 'set', index: 6, value: 0.5 }], v);
  assert.deepEqual(labels(edited), [`Set random seed to ${v.rand}`]);
  assert.equal(edited.rand, v.rand);
  assert.deepEqual(
    m.gameTexts(engine, edited).routes.map((r) => r.kind),
    ['csv', 'sfs'],
  );
});

test('links, files and steps that cannot be loaded are refused with a reason', () => {
  const d = m.initialDesign(engine);
  assert.match(m.parseShareHash(engine, '#csv=1&buffer=11', d), /buffer must be 0 to 10/);
  assert.match(m.parseShareHash(engine, '#bits=1,2,3', d), /24 to 26/);
  assert.match(m.parseShareHash(engine, `#csv=${encodeURIComponent('1,x' + ','.repeat(22))}`, d), /field 2/);
  assert.equal(
    m.importFile(engine, d.block, 'a.sfs', new Uint8Array([102, 0, 0, 0, 1])),
    'not a .sfs file: a.sfs (5 bytes; a version 102 file has 105)',
  );
  assert.match(m.importFile(engine, d.block, 'b.bin', new Uint8Array([1, 0, 0, 0])), /neither/);
  assert.throws(() => m.replay(engine, [{ kind: 'mutate' }, { kind: 'csv', text: '1,x' }]), /step 2 \(csv\).*field 2/);
  // Negative zero cannot travel in a CSV text: the link carries the bits.
  const neg = m.replay(engine, [{ kind: 'set', index: 2, value: -0 }]);
  const hash = m.shareHash(engine, neg, m.gameTexts(engine, neg).csv);
  assert.match(hash, /^#bits=/);
  const back = m.parseShareHash(engine, hash, d);
  assert.deepEqual(Array.from(back.block), Array.from(neg.block));
});

test('every variable keeps its bits through the engine, signalling NaNs included', () => {
  const d = m.initialDesign(engine);
  const block = d.block.slice();
  const patterns = [0x7f800001, 0xff800001, 0x7fbfffff, 0xffa5a5a5, 0x7fa00000];
  for (let i = 0; i < 25; i++) if (i !== 1) block[i] = (patterns[i % patterns.length] ^ ((i >> 2) << 8)) >>> 0;
  const same = (got, words) => assert.deepEqual(Array.from(got.slice(0, words)), Array.from(block.slice(0, words)));
  same(engine.loadSfs(engine.resetBlock(), engine.sfs(block)), 25);
  const csv = engine.loadCsv(block, '0.5');
  assert.equal(csv[0], 0x3f000000);
  assert.deepEqual(Array.from(csv.slice(1, 24)), Array.from(block.slice(1, 24)));
  const edited = m.applyBlock(d, block);
  same(m.parseShareHash(engine, m.shareHash(engine, edited, engine.csv(block)), d).block, 25);
});

test('every variable has one slider, named by its setter in the registry', () => {
  const params = m.GROUPS.flatMap((g) => g.params);
  assert.deepEqual(
    params.map((p) => p.index).sort((a, b) => a - b),
    [...Array(24).keys()],
  );
  for (const p of params) assert.match(p.name, /^[A-Z][^()]*$/, `variable ${p.index}`);
  assert.deepEqual(m.WAVE_NAMES, ['Square wave', 'Sawtooth', 'Sine', 'Noise']);
});

const explosion = () => m.replay(engine, [seed(1), { kind: 'preset', index: 2 }]);
const sameDesign = (a, b) => {
  assert.deepEqual(Array.from(a.block), Array.from(b.block));
  assert.deepEqual([a.rand, a.seed, a.buffer, a.name, a.blockExact], [b.rand, b.seed, b.buffer, b.name, b.blockExact]);
  assert.deepEqual(labels(a), labels(b));
};

test('a link gives back the design: the recipe, or the block with its random state; old links open as before', () => {
  const d0 = m.initialDesign(engine);
  const reopen = (d) => m.parseShareHash(engine, m.shareHash(engine, d, engine.csv(d.block)), d0);
  const boom = m.replay(
    engine,
    [
      { kind: 'name', name: 'boom' },
      { kind: 'buffer', buffer: 7 },
    ],
    explosion(),
  );
  assert.match(m.shareHash(engine, boom, ''), /^#do=seed:1,explosion&seed=1&buffer=7&name=boom$/);
  sameDesign(reopen(boom), boom);
  // Edited after the preset: the noise still draws from the preset's state.
  const edited = m.replay(engine, [{ kind: 'set', index: 0, value: 0.4 }], boom);
  assert.notEqual(edited.rand, edited.seed);
  sameDesign(reopen(edited), edited);
  // A link from before the recipe and the random state: the seed's state.
  const old = m.parseShareHash(engine, `#bits=${Array.from(boom.block, (w) => w.toString(16)).join(',')}&seed=7`, d0);
  assert.equal(old.rand, engine.seedState(7));
  assert.match(m.parseShareHash(engine, '#do=seed:1,bang', d0), /"bang", which is no action/);
});

test('a route is exact only when it gives the bytes the page renders', () => {
  const render = (block, rand, d) => engine.render(block, rand, d.buffer);
  const check = (d) =>
    Object.fromEntries(
      m
        .gameTexts(engine, d)
        .routes.map((r) => [r.kind, m.samplesDiffering(render(r.block, r.rand, d), render(d.block, d.rand, d)).count]),
    );
  const d = explosion();
  const before = check(d);
  assert.equal(before.actions, 0);
  assert.equal(before.sfs, 0);
  assert.ok(before.csv > 0, 'the CSV text rounds the explosion audibly');
  // Snapping keeps the noise: the CSV text then gives the very sound.
  const snapped = m.replay(engine, [{ kind: 'snap' }], d);
  assert.equal(snapped.rand, d.rand);
  assert.deepEqual(check(snapped), { csv: 0, sfs: 0 });
  // A text the game reads other than it shows (inf) is not offered.
  const loud = m.replay(engine, [{ kind: 'csv', text: '1e400' }], d);
  const texts = m.gameTexts(engine, loud);
  assert.equal(texts.csvUnreadable, 0);
  assert.deepEqual(
    texts.routes.map((r) => r.kind),
    ['sfs'],
  );
  assert.throws(() => m.replay(engine, [{ kind: 'snap' }], loud), /field 1 of the CSV text is not a number/);
});

test('CSV texts as the game reads them: quoted, short and long ones, with a note', () => {
  const d = explosion();
  const text = engine.csv(d.block);
  const quoted = m.replay(engine, [{ kind: 'csv', text: ` "${text}"\n` }]);
  assert.deepEqual(
    Array.from(quoted.block.slice(0, 24)),
    Array.from(m.replay(engine, [{ kind: 'csv', text }]).block.slice(0, 24)),
  );
  assert.equal(m.csvNote(`"${text}"`), '');
  assert.equal(
    m.csvNote('0.5'),
    'The CSV text has 1 field: the game sets variable 0 and leaves the other 23 as they are.',
  );
  assert.equal(
    m.csvNote(text + ',1'),
    'The CSV text has 25 fields: the game reads the first 24 and ignores the other 1.',
  );
  const short = m.replay(engine, [{ kind: 'csv', text: '0.5, 2 ' }], d);
  assert.deepEqual([m.wordValue(short.block, 0), m.wordValue(short.block, 1)], [0.5, 2]);
  assert.deepEqual(Array.from(short.block.slice(2)), Array.from(d.block.slice(2)));
  assert.match(m.csvProblem(engine, '  '), /empty/);
});

test("a file named .sfs or starting with a version gets the .sfs reader's message, as zider-sfx words it", () => {
  const d = m.initialDesign(engine);
  const dir = mkdtempSync(join(tmpdir(), 'studio-sfs-'));
  const random = Uint8Array.from({ length: 105 }, (_, i) => (i * 37 + 11) & 255);
  for (const [name, bytes] of [
    ['x.sfs', new Uint8Array(0)],
    ['x.sfs', random],
    ['v.bin', new Uint8Array([101, 0, 0, 0, 9])],
  ]) {
    writeFileSync(join(dir, name), bytes);
    const r = spawnSync(join(root, 'build/native/bin/zider-sfx'), ['--load', name], { cwd: dir, encoding: 'utf8' });
    assert.equal(m.importFile(engine, d.block, name, bytes), r.stderr.trim().replace(/^zider-sfx: /, ''));
  }
});

test('sound names are safe file names on Windows', () => {
  const cases = {
    'a<b>:"c"/\\|?*': 'a_b___c______',
    '  boom. . ': 'boom',
    CON: '_CON',
    'lpt1.sfs': '_lpt1.sfs',
    '\u0001': '_',
    '': 'sound',
  };
  for (const [text, name] of Object.entries(cases)) assert.equal(m.safeName(text), name, JSON.stringify(text));
  assert.equal(m.safeName('x'.repeat(100)).length, 64);
});

test('a sound longer than the buffer: the smallest buffer length that holds it, or none', () => {
  const long = m.replay(engine, [{ kind: 'csv', text: '1,0,,1,,1.2' }]);
  engine.render(long.block, long.rand, 5);
  assert.equal(engine.lastRenderCut(), true);
  const whole = engine.wholeBuffer(long.block, long.rand, 10);
  const samples = (engine.render(long.block, long.rand, 10).length - 44) / 2;
  assert.equal(whole, Math.ceil(samples / 41000));
  assert.equal(engine.lastRenderCut(), false);
  assert.equal(engine.render(long.block, long.rand, whole - 1).length < samples * 2 + 44, true);
  const endless = m.replay(engine, [{ kind: 'csv', text: '1,0,,3,,3' }]);
  assert.equal(engine.wholeBuffer(endless.block, endless.rand, 10), null);
});

test('a value shows as the shortest decimal that reads back as the same single-precision value', () => {
  const f = Math.fround;
  assert.equal(m.showValue(f(0.30386), false), '0.30386');
  assert.equal(m.showValue(f(0.22668001), false), '0.22668001');
  // 2^-96: the nearest 8-digit decimal reads back as another value, the one above does not.
  assert.equal(m.showValue(2 ** -96, false), '1.2621775e-29');
  const bits = new DataView(new ArrayBuffer(4));
  for (let i = 0; i < 2000; i++) {
    bits.setUint32(0, (i * 2654435761) >>> 0);
    const v = bits.getFloat32(0);
    if (Number.isFinite(v)) assert.ok(Object.is(f(m.readValue(m.showValue(v, false))), v), `${v}`);
  }
});

test("the sliders' ranges and meanings come from the guide's table, which must stay readable", () => {
  const page = readFileSync(join(root, 'docs/guide/synthesizer.md'), 'utf8');
  const volume = m.GROUPS.flatMap((g) => g.params).find((p) => p.index === 0);
  assert.deepEqual([volume.min, volume.max], [0, 2]);
  assert.match(volume.meaning, /loudness/);
  const anyAction = { has: () => true };
  const broken = page.replace('| 0 to 1 | Length of the fade-in. |', '| short | Length of the fade-in. |');
  assert.throws(() => guideParameters(broken, anyAction), /cannot read the parameter row "\| 2 \| Attack time/);
});

test('a library sound is the sound designed, and the open sound follows moves, copies and deletions', () => {
  // Presets and a mutation moved the random source on from the seed: the kept seed is the state the render draws from.
  const d = m.replay(engine, [seed(5), { kind: 'preset', index: 2 }, { kind: 'mutate' }]);
  const lib = m.addSound(engine, m.emptyLibrary(), d, 'boom');
  assert.equal(lib.sounds[0].seed, d.rand);
  assert.deepEqual(engine.set.render(lib.sounds[0]), engine.render(d.block, d.rand, d.buffer));
  const opened = m.designOf(engine, lib.sounds[0]);
  assert.deepEqual(engine.render(opened.block, opened.rand, opened.buffer), engine.render(d.block, d.rand, d.buffer));
  assert.equal(m.addSound(engine, lib, d, 'boom'), '"boom": expected a name not used by another sound');
  let two = m.addSound(engine, lib, m.replay(engine, [{ kind: 'preset', index: 5 }]), 'jump');
  two = m.duplicateSound(engine, { ...two, open: 1 }, 0);
  assert.deepEqual(
    two.sounds.map((s) => s.name),
    ['boom', 'boom 2', 'jump'],
  );
  assert.equal(two.open, 2);
  const moved = m.moveSound(two, 2, 0);
  assert.equal(moved.open, 0);
  const edited = m.followDesign(moved, d);
  assert.deepEqual(Array.from(edited.sounds[0].block), Array.from(d.block.slice(0, 24)));
  assert.equal(edited.sounds[0].name, 'jump');
  assert.equal(edited.sounds[1], moved.sounds[1], 'the others stay as they were');
  assert.equal(m.deleteSound(edited, 0).open, null);
  assert.equal(m.deleteSound(edited, 2).open, 0);
});
