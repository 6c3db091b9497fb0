// What the Explore view says about a point and about the map's progress, for
// the description line (read aloud by screen readers) and the progress line.

import { actionLabel } from '../actions';
import type { Features } from './features';
import type { ExploreMap } from './map';
import type { Recipe } from './recipe';

/** The game actions of a recipe, e.g. "Set random seed to 5, then Mutate sound". */
export function recipeText(recipe: Recipe): string {
  return recipe.steps.map(actionLabel).join(', then ');
}

/** e.g. "0.84 s, -17.2 dB, brightness 1830 Hz, pitch falling 0.74 octaves, noisiness 0.05". */
export function featuresText(f: Features): string {
  const pitch = f.movement === 'steady' ? 'steady' : `${f.movement} ${Math.abs(f.pitchOctaves).toFixed(2)} octaves`;
  return (
    `${f.seconds.toFixed(2)} s, ${f.loudnessDb.toFixed(1)} dB, brightness ${Math.round(f.brightnessHz)} Hz, ` +
    `pitch ${pitch}, noisiness ${f.noisiness.toFixed(2)}`
  );
}

/** Point i of the map: its number, its features (or why there are none yet) and its recipe. */
export function pointText(map: ExploreMap, i: number): string {
  const point = map.points[i];
  const about = point.result
    ? featuresText(point.result.features)
    : point.error
      ? `could not be made: ${point.error}`
      : 'not rendered yet';
  return `Point ${i + 1} of ${map.points.length}: ${about}. In your game: ${recipeText(point.recipe)}.`;
}

/** "n / N points", with the time once every point is in and drawn. */
export function progressText(map: ExploreMap, tookMs: number | null): string {
  const failed = map.points.filter((p) => p.error !== null).length;
  const made = `${map.answered} / ${map.points.length} points`;
  const time = tookMs === null ? '' : `, made in ${Math.round(tookMs)} ms`;
  return made + time + (failed ? ` (${failed} could not be made)` : '');
}
