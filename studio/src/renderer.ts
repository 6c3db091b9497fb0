// The page's side of the render worker: renders run one at a time, and while
// one runs only the latest request waits (a slider drag gives one render of
// its last values, not one per step).

import type { Block } from './engine';
import type { RenderReply, RenderRequest } from './worker';

declare const WORKER_SOURCE: string;

export interface Rendered {
  wav: Uint8Array;
  ms: number;
  /** Set when the buffer cut the sound: see RenderReply.whole. */
  whole?: number | null;
}

interface Job {
  request: Omit<RenderRequest, 'id'>;
  resolve: (r: Rendered) => void;
}

export class Renderer {
  private worker: Worker;
  private nextId = 1;
  private running: Map<number, Job> = new Map();
  private latest: Job | null = null;
  private latestSuperseded: ((r: Rendered | null) => void) | null = null;
  private busy = false;
  private queue: Job[] = [];

  constructor() {
    const url = URL.createObjectURL(new Blob([WORKER_SOURCE], { type: 'text/javascript' }));
    this.worker = new Worker(url);
    this.worker.onmessage = (e: MessageEvent<RenderReply>) => this.done(e.data);
    this.worker.onerror = (e: ErrorEvent) => this.onError(`The render worker failed: ${e.message}`);
  }

  /** Told when the worker fails (the page shows it). */
  onError: (message: string) => void = () => {};

  /** Renders now or after the current render; an earlier waiting request for
   * the page's sound is dropped (resolves to null). */
  renderLatest(block: Block, rand: number, buffer: number): Promise<Rendered | null> {
    return new Promise((resolve) => {
      if (this.latestSuperseded) this.latestSuperseded(null);
      this.latestSuperseded = resolve;
      this.latest = { request: { block: block.slice(), rand, buffer }, resolve: (r) => resolve(r) };
      this.pump();
    });
  }

  /** Renders in turn, never dropped (variations, exports, tests). */
  render(block: Block, rand: number, buffer: number): Promise<Rendered> {
    return new Promise((resolve) => {
      this.queue.push({ request: { block: block.slice(), rand, buffer }, resolve });
      this.pump();
    });
  }

  private pump(): void {
    if (this.busy) return;
    let job: Job | undefined;
    if (this.latest) {
      job = this.latest;
      this.latest = null;
      this.latestSuperseded = null;
    } else {
      job = this.queue.shift();
    }
    if (!job) return;
    this.busy = true;
    const id = this.nextId++;
    this.running.set(id, job);
    this.worker.postMessage({ id, ...job.request });
  }

  private done(reply: RenderReply): void {
    const job = this.running.get(reply.id);
    this.running.delete(reply.id);
    this.busy = false;
    job?.resolve({ wav: reply.wav, ms: reply.ms, whole: reply.whole });
    this.pump();
  }
}
