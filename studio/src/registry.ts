// The names and texts the page shows, as the registry holds them: the
// generated module carries every action's display text and parameter titles
// and the preset table, straight from zu-guide-export.

import { ACTIONS, PRESETS } from 'zu-registry';

/** An action's code name, e.g. "SetAttackTime". */
export type ActionName = keyof typeof ACTIONS;

/** An action's display text, e.g. "Set random seed to %0". */
export function actionDisplay(name: ActionName): string {
  const action = ACTIONS[name] as { text: string } | undefined;
  if (!action) throw new Error(`Studio: the registry has no action ${name}`);
  return action.text;
}

/** An action's display text with %0 filled in. */
export function actionText(name: ActionName, value?: string | number): string {
  const text = actionDisplay(name);
  return value === undefined ? text : text.replace('%0', String(value));
}

/** A setter's parameter title without its hint, e.g. "Attack time". */
export function paramTitle(name: ActionName): string {
  return firstTitle(name).split(' (')[0];
}

function firstTitle(name: ActionName): string {
  const titles: readonly string[] = ACTIONS[name].titles;
  if (titles.length === 0) throw new Error(`Studio: the registry's ${name} takes no parameter`);
  return titles[0];
}

/** The values a parameter's hint lists, e.g. "Wave type (0: Square wave, 1: Sawtooth)"
 * gives ["Square wave", "Sawtooth"]. */
export function paramChoices(name: ActionName): string[] {
  return Array.from(firstTitle(name).matchAll(/(\d+): ([^,)]+)/g), (m) => m[2].trim());
}

/** The presets' action texts, e.g. "Create pickup/coin", by preset index. */
export const PRESET_ACTIONS: readonly string[] = PRESETS.map((p) => p.action);
