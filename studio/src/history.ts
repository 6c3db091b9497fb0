// Undo and redo over immutable states. Consecutive changes of one group (a
// run of key presses or a drag on one control) make one undo step.

export class History<T> {
  private undoStack: T[] = [];
  private redoStack: T[] = [];
  /** The group of the last change, while further changes of it join its step. */
  private group: string | undefined;
  constructor(public current: T) {}

  /** Makes next the current state. The old one can be undone, unless the last
   * change was of the same group: then next joins that change's undo step. */
  push(next: T, group?: string): void {
    if (group === undefined || group !== this.group) this.undoStack.push(this.current);
    this.group = group;
    this.redoStack = [];
    this.current = next;
  }

  undo(): boolean {
    return this.step(this.undoStack, this.redoStack);
  }

  redo(): boolean {
    return this.step(this.redoStack, this.undoStack);
  }

  /** Takes the state on top of from; the current one goes onto to. */
  private step(from: T[], to: T[]): boolean {
    const next = from.pop();
    if (next === undefined) return false;
    to.push(this.current);
    this.current = next;
    this.group = undefined;
    return true;
  }

  get canUndo(): boolean {
    return this.undoStack.length > 0;
  }
  get canRedo(): boolean {
    return this.redoStack.length > 0;
  }
}
