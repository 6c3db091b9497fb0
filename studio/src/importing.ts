// Pasted CSV texts and opened or dropped files: what they give over the
// current block, or why they cannot be loaded. A CSV text is taken as
// "Load variables from CSV string %0" takes it; an .sfs file as the game's
// reader takes it, with its messages.

import { Block, Engine, VARIABLE_COUNT } from './engine';

/** The text the game reads: trimmed, and without one pair of surrounding
 * double quotes (the form the event editor and the guide show). */
export function csvBody(text: string): string {
  const t = text.trim();
  return t.length >= 2 && t.startsWith('"') && t.endsWith('"') ? t.slice(1, -1) : t;
}

/** Why a CSV text cannot be loaded, or '' when it can. */
export function csvProblem(engine: Engine, text: string): string {
  if (text.includes('\0')) return 'the CSV text holds a NUL character';
  if (text.trim() === '') return 'the CSV text is empty';
  const r = engine.checkCsv(text);
  return r < 0 ? '' : `field ${r + 1} of the CSV text is not a number`;
}

const fields = (n: number): string => (n === 1 ? '1 field' : `${n} fields`);

/** What the game does with a text of other than 24 fields, or ''. */
export function csvNote(text: string): string {
  const n = csvBody(text).split(',').length;
  const rest = VARIABLE_COUNT - n;
  if (n < VARIABLE_COUNT) {
    const set = n === 1 ? 'variable 0' : `variables 0 to ${n - 1}`;
    return `The CSV text has ${fields(n)}: the game sets ${set} and leaves the other ${rest} as they are.`;
  }
  if (n > VARIABLE_COUNT) {
    return `The CSV text has ${fields(n)}: the game reads the first ${VARIABLE_COUNT} and ignores the other ${-rest}.`;
  }
  return '';
}

/** The block a CSV text gives over block, or why it cannot be loaded. */
export function loadCsvText(engine: Engine, block: Block, text: string): Block | string {
  const body = csvBody(text);
  return csvProblem(engine, body) || engine.loadCsv(block, body);
}

/** Larger files are neither: a CSV text of 24 numbers stays far below. */
const MAX_IMPORT_BYTES = 1 << 20;

/** A file named .sfs or starting with a known version number is read as an
 * .sfs file; any other as a CSV text. */
export function readsAsSfs(name: string, bytes: Uint8Array): boolean {
  const version = bytes.length >= 4 ? bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (bytes[3] << 24) : -1;
  return /\.sfs$/i.test(name) || version === 100 || version === 101 || version === 102;
}

/** The block a dropped or opened file gives over block, or an error. */
export function importFile(engine: Engine, block: Block, name: string, bytes: Uint8Array): Block | string {
  if (bytes.length > MAX_IMPORT_BYTES)
    return `${name}: ${bytes.length} bytes is too large for an .sfs file or a CSV text`;
  if (readsAsSfs(name, bytes)) {
    return engine.sfsError(bytes, name) || (engine.loadSfs(block, bytes) ?? block);
  }
  if (bytes.includes(0)) return `${name}: neither an .sfs file (version 100, 101 or 102) nor a CSV text`;
  const loaded = loadCsvText(engine, block, new TextDecoder().decode(bytes));
  return typeof loaded === 'string' ? `${name}: ${loaded}` : loaded;
}
