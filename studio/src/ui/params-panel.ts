// The parameters: a slider (or, for the wave type, a list) and an exact value
// field per variable, in groups. A slider drag is one undo step.

import { wordValue } from '../engine';
import { readValue, showValue } from '../format';
import { GROUPS, ParamInfo, WAVE_NAMES, WAVE_TYPE } from '../params';
import { el, findElements } from './dom';
import type { Page, Panel, View } from './page';

export class ParamsPanel implements Panel {
  private ui = findElements({ groups: HTMLElement });
  private sliders = new Map<number, HTMLInputElement>();
  private fields = new Map<number, HTMLInputElement>();
  private waveSelect = el('select', { id: `param-${WAVE_TYPE}` });
  /** A slider is moving: its steps replace the undo step its first one made. */
  private dragging = false;

  constructor(private page: Page) {
    for (const group of GROUPS) {
      const set = el('fieldset');
      set.append(el('legend', {}, group.title));
      for (const p of group.params) set.append(this.row(p));
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
      field.title = outside ? 'outside the usual range' : '';
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
    if (!this.dragging || document.activeElement !== slider) slider.value = String(value);
    return !(value >= Number(slider.min) && value <= Number(slider.max));
  }

  private set(index: number, value: number, live: boolean): void {
    const replace = live && this.dragging;
    this.dragging = live;
    this.page.dispatch({ kind: 'set', index, value }, { live: replace });
  }

  private row(p: ParamInfo): HTMLElement {
    const row = el('div', { class: p.index === WAVE_TYPE ? 'param wave' : 'param' });
    row.append(el('label', { for: `param-${p.index}` }, p.name));
    row.append(p.index === WAVE_TYPE ? this.waveList() : this.slider(p), this.field(p));
    return row;
  }

  private field(p: ParamInfo): HTMLInputElement {
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
        this.page.error(`${p.name}: "${field.value}" is not a number`);
        this.show(this.page.view);
      } else {
        this.set(p.index, v, false);
      }
    };
    this.fields.set(p.index, field);
    return field;
  }

  private waveList(): HTMLSelectElement {
    const select = this.waveSelect;
    WAVE_NAMES.forEach((name, i) => select.append(el('option', { value: String(i) }, `${i}: ${name}`)));
    select.append(el('option', { value: 'other', disabled: '' }, 'other (silent)'));
    select.onchange = () => this.set(WAVE_TYPE, Number(select.value), false);
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
    slider.onchange = () => {
      this.dragging = false;
    };
    this.sliders.set(p.index, slider);
    return slider;
  }
}
