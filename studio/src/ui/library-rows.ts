// The library's list: one row per sound (play, small waveform, name,
// length, edit, duplicate, delete, move), and the outlines of the sounds,
// rendered in the pool once per sound and kept while the page lives.

import type { WorkerPool } from '../explore/pool';
import type { Library } from '../library/library';
import type { SetSound } from '../library/set-core';
import { OUTLINE_COLUMNS, SetJob, SetResult } from '../library/set-jobs';
import { FULL_SCALE, SAMPLE_RATE } from '../wave';
import { el } from './dom';

export type RowAction = 'play' | 'edit' | 'duplicate' | 'delete' | 'up' | 'down';

export interface RowHandlers {
  act(action: RowAction, index: number): void;
  /** A name typed into a row: '' when it can be the sound's name, else why not. */
  check(index: number, name: string): string;
  rename(index: number, name: string): void;
}

/** A sound's key: what its render depends on. */
const keyOf = (s: SetSound): string => `${s.buffer}:${s.seed}:${Array.from(s.block).join(',')}`;

const BUTTONS: [RowAction, string, string][] = [
  ['edit', 'Edit', 'Open %s in the editor; edits then change it'],
  ['duplicate', 'Duplicate', 'Duplicate %s'],
  ['delete', 'Delete', 'Delete %s'],
  ['up', '↑', 'Move %s up (Alt+Up)'],
  ['down', '↓', 'Move %s down (Alt+Down)'],
];

export class LibraryRows {
  private outlines = new Map<string, { samples: number; outline: Int16Array }>();
  /** Sounds whose outline is being rendered, by key. */
  private waiting = new Map<string, SetSound[]>();
  /** Each sound's row, kept while the sound is in the library or its history. */
  private rows = new WeakMap<SetSound, HTMLLIElement>();

  constructor(
    private readonly list: HTMLOListElement,
    private readonly pool: WorkerPool<SetJob, SetResult>,
    private readonly on: RowHandlers,
  ) {}

  /** Shows lib's sounds; the focus stays on the control it was on (moved with its sound). */
  show(lib: Library, focusIndex?: number): void {
    const focused = document.activeElement;
    const row = focused instanceof HTMLElement ? focused.closest('li') : null;
    const control = row && this.list.contains(row) ? focused?.getAttribute('data-action') : null;
    const at = focusIndex ?? (row ? Number(row.dataset.index) : -1);
    const rows = lib.sounds.map((s, i) => this.place(this.rows.get(s) ?? this.row(s), i, lib.open === i));
    this.list.replaceChildren(...rows);
    if (control) this.list.querySelector<HTMLElement>(`li[data-index="${at}"] [data-action="${control}"]`)?.focus();
    this.outline(lib.sounds);
  }

  /** Sets what depends on the row's place: its index, labels and mark. */
  private place(li: HTMLLIElement, i: number, open: boolean): HTMLLIElement {
    li.dataset.index = String(i);
    li.classList.toggle('open', open);
    li.querySelector('input')?.setAttribute('aria-label', `Name of sound ${i + 1}`);
    li.querySelector('.error')?.setAttribute('id', `library-name-error-${i}`);
    li.querySelector('input')?.setAttribute('aria-describedby', `library-name-error-${i}`);
    return li;
  }

  /** A sound's row, made once per sound (a change makes a new sound). */
  private row(s: SetSound): HTMLLIElement {
    const li = el('li', { 'data-key': keyOf(s) });
    const index = () => Number(li.dataset.index);
    const play = el('button', { type: 'button', 'data-action': 'play', 'aria-label': `Play ${s.name}` }, '▶');
    const canvas = el('canvas', { width: String(OUTLINE_COLUMNS), height: '28', role: 'img' });
    canvas.setAttribute('aria-label', `Waveform of ${s.name}`);
    const name = el('input', { type: 'text', 'data-action': 'name', spellcheck: 'false' });
    name.value = s.name;
    const problem = el('span', { class: 'error', role: 'alert' });
    problem.hidden = true;
    this.nameField(name, problem, index, s.name);
    const length = el('span', { class: 'length' }, '…');
    li.append(play, canvas, name, length);
    for (const [action, text, label] of BUTTONS) {
      const b = el(
        'button',
        { type: 'button', 'data-action': action, 'aria-label': label.replace('%s', s.name) },
        text,
      );
      b.title = b.getAttribute('aria-label') ?? '';
      li.append(b);
    }
    li.append(problem);
    li.onclick = (e) => {
      const action = (e.target as HTMLElement).closest('button')?.getAttribute('data-action');
      if (action) this.on.act(action as RowAction, index());
    };
    li.onkeydown = (e) => {
      if (!e.altKey || (e.key !== 'ArrowUp' && e.key !== 'ArrowDown')) return;
      e.preventDefault();
      this.on.act(e.key === 'ArrowUp' ? 'up' : 'down', index());
    };
    this.draw(li);
    this.rows.set(s, li);
    return li;
  }

  /** Says why a typed name cannot be taken as it is typed; Enter or leaving
   * the field renames, or, refused, puts the name back and keeps the reason. */
  private nameField(field: HTMLInputElement, problem: HTMLElement, i: () => number, current: string): void {
    const say = (why: string) => {
      problem.textContent = why;
      problem.hidden = why === '';
      field.setAttribute('aria-invalid', String(why !== ''));
    };
    field.oninput = () => say(this.on.check(i(), field.value));
    field.onchange = () => {
      const why = this.on.check(i(), field.value);
      if (why) {
        say(`Not renamed: ${why}`);
        field.value = current;
      } else this.on.rename(i(), field.value);
    };
    field.onkeydown = (e) => {
      if (e.key === 'Escape') {
        field.value = current;
        say('');
      }
    };
  }

  /** Renders the outlines not yet known, in the pool; each is drawn into the
   * rows of the sounds that wait for it when it comes. */
  private outline(sounds: readonly SetSound[]): void {
    const missing: SetSound[] = [];
    for (const s of sounds) {
      const key = keyOf(s);
      if (this.outlines.has(key)) continue;
      const waiting = this.waiting.get(key);
      if (waiting) waiting.push(s);
      else {
        this.waiting.set(key, [s]);
        missing.push(s);
      }
    }
    const done = (i: number) => {
      const key = keyOf(missing[i]);
      const rows = (this.waiting.get(key) ?? []).map((s) => this.rows.get(s));
      this.waiting.delete(key);
      return rows;
    };
    this.pool.run(
      missing.map((sound) => ({ sound, files: false })),
      {
        onResult: (i, r) => {
          this.outlines.set(keyOf(missing[i]), r);
          for (const li of done(i)) if (li) this.draw(li);
        },
        onError: (i) => done(i),
      },
    );
  }

  private draw(li: HTMLLIElement): void {
    const known = this.outlines.get(li.dataset.key ?? '');
    if (!known) return;
    const canvas = li.querySelector('canvas');
    const ctx = canvas?.getContext('2d');
    if (!canvas || !ctx) return;
    const h = canvas.height;
    ctx.fillStyle = '#10161f';
    ctx.fillRect(0, 0, canvas.width, h);
    ctx.fillStyle = '#5ad1a4';
    for (let c = 0; c < OUTLINE_COLUMNS; c++) {
      const y1 = h / 2 - (known.outline[2 * c + 1] / FULL_SCALE) * (h / 2);
      const y2 = h / 2 - (known.outline[2 * c] / FULL_SCALE) * (h / 2);
      ctx.fillRect(c, y1, 1, Math.max(1, y2 - y1));
    }
    const length = li.querySelector('.length');
    if (length) length.textContent = `${(known.samples / SAMPLE_RATE).toFixed(2)} s`;
  }
}
