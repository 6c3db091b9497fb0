// Draws the Explore map on a canvas: one dot per point in its colour, a ring
// around the points already heard, and a larger ring on the current one.

import { Placed, toneColour } from './layout';

export interface MapLook {
  /** Dot radius in pixels. */
  radius: number;
  background: string;
  heardRing: string;
  currentRing: string;
}

export const MAP_LOOK: MapLook = { radius: 3.5, background: '#10161f', heardRing: '#c9d3df', currentRing: '#ffffff' };

/** points in the canvas's pixels (toPixels); heard[i] marks point i heard. */
export function drawMap(
  ctx: CanvasRenderingContext2D,
  points: readonly (Placed | null)[],
  heard: readonly boolean[],
  current: number,
  look: MapLook = MAP_LOOK,
): void {
  ctx.fillStyle = look.background;
  ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
  const ring = (p: Placed, r: number, colour: string, width: number): void => {
    ctx.strokeStyle = colour;
    ctx.lineWidth = width;
    ctx.beginPath();
    ctx.arc(p.x, p.y, r, 0, 2 * Math.PI);
    ctx.stroke();
  };
  points.forEach((p, i) => {
    if (!p) return;
    ctx.fillStyle = toneColour(p.tone);
    ctx.beginPath();
    ctx.arc(p.x, p.y, look.radius, 0, 2 * Math.PI);
    ctx.fill();
    if (heard[i]) ring(p, look.radius + 1.5, look.heardRing, 1);
  });
  const c = points[current];
  if (c) ring(c, look.radius + 4, look.currentRing, 2);
}
