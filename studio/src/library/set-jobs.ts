// The jobs the library's worker pool runs: a set sound rendered by the core,
// with its .sfs file for a pack or for playing, or only its outline for the
// library's small waveform.

import { columnRange, samplesOf } from '../wave';
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

/** The outline of a RIFF/WAVE image's samples (columns without a sample are 0). */
export function outlineOf(wav: Uint8Array): { samples: number; outline: Int16Array } {
  const samples = samplesOf(wav);
  const outline = new Int16Array(2 * OUTLINE_COLUMNS);
  const per = samples.length / OUTLINE_COLUMNS;
  for (let c = 0; c < OUTLINE_COLUMNS; c++) {
    const range = columnRange(samples, Math.floor(c * per), Math.floor((c + 1) * per));
    if (range) outline.set(range, 2 * c);
  }
  return { samples: samples.length, outline };
}

export function resultTransfer(r: SetResult): Transferable[] {
  return [r.outline.buffer, ...(r.wav ? [r.wav.buffer] : []), ...(r.sfs ? [r.sfs.buffer] : [])];
}
