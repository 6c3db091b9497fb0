// Facts about a rendered RIFF/WAVE image and its picture: length, peak,
// clipping, and the waveform drawn from the samples themselves.

/** The generator's full scale: samples lie from -32000 to 32000. */
export const FULL_SCALE = 32000;
export const SAMPLE_RATE = 44100;

export interface WaveFacts {
  samples: number;
  ms: number;
  /** Largest magnitude, 0 to 1 of full scale. */
  peak: number;
  /** Samples at full scale: the output was clamped there. */
  clipped: number;
}

/** The samples of an image (after its 44-byte header). */
export function samplesOf(wav: Uint8Array): Int16Array {
  const count = Math.max(0, (wav.length - 44) >> 1);
  const out = new Int16Array(count);
  const view = new DataView(wav.buffer, wav.byteOffset, wav.byteLength);
  for (let i = 0; i < count; i++) out[i] = view.getInt16(44 + 2 * i, true);
  return out;
}

export function waveFacts(samples: Int16Array): WaveFacts {
  let peak = 0;
  let clipped = 0;
  for (const s of samples) {
    const a = Math.abs(s);
    if (a > peak) peak = a;
    if (a >= FULL_SCALE) clipped++;
  }
  return { samples: samples.length, ms: (samples.length * 1000) / SAMPLE_RATE, peak: peak / FULL_SCALE, clipped };
}

/** The lowest and highest sample of samples[from, to) (at least one sample
 * from `from`), or null when none lies there. */
export function columnRange(samples: Int16Array, from: number, to: number): [number, number] | null {
  let lo = 32767;
  let hi = -32768;
  for (let i = from; i < Math.max(from + 1, to) && i < samples.length; i++) {
    if (samples[i] < lo) lo = samples[i];
    if (samples[i] > hi) hi = samples[i];
  }
  return lo > hi ? null : [lo, hi];
}

/** Draws the samples' min/max per pixel column. */
export function drawWave(canvas: HTMLCanvasElement, samples: Int16Array): void {
  const ctx = canvas.getContext('2d');
  if (!ctx) return;
  const w = canvas.width;
  const h = canvas.height;
  ctx.fillStyle = '#10161f';
  ctx.fillRect(0, 0, w, h);
  ctx.strokeStyle = '#2c3a4d';
  ctx.beginPath();
  ctx.moveTo(0, h / 2);
  ctx.lineTo(w, h / 2);
  ctx.stroke();
  if (samples.length === 0) return;
  ctx.fillStyle = '#5ad1a4';
  const per = samples.length / w;
  for (let x = 0; x < w; x++) {
    const range = columnRange(samples, Math.floor(x * per), Math.floor((x + 1) * per));
    if (!range) continue;
    const [lo, hi] = range;
    const y1 = h / 2 - (hi / FULL_SCALE) * (h / 2);
    const y2 = h / 2 - (lo / FULL_SCALE) * (h / 2);
    ctx.fillRect(x, y1, 1, Math.max(1, y2 - y1));
  }
}

/** Plays the samples at 44100 Hz; returns a stop function. */
export function playSamples(audio: AudioContext, samples: Int16Array, onEnd: () => void): () => void {
  if (samples.length === 0) {
    onEnd();
    return () => {};
  }
  const buffer = audio.createBuffer(1, samples.length, SAMPLE_RATE);
  const data = buffer.getChannelData(0);
  for (let i = 0; i < samples.length; i++) data[i] = samples[i] / 32768;
  const source = audio.createBufferSource();
  source.buffer = buffer;
  source.connect(audio.destination);
  source.onended = onEnd;
  source.start();
  return () => {
    source.onended = null;
    try {
      source.stop();
    } catch {
      /* already stopped */
    }
    onEnd();
  };
}
