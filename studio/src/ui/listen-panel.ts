// Listen: the render of the current sound, its waveform and facts, play and
// stop, and playing on each change.

import type { Design } from '../design';
import type { Rendered } from '../renderer';
import { drawWave, samplesOf, waveFacts } from '../wave';
import { SoundPlayer } from './sound-player';
import { findElements } from './dom';
import type { Page, Panel, View } from './page';

/** The note on a waveform the buffer cut (whole: see Rendered.whole). */
export function cutNote(whole: number | null | undefined): string {
  if (whole === undefined) return '';
  return whole === null
    ? 'Cut: the sound is longer than even the largest "Buffer length" (10) holds.'
    : `Cut: the buffer ends before the sound; "Buffer length" ${whole} plays it whole.`;
}

export class ListenPanel implements Panel {
  private ui = findElements({
    status: HTMLElement,
    play: HTMLButtonElement,
    stop: HTMLButtonElement,
    playOnChange: HTMLInputElement,
    wave: HTMLCanvasElement,
    length: HTMLElement,
    peak: HTMLElement,
    clip: HTMLElement,
    cut: HTMLElement,
  });
  private player = new SoundPlayer();
  /** The last render of the page's sound, played again without a new render. */
  private rendered: { design: Design; result: Rendered } | null = null;

  constructor(private page: Page) {
    this.ui.play.onclick = () => void this.playDesign(page.view.design);
    this.ui.stop.onclick = () => this.player.stop();
    page.renderer.onError = (message) => {
      this.ui.status.textContent = message;
      page.error(message);
    };
  }

  show(view: View): void {
    void this.render(view.design);
  }

  /** Plays d's sound, rendering it unless it is the one shown. */
  async playDesign(d: Design | undefined): Promise<void> {
    if (!d) return;
    const r =
      this.rendered && this.rendered.design === d
        ? this.rendered.result
        : await this.page.renderer.render(d.block, d.rand, d.buffer);
    this.play(samplesOf(r.wav));
  }

  private async render(design: Design): Promise<void> {
    this.ui.status.textContent = 'Rendering…';
    const result = await this.page.renderer.renderLatest(design.block, design.rand, design.buffer);
    if (!result) return;
    this.rendered = { design, result };
    const samples = samplesOf(result.wav);
    const facts = waveFacts(samples);
    drawWave(this.ui.wave, samples);
    this.ui.length.textContent = `${facts.samples} samples, ${facts.ms.toFixed(1)} ms`;
    this.ui.peak.textContent = `peak ${(facts.peak * 100).toFixed(1)} %`;
    this.ui.clip.hidden = facts.clipped === 0;
    this.ui.clip.textContent = `clipping: ${facts.clipped} samples at full scale`;
    this.ui.cut.hidden = result.whole === undefined;
    this.ui.cut.textContent = cutNote(result.whole);
    this.ui.status.textContent = `Rendered in ${result.ms.toFixed(1)} ms`;
    this.page.heard(design, result);
    if (this.ui.playOnChange.checked && design === this.page.view.design) this.play(samples);
  }

  private play(samples: Int16Array): void {
    const ended = this.player.play(samples);
    this.ui.play.setAttribute('aria-pressed', 'true');
    void ended.then(() => {
      if (!this.player.busy) this.ui.play.setAttribute('aria-pressed', 'false');
    });
  }
}
