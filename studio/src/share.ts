// The share link: the address follows the sound.
//   #csv=<text>&buffer=<n>&seed=<s>, or #bits=<24 to 26 hex words>&... when
//   the CSV text cannot carry the block exactly.

import { applyBlock, applySeed, Design, GameTexts } from './design';
import { Block, BLOCK_WORDS, Engine } from './engine';
import { csvProblem } from './importing';
import { BUFFER_DEFAULT, BUFFER_MAX } from './params';

/** The link's hash for d, whose "In your game" texts are t. */
export function shareHash(d: Design, t: GameTexts): string {
  const tail = `&buffer=${d.buffer}&seed=${d.seed}`;
  if (t.csvExact && d.block[24] === 0 && d.block[25] === 0) return `#csv=${encodeURIComponent(t.csv)}${tail}`;
  const words = Array.from(d.block, (w) => w.toString(16).padStart(8, '0'));
  return `#bits=${words.join(',')}${tail}`;
}

/** The design a link opens, or an error message. */
export function parseShareHash(engine: Engine, hash: string, base: Design): Design | string {
  const params = new URLSearchParams(hash.replace(/^#/, ''));
  const buffer = wholeNumber(params.get('buffer'), BUFFER_DEFAULT, BUFFER_MAX);
  if (typeof buffer === 'string') return `Link: buffer must be 0 to ${BUFFER_MAX}, not "${buffer}"`;
  const seed = wholeNumber(params.get('seed'), base.seed, 0xffffffff);
  if (typeof seed === 'string') return `Link: seed must be 0 to 4294967295, not "${seed}"`;
  const block = linkBlock(engine, params);
  if (typeof block === 'string') return `Link: ${block}`;
  const seeded = applySeed(engine, { ...base, seed }, seed);
  return applyBlock(engine, { ...seeded, buffer }, block);
}

/** A whole number from 0 to max, fallback when absent, the text itself when it is neither. */
function wholeNumber(text: string | null, fallback: number, max: number): number | string {
  if (text === null) return fallback;
  return /^\d+$/.test(text) && Number(text) <= max ? Number(text) : text;
}

function linkBlock(engine: Engine, params: URLSearchParams): Block | string {
  const csv = params.get('csv');
  const bits = params.get('bits');
  if (csv !== null) return csvProblem(engine, csv) || engine.loadCsv(engine.resetBlock(), csv);
  if (bits === null) return 'it carries neither csv= nor bits=';
  const words = bits.split(',');
  if (words.length < 24 || words.length > BLOCK_WORDS || !words.every((w) => /^[0-9a-fA-F]{1,8}$/.test(w))) {
    return 'bits must be 24 to 26 comma-separated hexadecimal words';
  }
  const block = engine.resetBlock();
  block[24] = 0;
  words.forEach((w, i) => (block[i] = parseInt(w, 16) >>> 0));
  return block;
}
