// The page's model of a sound design, free of the DOM: the current block, the
// random state the next operation draws from, the buffer length, and the
// game actions that reproduce them. Undo history, share links and the
// "In your game" texts are derived here.

import { Block, BLOCK_WORDS, DesignOp, Engine, sameBlock } from './engine';
import { ACTION, actionText, BUFFER_DEFAULT, BUFFER_MAX, PRESETS } from './params';

export interface Design {
  block: Block;
  /** Random state the next preset/randomize/mutate and the render draw from. */
  rand: number;
  /** The seed field: the last "Set random seed to %0" value. */
  seed: number;
  /** The object's "Buffer length" property, 0 to 10. */
  buffer: number;
  /** Game actions that lead to rand (and to block when blockExact). */
  actions: string[];
  /** True when actions also reproduce the block (no manual edit since a preset,
   * randomize or reset). */
  blockExact: boolean;
}

export const DEFAULT_SEED = 1;

export function initialDesign(engine: Engine): Design {
  return {
    block: engine.resetBlock(),
    rand: engine.seedState(DEFAULT_SEED),
    seed: DEFAULT_SEED,
    buffer: BUFFER_DEFAULT,
    actions: [actionText(ACTION.seed, DEFAULT_SEED), ACTION.reset],
    blockExact: true,
  };
}

const SEED_PREFIX = ACTION.seed.replace('%0', '');
const isSeed = (a: string): boolean => a.startsWith(SEED_PREFIX);
const draws = (a: string): boolean => a === ACTION.randomize || a === ACTION.mutate || PRESETS.includes(a);

/** Appends an action, dropping the earlier ones it makes pointless: a seed
 * after which nothing drew before the next seed, and a reset that a preset or
 * randomize (which reset themselves) follows without a draw between. */
export function appendAction(actions: string[], next: string): string[] {
  const out = actions.slice();
  const resets = next === ACTION.randomize || PRESETS.includes(next);
  if (isSeed(next) || resets) {
    for (let i = out.length - 1; i >= 0 && !draws(out[i]); i--) {
      if ((isSeed(next) && isSeed(out[i])) || (resets && out[i] === ACTION.reset)) out.splice(i, 1);
    }
  }
  out.push(next);
  return out;
}

function opText(op: DesignOp): string {
  if (op.kind === 'preset') return PRESETS[op.index];
  if (op.kind === 'randomize') return ACTION.randomize;
  if (op.kind === 'mutate') return ACTION.mutate;
  return ACTION.reset;
}

/** A preset, randomize, mutate or reset, as the game runs it. */
export function applyOp(engine: Engine, d: Design, op: DesignOp): Design {
  const drawn = engine.design(d.block, d.rand, op);
  return {
    ...d,
    block: drawn.block,
    rand: drawn.rand,
    actions: appendAction(d.actions, opText(op)),
    blockExact: d.blockExact || op.kind !== 'mutate',
  };
}

/** "Set random seed to %0": 0 takes the current time, which the actions record
 * as the seed it gave so they stay reproducible. */
export function applySeed(engine: Engine, d: Design, seed: number): Design {
  const rand = engine.seedState(seed);
  const used = seed >>> 0 === 0 ? rand : seed >>> 0;
  const text = actionText(ACTION.seed, used);
  return { ...d, rand, seed: used, actions: d.blockExact ? appendAction(d.actions, text) : [text] };
}

/** A block from an edit or an import: the random source restarts from the
 * seed, as "Set random seed to %0" before the load would do in the game. */
export function applyBlock(engine: Engine, d: Design, block: Block): Design {
  const rand = engine.seedState(d.seed);
  return { ...d, block, rand, actions: [actionText(ACTION.seed, d.seed)], blockExact: false };
}

export function applyBuffer(d: Design, buffer: number): Design {
  return { ...d, buffer: Math.max(0, Math.min(BUFFER_MAX, Math.trunc(buffer) || 0)) };
}

/** Eight mutations of the current sound, each from its own seed, so each is
 * reproducible as "Set random seed to S" then "Mutate sound". */
export function variations(engine: Engine, d: Design, count = 8): Design[] {
  const out: Design[] = [];
  for (let k = 1; k <= count; k++) {
    let seed = (d.seed + k) >>> 0;
    if (seed === 0) seed = 1;
    out.push(applyOp(engine, applySeed(engine, d, seed), { kind: 'mutate' }));
  }
  return out;
}

// --- "In your game" ----------------------------------------------------------

export interface GameTexts {
  /** Actions from a seed and presets/randomize/mutate, or null after a manual edit. */
  recipe: string[] | null;
  csv: string;
  /** The CSV text gives this very block back. */
  csvExact: boolean;
  /** The block the CSV text gives (to snap to when it is not exact). */
  csvBlock: Block;
}

export function gameTexts(engine: Engine, d: Design): GameTexts {
  const csv = engine.csv(d.block);
  const csvBlock = engine.loadCsv(d.block, csv);
  return {
    recipe: d.blockExact ? [...d.actions, ACTION.generate] : null,
    csv,
    csvExact: sameBlock(csvBlock, d.block, 24),
    csvBlock,
  };
}

// --- Share link ----------------------------------------------------------------

/** index.html#csv=<text>&buffer=<n>&seed=<s>, or #bits=<26 hex words>&... when
 * the CSV text cannot carry the block exactly. */
export function shareHash(engine: Engine, d: Design): string {
  const t = gameTexts(engine, d);
  const tail = `&buffer=${d.buffer}&seed=${d.seed}`;
  if (t.csvExact && d.block[24] === 0 && d.block[25] === 0) return `#csv=${encodeURIComponent(t.csv)}${tail}`;
  const words = Array.from(d.block, (w) => w.toString(16).padStart(8, '0'));
  return `#bits=${words.join(',')}${tail}`;
}

/** The design a link opens, or an error message. */
export function parseShareHash(engine: Engine, hash: string, base: Design): Design | string {
  const params = new URLSearchParams(hash.replace(/^#/, ''));
  let buffer = BUFFER_DEFAULT;
  const b = params.get('buffer');
  if (b !== null) {
    if (!/^\d+$/.test(b) || Number(b) > BUFFER_MAX) return `Link: buffer must be 0 to ${BUFFER_MAX}, not "${b}"`;
    buffer = Number(b);
  }
  let seed = base.seed;
  const s = params.get('seed');
  if (s !== null) {
    if (!/^\d+$/.test(s) || Number(s) > 0xffffffff) return `Link: seed must be 0 to 4294967295, not "${s}"`;
    seed = Number(s);
  }
  let block: Block;
  const csv = params.get('csv');
  const bits = params.get('bits');
  if (csv !== null) {
    const problem = csvProblem(engine, csv);
    if (problem) return `Link: ${problem}`;
    block = engine.loadCsv(engine.resetBlock(), csv);
  } else if (bits !== null) {
    const words = bits.split(',');
    if (words.length < 24 || words.length > BLOCK_WORDS || !words.every((w) => /^[0-9a-fA-F]{1,8}$/.test(w))) {
      return 'Link: bits must be 24 to 26 comma-separated hexadecimal words';
    }
    block = engine.resetBlock();
    block[24] = 0;
    words.forEach((w, i) => (block[i] = parseInt(w, 16) >>> 0));
  } else {
    return 'Link: it carries neither csv= nor bits=';
  }
  const seeded = applySeed(engine, { ...base, seed }, seed);
  return applyBlock(engine, { ...seeded, buffer }, block);
}

// --- Import ----------------------------------------------------------------------

/** Why a CSV text cannot be loaded, or '' when it can. */
export function csvProblem(engine: Engine, text: string): string {
  if (text.includes('\0')) return 'the CSV text holds a NUL character';
  const r = engine.checkCsv(text);
  if (r < 0) return '';
  if (r >= 100) return `the CSV text has ${r - 100} fields; it needs exactly 24`;
  return `field ${r + 1} of the CSV text is not a number`;
}

/** Larger files are neither: a CSV text of 24 numbers stays far below. */
const MAX_IMPORT_BYTES = 1 << 20;

/** The block a dropped or opened file gives over the current one, or an error. */
export function importFile(engine: Engine, d: Design, name: string, bytes: Uint8Array): Block | string {
  if (bytes.length > MAX_IMPORT_BYTES) return `${name}: ${bytes.length} bytes is too large for an .sfs file or a CSV text`;
  const version = bytes.length >= 4 ? bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (bytes[3] << 24) : -1;
  if (version === 100 || version === 101 || version === 102) {
    const block = engine.loadSfs(d.block, bytes);
    return block ?? `${name}: a version ${version} .sfs file, but only ${bytes.length} bytes long`;
  }
  if (bytes.includes(0)) return `${name}: neither an .sfs file (version 100, 101 or 102) nor a CSV text`;
  const text = new TextDecoder().decode(bytes).trim();
  const problem = csvProblem(engine, text);
  if (problem) return `${name}: ${problem}`;
  return engine.loadCsv(d.block, text);
}

// --- Undo and redo -------------------------------------------------------------------

export class History<T> {
  private undoStack: T[] = [];
  private redoStack: T[] = [];
  constructor(public current: T) {}

  /** Makes next the current state; the old one can be undone. */
  push(next: T): void {
    this.undoStack.push(this.current);
    this.redoStack = [];
    this.current = next;
  }

  /** Changes the current state in place (a slider still moving). */
  replace(next: T): void {
    this.current = next;
  }

  undo(): boolean {
    return this.step(this.undoStack, this.redoStack);
  }

  redo(): boolean {
    return this.step(this.redoStack, this.undoStack);
  }

  /** Takes the state on top of from; the current one goes onto to. */
  private step(from: T[], to: T[]): boolean {
    const next = from.pop();
    if (next === undefined) return false;
    to.push(this.current);
    this.current = next;
    return true;
  }

  get canUndo(): boolean {
    return this.undoStack.length > 0;
  }
  get canRedo(): boolean {
    return this.redoStack.length > 0;
  }
}
