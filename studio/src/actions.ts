// The game actions that reproduce a design, kept as operations (kind and
// argument) and turned into display text only when shown.

import type { DesignOp } from './engine';
import { actionText, PRESET_ACTIONS } from './registry';

export type GameAction =
  | DesignOp
  | { kind: 'seed'; seed: number }
  /** "Load variables from CSV string %0" with this text. */
  | { kind: 'csv'; text: string }
  /** "Load SFX sample file %0" with this file in the application's "sounds" folder. */
  | { kind: 'sfs'; file: string }
  | { kind: 'generate' }
  /** "Add generated sound as %0". */
  | { kind: 'add'; name: string }
  /** "Play sound %0 on channel %1, %2 times". */
  | { kind: 'play'; name: string; channel: number; times: number };

/** The action's text as the event editor shows it, e.g. "Set random seed to 5". */
export function actionLabel(a: GameAction): string {
  switch (a.kind) {
    case 'seed':
      return actionText('SetSeed', a.seed);
    case 'preset':
      return PRESET_ACTIONS[a.index];
    case 'randomize':
      return actionText('Randomize');
    case 'mutate':
      return actionText('Mutate');
    case 'reset':
      return actionText('Reset');
    case 'csv':
      return actionText('LoadVariablesFromCsv', `"${a.text}"`);
    case 'sfs':
      return actionText('LoadSfxFile', `Apppath$ + "sounds\\${a.file}"`);
    case 'generate':
      return actionText('Generate');
    case 'add':
      return actionText('AddGenerated', `"${a.name}"`);
    case 'play':
      return actionText('PlayRepeat', `"${a.name}"`, a.channel, a.times);
  }
}

/** Actions that draw from the random source. */
export const draws = (a: GameAction): boolean => a.kind === 'preset' || a.kind === 'randomize' || a.kind === 'mutate';

/** Appends an action, dropping the earlier ones it makes pointless: a seed
 * after which nothing drew before the next seed, and a reset that a preset or
 * randomize (which reset themselves) follows without a draw between. */
export function appendAction(actions: readonly GameAction[], next: GameAction): GameAction[] {
  const out = actions.slice();
  const seeds = next.kind === 'seed';
  const resets = next.kind === 'randomize' || next.kind === 'preset';
  for (let i = out.length - 1; (seeds || resets) && i >= 0 && !draws(out[i]); i--) {
    if ((seeds && out[i].kind === 'seed') || (resets && out[i].kind === 'reset')) out.splice(i, 1);
  }
  out.push(next);
  return out;
}
