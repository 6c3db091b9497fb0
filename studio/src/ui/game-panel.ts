// "In your game": the actions that give the very sound, the CSV text action
// (exact or not, with a button to snap to it), the .sfs file action and a note
// on noise.

import { actionLabel } from '../actions';
import { WAVE_TYPE } from '../params';
import { actionText } from '../registry';
import { el, findElements } from './dom';
import { SFS_FILE } from './io-panel';
import type { Page, Panel, View } from './page';

const NOISE = 3;

export class GamePanel implements Panel {
  private ui = findElements({
    recipe: HTMLOListElement,
    recipeNone: HTMLElement,
    csvAction: HTMLElement,
    csvStatus: HTMLElement,
    snap: HTMLButtonElement,
    sfsAction: HTMLElement,
    noiseNote: HTMLElement,
  });

  constructor(page: Page) {
    this.ui.snap.onclick = () => page.dispatch({ kind: 'snap' });
    this.ui.sfsAction.textContent = actionText('LoadSfxFile', `"${SFS_FILE}"`);
  }

  show({ design, texts }: View): void {
    const { recipe, csv, csvExact } = texts;
    this.ui.recipe.replaceChildren(...(recipe ?? []).map((a) => el('li', {}, actionLabel(a))));
    this.ui.recipeNone.hidden = recipe !== null;
    this.ui.recipe.hidden = recipe === null;
    this.ui.csvAction.textContent = actionText('LoadVariablesFromCsv', `"${csv}"`);
    this.ui.csvStatus.textContent = csvExact
      ? 'exact: the CSV text gives this very sound'
      : 'not exact: the CSV text rounds to four decimals';
    this.ui.csvStatus.className = csvExact ? 'exact' : 'inexact';
    this.ui.snap.hidden = csvExact;
    const note = this.ui.noiseNote;
    note.hidden = (design.block[WAVE_TYPE] | 0) !== NOISE;
    note.textContent = recipe
      ? 'Noise: the game draws the noise from its random source, so use the actions above for the very same noise.'
      : `Noise: the game draws the noise from its random source; run "${actionText('SetSeed', design.seed)}" ` +
        `before "${actionText('Generate')}" for the very same noise.`;
  }
}
