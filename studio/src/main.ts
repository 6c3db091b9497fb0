// Starts Studio once the generator is loaded, and gives scripts and tests
// window.studio: the current design, the library, and run(steps), which
// replays steps from the page's first design and renders the result.

import { Engine, loadEngine } from './engine';
import { hex } from './format';
import { replay, Step } from './replay';
import { Studio } from './ui/studio';

interface RunResult {
  wavSha256: string;
  csv: string;
  sfs: string;
  /** Milliseconds the render took in the worker. */
  ms: number;
}

async function run(studio: Studio, engine: Engine, steps: Step[]): Promise<RunResult> {
  const d = replay(engine, steps);
  const r = await studio.renderer.render(d.block, d.rand, d.buffer);
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', r.wav as BufferSource));
  return { wavSha256: hex(digest), csv: engine.csv(d.block), sfs: hex(engine.sfs(d.block)), ms: r.ms };
}

function showStatus(message: string): void {
  const status = document.getElementById('status');
  if (status) status.textContent = message;
}

async function start(): Promise<void> {
  let engine: Engine;
  try {
    engine = await loadEngine();
  } catch (e) {
    showStatus(`The generator could not be loaded: ${String(e)}`);
    return;
  }
  try {
    const studio = new Studio(engine);
    const api = {
      get d() {
        return studio.view.design;
      },
      /** The library's sounds: name, buffer length, seed. */
      get library() {
        const lib = studio.view.library;
        return {
          name: lib.name,
          open: lib.open,
          sounds: lib.sounds.map(({ name, buffer, seed }) => ({ name, buffer, seed })),
        };
      },
      run: (steps: Step[]) => run(studio, engine, steps),
    };
    (window as unknown as { studio: typeof api }).studio = api;
    document.body.dataset.ready = 'true';
  } catch (e) {
    showStatus(e instanceof Error ? e.message : String(e));
    throw e;
  }
}

void start();
