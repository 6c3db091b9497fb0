// The render worker: "Generate sound" off the page's thread, so a long render
// never freezes the page.

import { loadEngine } from './engine';

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
}

const ready = loadEngine();

self.onmessage = async (event: MessageEvent<RenderRequest>) => {
  const engine = await ready;
  const { id, block, rand, buffer } = event.data;
  const start = performance.now();
  const wav = engine.render(block, rand, buffer);
  const reply: RenderReply = { id, wav, ms: performance.now() - start };
  (self as unknown as Worker).postMessage(reply, [wav.buffer]);
};
