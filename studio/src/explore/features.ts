// A few numbers that describe a rendered sound (16-bit samples at 44100 Hz),
// for placing it on the Explore map: length, loudness, brightness, pitch
// movement and noisiness; and a small picture of its waveform.

import FFT from 'fft.js';
import { columnRange } from '../wave';

export const SAMPLE_RATE = 44100;
/** Loudness of silence: the quietest a 16-bit sound can be, in dBFS. */
export const SILENCE_DB = -96;
/** Pitch changes up to this, in octaves (one semitone), count as steady. */
export const STEADY_OCTAVES = 1 / 12;

export type Movement = 'rising' | 'falling' | 'steady';

export interface Features {
  /** Length in seconds. */
  seconds: number;
  /** Root mean square of the samples over the whole sound, 0 to 1 of 32768. */
  rms: number;
  /** The same in dBFS: 20 log10(rms), SILENCE_DB for a silent sound. */
  loudnessDb: number;
  /** Spectral centroid in hertz: the magnitude-weighted mean frequency of
   * the spectrum averaged over the sound; 0 for a silent sound. */
  brightnessHz: number;
  /** Zero-crossing frequency (half the sign changes per second) of the first
   * and of the last third of the audible part; 0 for a silent or very short
   * sound. For a tone it is its pitch; for noise, how fast the noise changes. */
  startHz: number;
  endHz: number;
  /** log2(endHz / startHz): octaves the pitch moves; 0 when unknown. */
  pitchOctaves: number;
  /** rising or falling by more than STEADY_OCTAVES and more than the
   * measurement's uncertainty (noise crosses zero at random), else steady. */
  movement: Movement;
  /** Spectral flatness of short frames, averaged: 0 (pure tone) to 1 (white noise). */
  noisiness: number;
}

const FRAME = 1024;
const MAX_FRAMES = 16;

let fft: FFT | null = null;
let hann: Float64Array;
let frame: Float64Array;
let spectrum: number[];

/**
 * Centroid in hertz of the magnitude spectrum summed over at most MAX_FRAMES
 * frames (Hann window) spread evenly over the sound, and noisiness: each
 * frame's spectral flatness (geometric over arithmetic mean of the power),
 * averaged with the frames' power as weights. The DC bin is left out.
 */
function spectralShape(samples: Int16Array): { centroid: number; flatness: number } {
  if (!fft) {
    fft = new FFT(FRAME);
    hann = Float64Array.from({ length: FRAME }, (_, i) => 0.5 - 0.5 * Math.cos((2 * Math.PI * i) / FRAME));
    frame = new Float64Array(FRAME);
    spectrum = fft.createComplexArray() as number[];
  }
  const bins = FRAME / 2 - 1;
  const sum = new Float64Array(FRAME / 2);
  let flatWeighted = 0;
  let powerTotal = 0;
  const starts = Math.max(1, Math.min(MAX_FRAMES, Math.ceil(samples.length / FRAME)));
  const span = Math.max(0, samples.length - FRAME);
  for (let f = 0; f < starts; f++) {
    const at = starts === 1 ? 0 : Math.round((span * f) / (starts - 1));
    for (let i = 0; i < FRAME; i++) frame[i] = at + i < samples.length ? samples[at + i] * hann[i] : 0;
    fft.realTransform(spectrum, frame);
    let logPower = 0;
    let power = 0;
    for (let k = 1; k <= bins; k++) {
      const p = spectrum[2 * k] * spectrum[2 * k] + spectrum[2 * k + 1] * spectrum[2 * k + 1];
      sum[k] += Math.sqrt(p);
      logPower += Math.log(p + 1e-9);
      power += p;
    }
    if (power > 0) flatWeighted += (Math.exp(logPower / bins) / (power / bins)) * power;
    powerTotal += power;
  }
  let weighted = 0;
  let total = 0;
  for (let k = 1; k <= bins; k++) {
    weighted += k * sum[k];
    total += sum[k];
  }
  if (total === 0) return { centroid: 0, flatness: 0 };
  return { centroid: ((weighted / total) * SAMPLE_RATE) / FRAME, flatness: flatWeighted / powerTotal };
}

interface Crossings {
  /** Half the sign changes per second. */
  hz: number;
  /** Relative standard error of hz: 0 for a steady tone, large for noise. */
  error: number;
}

/**
 * Zero crossings in [from, to): the rate measured between the first and the
 * last sign change (samples within deadBand of 0 keep the previous sign), and
 * how far that rate can be trusted: the spread of the whole-period intervals
 * (change j to j + 2) over the root of their count. A tone's periods are
 * alike; noise crosses at random. With fewer than three changes the pitch is
 * too low to measure, and the rate is the highest it can be there: one half
 * period over the span.
 */
function crossings(samples: Int16Array, from: number, to: number, deadBand: number): Crossings {
  const at: number[] = [];
  let sign = 0;
  for (let i = from; i < to; i++) {
    const s = samples[i];
    if (Math.abs(s) <= deadBand) continue;
    const next = s > 0 ? 1 : -1;
    if (next === sign) continue;
    if (sign !== 0) at.push(i);
    sign = next;
  }
  const n = at.length;
  if (n < 3) return { hz: SAMPLE_RATE / (2 * (to - from)), error: 0 };
  const hz = ((n - 1) / 2) * (SAMPLE_RATE / (at[n - 1] - at[0]));
  let sum = 0;
  let squares = 0;
  for (let j = 2; j < n; j++) {
    const d = at[j] - at[j - 2];
    sum += d;
    squares += d * d;
  }
  const mean = sum / (n - 2);
  const spread = Math.sqrt(Math.max(0, squares / (n - 2) - mean * mean)) / mean;
  return { hz, error: spread / Math.sqrt(n - 2) };
}

/** Start and end pitch: zero crossings in the first and last thirds of the
 * audible part (from the first to the last sample above 1 % of the peak).
 * The move counts when it passes STEADY_OCTAVES and three standard errors of
 * the two rates (which noise needs, and a tone does not). */
function pitchMove(
  samples: Int16Array,
  peak: number,
): Pick<Features, 'startHz' | 'endHz' | 'pitchOctaves' | 'movement'> {
  const gate = peak / 100;
  let a = 0;
  let b = samples.length;
  while (a < b && Math.abs(samples[a]) <= gate) a++;
  while (b > a && Math.abs(samples[b - 1]) <= gate) b--;
  const third = Math.floor((b - a) / 3);
  if (peak === 0 || third < 64) return { startHz: 0, endHz: 0, pitchOctaves: 0, movement: 'steady' };
  const deadBand = Math.min(2, peak / 200);
  const start = crossings(samples, a, a + third, deadBand);
  const end = crossings(samples, b - third, b, deadBand);
  const octaves = Math.log2(end.hz / start.hz);
  const margin = Math.max(STEADY_OCTAVES, Math.log2(1 + 3 * Math.hypot(start.error, end.error)));
  const movement: Movement = octaves > margin ? 'rising' : octaves < -margin ? 'falling' : 'steady';
  return { startHz: start.hz, endHz: end.hz, pitchOctaves: octaves, movement };
}

export function describe(samples: Int16Array): Features {
  let squares = 0;
  let peak = 0;
  for (let i = 0; i < samples.length; i++) {
    const s = samples[i];
    squares += s * s;
    if (Math.abs(s) > peak) peak = Math.abs(s);
  }
  const rms = samples.length ? Math.sqrt(squares / samples.length) / 32768 : 0;
  const loudnessDb = rms > 0 ? Math.max(SILENCE_DB, 20 * Math.log10(rms)) : SILENCE_DB;
  const { centroid, flatness } = spectralShape(samples);
  return {
    seconds: samples.length / SAMPLE_RATE,
    rms,
    loudnessDb,
    brightnessHz: centroid,
    ...pitchMove(samples, peak),
    noisiness: flatness,
  };
}

/** The waveform in columns: for each, the lowest and the highest sample
 * scaled to -127..127, as [min0, max0, min1, max1, ...]. Empty columns are 0. */
export function waveSummary(samples: Int16Array, columns: number): Int8Array {
  const out = new Int8Array(2 * columns);
  if (samples.length === 0) return out;
  for (let c = 0; c < columns; c++) {
    const from = Math.floor((c * samples.length) / columns);
    const range = columnRange(samples, from, Math.floor(((c + 1) * samples.length) / columns));
    if (!range) continue;
    const [lo, hi] = range;
    out[2 * c] = Math.round((lo * 127) / 32768);
    out[2 * c + 1] = Math.round((hi * 127) / 32768);
  }
  return out;
}
