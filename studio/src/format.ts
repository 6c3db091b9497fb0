// How values are shown in the numeric fields: the shortest decimal that gives
// back the same single-precision value, so a field never hides a difference.

export function showValue(value: number, integer: boolean): string {
  if (integer) return String(value);
  if (Number.isNaN(value)) return 'NaN';
  if (!Number.isFinite(value)) return value > 0 ? 'Infinity' : '-Infinity';
  if (Object.is(value, -0)) return '-0';
  for (let p = 1; p <= 9; p++) {
    const text = value.toPrecision(p);
    if (Math.fround(Number(text)) === value) return String(Number(text));
  }
  return String(value);
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
