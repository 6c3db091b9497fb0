// A pool of Web Workers that run jobs in batches: each worker runs one job at
// a time, results arrive one by one as workers finish, and a batch can be
// cancelled as a whole (its waiting jobs are dropped, and the results of its
// running ones are thrown away when they come). The worker side is
// serveJobs(): a handler from job to result.

/** What the pool needs of a worker (a Web Worker has it; tests fake it). */
export interface WorkerLike {
  postMessage(message: unknown, transfer: Transferable[]): void;
  onmessage: ((event: MessageEvent) => void) | null;
  onerror: ((event: ErrorEvent) => void) | null;
  terminate(): void;
}

/** Page to worker. */
export interface JobMessage<In> {
  id: number;
  job: In;
}

/** Worker to page: a result, or why the job failed. */
export type ReplyMessage<Out> = { id: number; result: Out } | { id: number; error: string };

export interface BatchOptions<In, Out> {
  /** A result, in the order they finish; index is the job's place in the batch. */
  onResult: (index: number, result: Out) => void;
  /** A job that failed (the handler threw, or its worker died). */
  onError?: (index: number, message: string) => void;
  /** Before every job already waiting (a sound the author wants to hear now). */
  urgent?: boolean;
  /** Buffers to move to the worker instead of copying. */
  transfer?: (job: In) => Transferable[];
}

export interface Batch {
  /** Drops the batch: no callback of it runs any more. */
  cancel(): void;
  readonly cancelled: boolean;
  /** true when every job has finished, false when the batch was cancelled. */
  readonly done: Promise<boolean>;
}

interface BatchState<In, Out> extends Batch {
  cancelled: boolean;
  options: BatchOptions<In, Out>;
  left: number;
  finish(complete: boolean): void;
}

interface Task<In, Out> {
  batch: BatchState<In, Out>;
  index: number;
  job: In;
}

interface Slot<In, Out> {
  worker: WorkerLike;
  task: Task<In, Out> | null;
  id: number;
}

/** One worker per core, from the browser's count (2 when it gives none), at most 16. */
export function defaultPoolSize(): number {
  const cores = typeof navigator === 'undefined' ? 0 : navigator.hardwareConcurrency;
  return Math.max(1, Math.min(16, cores || 2));
}

export class WorkerPool<In, Out> {
  private queue: Task<In, Out>[] = [];
  private slots: Slot<In, Out>[] = [];
  private nextId = 1;

  /** Workers are made when the first jobs come, up to size. */
  constructor(
    private readonly makeWorker: () => WorkerLike,
    readonly size = defaultPoolSize(),
  ) {}

  /** Queues the jobs of a batch; an empty batch is done at once. */
  run(jobs: readonly In[], options: BatchOptions<In, Out>): Batch {
    let resolve!: (complete: boolean) => void;
    const batch: BatchState<In, Out> = {
      options,
      left: jobs.length,
      cancelled: false,
      done: new Promise<boolean>((r) => (resolve = r)),
      finish: (complete) => resolve(complete),
      cancel: () => {
        if (batch.cancelled || batch.left === 0) return;
        batch.cancelled = true;
        this.queue = this.queue.filter((t) => t.batch !== batch);
        batch.finish(false);
      },
    };
    const tasks = jobs.map((job, index) => ({ batch, index, job }));
    this.queue = options.urgent ? [...tasks, ...this.queue] : [...this.queue, ...tasks];
    if (jobs.length === 0) batch.finish(true);
    this.pump();
    return batch;
  }

  /** One job, urgent; rejects when it fails. */
  runOne(job: In, transfer?: (job: In) => Transferable[]): Promise<Out> {
    return new Promise((resolve, reject) => {
      this.run([job], {
        urgent: true,
        transfer,
        onResult: (_, result) => resolve(result),
        onError: (_, message) => reject(new Error(message)),
      });
    });
  }

  /** Starts every worker now, so that their start-up (loading the engine) is
   * over before the first jobs come. */
  warm(): void {
    while (this.slots.length < this.size) this.addWorker();
  }

  /** Jobs waiting or running. */
  get pending(): number {
    return this.queue.length + this.slots.filter((s) => s.task).length;
  }

  /** Stops every worker; waiting batches are cancelled. */
  dispose(): void {
    for (const task of this.queue) task.batch.cancel();
    for (const slot of this.slots) {
      slot.task?.batch.cancel();
      slot.worker.terminate();
    }
    this.queue = [];
    this.slots = [];
  }

  private pump(): void {
    while (this.queue.length > 0) {
      let slot = this.slots.find((s) => !s.task);
      if (!slot && this.slots.length < this.size) slot = this.addWorker();
      if (!slot) return;
      const task = this.queue.shift() as Task<In, Out>;
      slot.task = task;
      slot.id = this.nextId++;
      const message: JobMessage<In> = { id: slot.id, job: task.job };
      slot.worker.postMessage(message, task.batch.options.transfer?.(task.job) ?? []);
    }
  }

  private addWorker(): Slot<In, Out> {
    const slot: Slot<In, Out> = { worker: this.makeWorker(), task: null, id: 0 };
    slot.worker.onmessage = (e: MessageEvent) => this.reply(slot, e.data as ReplyMessage<Out>);
    slot.worker.onerror = (e: ErrorEvent) => this.died(slot, e.message || 'the worker failed');
    this.slots.push(slot);
    return slot;
  }

  private reply(slot: Slot<In, Out>, message: ReplyMessage<Out>): void {
    const task = slot.task;
    if (!task || message.id !== slot.id) return;
    slot.task = null;
    this.settle(task, message);
    this.pump();
  }

  /** A worker that failed outside a job (its script, or out of memory) is
   * dropped with the job it ran; a new one takes its place for the rest. */
  private died(slot: Slot<In, Out>, message: string): void {
    slot.worker.terminate();
    this.slots = this.slots.filter((s) => s !== slot);
    if (slot.task) this.settle(slot.task, { id: slot.id, error: message });
    this.pump();
  }

  private settle(task: Task<In, Out>, message: ReplyMessage<Out>): void {
    const batch = task.batch;
    if (batch.cancelled) return;
    batch.left--;
    if ('error' in message) batch.options.onError?.(task.index, message.error);
    else batch.options.onResult(task.index, message.result);
    if (batch.left === 0) batch.finish(true);
  }
}

/** What a job handler gives back: the result and the buffers to move with it. */
export interface JobDone<Out> {
  result: Out;
  transfer?: Transferable[];
}

/** The part of a worker's global scope serveJobs uses. */
export interface WorkerScopeLike {
  onmessage: ((event: MessageEvent) => void) | null;
  postMessage(message: unknown, transfer: Transferable[]): void;
}

/** Answers the pool's jobs inside a worker, one at a time in arrival order. */
export function serveJobs<In, Out>(
  scope: WorkerScopeLike,
  handle: (job: In) => JobDone<Out> | Promise<JobDone<Out>>,
): void {
  let chain: Promise<void> = Promise.resolve();
  scope.onmessage = (event: MessageEvent) => {
    const { id, job } = event.data as JobMessage<In>;
    chain = chain.then(async () => {
      let reply: ReplyMessage<Out>;
      let transfer: Transferable[] = [];
      try {
        const done = await handle(job);
        reply = { id, result: done.result };
        transfer = done.transfer ?? [];
      } catch (e) {
        reply = { id, error: e instanceof Error ? e.message : String(e) };
      }
      scope.postMessage(reply, transfer);
    });
  };
}
