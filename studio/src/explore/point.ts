// One point of the Explore map, as a worker makes it: the recipe run on the
// base sound, the render, and the features of the samples.

import { Block, Engine } from '../engine';
import { samplesOf } from '../wave';
import { describe, Features, waveSummary } from './features';
import { applyRecipe, Recipe } from './recipe';

export interface PointJob {
  /** The current sound's block (26 words), which a mutate recipe changes. */
  base: Block;
  recipe: Recipe;
  /** The object's "Buffer length", 0 to 10. */
  buffer: number;
  /** Columns of the waveform summary (0: none). */
  columns: number;
  /** Also return the samples, to play the point. */
  keepSamples: boolean;
}

export interface PointResult {
  /** The point's block and the random state its render drew from. */
  block: Block;
  rand: number;
  features: Features;
  /** waveSummary() of the samples. */
  summary: Int8Array;
  /** The samples when asked for, else null. */
  samples: Int16Array | null;
  /** Milliseconds of the render alone. */
  renderMs: number;
}

export function makePoint(engine: Engine, job: PointJob): PointResult {
  const { block, rand } = applyRecipe(engine, job.base, job.recipe);
  const start = performance.now();
  const wav = engine.render(block, rand, job.buffer);
  const renderMs = performance.now() - start;
  const samples = samplesOf(wav);
  return {
    block,
    rand,
    features: describe(samples),
    summary: waveSummary(samples, job.columns),
    samples: job.keepSamples ? samples : null,
    renderMs,
  };
}

/** The buffers a result can move instead of copy. */
export function pointTransfer(r: PointResult): Transferable[] {
  const out: Transferable[] = [r.block.buffer as ArrayBuffer, r.summary.buffer as ArrayBuffer];
  if (r.samples) out.push(r.samples.buffer as ArrayBuffer);
  return out;
}
