// The page's model of a sound design, free of the DOM: the current block, the
// random state the next operation and the render draw from, the buffer
// length, the sound's name, and the game actions that reproduce them (the
// routes to the game are derived from it in routes.ts).

import { appendAction, GameAction } from './actions';
import { Block, DesignOp, Engine } from './engine';
import { DEFAULT_NAME, safeName } from './names';
import { BUFFER_DEFAULT, BUFFER_MAX } from './params';

export interface Design {
  block: Block;
  /** Random state the next preset/randomize/mutate and the render draw from. */
  rand: number;
  /** The seed field: the last "Set random seed to %0" value. */
  seed: number;
  /** The object's "Buffer length" property, 0 to 10. */
  buffer: number;
  /** The sound's name in the game's sound bank and in exported files' names. */
  name: string;
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
    name: DEFAULT_NAME,
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

/** A block from an edit or an import: the random state stays, so an edit
 * changes only what was edited (noise included); "Set random seed to %0"
 * with the state itself gives it in the game (0 would take the clock). */
export function applyBlock(d: Design, block: Block): Design {
  const actions: GameAction[] = d.rand === 0 ? [] : [{ kind: 'seed', seed: d.rand }];
  return { ...d, block, actions, blockExact: false };
}

export function applyName(d: Design, name: string): Design {
  return { ...d, name: safeName(name) };
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
