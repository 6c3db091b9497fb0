// The generator core, compiled to WebAssembly, as the page and its worker call
// it. A sound's parameter block travels as 32-bit words (the bit patterns of
// the variables), so that no value ever passes through a JavaScript number.

import createEngine from 'zu-engine';
import type { EngineExports } from 'zu-engine-exports';

/** The generator's variables, 0 to 23. */
export const VARIABLE_COUNT = 24;

/** Words of a block: variables 0 to 23, then vibDelay, then filterFlag. */
export const BLOCK_WORDS = 26;
export type Block = Uint32Array;

/** The WebAssembly module: the functions studio_engine.cpp exports (their
 * types are generated from it) and its memory. */
export interface EngineModule extends EngineExports {
  HEAPU8: Uint8Array;
  HEAPU32: Uint32Array;
}

/** Samples one unit of "Buffer length" holds. */
export const BUFFER_UNIT_SAMPLES = 41000;

/** Bytes of a version-102 .sfs file. */
export const SFS_BYTES = 105;

/** Outcome of an operation: the new block and the random state after it. */
export interface Drawn {
  block: Block;
  rand: number;
}

export type DesignOp =
  { kind: 'preset'; index: number } | { kind: 'randomize' } | { kind: 'mutate' } | { kind: 'reset' };

/** Synchronous calls into one instance of the module. */
export class Engine {
  constructor(private readonly m: EngineModule) {
    if (m._zu_block_words() !== BLOCK_WORDS) throw new Error('engine block size mismatch');
  }

  private put(block: Block): void {
    this.m.HEAPU32.set(block, this.m._zu_block() >>> 2);
  }

  private get(): Block {
    const at = this.m._zu_block() >>> 2;
    return this.m.HEAPU32.slice(at, at + BLOCK_WORDS);
  }

  private withBytes<T>(bytes: Uint8Array, use: (ptr: number) => T): T {
    const ptr = this.m._zu_alloc(bytes.length);
    try {
      this.m.HEAPU8.set(bytes, ptr);
      this.m.HEAPU8[ptr + bytes.length] = 0;
      return use(ptr);
    } finally {
      this.m._zu_free(ptr);
    }
  }

  private withText<T>(text: string, use: (ptr: number) => T): T {
    return this.withBytes(new TextEncoder().encode(text), use);
  }

  /** The reset block. */
  resetBlock(): Block {
    this.m._zu_reset();
    return this.get();
  }

  /** The random state a seed gives ("Set random seed to %0"; 0: the current time). */
  seedState(seed: number): number {
    this.m._zu_seed(seed >>> 0);
    return this.m._zu_rand_state() >>> 0;
  }

  /** A preset, randomize, mutate or reset on block, drawing from rand. */
  design(block: Block, rand: number, op: DesignOp): Drawn {
    this.put(block);
    this.m._zu_set_rand_state(rand >>> 0);
    if (op.kind === 'preset') this.m._zu_preset(op.index >>> 0);
    else if (op.kind === 'randomize') this.m._zu_randomize();
    else if (op.kind === 'mutate') this.m._zu_mutate();
    else this.m._zu_reset();
    return { block: this.get(), rand: this.m._zu_rand_state() >>> 0 };
  }

  /** The block's CSV text, as CSV$( gives it. */
  csv(block: Block): string {
    this.put(block);
    return this.text(this.m._zu_csv_format());
  }

  /** -1 when each of the first 24 fields is empty or a number; else the first that is not. */
  checkCsv(text: string): number {
    return this.withText(text, (ptr) => this.m._zu_csv_check(ptr));
  }

  /** "Load variables from CSV string %0" over block. */
  loadCsv(block: Block, text: string): Block {
    this.put(block);
    this.withText(text, (ptr) => this.m._zu_csv_load(ptr));
    return this.get();
  }

  /** The version-102 .sfs image of block. */
  sfs(block: Block): Uint8Array {
    this.put(block);
    const at = this.m._zu_sfs_encode();
    return this.m.HEAPU8.slice(at, at + SFS_BYTES);
  }

  /** Loads an .sfs image over block; null when it is not a whole file of a known version. */
  loadSfs(block: Block, bytes: Uint8Array): Block | null {
    this.put(block);
    const ok = this.withBytes(bytes, (ptr) => this.m._zu_sfs_load(ptr, bytes.length));
    return ok ? this.get() : null;
  }

  /** Why bytes are no .sfs file the reader takes, naming the file as name; '' when they load. */
  sfsError(bytes: Uint8Array, name: string): string {
    return this.withBytes(bytes, (data) =>
      this.withText(name, (n) => this.text(this.m._zu_sfs_error(data, bytes.length, n))),
    );
  }

  private text(at: number): string {
    const end = this.m.HEAPU8.indexOf(0, at);
    return new TextDecoder().decode(this.m.HEAPU8.subarray(at, end));
  }

  /** "Generate sound": the RIFF/WAVE image for block, with the random source at rand. */
  render(block: Block, rand: number, bufferLength: number): Uint8Array {
    this.put(block);
    this.m._zu_set_rand_state(rand >>> 0);
    const at = this.m._zu_render(bufferLength >>> 0);
    return this.m.HEAPU8.slice(at, at + this.m._zu_wave_size());
  }

  /** The smallest "Buffer length" up to max that plays the sound whole, or
   * null when even max cuts it. */
  wholeBuffer(block: Block, rand: number, max: number): number | null {
    const wav = this.render(block, rand, max);
    if (this.lastRenderCut()) return null;
    return Math.max(1, Math.ceil((wav.length - 44) / 2 / BUFFER_UNIT_SAMPLES));
  }

  /** True when the last render filled its buffer before the sound ended. */
  lastRenderCut(): boolean {
    return this.m._zu_render_cut() !== 0;
  }
}

/** Loads the module (the .wasm is embedded in it). */
export async function loadEngine(): Promise<Engine> {
  return new Engine((await createEngine()) as EngineModule);
}

/** A variable's bits as the float (or, for index 1, the integer) it holds. */
export function wordValue(block: Block, index: number): number {
  if (index === 1) return block[index] | 0;
  const view = new DataView(new ArrayBuffer(4));
  view.setUint32(0, block[index]);
  return view.getFloat32(0);
}

/** The bits a value takes in a variable: single-precision rounding, or the
 * wave type truncated as the setter does. */
export function valueWord(index: number, value: number): number {
  if (index === 1) {
    return Number.isFinite(value) && Math.abs(value) < 2147483648 ? Math.trunc(value) >>> 0 : 0x80000000;
  }
  const view = new DataView(new ArrayBuffer(4));
  view.setFloat32(0, value);
  return view.getUint32(0);
}

export function sameBlock(a: Block, b: Block, words = BLOCK_WORDS): boolean {
  for (let i = 0; i < words; i++) if (a[i] !== b[i]) return false;
  return true;
}
