// Where the points of the Explore map go: two features place a point, a third
// colours it, each scaled so that a few extreme sounds do not squeeze the rest
// into a corner; and which point an arrow key moves to.

import type { Features } from './features';

export type FeatureName = 'length' | 'loudness' | 'brightness' | 'pitch' | 'noisiness';

export interface FeatureAxis {
  name: FeatureName;
  /** Text for the axis pickers. */
  label: string;
  /** The value placed: a logarithm for length and brightness, which the ear
   * hears in ratios, and for noisiness, whose tones differ near 0. */
  value: (f: Features) => number;
}

export const FEATURES: readonly FeatureAxis[] = [
  { name: 'length', label: 'Length', value: (f) => Math.log2(Math.max(f.seconds, 0.001)) },
  { name: 'loudness', label: 'Loudness', value: (f) => f.loudnessDb },
  { name: 'brightness', label: 'Brightness', value: (f) => Math.log2(Math.max(f.brightnessHz, 20)) },
  { name: 'pitch', label: 'Pitch movement', value: (f) => f.pitchOctaves },
  { name: 'noisiness', label: 'Noisiness', value: (f) => Math.log10(f.noisiness + 1e-4) },
];

export interface Axes {
  x: FeatureName;
  y: FeatureName;
  colour: FeatureName;
}

/** Brightness against length, coloured by pitch movement. */
export const DEFAULT_AXES: Axes = { x: 'length', y: 'brightness', colour: 'pitch' };

/** A placed point: x from 0 (left) to 1 (right), y from 0 (top, the highest
 * value) to 1 (bottom); tone 0 to 1 for its colour. */
export interface Placed {
  x: number;
  y: number;
  tone: number;
}

/** Share of each end kept for the values beyond the 5th and 95th percentiles. */
const EDGE = 0.05;

function percentile(sorted: number[], q: number): number {
  const at = q * (sorted.length - 1);
  const lo = Math.floor(at);
  return sorted[lo] + (sorted[Math.min(lo + 1, sorted.length - 1)] - sorted[lo]) * (at - lo);
}

/** Scales values to 0..1: the 5th to 95th percentiles fill [EDGE, 1 - EDGE]
 * linearly; the values beyond are squeezed into the edges (closer to the
 * border the further out they are, never past it), so order is kept. All
 * equal values sit at 0.5. */
export function robustScale(values: number[]): (v: number) => number {
  const sorted = values.filter(Number.isFinite).sort((a, b) => a - b);
  if (sorted.length === 0) return () => 0.5;
  const lo = percentile(sorted, 0.05);
  const hi = percentile(sorted, 0.95);
  const range = hi - lo || sorted[sorted.length - 1] - sorted[0];
  if (!(range > 0)) return () => 0.5;
  return (v) => {
    if (!Number.isFinite(v)) return 0.5;
    const t = (v - lo) / range;
    if (t < 0) return EDGE * Math.exp(t / EDGE);
    if (t > 1) return 1 - EDGE * Math.exp((1 - t) / EDGE);
    return EDGE + t * (1 - 2 * EDGE);
  };
}

function axis(name: FeatureName): FeatureAxis {
  const a = FEATURES.find((f) => f.name === name);
  if (!a) throw new Error(`no feature named ${name}`);
  return a;
}

/** Places every described point (null: not rendered yet, stays null). The
 * scales follow the points present, so call again as results arrive. */
export function place(features: readonly (Features | null)[], axes: Axes = DEFAULT_AXES): (Placed | null)[] {
  const present = features.filter((f): f is Features => f !== null);
  const scaled = [axes.x, axes.y, axes.colour].map((name) => {
    const value = axis(name).value;
    const scale = robustScale(present.map(value));
    return (f: Features) => scale(value(f));
  });
  const [sx, sy, sc] = scaled;
  return features.map((f) => (f ? { x: sx(f), y: 1 - sy(f), tone: sc(f) } : null));
}

/** Positions in a canvas of width x height pixels, margin pixels in from each
 * side (so a dot at the edge shows whole). */
export function toPixels(
  placed: readonly (Placed | null)[],
  width: number,
  height: number,
  margin = 6,
): (Placed | null)[] {
  const w = Math.max(0, width - 2 * margin);
  const h = Math.max(0, height - 2 * margin);
  return placed.map((p) => (p ? { x: margin + p.x * w, y: margin + p.y * h, tone: p.tone } : null));
}

/** A colour for a tone: blue (0) through green to orange (1). */
export function toneColour(tone: number): string {
  const t = Math.max(0, Math.min(1, tone));
  return `hsl(${Math.round(220 - 190 * t)} 75% 58%)`;
}

export type Direction = 'left' | 'right' | 'up' | 'down';

interface Point {
  x: number;
  y: number;
}

const AXIS: Record<Direction, [number, number]> = { left: [-1, 0], right: [1, 0], up: [0, -1], down: [0, 1] };

/**
 * The point an arrow key moves to from point `from` (positions as on screen:
 * y grows downward, so 'up' goes to smaller y). Points in the quarter-plane
 * cone around the direction (no further sideways than ahead) come first, the
 * nearest of them; when the cone is empty, the nearest point anywhere ahead
 * (the half-plane). Ties go to the lower index; points at the very same
 * position as `from` are never ahead. -1 when there is none, or when `from`
 * is not placed. Pass positions in the canvas's pixels when its sides differ.
 */
export function neighbour(points: readonly (Point | null)[], from: number, direction: Direction): number {
  const here = points[from];
  if (!here) return -1;
  const [ax, ay] = AXIS[direction];
  let cone = -1;
  let coneDist = Infinity;
  let ahead = -1;
  let aheadDist = Infinity;
  points.forEach((p, i) => {
    if (!p || i === from) return;
    const dx = p.x - here.x;
    const dy = p.y - here.y;
    const along = dx * ax + dy * ay;
    if (!(along > 0)) return;
    const dist = Math.hypot(dx, dy);
    if (Math.abs(dx * ay - dy * ax) <= along && dist < coneDist) {
      cone = i;
      coneDist = dist;
    }
    if (dist < aheadDist) {
      ahead = i;
      aheadDist = dist;
    }
  });
  return cone >= 0 ? cone : ahead;
}

/** The placed point nearest to (x, y) within radius, or -1: the point under
 * the pointer, and (from the middle) where arrow keys start on a new map. */
export function nearest(points: readonly (Point | null)[], x: number, y: number, radius = Infinity): number {
  let best = -1;
  let bestDist = radius;
  points.forEach((p, i) => {
    if (!p) return;
    const d = Math.hypot(p.x - x, p.y - y);
    if (d < bestDist || (d === bestDist && best < 0)) {
      best = i;
      bestDist = d;
    }
  });
  return best;
}
