// Variations: eight mutations of the sound they were made from, each drawn as
// a small waveform with the actions that make it, to play or pick. Once the
// sound changes to anything but them or their source, they are marked as of
// an earlier sound and can no longer be picked.

import { actionLabel } from '../actions';
import { Design, variations } from '../design';
import { actionText } from '../registry';
import { drawWave, samplesOf } from '../wave';
import { el, findElements } from './dom';
import type { Page, Panel, View } from './page';

const COUNT = 8;
const RECIPE =
  `Each variation is "${actionText('SetSeed', 'S')}", then "${actionText('Mutate')}", ` +
  'on the sound it was made from, with its own seed S.';

export class VariationsPanel implements Panel {
  private ui = findElements({
    newVariations: HTMLButtonElement,
    variationsNote: HTMLElement,
    strip: HTMLOListElement,
  });
  /** The sound the strip was made from, and the strip. */
  private source: Design | null = null;
  private strip: Design[] = [];
  private picks: HTMLButtonElement[] = [];

  constructor(private page: Page) {
    this.ui.newVariations.onclick = () => void this.make();
    this.ui.variationsNote.textContent = RECIPE;
  }

  show({ design }: View): void {
    if (!this.source) return;
    const current = design === this.source || this.strip.includes(design);
    this.ui.strip.classList.toggle('stale', !current);
    for (const pick of this.picks) pick.disabled = !current;
    this.ui.variationsNote.textContent = current
      ? 'Picking one makes it the sound and sets the Seed field to the seed on its tile.'
      : 'These are variations of an earlier sound: make new ones to pick from.';
  }

  private async make(): Promise<void> {
    const source = this.page.view.design;
    const strip = variations(this.page.engine, source, COUNT);
    const canvases = strip.map((v, k) => this.tile(v, k));
    this.source = source;
    this.strip = strip;
    this.picks = Array.from(this.ui.strip.querySelectorAll('button.pick'));
    this.show(this.page.view);
    await Promise.all(
      strip.map(async (v, k) => {
        const r = await this.page.renderer.render(v.block, v.rand, v.buffer);
        drawWave(canvases[k], samplesOf(r.wav));
      }),
    );
  }

  /** Puts variation k's tile in place of the old one; returns its canvas. */
  private tile(v: Design, k: number): HTMLCanvasElement {
    const recipe = v.actions.slice(-2).map(actionLabel).join(', then ');
    const canvas = el('canvas', { width: '120', height: '36', 'aria-hidden': 'true' });
    const play = el('button', { type: 'button', 'aria-label': `Play variation ${k + 1}` }, `▶ ${k + 1}`);
    const pick = el('button', { type: 'button', class: 'pick', 'aria-label': `Pick variation ${k + 1}: ${recipe}` });
    pick.textContent = 'Pick';
    play.onclick = () => void this.page.play(v);
    pick.onclick = () => this.page.change(v);
    const item = el('li');
    item.append(canvas, el('span', { class: 'recipe' }, recipe), play, pick);
    if (k === 0) this.ui.strip.replaceChildren();
    this.ui.strip.append(item);
    return canvas;
  }
}
