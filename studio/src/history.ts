// Undo and redo over immutable states.

export class History<T> {
  private undoStack: T[] = [];
  private redoStack: T[] = [];
  constructor(public current: T) {}

  /** Makes next the current state; the old one can be undone. */
  push(next: T): void {
    this.undoStack.push(this.current);
    this.redoStack = [];
    this.current = next;
  }

  /** Changes the current state in place (a slider still moving). */
  replace(next: T): void {
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
    return true;
  }

  get canUndo(): boolean {
    return this.undoStack.length > 0;
  }
  get canRedo(): boolean {
    return this.redoStack.length > 0;
  }
}
