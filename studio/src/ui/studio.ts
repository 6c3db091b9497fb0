// The page: one design history, the panels that show it and act on it, and
// the address that follows it. Every change goes through change(), then each
// panel shows the one view derived from it.

import { Design, gameTexts, initialDesign } from '../design';
import type { Engine } from '../engine';
import { History } from '../history';
import { Renderer } from '../renderer';
import { applyStep, Step } from '../replay';
import { parseShareHash, shareHash } from '../share';
import { findElements } from './dom';
import { ExplorePanel } from './explore-panel';
import { GamePanel } from './game-panel';
import { IoPanel } from './io-panel';
import { ListenPanel } from './listen-panel';
import type { DispatchOptions, Page, Panel, View } from './page';
import { ParamsPanel } from './params-panel';
import { Toolbar } from './toolbar';
import { VariationsPanel } from './variations-panel';

export class Studio implements Page {
  readonly renderer = new Renderer();
  view: View;
  private history: History<Design>;
  private ui = findElements({ error: HTMLElement });
  private listen: ListenPanel;
  /** Shows nothing per change: it draws its strip when asked. */
  private variations: VariationsPanel;
  private panels: Panel[];

  constructor(readonly engine: Engine) {
    const first = initialDesign(engine);
    const fromLink = location.hash ? parseShareHash(engine, location.hash, first) : first;
    if (typeof fromLink === 'string') this.error(fromLink);
    this.history = new History(typeof fromLink === 'string' ? first : fromLink);
    this.view = this.derive();
    this.listen = new ListenPanel(this);
    this.variations = new VariationsPanel(this);
    this.panels = [new Toolbar(this), new ParamsPanel(this), new GamePanel(this), new IoPanel(this), this.listen];
    this.panels.push(new ExplorePanel(this));
    window.addEventListener('hashchange', () => this.followLink());
    this.refresh();
  }

  dispatch(step: Step, { live = false, prefix = '' }: DispatchOptions = {}): void {
    const next = applyStep(this.engine, this.history.current, step);
    if (typeof next === 'string') this.error(prefix + next);
    else this.change(next, live);
  }

  change(next: Design, live = false): void {
    if (live) this.history.replace(next);
    else this.history.push(next);
    this.error('');
    this.refresh();
  }

  undo(redo: boolean): void {
    if (redo ? this.history.redo() : this.history.undo()) {
      this.error('');
      this.refresh();
    }
  }

  error(message: string): void {
    this.ui.error.textContent = message;
    this.ui.error.hidden = message === '';
  }

  play(d: Design | undefined): Promise<void> {
    return this.listen.playDesign(d);
  }

  private derive(): View {
    const design = this.history.current;
    const texts = gameTexts(this.engine, design);
    const { canUndo, canRedo } = this.history;
    return { design, texts, hash: shareHash(design, texts), canUndo, canRedo };
  }

  private refresh(): void {
    this.view = this.derive();
    if (location.hash !== this.view.hash) history.replaceState(null, '', this.view.hash);
    for (const panel of this.panels) panel.show(this.view);
  }

  /** An address typed or pasted into the location bar. */
  private followLink(): void {
    if (location.hash === this.view.hash) return;
    const next = parseShareHash(this.engine, location.hash, this.history.current);
    if (typeof next === 'string') this.error(next);
    else this.change(next);
  }
}
