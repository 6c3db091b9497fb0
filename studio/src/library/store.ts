// The library kept in the browser's local storage, so that it survives a
// reload and a closed tab: the set as its .zus text (the core's own format),
// its name and the open sound.

import type { Engine } from '../engine';
import { emptyLibrary, Library } from './library';

const KEY = 'zider-uzazir-studio-library';

/** Whether a storage event's key is the library's (another tab changed it). */
export const isLibraryKey = (key: string | null): boolean => key === KEY;

interface Stored {
  name: string;
  open: number | null;
  zus: string;
}

/** Keeps lib; returns why the browser refused (full or blocked storage), or ''. */
export function storeLibrary(engine: Engine, lib: Library): string {
  const stored: Stored = { name: lib.name, open: lib.open, zus: engine.set.write(lib.sounds) };
  try {
    localStorage.setItem(KEY, JSON.stringify(stored));
    return '';
  } catch (e) {
    return `The browser did not keep the library (${e instanceof Error ? e.message : String(e)}); save it as a .zus file.`;
  }
}

/** The kept library, an empty one when none is kept, or why the kept one cannot be read. */
export function restoreLibrary(engine: Engine): { library: Library; problem: string } {
  let text: string | null;
  try {
    text = localStorage.getItem(KEY);
  } catch {
    return { library: emptyLibrary(), problem: '' };
  }
  if (text === null) return { library: emptyLibrary(), problem: '' };
  try {
    const stored = JSON.parse(text) as Stored;
    const sounds = engine.set.read(new TextEncoder().encode(stored.zus));
    if (typeof sounds === 'string') throw new Error(sounds);
    const open = Number.isInteger(stored.open) && (stored.open as number) < sounds.length ? stored.open : null;
    return { library: { name: String(stored.name), sounds, open }, problem: '' };
  } catch (e) {
    const why = e instanceof Error ? e.message : String(e);
    return { library: emptyLibrary(), problem: `The library kept in this browser could not be read: ${why}` };
  }
}
