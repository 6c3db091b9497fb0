// The Explore map as the page holds it, free of the DOM: its points (recipe,
// then the worker's result), which were heard, which is current; built in the
// worker pool, with the previous map's work dropped when a new map opens.

import type { Block } from '../engine';
import type { PointJob, PointResult } from './point';
import type { Batch, WorkerPool } from './pool';
import { exploreRecipes, ExploreSource, Recipe } from './recipe';

export interface MapRequest {
  source: ExploreSource;
  /** The current sound's block. */
  base: Block;
  /** The page's seed field. */
  pageSeed: number;
  /** Points, 1 to EXPLORE_MAX_POINTS. */
  count: number;
  /** The object's "Buffer length", 0 to 10. */
  buffer: number;
}

export interface MapPoint {
  recipe: Recipe;
  /** null until its worker answers. */
  result: PointResult | null;
  /** Why it could not be made, if it could not. */
  error: string | null;
  heard: boolean;
}

export interface ExploreMap {
  request: MapRequest;
  points: MapPoint[];
  /** Points answered so far (results and errors). */
  answered: number;
  /** The point the arrow keys start from, -1 for none. */
  current: number;
}

/** Waveform summary columns a map point carries. */
export const SUMMARY_COLUMNS = 32;
/** Recently played points whose samples are kept. */
const KEPT_SAMPLES = 16;

export class Explorer {
  map: ExploreMap | null = null;
  private batch: Batch | null = null;
  private playing: Batch | null = null;
  private kept = new Map<Recipe, Int16Array>();

  /** Told after each answer of the open map (the page redraws, at most once a frame). */
  onUpdate: (map: ExploreMap) => void = () => {};

  constructor(private readonly pool: WorkerPool<PointJob, PointResult>) {}

  /** Opens a new map and starts its work; the old map's work is dropped. */
  open(request: MapRequest): ExploreMap {
    this.close();
    const map: ExploreMap = {
      request,
      points: exploreRecipes(request.source, request.pageSeed, request.count).map((recipe) => ({
        recipe,
        result: null,
        error: null,
        heard: false,
      })),
      answered: 0,
      current: -1,
    };
    const answer = (i: number, result: PointResult | null, error: string | null): void => {
      map.points[i].result = result;
      map.points[i].error = error;
      map.answered++;
      this.onUpdate(map);
    };
    this.map = map;
    this.batch = this.pool.run(
      map.points.map((p) => this.job(request, p.recipe, false)),
      { onResult: (i, r) => answer(i, r, null), onError: (i, e) => answer(i, null, e) },
    );
    return map;
  }

  /** Drops the map and its work (the sound changed, or the view closed). */
  close(): void {
    this.batch?.cancel();
    this.playing?.cancel();
    this.batch = null;
    this.playing = null;
    this.map = null;
    this.kept.clear();
  }

  /** true when the open map is complete, false when it was dropped first. */
  get done(): Promise<boolean> {
    return this.batch?.done ?? Promise.resolve(false);
  }

  /** The samples of point i of the open map, to play: rendered again ahead of
   * the map's work (a recent one is kept). Marks it heard and current. A
   * newer call drops an older one still waiting, which then gives null, as
   * does a point that cannot be rendered (the map shows its error). */
  samples(i: number): Promise<Int16Array | null> {
    const map = this.map;
    const point = map?.points[i];
    if (!map || !point) return Promise.resolve(null);
    point.heard = true;
    map.current = i;
    this.playing?.cancel();
    this.playing = null;
    const kept = this.kept.get(point.recipe);
    if (kept) return Promise.resolve(kept);
    return new Promise((resolve) => {
      const keep = (samples: Int16Array | null): void => {
        if (samples && this.map === map) {
          this.kept.set(point.recipe, samples);
          if (this.kept.size > KEPT_SAMPLES) this.kept.delete(this.kept.keys().next().value as Recipe);
        }
        resolve(samples);
      };
      this.playing = this.pool.run([this.job(map.request, point.recipe, true)], {
        urgent: true,
        onResult: (_, r) => keep(r.samples),
        onError: () => resolve(null),
      });
      void this.playing.done.then((complete) => complete || resolve(null));
    });
  }

  private job(request: MapRequest, recipe: Recipe, keepSamples: boolean): PointJob {
    return {
      base: request.base,
      recipe,
      buffer: request.buffer,
      columns: keepSamples ? 0 : SUMMARY_COLUMNS,
      keepSamples,
    };
  }
}
