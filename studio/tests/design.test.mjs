// The page's logic without a browser: its DOM-free modules bundled for Node.js
// with the same WebAssembly generator and registry names the page is built with.

import { before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';
import { seed } from './cases.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(process.env.ZU_ROOT ?? join(here, '../..'));
let m;
let engine;

before(async () => {
  const out = await build({
    stdin: {
      contents: ['design', 'actions', 'replay', 'share', 'importing', 'params', 'engine']
        .map((name) => `export * from './${name}';`)
        .join('\n'),
      resolveDir: join(here, '../src'),
      loader: 'ts',
    },
    bundle: true,
    write: false,
    platform: 'node',
    format: 'cjs',
    alias: {
      'zu-engine': join(root, 'build/wasm/bin/engine.js'),
      'zu-registry': join(root, 'build/studio/generated/registry.ts'),
    },
    logLevel: 'warning',
  });
  const file = join(mkdtempSync(join(tmpdir(), 'studio-design-')), 'design.cjs');
  writeFileSync(file, out.outputFiles[0].text);
  m = (await import(file)).default;
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
  // A manual edit leaves only the seed the random source restarts from.
  const edited = m.replay(engine, [{ kind: 'set', index: 6, value: 0.5 }], v);
  assert.deepEqual(labels(edited), ['Set random seed to 9']);
  assert.equal(m.gameTexts(engine, edited).recipe, null);
});

test('links, files and steps that cannot be loaded are refused with a reason', () => {
  const d = m.initialDesign(engine);
  assert.match(m.parseShareHash(engine, '#csv=1&buffer=11', d), /buffer must be 0 to 10/);
  assert.match(m.parseShareHash(engine, '#bits=1,2,3', d), /24 to 26/);
  assert.match(m.parseShareHash(engine, `#csv=${encodeURIComponent('1,x' + ','.repeat(22))}`, d), /field 2/);
  assert.match(m.importFile(engine, d.block, 'a.sfs', new Uint8Array([102, 0, 0, 0, 1])), /version 102 .*5 bytes/);
  assert.match(m.importFile(engine, d.block, 'b.bin', new Uint8Array([1, 0, 0, 0])), /neither/);
  assert.throws(() => m.replay(engine, [{ kind: 'mutate' }, { kind: 'csv', text: '1,2' }]), /step 2 \(csv\).*2 fields/);
  // Negative zero cannot travel in a CSV text: the link carries the bits.
  const neg = m.replay(engine, [{ kind: 'set', index: 2, value: -0 }]);
  const texts = m.gameTexts(engine, neg);
  assert.equal(texts.csvExact, false);
  const back = m.parseShareHash(engine, m.shareHash(neg, texts), d);
  assert.deepEqual(Array.from(back.block), Array.from(neg.block));
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
