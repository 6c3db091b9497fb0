// The sound set as the portable core keeps it (soundset/, through the
// engine's zu_set_ functions): the .zus reader and writer, safe file names,
// one set sound rendered and its .sfs file, and events.txt. The page, its
// workers and zider-sfx --render-set share this one implementation, so the
// page's pack holds the tool's bytes.

import type { EngineModule } from '../engine';

/** Words of a set sound's block: the 24 variables, the wave type as an integer. */
export const SET_BLOCK_WORDS = 24;

/** One sound of a set: what the game gets from "Set random seed to <seed>",
 * then loading block, then "Generate sound" with "Buffer length" buffer. */
export interface SetSound {
  name: string;
  /** The object's "Buffer length", 0 to 10. */
  buffer: number;
  /** 1 to 4294967295. */
  seed: number;
  /** SET_BLOCK_WORDS words. */
  block: Uint32Array;
}

export class SetCore {
  /** The sounds the engine holds now (the same array: nothing to load). */
  private loaded: readonly SetSound[] | null = null;

  constructor(private readonly m: EngineModule) {}

  /** Reads a .zus image: its sounds, or the reader's message ("line L, column C: expected ..."). */
  read(bytes: Uint8Array): SetSound[] | string {
    this.loaded = null;
    const count = this.withBytes(bytes, (ptr) => this.m._zu_set_read(ptr, bytes.length));
    if (count < 0) return this.text(this.m._zu_set_error());
    const sounds: SetSound[] = [];
    for (let i = 0; i < count; i++) {
      const at = this.m._zu_set_block(i) >>> 2;
      sounds.push({
        name: this.text(this.m._zu_set_name(i)),
        buffer: this.m._zu_set_buffer_length(i),
        seed: this.m._zu_set_seed(i) >>> 0,
        block: this.m.HEAPU32.slice(at, at + SET_BLOCK_WORDS),
      });
    }
    this.loaded = sounds;
    return sounds;
  }

  /** The .zus text of sounds. */
  write(sounds: readonly SetSound[]): string {
    this.use(sounds);
    return this.text(this.m._zu_set_write());
  }

  /** Each sound's safe file name, without extension. */
  fileNames(sounds: readonly SetSound[]): string[] {
    this.use(sounds);
    return sounds.map((_, i) => this.text(this.m._zu_set_file_name(i)));
  }

  /** events.txt for sounds; setName (the .zus file's name) shows in its title. */
  events(sounds: readonly SetSound[], setName: string): string {
    this.use(sounds);
    return this.withText(setName, (ptr) => this.text(this.m._zu_set_events(ptr)));
  }

  /** Why name cannot name sound index of sounds (-1: a new sound), or ''. */
  nameProblem(sounds: readonly SetSound[], name: string, index: number): string {
    // A C string ends at a NUL, which the core would then never see.
    if (name.includes('\0')) return 'expected a name without tabs or control characters';
    this.use(sounds);
    return this.withText(name, (ptr) => this.text(this.m._zu_set_name_problem(ptr, index)));
  }

  /** The sound rendered as the game renders it: a RIFF/WAVE image. */
  render(sound: SetSound): Uint8Array {
    this.use([sound]);
    return this.image(this.m._zu_set_render(0));
  }

  /** The sound's .sfs image. */
  sfs(sound: SetSound): Uint8Array {
    this.use([sound]);
    return this.image(this.m._zu_set_sfs(0));
  }

  /** Makes sounds the engine's set; throws when the core refuses them. */
  private use(sounds: readonly SetSound[]): void {
    if (this.loaded === sounds) return;
    this.loaded = null;
    this.m._zu_set_clear();
    const block = this.m._zu_alloc(SET_BLOCK_WORDS * 4);
    try {
      for (const s of sounds) {
        this.m.HEAPU32.set(s.block.subarray(0, SET_BLOCK_WORDS), block >>> 2);
        const added = this.withText(s.name, (name) => this.m._zu_set_add(name, s.buffer, s.seed >>> 0, block));
        if (added < 0) throw new Error(`${s.name}: ${this.text(this.m._zu_set_error())}`);
      }
    } finally {
      this.m._zu_free(block);
    }
    this.loaded = sounds;
  }

  private image(at: number): Uint8Array {
    return this.m.HEAPU8.slice(at, at + this.m._zu_set_image_size());
  }

  private withBytes<T>(bytes: Uint8Array, use: (ptr: number) => T): T {
    const ptr = this.m._zu_alloc(bytes.length);
    try {
      this.m.HEAPU8.set(bytes, ptr);
      return use(ptr);
    } finally {
      this.m._zu_free(ptr);
    }
  }

  private withText<T>(text: string, use: (ptr: number) => T): T {
    return this.withBytes(new TextEncoder().encode(text), use);
  }

  private text(at: number): string {
    const end = this.m.HEAPU8.indexOf(0, at);
    return new TextDecoder().decode(this.m.HEAPU8.subarray(at, end));
  }
}
