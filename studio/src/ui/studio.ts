// The page: one design history, the panels that show it and act on it, and
// the address that follows it. Every change goes through change(), then each
// panel shows the one view derived from it.

import { Design, initialDesign } from '../design';
import type { Engine } from '../engine';
import { History } from '../history';
import { Rendered, Renderer } from '../renderer';
import { applyStep, Step } from '../replay';
import { gameTexts } from '../routes';
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
  private game: GamePanel;
  private panels: Panel[];
  /** Error spots that show a message; the next change empties them. */
  private shownErrors = new Set<HTMLElement>();

  constructor(readonly engine: Engine) {
    const first = initialDesign(engine);
    const fromLink = location.hash ? parseShareHash(engine, location.hash, first) : first;
    if (typeof fromLink === 'string') this.error(fromLink);
    this.history = new History(typeof fromLink === 'string' ? first : fromLink);
    this.view = this.derive();
    this.listen = new ListenPanel(this);
    this.game = new GamePanel(this);
    this.panels = [
      new Toolbar(this),
      new ParamsPanel(this),
      this.game,
      new IoPanel(this),
      this.listen,
      new VariationsPanel(this),
      new ExplorePanel(this),
    ];
    window.addEventListener('hashchange', () => this.followLink());
    this.refresh();
  }

  dispatch(step: Step, { group, prefix = '', errorAt }: DispatchOptions = {}): void {
    const next = applyStep(this.engine, this.history.current, step);
    if (typeof next === 'string') this.error(prefix + next, errorAt);
    else this.change(next, group);
  }

  change(next: Design, group?: string): void {
    this.history.push(next, group);
    this.error('');
    this.refresh();
  }

  undo(redo: boolean): void {
    if (redo ? this.history.redo() : this.history.undo()) {
      this.error('');
      this.refresh();
    }
  }

  error(message: string, at: HTMLElement = this.ui.error): void {
    for (const spot of this.shownErrors) {
      spot.textContent = '';
      spot.hidden = true;
    }
    this.shownErrors.clear();
    if (message === '') return;
    at.textContent = message;
    at.hidden = false;
    this.shownErrors.add(at);
  }

  play(d: Design | undefined): Promise<void> {
    return this.listen.playDesign(d);
  }

  heard(design: Design, result: Rendered): void {
    this.game.heard(design, result);
  }

  private derive(): View {
    const design = this.history.current;
    const texts = gameTexts(this.engine, design);
    const { canUndo, canRedo } = this.history;
    return { design, texts, hash: shareHash(this.engine, design, texts.csv), canUndo, canRedo };
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
