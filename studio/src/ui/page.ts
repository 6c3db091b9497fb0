// What the panels share: the view they show and the page they act on.

import type { Design } from '../design';
import type { Engine } from '../engine';
import type { Rendered, Renderer } from '../renderer';
import type { Step } from '../replay';
import type { GameTexts } from '../routes';

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
  /** Consecutive changes of one group (a drag or a run of key presses on one
   * control) make one undo step. */
  group?: string;
  /** Put before the reason when the step is refused, e.g. "Pasted text: ". */
  prefix?: string;
  /** Where the reason shows when the step is refused: beside the control. */
  errorAt?: HTMLElement;
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
  /** Shows an error at an error spot (by default the page's own, under its
   * title) and hides any other; '' hides them all. */
  error(message: string, at?: HTMLElement): void;
  /** Plays a design's sound. */
  play(d: Design | undefined): Promise<void>;
  /** Told each time the page's sound was rendered, with the render. */
  heard(design: Design, result: Rendered): void;
}

export interface Panel {
  show(view: View): void;
}
