// The library: the set of named sounds the author builds on the page, free
// of the DOM. Every change gives a new library (undo keeps the old one), or
// the reason it is refused, in the core's words.

import type { Design } from '../design';
import { Engine } from '../engine';
import { safeName } from '../names';
import { SET_BLOCK_WORDS, SetSound } from './set-core';

export interface Library {
  /** The set's name: its .zus file's name without the extension. */
  name: string;
  sounds: readonly SetSound[];
  /** The sound open in the editor, whose edits change it; null: none. */
  open: number | null;
}

export const DEFAULT_SET_NAME = 'game';

export function emptyLibrary(): Library {
  return { name: DEFAULT_SET_NAME, sounds: [], open: null };
}

/** The seed a design's sound is kept with: the random state its render draws
 * from, which "Set random seed to" that number gives, so the set's sound is
 * the one heard. Only a state of 0, which no seed gives, falls back to the
 * seed field (false: the noise may then differ). */
export function seedOf(d: Design): { seed: number; exact: boolean } {
  if (d.rand >>> 0 !== 0) return { seed: d.rand >>> 0, exact: true };
  return { seed: d.seed >>> 0 || 1, exact: false };
}

export function soundOf(d: Design, name: string): SetSound {
  return { name, buffer: d.buffer, seed: seedOf(d).seed, block: d.block.slice(0, SET_BLOCK_WORDS) };
}

/** The design that edits a set sound: its block as the .sfs file loads it,
 * its seed's random state, its buffer length. */
export function designOf(engine: Engine, sound: SetSound): Design {
  const block = engine.loadSfs(engine.resetBlock(), engine.set.sfs(sound)) ?? engine.resetBlock();
  return {
    block,
    rand: engine.seedState(sound.seed),
    seed: sound.seed,
    buffer: sound.buffer,
    name: safeName(sound.name),
    actions: [{ kind: 'seed', seed: sound.seed }],
    blockExact: false,
  };
}

function sameSound(a: SetSound, b: SetSound): boolean {
  return a.name === b.name && a.buffer === b.buffer && a.seed === b.seed && a.block.every((w, i) => w === b.block[i]);
}

function replaced(lib: Library, index: number, sound: SetSound): Library {
  return { ...lib, sounds: lib.sounds.map((s, i) => (i === index ? sound : s)) };
}

/** The current design added at the end under name; nothing is open after it. */
export function addSound(engine: Engine, lib: Library, d: Design, name: string): Library | string {
  const problem = engine.set.nameProblem(lib.sounds, name, -1);
  if (problem) return `"${name}": ${problem}`;
  return { ...lib, sounds: [...lib.sounds, soundOf(d, name)], open: null };
}

export function renameSound(engine: Engine, lib: Library, index: number, name: string): Library | string {
  if (lib.sounds[index].name === name) return lib;
  const problem = engine.set.nameProblem(lib.sounds, name, index);
  if (problem) return `"${name}": ${problem}`;
  return replaced(lib, index, { ...lib.sounds[index], name });
}

/** A copy right after the sound, named "<name> 2" (or the next free number). */
export function duplicateSound(engine: Engine, lib: Library, index: number): Library | string {
  const base = lib.sounds[index].name.replace(/ \d+$/, '');
  for (let n = 2; n <= lib.sounds.length + 2; n++) {
    const name = `${base} ${n}`;
    if (engine.set.nameProblem(lib.sounds, name, -1)) continue;
    const sounds = [...lib.sounds];
    sounds.splice(index + 1, 0, { ...lib.sounds[index], name });
    return { ...lib, sounds, open: lib.open !== null && lib.open > index ? lib.open + 1 : lib.open };
  }
  return `"${base}": no free name for a copy`;
}

export function deleteSound(lib: Library, index: number): Library {
  const open = lib.open === index ? null : lib.open !== null && lib.open > index ? lib.open - 1 : lib.open;
  return { ...lib, sounds: lib.sounds.filter((_, i) => i !== index), open };
}

/** Moves sound from to place to (both in range); the open sound stays open. */
export function moveSound(lib: Library, from: number, to: number): Library {
  if (from === to || to < 0 || to >= lib.sounds.length) return lib;
  const sounds = [...lib.sounds];
  const [moved] = sounds.splice(from, 1);
  sounds.splice(to, 0, moved);
  const open = lib.open === null ? null : sounds.indexOf(lib.sounds[lib.open]);
  return { ...lib, sounds, open };
}

/** The library after the design changed: the open sound takes it. */
export function followDesign(lib: Library, d: Design): Library {
  if (lib.open === null) return lib;
  const before = lib.sounds[lib.open];
  const after = soundOf(d, before.name);
  return sameSound(before, after) ? lib : replaced(lib, lib.open, after);
}

/** The library a .zus file gives (named after the file), or the reader's
 * message naming the file, line and column. */
export function openSetFile(engine: Engine, fileName: string, bytes: Uint8Array): Library | string {
  const sounds = engine.set.read(bytes);
  if (typeof sounds === 'string') return `${fileName}: ${sounds}`;
  const stem = fileName.replace(/\.[^.]*$/, '');
  return { name: safeName(stem, DEFAULT_SET_NAME), sounds, open: null };
}
