// The Studio page: wires the controls to the design model, the render worker
// and the player.

import { Block, DesignOp, Engine, loadEngine, valueWord, wordValue } from './engine';
import {
  applyBlock,
  applyBuffer,
  applyOp,
  applySeed,
  csvProblem,
  Design,
  gameTexts,
  History,
  importFile,
  initialDesign,
  parseShareHash,
  shareHash,
  variations,
} from './design';
import { hex, readValue, showValue } from './format';
import { ACTION, actionText, BUFFER_MAX, GROUPS, ParamInfo, PRESETS, WAVE_NAMES, WAVE_TYPE } from './params';
import { Rendered, Renderer } from './renderer';
import { drawWave, playSamples, samplesOf, waveFacts } from './wave';

const $ = <T extends HTMLElement>(id: string): T => document.getElementById(id) as T;

function el<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attrs: Record<string, string> = {},
  text = '',
): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  if (text) e.textContent = text;
  return e;
}

function download(name: string, bytes: Uint8Array, type: string): void {
  const url = URL.createObjectURL(new Blob([bytes as BlobPart], { type }));
  const a = el('a', { href: url, download: name });
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

async function copyText(text: string): Promise<void> {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const area = el('textarea');
    area.value = text;
    document.body.append(area);
    area.select();
    document.execCommand('copy');
    area.remove();
  }
}

class Studio {
  private history: History<Design>;
  private renderer = new Renderer();
  private audio: AudioContext | null = null;
  private stopPlaying: (() => void) | null = null;
  private rendered: { design: Design; result: Rendered } | null = null;
  private dragging = false;
  private sliders = new Map<number, HTMLInputElement>();
  private fields = new Map<number, HTMLInputElement>();
  private waveSelect!: HTMLSelectElement;
  private strip: Design[] = [];

  constructor(private engine: Engine) {
    this.history = new History(initialDesign(engine));
    this.renderer.onError = (message) => {
      $('status').textContent = message;
      this.error(message);
    };
    this.buildControls();
    this.bind();
    const fromLink = location.hash ? parseShareHash(engine, location.hash, this.d) : null;
    if (typeof fromLink === 'string') this.error(fromLink);
    else if (fromLink) this.history = new History(fromLink);
    this.refresh();
  }

  get d(): Design {
    return this.history.current;
  }

  // --- Changes --------------------------------------------------------------

  /** Every change goes through here: one undo step, then the page follows. */
  change(next: Design, live = false): void {
    if (live) this.history.replace(next);
    else this.history.push(next);
    this.error('');
    this.refresh();
  }

  op(op: DesignOp): void {
    this.change(applyOp(this.engine, this.d, op));
  }

  setValue(index: number, value: number, live: boolean): void {
    const block = this.d.block.slice();
    block[index] = valueWord(index, value);
    if (live && this.dragging) {
      this.change(applyBlock(this.engine, this.d, block), true);
    } else {
      this.dragging = live;
      this.change(applyBlock(this.engine, this.d, block));
    }
  }

  loadBlock(block: Block | string): void {
    if (typeof block === 'string') this.error(block);
    else this.change(applyBlock(this.engine, this.d, block));
  }

  // --- Building -------------------------------------------------------------

  private buildControls(): void {
    const presets = $('presets');
    PRESETS.forEach((text, index) => {
      const b = el('button', { type: 'button', 'data-preset': String(index) }, text.replace('Create ', ''));
      b.title = text;
      b.setAttribute('aria-label', text);
      b.onclick = () => this.op({ kind: 'preset', index });
      presets.append(b);
    });
    const groups = $('groups');
    for (const group of GROUPS) {
      const set = el('fieldset');
      set.append(el('legend', {}, group.title));
      for (const p of group.params) set.append(this.paramRow(p));
      groups.append(set);
    }
    const strip = $('strip');
    for (let k = 0; k < 8; k++) {
      const item = el('li');
      const play = el('button', { type: 'button', 'aria-label': `Play variation ${k + 1}` }, `▶ ${k + 1}`);
      const pick = el('button', { type: 'button', 'aria-label': `Pick variation ${k + 1}` }, 'Pick');
      const canvas = el('canvas', { width: '120', height: '36', 'aria-hidden': 'true' });
      play.onclick = () => this.playDesign(this.strip[k]);
      pick.onclick = () => this.strip[k] && this.change(this.strip[k]);
      item.append(canvas, play, pick);
      strip.append(item);
    }
  }

  private paramRow(p: ParamInfo): HTMLElement {
    const row = el('div', { class: p.index === WAVE_TYPE ? 'param wave' : 'param' });
    const id = `param-${p.index}`;
    row.append(el('label', { for: id }, p.name));
    const field = el('input', {
      id: `${id}-value`,
      type: 'text',
      inputmode: 'decimal',
      'aria-label': `${p.name} value`,
      spellcheck: 'false',
    });
    field.onchange = () => {
      const v = readValue(field.value);
      if (v === null) {
        this.error(`${p.name}: "${field.value}" is not a number`);
        this.showParams();
      } else {
        this.dragging = false;
        this.setValue(p.index, v, false);
      }
    };
    this.fields.set(p.index, field);
    if (p.index === WAVE_TYPE) {
      const select = el('select', { id });
      WAVE_NAMES.forEach((name, i) => select.append(el('option', { value: String(i) }, `${i}: ${name}`)));
      select.append(el('option', { value: 'other', disabled: '' }, 'other (silent)'));
      select.onchange = () => this.setValue(WAVE_TYPE, Number(select.value), false);
      this.waveSelect = select;
      row.append(select, field);
      return row;
    }
    const slider = el('input', { id, type: 'range', min: String(p.min), max: String(p.max), step: '0.0001' });
    slider.oninput = () => this.setValue(p.index, Number(slider.value), true);
    slider.onchange = () => {
      this.dragging = false;
    };
    this.sliders.set(p.index, slider);
    row.append(slider, field);
    return row;
  }

  private bind(): void {
    $('randomize').onclick = () => this.op({ kind: 'randomize' });
    $('mutate').onclick = () => this.op({ kind: 'mutate' });
    $('reset').onclick = () => this.op({ kind: 'reset' });
    $('undo').onclick = () => this.undo(false);
    $('redo').onclick = () => this.undo(true);
    const seed = $<HTMLInputElement>('seed');
    seed.onchange = () => {
      const t = seed.value.trim();
      if (!/^\d+$/.test(t) || Number(t) > 0xffffffff) {
        this.error(`Seed: "${t}" is not a whole number from 0 to 4294967295`);
        seed.value = String(this.d.seed);
        return;
      }
      this.change(applySeed(this.engine, this.d, Number(t)));
    };
    const buffer = $<HTMLInputElement>('buffer');
    buffer.onchange = () => {
      const t = buffer.value.trim();
      if (!/^\d+$/.test(t) || Number(t) > BUFFER_MAX) {
        this.error(`Buffer length: "${t}" is not a whole number from 0 to ${BUFFER_MAX}`);
        buffer.value = String(this.d.buffer);
        return;
      }
      this.change(applyBuffer(this.d, Number(t)));
    };
    $('play').onclick = () => this.playDesign(this.d);
    $('stop').onclick = () => this.stop();
    $('export-wav').onclick = async () => {
      const r = await this.renderer.render(this.d.block, this.d.rand, this.d.buffer);
      download('zider-sound.wav', r.wav, 'audio/wav');
    };
    $('export-sfs').onclick = () => download('zider-sound.sfs', this.engine.sfs(this.d.block), 'application/octet-stream');
    $('copy-csv').onclick = () => copyText(this.engine.csv(this.d.block));
    $('copy-link').onclick = () => copyText(location.href);
    $('load-csv').onclick = () => {
      const text = $<HTMLTextAreaElement>('csv-input').value.trim();
      const problem = csvProblem(this.engine, text);
      this.loadBlock(problem ? `Pasted text: ${problem}` : this.engine.loadCsv(this.d.block, text));
    };
    const file = $<HTMLInputElement>('file');
    file.onchange = async () => {
      const f = file.files?.[0];
      if (f) this.importBlob(f);
      file.value = '';
    };
    const drop = $('drop');
    document.addEventListener('dragover', (e) => {
      e.preventDefault();
      drop.classList.add('over');
    });
    document.addEventListener('dragleave', () => drop.classList.remove('over'));
    document.addEventListener('drop', (e) => {
      e.preventDefault();
      drop.classList.remove('over');
      const f = e.dataTransfer?.files[0];
      if (f) this.importBlob(f);
    });
    $('snap').onclick = () => this.loadBlock(gameTexts(this.engine, this.d).csvBlock);
    $('new-variations').onclick = () => this.makeVariations();
    window.addEventListener('hashchange', () => {
      if (location.hash === shareHash(this.engine, this.d)) return;
      const next = parseShareHash(this.engine, location.hash, this.d);
      if (typeof next === 'string') this.error(next);
      else this.change(next);
    });
    document.addEventListener('keydown', (e) => {
      const typing = e.target instanceof HTMLInputElement && e.target.type === 'text';
      if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 'z' && !typing) {
        e.preventDefault();
        this.undo(e.shiftKey);
      } else if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 'y' && !typing) {
        e.preventDefault();
        this.undo(true);
      }
    });
  }

  private async importBlob(f: File): Promise<void> {
    const bytes = new Uint8Array(await f.arrayBuffer());
    this.loadBlock(importFile(this.engine, this.d, f.name, bytes));
  }

  private undo(redo: boolean): void {
    if (redo ? this.history.redo() : this.history.undo()) {
      this.error('');
      this.refresh();
    }
  }

  // --- Showing --------------------------------------------------------------

  private error(message: string): void {
    const box = $('error');
    box.textContent = message;
    box.hidden = message === '';
  }

  private showParams(): void {
    const b = this.d.block;
    for (const [index, field] of this.fields) {
      const value = wordValue(b, index);
      if (document.activeElement !== field) field.value = showValue(value, index === WAVE_TYPE);
      const slider = this.sliders.get(index);
      let outside: boolean;
      if (slider) {
        outside = !(value >= Number(slider.min) && value <= Number(slider.max));
        if (!this.dragging || document.activeElement !== slider) slider.value = String(value);
      } else {
        outside = !(value >= 0 && value <= 3);
        this.waveSelect.value = outside ? 'other' : String(value);
      }
      field.classList.toggle('outside', outside);
      field.title = outside ? 'outside the usual range' : '';
    }
  }

  private refresh(): void {
    const d = this.d;
    this.showParams();
    const seed = $<HTMLInputElement>('seed');
    if (document.activeElement !== seed) seed.value = String(d.seed);
    $<HTMLInputElement>('buffer').value = String(d.buffer);
    $<HTMLButtonElement>('undo').disabled = !this.history.canUndo;
    $<HTMLButtonElement>('redo').disabled = !this.history.canRedo;
    this.showGame();
    const hash = shareHash(this.engine, d);
    if (location.hash !== hash) history.replaceState(null, '', hash);
    $<HTMLAnchorElement>('share').href = location.href;
    this.requestRender();
  }

  private showGame(): void {
    const d = this.d;
    const t = gameTexts(this.engine, d);
    const list = $('recipe');
    list.replaceChildren(...(t.recipe ?? []).map((a) => el('li', {}, a)));
    $('recipe-none').hidden = t.recipe !== null;
    list.hidden = t.recipe === null;
    $('csv-action').textContent = actionText(ACTION.loadCsv, `"${t.csv}"`);
    $('csv-status').textContent = t.csvExact
      ? 'exact: the CSV text gives this very sound'
      : 'not exact: the CSV text rounds to four decimals';
    $('csv-status').className = t.csvExact ? 'exact' : 'inexact';
    $('snap').hidden = t.csvExact;
    $('sfs-action').textContent = actionText(ACTION.loadSfs, '"zider-sound.sfs"');
    const noise = (d.block[WAVE_TYPE] | 0) === 3;
    const seedNote = $('noise-note');
    seedNote.hidden = !noise;
    seedNote.textContent = t.recipe
      ? 'Noise: the game draws the noise from its random source, so use the actions above for the very same noise.'
      : `Noise: the game draws the noise from its random source; run "${actionText(ACTION.seed, d.seed)}" before "${ACTION.generate}" for the very same noise.`;
  }

  private async requestRender(): Promise<void> {
    const design = this.d;
    $('status').textContent = 'Rendering…';
    const result = await this.renderer.renderLatest(design.block, design.rand, design.buffer);
    if (!result) return;
    this.rendered = { design, result };
    const samples = samplesOf(result.wav);
    const facts = waveFacts(samples);
    drawWave($<HTMLCanvasElement>('wave'), samples);
    $('length').textContent = `${facts.samples} samples, ${facts.ms.toFixed(1)} ms`;
    $('peak').textContent = `peak ${(facts.peak * 100).toFixed(1)} %`;
    const clip = $('clip');
    clip.hidden = facts.clipped === 0;
    clip.textContent = `clipping: ${facts.clipped} samples at full scale`;
    $('status').textContent = `Rendered in ${result.ms.toFixed(1)} ms`;
    if ($<HTMLInputElement>('play-on-change').checked && design === this.d) this.play(samples);
  }

  // --- Sound ----------------------------------------------------------------

  private play(samples: Int16Array): void {
    this.stop();
    this.audio ??= new AudioContext({ sampleRate: 44100 });
    void this.audio.resume();
    $('play').setAttribute('aria-pressed', 'true');
    this.stopPlaying = playSamples(this.audio, samples, () => {
      $('play').setAttribute('aria-pressed', 'false');
      this.stopPlaying = null;
    });
  }

  private stop(): void {
    this.stopPlaying?.();
  }

  private async playDesign(d: Design | undefined): Promise<void> {
    if (!d) return;
    const r =
      this.rendered && this.rendered.design === d
        ? this.rendered.result
        : await this.renderer.render(d.block, d.rand, d.buffer);
    this.play(samplesOf(r.wav));
  }

  private async makeVariations(): Promise<void> {
    this.strip = variations(this.engine, this.d);
    const items = $('strip').querySelectorAll('li');
    await Promise.all(
      this.strip.map(async (v, k) => {
        const r = await this.renderer.render(v.block, v.rand, v.buffer);
        drawWave(items[k].querySelector('canvas') as HTMLCanvasElement, samplesOf(r.wav));
      }),
    );
  }

  // --- For scripts and tests ------------------------------------------------

  /** Runs steps from the initial design as the controls would, renders the
   * result and returns its digests and texts. */
  async run(steps: TestStep[]): Promise<TestResult> {
    let d = initialDesign(this.engine);
    for (const s of steps) {
      if ('seed' in s) d = applySeed(this.engine, d, s.seed);
      else if ('preset' in s) d = applyOp(this.engine, d, { kind: 'preset', index: s.preset });
      else if ('randomize' in s) d = applyOp(this.engine, d, { kind: 'randomize' });
      else if ('mutate' in s) d = applyOp(this.engine, d, { kind: 'mutate' });
      else if ('buffer' in s) d = applyBuffer(d, s.buffer);
      else {
        const bytes = 'csv' in s ? new TextEncoder().encode(s.csv) : Uint8Array.from(s.sfs.match(/../g) ?? [], (h) => parseInt(h, 16));
        const block = importFile(this.engine, d, 'case', bytes);
        if (typeof block === 'string') throw new Error(block);
        d = applyBlock(this.engine, d, block);
      }
    }
    const r = await this.renderer.render(d.block, d.rand, d.buffer);
    const digest = new Uint8Array(await crypto.subtle.digest("SHA-256", r.wav as BufferSource));
    return { wavSha256: hex(digest), csv: this.engine.csv(d.block), sfs: hex(this.engine.sfs(d.block)), ms: r.ms };
  }
}

type TestStep =
  | { seed: number }
  | { preset: number }
  | { randomize: true }
  | { mutate: true }
  | { buffer: number }
  | { csv: string }
  | { sfs: string };

interface TestResult {
  wavSha256: string;
  csv: string;
  sfs: string;
  ms: number;
}

loadEngine().then(
  (engine) => {
    const studio = new Studio(engine);
    (window as unknown as { studio: Studio }).studio = studio;
    document.body.dataset.ready = 'true';
  },
  (e) => {
    document.getElementById('status')!.textContent = `The generator could not be loaded: ${e}`;
  },
);
