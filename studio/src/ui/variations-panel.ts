// Variations: eight mutations of the current sound, each drawn as a small
// waveform, to play or pick.

import { Design, variations } from '../design';
import { drawWave, samplesOf } from '../wave';
import { el, findElements } from './dom';
import type { Page } from './page';

export class VariationsPanel {
  private ui = findElements({ newVariations: HTMLButtonElement, strip: HTMLOListElement });
  private strip: Design[] = [];
  private canvases: HTMLCanvasElement[] = [];

  constructor(private page: Page) {
    for (let k = 0; k < 8; k++) {
      const play = el('button', { type: 'button', 'aria-label': `Play variation ${k + 1}` }, `▶ ${k + 1}`);
      const pick = el('button', { type: 'button', 'aria-label': `Pick variation ${k + 1}` }, 'Pick');
      const canvas = el('canvas', { width: '120', height: '36', 'aria-hidden': 'true' });
      play.onclick = () => void page.play(this.strip[k]);
      pick.onclick = () => this.strip[k] && page.change(this.strip[k]);
      const item = el('li');
      item.append(canvas, play, pick);
      this.ui.strip.append(item);
      this.canvases.push(canvas);
    }
    this.ui.newVariations.onclick = () => void this.make();
  }

  private async make(): Promise<void> {
    this.strip = variations(this.page.engine, this.page.view.design, this.canvases.length);
    await Promise.all(
      this.strip.map(async (v, k) => {
        const r = await this.page.renderer.render(v.block, v.rand, v.buffer);
        drawWave(this.canvases[k], samplesOf(r.wav));
      }),
    );
  }
}
