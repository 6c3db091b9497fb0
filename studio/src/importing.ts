// Pasted CSV texts and opened or dropped files: what they give over the
// current block, or why they cannot be loaded.

import type { Block, Engine } from './engine';

/** Why a CSV text cannot be loaded, or '' when it can. */
export function csvProblem(engine: Engine, text: string): string {
  if (text.includes('\0')) return 'the CSV text holds a NUL character';
  const r = engine.checkCsv(text);
  if (r < 0) return '';
  if (r >= 100) return `the CSV text has ${r - 100} fields; it needs exactly 24`;
  return `field ${r + 1} of the CSV text is not a number`;
}

/** The block a CSV text gives over block, or why it cannot be loaded. */
export function loadCsvText(engine: Engine, block: Block, text: string): Block | string {
  const trimmed = text.trim();
  return csvProblem(engine, trimmed) || engine.loadCsv(block, trimmed);
}

/** Larger files are neither: a CSV text of 24 numbers stays far below. */
const MAX_IMPORT_BYTES = 1 << 20;

/** The block a dropped or opened file gives over block, or an error. */
export function importFile(engine: Engine, block: Block, name: string, bytes: Uint8Array): Block | string {
  if (bytes.length > MAX_IMPORT_BYTES)
    return `${name}: ${bytes.length} bytes is too large for an .sfs file or a CSV text`;
  const version = bytes.length >= 4 ? bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (bytes[3] << 24) : -1;
  if (version === 100 || version === 101 || version === 102) {
    const loaded = engine.loadSfs(block, bytes);
    return loaded ?? `${name}: a version ${version} .sfs file, but only ${bytes.length} bytes long`;
  }
  if (bytes.includes(0)) return `${name}: neither an .sfs file (version 100, 101 or 102) nor a CSV text`;
  const loaded = loadCsvText(engine, block, new TextDecoder().decode(bytes));
  return typeof loaded === 'string' ? `${name}: ${loaded}` : loaded;
}
