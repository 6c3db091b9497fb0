// The names and texts the page shows, as the registry holds them: the
// generated module carries every action's display text and parameter titles
// and the preset table, straight from zu-guide-export, and each variable's
// meaning and useful range from the guide's synthesizer page.

import { ACTIONS, PARAMETERS, PRESETS } from 'zu-registry';

/** Each variable's useful range and one-line meaning, as the guide gives them, by index. */
export const GUIDE_PARAMETERS = PARAMETERS;

/** An action's code name, e.g. "SetAttackTime". */
export type ActionName = keyof typeof ACTIONS;

/** An action's display text, e.g. "Set random seed to %0". */
export function actionDisplay(name: ActionName): string {
  const action = ACTIONS[name] as { text: string } | undefined;
  if (!action) throw new Error(`Studio: the registry has no action ${name}`);
  return action.text;
}

/** An action's display text with %0, %1, ... filled in from values. */
export function actionText(name: ActionName, ...values: (string | number)[]): string {
  return values.reduce<string>((text, v, i) => text.replace(`%${i}`, () => String(v)), actionDisplay(name));
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

/** The presets' short names, e.g. "coin", by preset index (zider-sfx --preset takes them too). */
export const PRESET_NAMES: readonly string[] = PRESETS.map((p) => p.name);
