// The routes from the page's sound into a game: the actions a rule needs to
// make it (a seed and presets/randomize/mutate, the CSV text, or the .sfs
// file), each run through the engine as the game runs it, so that a route is
// called exact only when it gives the very sound the page plays.

import { actionLabel, draws, GameAction } from './actions';
import type { Design } from './design';
import { Block, BLOCK_WORDS, Engine } from './engine';
import { fileName } from './names';
import { FULL_SCALE } from './wave';

export type RouteKind = 'actions' | 'csv' | 'sfs';

export interface Route {
  kind: RouteKind;
  /** The actions that make the sound, ending with "Generate sound". */
  make: GameAction[];
  /** What they leave the object at "Generate sound": its block and random
   * state (null: a state the clock gave, not known beforehand). */
  block: Block;
  rand: number | null;
}

/** How a route's inputs differ from the page's sound. */
export interface Difference {
  /** Variables (0 to 23) the route gives other bits; 24 and 25 stand for
   * vibDelay and the filter flag, which no CSV text carries. */
  variables: number[];
  /** The random state at "Generate sound" differs or is the clock's. */
  noise: boolean;
}

export interface GameTexts {
  /** The design's CSV text, as CSV$( gives it. */
  csv: string;
  /** The routes the page offers, the actions first when they make the sound. */
  routes: Route[];
  /** The first field of the CSV text the game's reader does not take as the
   * value it shows (an infinity or a NaN), or -1; the CSV route is then not offered. */
  csvUnreadable: number;
}

/** Channel 0 takes the lowest free channel. */
const PLAY: Omit<Extract<GameAction, { kind: 'play' }>, 'name'> = { kind: 'play', channel: 0, times: 1 };

/** The routes to d's sound, each with the block and random state it gives. */
export function gameTexts(engine: Engine, d: Design): GameTexts {
  const csv = engine.csv(d.block);
  const csvUnreadable = engine.checkCsv(csv);
  const sfsBytes = engine.sfs(d.block);
  const file = fileName(d.name, 'sfs');
  const seed: GameAction[] = d.rand === 0 ? [] : [{ kind: 'seed', seed: d.rand }];
  const made: [RouteKind, GameAction[]][] = [];
  if (d.blockExact) made.push(['actions', d.actions]);
  if (csvUnreadable < 0) made.push(['csv', [{ kind: 'csv', text: csv }, ...seed]]);
  made.push(['sfs', [{ kind: 'sfs', file }, ...seed]]);
  const routes = made.map(([kind, actions]) => {
    const make: GameAction[] = [...actions, { kind: 'generate' }];
    return { kind, make, ...runActions(engine, make, sfsBytes) };
  });
  return { csv, routes, csvUnreadable };
}

/** Runs actions as a rule does on an object with the reset block whose random
 * source the clock seeded; "Load SFX sample file %0" reads sfsBytes. */
export function runActions(
  engine: Engine,
  actions: readonly GameAction[],
  sfsBytes: Uint8Array,
): { block: Block; rand: number | null } {
  let block = engine.resetBlock();
  let rand: number | null = null;
  for (const a of actions) {
    if (a.kind === 'seed') rand = a.seed === 0 ? null : engine.seedState(a.seed);
    else if (a.kind === 'csv') block = engine.loadCsv(block, a.text);
    else if (a.kind === 'sfs') block = engine.loadSfs(block, sfsBytes) ?? block;
    else if (a.kind === 'generate') break;
    else if (a.kind === 'preset' || a.kind === 'randomize' || a.kind === 'mutate' || a.kind === 'reset') {
      // What a draw from the clock's state gives is not known beforehand.
      if (rand === null && draws(a)) return { block, rand };
      const drawn = engine.design(block, rand ?? 0, a);
      block = drawn.block;
      if (rand !== null) rand = drawn.rand;
    }
  }
  return { block, rand };
}

export function difference(d: Design, route: Route): Difference {
  const variables: number[] = [];
  for (let i = 0; i < BLOCK_WORDS; i++) if (route.block[i] !== d.block[i]) variables.push(i);
  return { variables, noise: route.rand !== d.rand };
}

/** How two RIFF/WAVE images differ: the samples that do (a length
 * difference counting as that many) and the largest difference, 0 to 1 of
 * full scale; both 0 when the bytes are the same. */
export function samplesDiffering(a: Uint8Array, b: Uint8Array): { count: number; largest: number } {
  const va = new DataView(a.buffer, a.byteOffset, a.byteLength);
  const vb = new DataView(b.buffer, b.byteOffset, b.byteLength);
  const sample = (v: DataView, i: number) => (i + 1 < v.byteLength ? v.getInt16(i, true) : 0);
  let count = 0;
  let largest = 0;
  for (let i = 44; i < Math.max(a.length, b.length); i += 2) {
    const d = Math.abs(sample(va, i) - sample(vb, i));
    if (d !== 0 || i + 1 < a.length !== i + 1 < b.length) count++;
    largest = Math.max(largest, d);
  }
  return { count, largest: largest / FULL_SCALE };
}

/** The whole rule for a route: the actions that make the sound and add it
 * to the bank under d's name, then the one that plays it. */
export function ruleLines(route: Route, name: string): { once: string[]; play: string } {
  const once = [...route.make, { kind: 'add', name } as const].map(actionLabel);
  return { once, play: actionLabel({ ...PLAY, name }) };
}
