// The recipes of an Explore map: each point is a short list of game actions
// that starts with "Set random seed to S", so the game reproduces the point
// exactly. The seeds come from the page's seed field, so the same seed gives
// the same map.

import { Block, DesignOp, Drawn, Engine } from '../engine';

/** How the points of a map are made from the current sound. */
export type ExploreSource =
  /** "Set random seed to S", "Mutate sound": nudges of the current sound. */
  | { mode: 'mutate' }
  /** "Set random seed to S", then the preset the current sound came from. */
  | { mode: 'preset'; preset: number }
  /** "Set random seed to S", "Randomize sound": anything at all. */
  | { mode: 'randomize' };

export type ExploreMode = ExploreSource['mode'];

/** One game action of a recipe. */
export type RecipeStep = { kind: 'seed'; seed: number } | Exclude<DesignOp, { kind: 'reset' }>;

export interface Recipe {
  /** S of "Set random seed to S": 1 to SEED_MAX. */
  seed: number;
  /** The actions in the order the game runs them, the seed first; "Generate
   * sound" follows them. */
  steps: RecipeStep[];
  /** True when the steps change the current sound (mutate), so the game must
   * have that sound's block loaded before them; false when they make the
   * sound from nothing (a preset or randomize resets the block first). */
  needsBase: boolean;
}

export const EXPLORE_DEFAULT_POINTS = 256;
export const EXPLORE_MAX_POINTS = 1024;
/** Seeds stay positive signed 32-bit integers, which the event editor's
 * integer field takes as typed. */
export const SEED_MAX = 0x7fffffff;
const PRESET_COUNT = 7;

/** A 32-bit integer hash (xorshift-multiply), a bijection of 0..2^32-1. */
function mix32(x: number): number {
  x ^= x >>> 16;
  x = Math.imul(x, 0x7feb352d);
  x ^= x >>> 15;
  x = Math.imul(x, 0x846ca68b);
  x ^= x >>> 16;
  return x >>> 0;
}

/**
 * The seeds of a map's points from the page's seed (taken as a 32-bit
 * unsigned value, as "Set random seed to %0" takes a negative one). Candidate
 * k is mix32(mix32(pageSeed) + (k + 1) * 0x9e3779b9) with its top bit cleared;
 * a candidate that is 0 or repeats an earlier seed is skipped. So the seeds are
 * distinct, 1 to SEED_MAX, and the first n are the same for any longer map.
 */
export function exploreSeeds(pageSeed: number, count: number): number[] {
  const start = mix32(pageSeed >>> 0);
  const n = pointCount(count);
  const out: number[] = [];
  const seen = new Set<number>();
  for (let k = 0; out.length < n; k++) {
    const s = mix32((start + Math.imul(k + 1, 0x9e3779b9)) >>> 0) & SEED_MAX;
    if (s === 0 || seen.has(s)) continue;
    seen.add(s);
    out.push(s);
  }
  return out;
}

/** A map's number of points: a whole number from 1 to EXPLORE_MAX_POINTS. */
export function pointCount(count: number): number {
  const n = Math.trunc(count);
  return Number.isFinite(n) ? Math.max(1, Math.min(EXPLORE_MAX_POINTS, n)) : EXPLORE_DEFAULT_POINTS;
}

/** The recipe of the point with seed S. */
export function recipeFor(source: ExploreSource, seed: number): Recipe {
  if (!Number.isInteger(seed) || seed < 1 || seed > SEED_MAX)
    throw new RangeError(`seed ${seed} is not 1 to ${SEED_MAX}`);
  const first: RecipeStep = { kind: 'seed', seed };
  if (source.mode === 'mutate') return { seed, steps: [first, { kind: 'mutate' }], needsBase: true };
  if (source.mode === 'randomize') return { seed, steps: [first, { kind: 'randomize' }], needsBase: false };
  if (!Number.isInteger(source.preset) || source.preset < 0 || source.preset >= PRESET_COUNT) {
    throw new RangeError(`preset ${source.preset} is not 0 to ${PRESET_COUNT - 1}`);
  }
  return { seed, steps: [first, { kind: 'preset', index: source.preset }], needsBase: false };
}

/** The recipes of a map's points, point i from the i-th seed. */
export function exploreRecipes(source: ExploreSource, pageSeed: number, count: number): Recipe[] {
  return exploreSeeds(pageSeed, count).map((s) => recipeFor(source, s));
}

/** The point's block and the random state its render draws from: the steps
 * run on base as the game runs them on its current block. */
export function applyRecipe(engine: Engine, base: Block, recipe: Recipe): Drawn {
  let drawn: Drawn = { block: base.slice(), rand: 0 };
  for (const step of recipe.steps) {
    if (step.kind === 'seed') drawn = { block: drawn.block, rand: engine.seedState(step.seed) };
    else drawn = engine.design(drawn.block, drawn.rand, step);
  }
  return drawn;
}

/** The steps as zider-sfx arguments, to follow whatever loads the base sound
 * (needed only when recipe.needsBase); then --render FILE. */
export function recipeArgs(recipe: Recipe): string[] {
  return recipe.steps.flatMap((step): string[] => {
    if (step.kind === 'seed') return ['--seed', String(step.seed)];
    if (step.kind === 'preset') return ['--preset', String(step.index)];
    return [`--${step.kind}`];
  });
}
