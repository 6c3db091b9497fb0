// The page: one history of the design and the library, the panels that show
// it and act on it, and the address that follows it. Every change goes
// through push(), then each panel shows the one view derived from it.

import { Design, initialDesign } from '../design';
import type { Engine } from '../engine';
import { History } from '../history';
import { Rendered, Renderer } from '../renderer';
import { applyStep, Step } from '../replay';
import { gameTexts } from '../routes';
import { WorkerPool } from '../explore/pool';
import { followDesign, Library } from '../library/library';
import type { SetJob, SetResult } from '../library/set-jobs';
import { isLibraryKey, restoreLibrary, storeLibrary } from '../library/store';
import { parseShareHash, shareHash } from '../share';
import { findElements } from './dom';
import { ExplorePanel } from './explore-panel';
import { GamePanel } from './game-panel';
import { IoPanel } from './io-panel';
import { LibraryPanel } from './library-panel';
import { ListenPanel } from './listen-panel';
import type { DispatchOptions, Page, Panel, View } from './page';
import { ParamsPanel } from './params-panel';
import { Toolbar } from './toolbar';
import { VariationsPanel } from './variations-panel';

declare const SET_WORKER_SOURCE: string;

/** What undo and redo step through: the design and the library together. */
interface State {
  design: Design;
  library: Library;
}

export class Studio implements Page {
  readonly renderer = new Renderer();
  /** Renders set sounds, one worker per core. */
  readonly setPool = new WorkerPool<SetJob, SetResult>(() => {
    const url = URL.createObjectURL(new Blob([SET_WORKER_SOURCE], { type: 'text/javascript' }));
    return new Worker(url);
  });
  view: View;
  private history: History<State>;
  private ui = findElements({ error: HTMLElement });
  private listen: ListenPanel;
  private game: GamePanel;
  private library: LibraryPanel;
  private panels: Panel[];
  /** Error spots that show a message; the next change empties them. */
  private shownErrors = new Set<HTMLElement>();
  /** The library as last kept in the browser. */
  private stored: Library;

  constructor(readonly engine: Engine) {
    const first = initialDesign(engine);
    const fromLink = location.hash ? parseShareHash(engine, location.hash, first) : first;
    const kept = restoreLibrary(engine);
    this.stored = kept.library;
    this.history = new History({
      design: typeof fromLink === 'string' ? first : fromLink,
      library: kept.library,
    });
    this.view = this.derive();
    this.listen = new ListenPanel(this);
    this.game = new GamePanel(this);
    this.library = new LibraryPanel(this);
    this.panels = [
      new Toolbar(this),
      new ParamsPanel(this),
      this.game,
      new IoPanel(this),
      this.listen,
      new VariationsPanel(this),
      new ExplorePanel(this),
      this.library,
    ];
    window.addEventListener('hashchange', () => this.followLink());
    window.addEventListener('storage', (e) => {
      if (isLibraryKey(e.key)) this.adoptStoredLibrary();
    });
    this.refresh();
    if (typeof fromLink === 'string' || kept.problem)
      this.error(typeof fromLink === 'string' ? fromLink : kept.problem);
  }

  dispatch(step: Step, { group, prefix = '', errorAt }: DispatchOptions = {}): void {
    const next = applyStep(this.engine, this.history.current.design, step);
    if (typeof next === 'string') this.error(prefix + next, errorAt);
    else this.change(next, group);
  }

  /** A new design; the sound open in the library follows it. */
  change(next: Design, group?: string): void {
    this.push({ design: next, library: followDesign(this.history.current.library, next) }, group);
  }

  changeLibrary(library: Library, design = this.history.current.design): void {
    this.push({ design, library });
  }

  private push(next: State, group?: string): void {
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

  openSet(file: File): Promise<void> {
    return this.library.open(file);
  }

  heard(design: Design, result: Rendered): void {
    this.game.heard(design, result);
  }

  private derive(): View {
    const { design, library } = this.history.current;
    const texts = gameTexts(this.engine, design);
    const { canUndo, canRedo } = this.history;
    return { design, library, texts, hash: shareHash(this.engine, design, texts.csv), canUndo, canRedo };
  }

  private refresh(): void {
    this.view = this.derive();
    if (location.hash !== this.view.hash) history.replaceState(null, '', this.view.hash);
    if (this.view.library !== this.stored) {
      this.stored = this.view.library;
      const problem = storeLibrary(this.engine, this.stored);
      if (problem) this.error(problem);
    }
    for (const panel of this.panels) panel.show(this.view);
  }

  /** The library another tab kept becomes this tab's (one undo step), so
   * that neither tab's next change drops the other's. */
  private adoptStoredLibrary(): void {
    const kept = restoreLibrary(this.engine);
    if (kept.problem) return;
    this.stored = kept.library;
    this.changeLibrary(kept.library);
  }

  /** An address typed or pasted into the location bar. */
  private followLink(): void {
    if (location.hash === this.view.hash) return;
    const next = parseShareHash(this.engine, location.hash, this.history.current.design);
    if (typeof next === 'string') this.error(next);
    else this.change(next);
  }
}
