// The steps an author takes on the page, as data: the controls dispatch them
// and replay runs a list of them, so the page and its tests go the same way.

import { applyBlock, applyBuffer, applyName, applyOp, applySeed, Design, initialDesign } from './design';
import { DesignOp, Engine, valueWord } from './engine';
import { importFile, loadCsvText } from './importing';

export type Step =
  | DesignOp
  | { kind: 'seed'; seed: number }
  | { kind: 'buffer'; buffer: number }
  /** The sound's name. */
  | { kind: 'name'; name: string }
  /** A value typed or slid into variable index. */
  | { kind: 'set'; index: number; value: number }
  /** A pasted CSV text. */
  | { kind: 'csv'; text: string }
  /** The block the design's own CSV text gives (refused when the game's
   * reader cannot read that text back); the random state stays. */
  | { kind: 'snap' }
  /** An opened or dropped file (an .sfs file or a CSV text). */
  | { kind: 'file'; name: string; bytes: ArrayLike<number> };

/** The design after one step, or why the step is refused (d stays). */
export function applyStep(engine: Engine, d: Design, step: Step): Design | string {
  switch (step.kind) {
    case 'seed':
      return applySeed(engine, d, step.seed);
    case 'buffer':
      return applyBuffer(d, step.buffer);
    case 'name':
      return applyName(d, step.name);
    case 'set': {
      const block = d.block.slice();
      block[step.index] = valueWord(step.index, step.value);
      return applyBlock(d, block);
    }
    case 'csv':
      return withBlock(d, loadCsvText(engine, d.block, step.text));
    case 'snap':
      return withBlock(d, loadCsvText(engine, d.block, engine.csv(d.block)));
    case 'file':
      return withBlock(d, importFile(engine, d.block, step.name, Uint8Array.from(step.bytes)));
    default:
      return applyOp(engine, d, step);
  }
}

function withBlock(d: Design, block: Uint32Array | string): Design | string {
  return typeof block === 'string' ? block : applyBlock(d, block);
}

/** Runs steps from the page's first design (or from); throws on a refused step. */
export function replay(engine: Engine, steps: readonly Step[], from = initialDesign(engine)): Design {
  return steps.reduce((d, step, i) => {
    const next = applyStep(engine, d, step);
    if (typeof next === 'string') throw new Error(`step ${i + 1} (${step.kind}): ${next}`);
    return next;
  }, from);
}
