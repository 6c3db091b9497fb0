// The page's model of a sound design, free of the DOM: the current block, the
// random state the next operation draws from, the buffer length, and the
// game actions that reproduce them, with the "In your game" texts derived
// from them.

import { appendAction, GameAction } from './actions';
import { Block, DesignOp, Engine, sameBlock } from './engine';
import { BUFFER_DEFAULT, BUFFER_MAX } from './params';

export interface Design {
  block: Block;
  /** Random state the next preset/randomize/mutate and the render draw from. */
  rand: number;
  /** The seed field: the last "Set random seed to %0" value. */
  seed: number;
  /** The object's "Buffer length" property, 0 to 10. */
  buffer: number;
  /** Game actions that lead to rand (and to block when blockExact). */
  actions: GameAction[];
  /** True when actions also reproduce the block (no manual edit since a preset,
   * randomize or reset). */
  blockExact: boolean;
}

export const DEFAULT_SEED = 1;

export function initialDesign(engine: Engine): Design {
  return {
    block: engine.resetBlock(),
    rand: engine.seedState(DEFAULT_SEED),
    seed: DEFAULT_SEED,
    buffer: BUFFER_DEFAULT,
    actions: [{ kind: 'seed', seed: DEFAULT_SEED }, { kind: 'reset' }],
    blockExact: true,
  };
}

/** A preset, randomize, mutate or reset, as the game runs it. */
export function applyOp(engine: Engine, d: Design, op: DesignOp): Design {
  const drawn = engine.design(d.block, d.rand, op);
  return {
    ...d,
    block: drawn.block,
    rand: drawn.rand,
    actions: appendAction(d.actions, op),
    blockExact: d.blockExact || op.kind !== 'mutate',
  };
}

/** "Set random seed to %0": 0 takes the current time, which the actions record
 * as the seed it gave so they stay reproducible. */
export function applySeed(engine: Engine, d: Design, seed: number): Design {
  const rand = engine.seedState(seed);
  const used = seed >>> 0 === 0 ? rand : seed >>> 0;
  const action: GameAction = { kind: 'seed', seed: used };
  return { ...d, rand, seed: used, actions: d.blockExact ? appendAction(d.actions, action) : [action] };
}

/** A block from an edit or an import: the random source restarts from the
 * seed, as "Set random seed to %0" before the load would do in the game. */
export function applyBlock(engine: Engine, d: Design, block: Block): Design {
  const rand = engine.seedState(d.seed);
  return { ...d, block, rand, actions: [{ kind: 'seed', seed: d.seed }], blockExact: false };
}

export function applyBuffer(d: Design, buffer: number): Design {
  return { ...d, buffer: Math.max(0, Math.min(BUFFER_MAX, Math.trunc(buffer) || 0)) };
}

/** Eight mutations of the current sound, each from its own seed, so each is
 * reproducible as "Set random seed to S" then "Mutate sound". */
export function variations(engine: Engine, d: Design, count = 8): Design[] {
  const out: Design[] = [];
  for (let k = 1; k <= count; k++) {
    let seed = (d.seed + k) >>> 0;
    if (seed === 0) seed = 1;
    out.push(applyOp(engine, applySeed(engine, d, seed), { kind: 'mutate' }));
  }
  return out;
}

// --- "In your game" ----------------------------------------------------------

export interface GameTexts {
  /** Actions from a seed and presets/randomize/mutate, or null after a manual edit. */
  recipe: GameAction[] | null;
  csv: string;
  /** The CSV text gives this very block back. */
  csvExact: boolean;
}

export function gameTexts(engine: Engine, d: Design): GameTexts {
  const csv = engine.csv(d.block);
  return {
    recipe: d.blockExact ? [...d.actions, { kind: 'generate' }] : null,
    csv,
    csvExact: sameBlock(engine.loadCsv(d.block, csv), d.block, 24),
  };
}
