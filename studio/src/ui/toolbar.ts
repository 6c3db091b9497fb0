// The design toolbar: presets, randomize, mutate, reset, the seed and buffer
// length fields, undo and redo (also Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y), and P,
// which plays or stops the sound wherever the focus is not in a text field.

import type { Design } from '../design';
import { BUFFER_MAX } from '../params';
import { PRESET_ACTIONS } from '../registry';
import type { Step } from '../replay';
import { el, findElements } from './dom';
import type { Page, Panel, View } from './page';

export class Toolbar implements Panel {
  private ui = findElements({
    presets: HTMLElement,
    randomize: HTMLButtonElement,
    mutate: HTMLButtonElement,
    reset: HTMLButtonElement,
    seed: HTMLInputElement,
    buffer: HTMLInputElement,
    undo: HTMLButtonElement,
    redo: HTMLButtonElement,
    designError: HTMLElement,
    play: HTMLButtonElement,
    stop: HTMLButtonElement,
  });

  constructor(private page: Page) {
    PRESET_ACTIONS.forEach((text, index) => {
      const b = el('button', { type: 'button', 'data-preset': String(index) }, text.replace('Create ', ''));
      b.title = text;
      b.setAttribute('aria-label', text);
      b.onclick = () => page.dispatch({ kind: 'preset', index });
      this.ui.presets.append(b);
    });
    this.ui.randomize.onclick = () => page.dispatch({ kind: 'randomize' });
    this.ui.mutate.onclick = () => page.dispatch({ kind: 'mutate' });
    this.ui.reset.onclick = () => page.dispatch({ kind: 'reset' });
    this.ui.undo.onclick = () => page.undo(false);
    this.ui.redo.onclick = () => page.undo(true);
    this.wholeField(
      this.ui.seed,
      'Seed',
      0xffffffff,
      (d) => d.seed,
      (seed) => ({ kind: 'seed', seed }),
    );
    this.wholeField(
      this.ui.buffer,
      'Buffer length',
      BUFFER_MAX,
      (d) => d.buffer,
      (buffer) => ({ kind: 'buffer', buffer }),
    );
    document.addEventListener('keydown', (e) => this.shortcut(e));
  }

  show(view: View): void {
    if (document.activeElement !== this.ui.seed) this.ui.seed.value = String(view.design.seed);
    this.ui.buffer.value = String(view.design.buffer);
    this.ui.undo.disabled = !view.canUndo;
    this.ui.redo.disabled = !view.canRedo;
  }

  /** A field that takes a whole number from 0 to max and dispatches the step it makes. */
  private wholeField(
    field: HTMLInputElement,
    name: string,
    max: number,
    current: (d: Design) => number,
    step: (n: number) => Step,
  ): void {
    field.onchange = () => {
      const t = field.value.trim();
      if (/^\d+$/.test(t) && Number(t) <= max) {
        this.page.dispatch(step(Number(t)));
      } else {
        this.page.error(`${name}: "${t}" is not a whole number from 0 to ${max}`, this.ui.designError);
        field.value = String(current(this.page.view.design));
      }
    };
  }

  private shortcut(e: KeyboardEvent): void {
    if (typing(e.target) || e.altKey) return;
    const key = e.key.toLowerCase();
    if (key === 'p' && !(e.ctrlKey || e.metaKey)) {
      e.preventDefault();
      if (e.repeat) return;
      const playing = this.ui.play.getAttribute('aria-pressed') === 'true';
      (playing ? this.ui.stop : this.ui.play).click();
      return;
    }
    if (!(e.ctrlKey || e.metaKey)) return;
    if (key !== 'z' && key !== 'y') return;
    e.preventDefault();
    this.page.undo(key === 'y' || e.shiftKey);
  }
}

/** Whether a key goes into text: a text field, a number field or a text area. */
function typing(target: EventTarget | null): boolean {
  if (target instanceof HTMLTextAreaElement) return true;
  if (target instanceof HTMLElement && target.isContentEditable) return true;
  const nonText = ['range', 'checkbox', 'radio', 'button', 'submit', 'reset', 'file', 'color'];
  return target instanceof HTMLInputElement && !nonText.includes(target.type);
}
