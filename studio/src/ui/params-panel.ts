// The parameters: a slider (or, for the wave type, a list) and an exact value
// field per variable, in groups, each with the guide's meaning and useful
// range. A drag or a run of key presses on one control is one undo step.

import { wordValue } from '../engine';
import { readValue, showValue } from '../format';
import { GROUPS, KEY_STEP, ParamInfo, stepValue, WAVE_NAMES, WAVE_TYPE } from '../params';
import { el, findElements } from './dom';
import type { Page, Panel, View } from './page';

const ARROWS: Record<string, number> = {
  ArrowUp: 1,
  ArrowRight: 1,
  PageUp: 1,
  ArrowDown: -1,
  ArrowLeft: -1,
  PageDown: -1,
};

export class ParamsPanel implements Panel {
  private ui = findElements({ groups: HTMLElement });
  private sliders = new Map<number, HTMLInputElement>();
  private fields = new Map<number, HTMLInputElement>();
  private waveSelect = el('select', { id: `param-${WAVE_TYPE}` });
  /** Counts the runs of changes (a focus, a press or a release of the pointer
   * starts a new one): the changes of one run on one control are one undo step. */
  private run = 0;
  private pointerDown = false;

  constructor(private page: Page) {
    for (const group of GROUPS) {
      const set = el('fieldset');
      const spot = el('p', { class: 'error', role: 'alert', 'aria-live': 'assertive', hidden: '' });
      set.append(el('legend', {}, group.title));
      for (const p of group.params) set.append(this.row(p, spot));
      set.append(spot);
      this.ui.groups.append(set);
    }
  }

  show(view: View): void {
    const b = view.design.block;
    for (const [index, field] of this.fields) {
      const value = wordValue(b, index);
      if (document.activeElement !== field) field.value = showValue(value, index === WAVE_TYPE);
      const outside = this.showControl(index, value);
      field.classList.toggle('outside', outside);
      field.title = outside ? 'outside the useful range' : '';
    }
  }

  /** Sets the slider or list of variable index; true when value is outside its range. */
  private showControl(index: number, value: number): boolean {
    const slider = this.sliders.get(index);
    if (!slider) {
      const outside = !(value >= 0 && value < WAVE_NAMES.length);
      this.waveSelect.value = outside ? 'other' : String(value);
      return outside;
    }
    if (!this.pointerDown || document.activeElement !== slider) slider.value = String(value);
    return !(value >= Number(slider.min) && value <= Number(slider.max));
  }

  /** Sets variable index, as part of the control's current run when grouped. */
  private set(index: number, value: number, grouped: boolean): void {
    this.page.dispatch({ kind: 'set', index, value }, grouped ? { group: `${index}:${this.run}` } : {});
  }

  private row(p: ParamInfo, spot: HTMLElement): HTMLElement {
    const row = el('div', { class: p.index === WAVE_TYPE ? 'param wave' : 'param' });
    const meaning = `param-${p.index}-meaning`;
    const head = el('div', { class: 'head' });
    head.append(
      el('label', { for: `param-${p.index}` }, p.name),
      el('span', { class: 'meaning', id: meaning }, `${p.meaning} (${p.min} to ${p.max})`),
    );
    const control = p.index === WAVE_TYPE ? this.waveList() : this.slider(p);
    const field = this.field(p, spot);
    for (const c of [control, field]) {
      c.setAttribute('aria-describedby', meaning);
      c.addEventListener('focus', () => this.run++);
      c.addEventListener('pointerdown', () => this.run++);
    }
    row.append(head, control, field);
    return row;
  }

  private field(p: ParamInfo, spot: HTMLElement): HTMLInputElement {
    const field = el('input', {
      id: `param-${p.index}-value`,
      type: 'text',
      inputmode: 'decimal',
      'aria-label': `${p.name} value`,
      spellcheck: 'false',
    });
    field.onchange = () => {
      const v = readValue(field.value);
      if (v === null) {
        this.page.error(`${p.name}: "${field.value}" is not a number`, spot);
        this.show(this.page.view);
      } else {
        this.set(p.index, v, false);
        // The value the variable holds, e.g. a wave type out of range as its integer.
        field.value = showValue(wordValue(this.page.view.design.block, p.index), p.index === WAVE_TYPE);
      }
    };
    this.fields.set(p.index, field);
    return field;
  }

  private waveList(): HTMLSelectElement {
    const select = this.waveSelect;
    WAVE_NAMES.forEach((name, i) => select.append(el('option', { value: String(i) }, `${i}: ${name}`)));
    select.append(el('option', { value: 'other', disabled: '' }, 'other (silent)'));
    select.onchange = () => this.set(WAVE_TYPE, Number(select.value), true);
    return select;
  }

  private slider(p: ParamInfo): HTMLInputElement {
    const slider = el('input', {
      id: `param-${p.index}`,
      type: 'range',
      min: String(p.min),
      max: String(p.max),
      step: '0.0001',
    });
    slider.oninput = () => this.set(p.index, Number(slider.value), true);
    // The release may come anywhere on the page.
    const release = () => {
      this.pointerDown = false;
      this.run++;
    };
    slider.addEventListener('pointerdown', () => {
      this.pointerDown = true;
      window.addEventListener('pointerup', release, { once: true });
    });
    slider.onkeydown = (e) => {
      const direction = ARROWS[e.key];
      if (!direction) return;
      e.preventDefault();
      const coarse = e.shiftKey || e.key.startsWith('Page');
      const step = coarse ? KEY_STEP.coarse : e.altKey || e.ctrlKey || e.metaKey ? KEY_STEP.fine : KEY_STEP.normal;
      const value = wordValue(this.page.view.design.block, p.index);
      const next = stepValue(value, direction, step, p.min, p.max);
      if (Math.fround(next) !== value) this.set(p.index, next, true);
    };
    this.sliders.set(p.index, slider);
    return slider;
  }
}
