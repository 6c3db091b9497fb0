// The page's TypeScript modules for tests without a browser: bundled for
// Node.js by esbuild with the same WebAssembly generator the page loads.

import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';

const here = dirname(fileURLToPath(import.meta.url));
export const root = resolve(process.env.ZU_ROOT ?? join(here, '../..'));
export const src = join(here, '../src');

/** The esbuild options every test bundle shares. */
export const nodeBundle = {
  bundle: true,
  write: false,
  platform: 'node',
  format: 'cjs',
  alias: {
    'zu-engine': join(root, 'build/wasm/bin/engine.js'),
    'zu-registry': join(root, 'build/studio/generated/registry.ts'),
  },
  logLevel: 'warning',
};

/** Bundles `export * from` each module (paths under src/, no extension) and
 * imports the result; `dir` (default: a new scratch folder) receives it. */
export async function importModules(modules, dir = mkdtempSync(join(tmpdir(), 'studio-modules-'))) {
  const out = await build({
    ...nodeBundle,
    stdin: {
      contents: modules.map((name) => `export * from './${name}';`).join('\n'),
      resolveDir: src,
      loader: 'ts',
    },
  });
  const file = join(dir, 'modules.cjs');
  writeFileSync(file, out.outputFiles[0].text);
  return (await import(file)).default;
}
