// The render worker: "Generate sound" off the page's thread, so a long render
// never freezes the page.

import { loadEngine } from './engine';
import { BUFFER_MAX } from './params';

export interface RenderRequest {
  id: number;
  block: Uint32Array;
  rand: number;
  buffer: number;
}

export interface RenderReply {
  id: number;
  wav: Uint8Array;
  /** Milliseconds the render took inside the worker. */
  ms: number;
  /** When the buffer cut the sound: the smallest "Buffer length" that holds
   * it whole (null: even the largest cuts it); undefined when it is whole. */
  whole?: number | null;
}

const ready = loadEngine();

self.onmessage = async (event: MessageEvent<RenderRequest>) => {
  const engine = await ready;
  const { id, block, rand, buffer } = event.data;
  const start = performance.now();
  const wav = engine.render(block, rand, buffer);
  const ms = performance.now() - start;
  const cut = engine.lastRenderCut();
  const whole = !cut ? undefined : buffer >= BUFFER_MAX ? null : engine.wholeBuffer(block, rand, BUFFER_MAX);
  const reply: RenderReply = { id, wav, ms, whole };
  (self as unknown as Worker).postMessage(reply, [wav.buffer]);
};
