// Explore: a map of hundreds of variations of the current sound, rendered in a
// pool of workers and drawn as they arrive. Hovering a point or reaching it
// with the arrow keys plays it; a click or Enter makes it the current sound.

import { actionText, PRESET_ACTIONS } from '../registry';
import { applyOp, applySeed, Design } from '../design';
import type { Engine } from '../engine';
import { drawMap } from '../explore/draw';
import {
  Axes,
  DEFAULT_AXES,
  Direction,
  FEATURES,
  FeatureName,
  nearest,
  neighbour,
  place,
  Placed,
  toPixels,
} from '../explore/layout';
import { ExploreMap, Explorer } from '../explore/map';
import type { PointJob, PointResult } from '../explore/point';
import { WorkerPool } from '../explore/pool';
import {
  EXPLORE_DEFAULT_POINTS,
  EXPLORE_MAX_POINTS,
  ExploreMode,
  ExploreSource,
  pointCount,
  Recipe,
} from '../explore/recipe';
import { pointText, progressText } from '../explore/text';
import { SoundPlayer } from './sound-player';
import { el, findElements } from './dom';
import type { Page, Panel, View } from './page';

declare const EXPLORE_WORKER_SOURCE: string;

const KEYS: Readonly<Record<string, Direction>> = {
  ArrowLeft: 'left',
  ArrowRight: 'right',
  ArrowUp: 'up',
  ArrowDown: 'down',
};
/** Pixels from a point within which the pointer is on it. */
const HOVER_RADIUS = 8;
/** After the sound changes elsewhere, the map follows once it has been still this long. */
const FOLLOW_DELAY_MS = 250;

/** The preset the design's sound came from: the last preset in its actions
 * with no randomize after it; null when there is none. */
export function presetOf(d: Design): number | null {
  if (!d.blockExact) return null;
  for (let i = d.actions.length - 1; i >= 0; i--) {
    const a = d.actions[i];
    if (a.kind === 'preset') return a.index;
    if (a.kind === 'randomize' || a.kind === 'reset') return null;
  }
  return null;
}

/** The design a recipe gives from the one the map was made from, as the
 * game's actions would: the page's one undo step for a pick. */
function designOf(engine: Engine, from: Design, recipe: Recipe): Design {
  return recipe.steps.reduce(
    (d, step) => (step.kind === 'seed' ? applySeed(engine, d, step.seed) : applyOp(engine, d, step)),
    from,
  );
}

export class ExplorePanel implements Panel {
  private ui = findElements({
    exploreMode: HTMLSelectElement,
    explorePoints: HTMLInputElement,
    exploreX: HTMLSelectElement,
    exploreY: HTMLSelectElement,
    exploreColour: HTMLSelectElement,
    exploreOpen: HTMLButtonElement,
    exploreAround: HTMLButtonElement,
    exploreClose: HTMLButtonElement,
    exploreMap: HTMLCanvasElement,
    exploreProgress: HTMLElement,
    explorePoint: HTMLElement,
  });
  private explorer: Explorer;
  private axes: Axes = { ...DEFAULT_AXES };
  /** The design the open map was made from (null: no map), and the designs picked from it. */
  private from: Design | null = null;
  private picks = new Map<Recipe, Design>();
  /** The points in the canvas's pixels, as last drawn. */
  private px: (Placed | null)[] = [];
  private hovered = -1;
  private frame = 0;
  private follow = 0;
  private started = 0;
  private took: number | null = null;
  private preset: number | null = null;
  private player = new SoundPlayer();

  constructor(private page: Page) {
    const url = URL.createObjectURL(new Blob([EXPLORE_WORKER_SOURCE], { type: 'text/javascript' }));
    const pool = new WorkerPool<PointJob, PointResult>(() => new Worker(url));
    this.explorer = new Explorer(pool);
    // The workers load their engine while the author comes to the map.
    const section = this.ui.exploreOpen.closest('section') ?? this.ui.exploreOpen;
    for (const event of ['pointerenter', 'focusin']) section.addEventListener(event, () => pool.warm(), { once: true });
    this.explorer.onUpdate = () => this.schedule();
    this.ui.explorePoints.value = String(EXPLORE_DEFAULT_POINTS);
    this.ui.explorePoints.max = String(EXPLORE_MAX_POINTS);
    this.axisPickers();
    this.ui.exploreOpen.onclick = () => this.open();
    this.ui.exploreAround.onclick = () => this.around();
    this.ui.exploreClose.onclick = () => this.close();
    this.ui.exploreMode.onchange = () => this.from && this.open();
    this.ui.explorePoints.onchange = () => this.from && this.open();
    this.canvasEvents();
    this.enable();
  }

  show({ design }: View): void {
    this.modes(design);
    if (!this.from || design === this.from || [...this.picks.values()].includes(design)) return;
    // The sound changed elsewhere: drop the map's work now, make the new map
    // once the sound stays still (a slider drag gives one map).
    this.explorer.close();
    this.from = design;
    this.picks.clear();
    this.ui.exploreProgress.textContent = 'The sound changed: making a new map…';
    clearTimeout(this.follow);
    this.follow = window.setTimeout(() => this.open(), FOLLOW_DELAY_MS);
    this.schedule();
  }

  /** The mode picker: mutate, the preset the sound came from (if any), randomize. */
  private modes(d: Design): void {
    const preset = presetOf(d);
    const select = this.ui.exploreMode;
    if (select.options.length > 0 && preset === this.preset) return;
    const was = select.value;
    this.preset = preset;
    const options = [el('option', { value: 'mutate' }, actionText('Mutate'))];
    if (preset !== null) options.push(el('option', { value: 'preset' }, PRESET_ACTIONS[preset]));
    options.push(el('option', { value: 'randomize' }, actionText('Randomize')));
    select.replaceChildren(...options);
    select.value = options.some((o) => o.value === was) ? was : 'mutate';
  }

  private source(): ExploreSource {
    const mode = this.ui.exploreMode.value as ExploreMode;
    if (mode === 'preset' && this.preset !== null) return { mode, preset: this.preset };
    return { mode: mode === 'randomize' ? 'randomize' : 'mutate' };
  }

  private axisPickers(): void {
    const pickers: [HTMLSelectElement, keyof Axes][] = [
      [this.ui.exploreX, 'x'],
      [this.ui.exploreY, 'y'],
      [this.ui.exploreColour, 'colour'],
    ];
    for (const [select, axis] of pickers) {
      select.replaceChildren(...FEATURES.map((f) => el('option', { value: f.name }, f.label)));
      select.value = this.axes[axis];
      select.onchange = () => {
        this.axes = { ...this.axes, [axis]: select.value as FeatureName };
        this.schedule();
      };
    }
  }

  /** Opens a map of the page's current sound (the old map's work is dropped). */
  private open(): void {
    clearTimeout(this.follow);
    const d = this.page.view.design;
    // An empty or unreadable field gives the default count.
    const count = pointCount(this.ui.explorePoints.valueAsNumber);
    this.ui.explorePoints.value = String(count);
    this.from = d;
    this.picks.clear();
    this.hovered = -1;
    this.px = [];
    this.took = null;
    this.started = performance.now();
    const map = this.explorer.open({ source: this.source(), base: d.block, pageSeed: d.seed, count, buffer: d.buffer });
    this.ui.exploreProgress.textContent = progressText(map, null);
    this.ui.explorePoint.textContent = '';
    this.schedule();
  }

  private close(): void {
    clearTimeout(this.follow);
    this.explorer.close();
    this.from = null;
    this.picks.clear();
    this.px = [];
    this.ui.explorePoint.textContent = '';
    this.schedule();
  }

  /** "Explore around this one": the current point becomes the sound, and a
   * map of its mutations opens. */
  private around(): void {
    const map = this.explorer.map;
    if (!map || map.current < 0) return;
    this.pick(map.current);
    this.ui.exploreMode.value = 'mutate';
    this.open();
  }

  /** Point i becomes the current sound: one undo step, its recipe in "In your game". */
  private pick(i: number): void {
    const map = this.explorer.map;
    const point = map?.points[i];
    if (!this.from || !point) return;
    const already = this.picks.get(point.recipe);
    if (already && already === this.page.view.design) return;
    const next = designOf(this.page.engine, this.from, point.recipe);
    this.picks.set(point.recipe, next);
    this.page.change(next);
  }

  /** Plays point i (rendered again ahead of the map's work) and makes it current. */
  private hear(i: number): void {
    const map = this.explorer.map;
    if (!map) return;
    const samples = this.explorer.samples(i);
    this.ui.explorePoint.textContent = pointText(map, i);
    this.schedule();
    void samples.then((s) => {
      if (s && this.explorer.map === map && map.current === i) this.play(s);
    });
  }

  private play(samples: Int16Array): void {
    void this.player.play(samples);
  }

  private canvasEvents(): void {
    const canvas = this.ui.exploreMap;
    const at = (e: MouseEvent): number => {
      const r = canvas.getBoundingClientRect();
      const x = ((e.clientX - r.left) * canvas.width) / (r.width || 1);
      const y = ((e.clientY - r.top) * canvas.height) / (r.height || 1);
      return nearest(this.px, x, y, HOVER_RADIUS);
    };
    canvas.onpointermove = (e) => {
      const i = at(e);
      if (i >= 0 && i !== this.hovered) this.hear(i);
      this.hovered = i;
    };
    canvas.onpointerleave = () => (this.hovered = -1);
    canvas.onclick = (e) => {
      const i = at(e);
      if (i >= 0) this.pick(i);
    };
    canvas.onkeydown = (e) => this.key(e);
  }

  private key(e: KeyboardEvent): void {
    const map = this.explorer.map;
    if (!map || e.ctrlKey || e.metaKey || e.altKey) return;
    if (e.key === 'Enter') {
      e.preventDefault();
      if (map.current >= 0) this.pick(map.current);
      return;
    }
    const direction = KEYS[e.key];
    if (!direction) return;
    e.preventDefault();
    this.layout(map);
    const canvas = this.ui.exploreMap;
    const next = this.px[map.current]
      ? neighbour(this.px, map.current, direction)
      : nearest(this.px, canvas.width / 2, canvas.height / 2);
    if (next >= 0) this.hear(next);
  }

  /** Redraws at the next animation frame (once, however many results came). */
  private schedule(): void {
    if (!this.frame) this.frame = requestAnimationFrame(() => this.draw());
  }

  private layout(map: ExploreMap): void {
    const canvas = this.ui.exploreMap;
    const features = map.points.map((p) => p.result?.features ?? null);
    this.px = toPixels(place(features, this.axes), canvas.width, canvas.height);
  }

  private draw(): void {
    this.frame = 0;
    const canvas = this.ui.exploreMap;
    const width = Math.round(canvas.clientWidth) || canvas.width;
    const height = Math.round(canvas.clientHeight) || canvas.height;
    if (canvas.width !== width || canvas.height !== height) Object.assign(canvas, { width, height });
    const ctx = canvas.getContext('2d');
    const map = this.explorer.map;
    this.enable();
    if (!ctx) return;
    if (!map) {
      this.px = [];
      drawMap(ctx, [], [], -1);
      if (!this.from) this.ui.exploreProgress.textContent = 'No map yet.';
      return;
    }
    this.layout(map);
    drawMap(
      ctx,
      this.px,
      map.points.map((p) => p.heard),
      map.current,
    );
    this.axisNames(ctx);
    if (this.took === null && map.answered === map.points.length) this.took = performance.now() - this.started;
    this.ui.exploreProgress.textContent = progressText(map, this.took);
    const about = map.current >= 0 ? pointText(map, map.current) : '';
    if (this.ui.explorePoint.textContent !== about) this.ui.explorePoint.textContent = about;
  }

  /** The features across and up, in the corners their values grow towards. */
  private axisNames(ctx: CanvasRenderingContext2D): void {
    const label = (name: FeatureName): string => FEATURES.find((f) => f.name === name)?.label ?? name;
    ctx.font = '11px system-ui, sans-serif';
    ctx.fillStyle = 'rgba(201, 211, 223, 0.7)';
    ctx.textAlign = 'right';
    ctx.fillText(`${label(this.axes.x)} →`, ctx.canvas.width - 4, ctx.canvas.height - 4);
    ctx.textAlign = 'left';
    ctx.fillText(`↑ ${label(this.axes.y)}`, 4, 12);
  }

  private enable(): void {
    const map = this.explorer.map;
    this.ui.exploreAround.disabled = !map || map.current < 0;
    this.ui.exploreClose.disabled = !this.from;
  }
}
