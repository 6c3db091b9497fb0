// The page's logic without a browser: design.ts bundled for Node.js with the
// same WebAssembly generator the page loads.

import { before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(process.env.ZU_ROOT ?? join(here, '../..'));
let m;
let engine;

before(async () => {
  const out = await build({
    stdin: {
      contents: "export * from './design'; export { loadEngine } from './engine'; export * from './params';",
      resolveDir: join(here, '../src'),
      loader: 'ts',
    },
    bundle: true,
    write: false,
    platform: 'node',
    format: 'cjs',
    alias: { 'zu-engine': join(root, 'build/wasm/bin/engine.js') },
    logLevel: 'warning',
  });
  const file = join(mkdtempSync(join(tmpdir(), 'studio-design-')), 'design.cjs');
  writeFileSync(file, out.outputFiles[0].text);
  m = (await import(file)).default;
  engine = await m.loadEngine();
});

test('actions keep only what the game needs to reach the same block and random state', () => {
  let d = m.initialDesign(engine);
  d = m.applySeed(engine, d, 5);
  d = m.applyOp(engine, d, { kind: 'preset', index: 2 });
  d = m.applyOp(engine, d, { kind: 'mutate' });
  assert.deepEqual(d.actions, ['Set random seed to 5', 'Create explosion', 'Mutate sound']);
  // Each variation is its recipe's result: a seed, then one mutation.
  const v = m.variations(engine, d)[3];
  assert.deepEqual(v.actions.slice(-2), ['Set random seed to 9', 'Mutate sound']);
  let again = m.applySeed(engine, m.initialDesign(engine), 5);
  for (const op of [{ kind: 'preset', index: 2 }, { kind: 'mutate' }]) again = m.applyOp(engine, again, op);
  again = m.applyOp(engine, m.applySeed(engine, again, 9), { kind: 'mutate' });
  assert.deepEqual(Array.from(again.block), Array.from(v.block));
  // A manual edit leaves only the seed the random source restarts from.
  const edited = m.applyBlock(engine, v, v.block.slice());
  assert.deepEqual(edited.actions, ['Set random seed to 9']);
  assert.equal(m.gameTexts(engine, edited).recipe, null);
});

test('links and files that cannot be loaded are refused with a reason', () => {
  const d = m.initialDesign(engine);
  assert.match(m.parseShareHash(engine, '#csv=1&buffer=11', d), /buffer must be 0 to 10/);
  assert.match(m.parseShareHash(engine, '#bits=1,2,3', d), /24 to 26/);
  assert.match(m.parseShareHash(engine, `#csv=${encodeURIComponent('1,x' + ','.repeat(22))}`, d), /field 2/);
  assert.match(m.importFile(engine, d, 'a.sfs', new Uint8Array([102, 0, 0, 0, 1])), /version 102 .*5 bytes/);
  assert.match(m.importFile(engine, d, 'b.bin', new Uint8Array([1, 0, 0, 0])), /neither/);
  // Negative zero cannot travel in a CSV text: the link carries the bits.
  const block = d.block.slice();
  block[2] = 0x80000000;
  const neg = m.applyBlock(engine, d, block);
  assert.equal(m.gameTexts(engine, neg).csvExact, false);
  const back = m.parseShareHash(engine, m.shareHash(engine, neg), d);
  assert.deepEqual(Array.from(back.block), Array.from(block));
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
  same(m.parseShareHash(engine, m.shareHash(engine, m.applyBlock(engine, d, block)), d).block, 25);
});

test('the page names parameters and actions exactly as the registry does', () => {
  const entries = JSON.parse(
    execFileSync(join(root, 'build/native/bin/zu-guide-export'), { encoding: 'utf8' }),
  );
  const actions = new Map(
    entries.filter((e) => e.kind === 'action').map((e) => [e.displayText, e]),
  );
  for (const group of m.GROUPS) {
    for (const param of group.params) {
      // A title may go on with a hint in parentheses (the wave type lists its values).
      const title = actions.get(param.setter)?.params[0].title.split(' (')[0];
      assert.equal(title, param.name, param.setter);
    }
  }
  for (const text of [...m.PRESETS, ...Object.values(m.ACTION)]) {
    assert.ok(actions.has(text), text);
  }
});
