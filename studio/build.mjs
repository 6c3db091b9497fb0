// Builds the Studio page: the names and texts from the registry and the
// engine's exports as generated modules, the workers (render and Explore map)
// and the page bundled with esbuild (the generator module with its embedded
// .wasm inside each), then the
// served site and one self-contained HTML file that opens straight from disk.
//
//   node build.mjs ENGINE_JS ZU_GUIDE_EXPORT OUT_DIR
// writes OUT_DIR/generated/{registry.ts,engine-exports.ts} (the type check
// reads them too, see tsconfig.json), OUT_DIR/site/{index.html,app.js,style.css}
// and OUT_DIR/ZiderUzazir-Studio.html.

import { build } from 'esbuild';
import { readFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { writeGenerated, writeWhole } from './generate.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [engineJs, exporter, outDir] = process.argv.slice(2).map((p) => resolve(p));
if (!engineJs || !exporter || !outDir) {
  console.error('usage: node build.mjs ENGINE_JS ZU_GUIDE_EXPORT OUT_DIR');
  process.exit(2);
}

let registry;
try {
  registry = writeGenerated(exporter, join(outDir, 'generated'));
} catch (e) {
  console.error(e.message);
  process.exit(1);
}

const common = {
  bundle: true,
  write: false,
  format: 'iife',
  platform: 'browser',
  target: 'es2020',
  minify: true,
  alias: { 'zu-engine': engineJs, 'zu-registry': registry },
  // The module's Node.js branch is never taken in a browser.
  external: ['fs', 'path', 'crypto'],
  logLevel: 'warning',
};

const worker = await build({ ...common, entryPoints: [join(here, 'src/worker.ts')] });
const exploreWorker = await build({ ...common, entryPoints: [join(here, 'src/explore/explore_worker.ts')] });
const setWorker = await build({ ...common, entryPoints: [join(here, 'src/library/set_worker.ts')] });
const page = await build({
  ...common,
  entryPoints: [join(here, 'src/main.ts')],
  define: {
    WORKER_SOURCE: JSON.stringify(worker.outputFiles[0].text),
    EXPLORE_WORKER_SOURCE: JSON.stringify(exploreWorker.outputFiles[0].text),
    SET_WORKER_SOURCE: JSON.stringify(setWorker.outputFiles[0].text),
  },
});
const app = page.outputFiles[0].text;
const css = readFileSync(join(here, 'style.css'), 'utf8');
const html = readFileSync(join(here, 'index.html'), 'utf8');

const site = join(outDir, 'site');
writeWhole(join(site, 'app.js'), app);
writeWhole(join(site, 'style.css'), css);
writeWhole(
  join(site, 'index.html'),
  html
    .replace('<!--STYLE-->', '<link rel="stylesheet" href="style.css">')
    .replace('<!--SCRIPT-->', '<script src="app.js"></script>'),
);
const inlineScript = app.replace(/<\/script/gi, '<\\/script');
writeWhole(
  join(outDir, 'ZiderUzazir-Studio.html'),
  html
    .replace('<!--STYLE-->', () => `<style>\n${css}</style>`)
    .replace('<!--SCRIPT-->', () => `<script>\n${inlineScript}</script>`),
);
console.log(`studio: wrote ${site}/index.html and ${join(outDir, 'ZiderUzazir-Studio.html')}`);
