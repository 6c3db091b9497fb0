// What the panels share: the view they show and the page they act on.

import type { Design, GameTexts } from '../design';
import type { Engine } from '../engine';
import type { Renderer } from '../renderer';
import type { Step } from '../replay';

/** Everything a refresh shows, each derived once. */
export interface View {
  design: Design;
  texts: GameTexts;
  /** The share link's hash for the design. */
  hash: string;
  canUndo: boolean;
  canRedo: boolean;
}

export interface DispatchOptions {
  /** A slider still moving: the change replaces the current undo step. */
  live?: boolean;
  /** Put before the reason when the step is refused, e.g. "Pasted text: ". */
  prefix?: string;
}

/** The page as its panels act on it. */
export interface Page {
  readonly engine: Engine;
  readonly renderer: Renderer;
  readonly view: View;
  /** Applies a step as one undo step; shows why when it is refused. */
  dispatch(step: Step, options?: DispatchOptions): void;
  /** Makes next the current design (a picked variation, an opened link). */
  change(next: Design): void;
  undo(redo: boolean): void;
  /** Shows an error; '' hides it. */
  error(message: string): void;
  /** Plays a design's sound. */
  play(d: Design | undefined): Promise<void>;
}

export interface Panel {
  show(view: View): void;
}
