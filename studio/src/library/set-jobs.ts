// The jobs the library's worker pool runs: a set sound rendered by the core,
// with its .sfs file for a pack or for playing, or only its outline for the
// library's small waveform.

import type { SetSound } from './set-core';

/** Columns of a sound's outline (its small waveform). */
export const OUTLINE_COLUMNS = 96;

export interface SetJob {
  sound: SetSound;
  /** true: the files too; false: the outline only. */
  files: boolean;
}

export interface SetResult {
  samples: number;
  /** Per column, the lowest then the highest sample (2 * OUTLINE_COLUMNS). */
  outline: Int16Array;
  wav?: Uint8Array;
  sfs?: Uint8Array;
}

/** The outline of a RIFF/WAVE image's samples. */
export function outlineOf(wav: Uint8Array): { samples: number; outline: Int16Array } {
  const samples = Math.max(0, (wav.length - 44) >> 1);
  const view = new DataView(wav.buffer, wav.byteOffset, wav.byteLength);
  const outline = new Int16Array(2 * OUTLINE_COLUMNS);
  for (let c = 0; c < OUTLINE_COLUMNS; c++) {
    const from = Math.floor((c * samples) / OUTLINE_COLUMNS);
    const to = Math.floor(((c + 1) * samples) / OUTLINE_COLUMNS);
    let lo = 0;
    let hi = 0;
    for (let i = from; i < to; i++) {
      const s = view.getInt16(44 + 2 * i, true);
      if (s < lo) lo = s;
      if (s > hi) hi = s;
    }
    outline[2 * c] = lo;
    outline[2 * c + 1] = hi;
  }
  return { samples, outline };
}

export function resultTransfer(r: SetResult): Transferable[] {
  return [r.outline.buffer, ...(r.wav ? [r.wav.buffer] : []), ...(r.sfs ? [r.sfs.buffer] : [])];
}
