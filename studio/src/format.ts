// How values are shown in the numeric fields: the shortest decimal that gives
// back the same single-precision value, so a field never hides a difference.

export function showValue(value: number, integer: boolean): string {
  if (integer) return String(value);
  if (Number.isNaN(value)) return 'NaN';
  if (!Number.isFinite(value)) return value > 0 ? 'Infinity' : '-Infinity';
  if (Object.is(value, -0)) return '-0';
  for (let p = 1; p <= 9; p++) {
    const shortest = shortestAt(value, p);
    if (shortest !== null) return fitted(shortest);
  }
  return String(value);
}

/** A decimal as a field holds it: with an exponent when that is shorter than
 * a long plain form (-1.1077198e-6, not -0.0000011077198). */
function fitted(value: number): string {
  const plain = String(value);
  const exponent = value.toExponential();
  return plain.length > 13 && exponent.length < plain.length ? exponent : plain;
}

/** The p-digit decimal nearest to value that reads back (as a typed value
 * does: to double, then to single precision) as value itself, or null. The
 * nearest p-digit decimal alone is not enough: at a power of two the values
 * below are twice as dense as those above, so its neighbour may read back
 * where it does not. */
function shortestAt(value: number, p: number): number | null {
  const [mantissa, exponent] = value.toExponential(p - 1).split('e');
  const digits = Number(mantissa.replace('.', ''));
  const scale = Number(exponent) - (p - 1);
  let best: number | null = null;
  for (const d of [digits, digits - 1, digits + 1]) {
    const candidate = Number(`${d}e${scale}`);
    const closer = best === null || Math.abs(candidate - value) < Math.abs(best - value);
    if (Math.fround(candidate) === value && closer) best = candidate;
  }
  return best;
}

/** A typed value: a decimal number, "Infinity" or "-Infinity"; null otherwise. */
export function readValue(text: string): number | null {
  const t = text.trim();
  if (/^[+-]?(Infinity|inf)$/i.test(t)) return t.startsWith('-') ? -Infinity : Infinity;
  if (!/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(t)) return null;
  return Number(t);
}

export function hex(bytes: Uint8Array): string {
  return Array.from(bytes, (b) => b.toString(16).padStart(2, '0')).join('');
}
