// The share link: the address follows the sound, so that a reload or the link
// gives the same render and the same "In your game" routes.
//   #do=<actions>&seed=<s>&buffer=<n>&name=<name>: a sound the actions make,
//     e.g. do=seed:1,explosion,mutate (seed:N, reset, randomize, mutate and
//     the preset names), replayed from the page's first design;
//   #csv=<text>&...&rand=<state>, or #bits=<24 to 26 hex words>&... when the
//     CSV text cannot carry the block exactly: a block from edits or imports,
//     with the random state the render draws from (without rand=, the seed's).

import type { GameAction } from './actions';
import { applyBlock, applyBuffer, applyName, applyOp, applySeed, Design, initialDesign } from './design';
import { Block, BLOCK_WORDS, Engine, sameBlock } from './engine';
import { csvProblem } from './importing';
import { BUFFER_DEFAULT, BUFFER_MAX } from './params';
import { PRESET_NAMES } from './registry';

/** The link's hash for d; csv is its CSV text. */
export function shareHash(engine: Engine, d: Design, csv: string): string {
  const tail = `&seed=${d.seed}&buffer=${d.buffer}&name=${encodeURIComponent(d.name)}`;
  if (d.blockExact) return `#do=${d.actions.map(actionToken).join(',')}${tail}`;
  const rand = d.rand === d.seed ? '' : `&rand=${d.rand}`;
  if (sameBlock(engine.loadCsv(engine.resetBlock(), csv), d.block))
    return `#csv=${encodeURIComponent(csv)}${tail}${rand}`;
  const words = Array.from(d.block, (w) => w.toString(16).padStart(8, '0'));
  return `#bits=${words.join(',')}${tail}${rand}`;
}

function actionToken(a: GameAction): string {
  if (a.kind === 'seed') return `seed:${a.seed}`;
  if (a.kind === 'preset') return PRESET_NAMES[a.index];
  return a.kind;
}

/** The design a link opens, or an error message. */
export function parseShareHash(engine: Engine, hash: string, base: Design): Design | string {
  const params = new URLSearchParams(hash.replace(/^#/, ''));
  const buffer = wholeNumber(params.get('buffer'), BUFFER_DEFAULT, BUFFER_MAX);
  if (typeof buffer === 'string') return `Link: buffer must be 0 to ${BUFFER_MAX}, not "${buffer}"`;
  const seed = wholeNumber(params.get('seed'), base.seed, 0xffffffff);
  if (typeof seed === 'string') return `Link: seed must be 0 to 4294967295, not "${seed}"`;
  const rand = wholeNumber(params.get('rand'), -1, 0xffffffff);
  if (typeof rand === 'string') return `Link: rand must be 0 to 4294967295, not "${rand}"`;
  const name = params.get('name');
  const named = (d: Design): Design => applyBuffer(name === null ? d : applyName(d, name), buffer);
  const recipe = params.get('do');
  if (recipe !== null) {
    const made = replayTokens(engine, recipe, initialDesign(engine));
    if (typeof made === 'string') return `Link: ${made}`;
    return named(params.get('seed') === null ? made : { ...made, seed });
  }
  const block = linkBlock(engine, params);
  if (typeof block === 'string') return `Link: ${block}`;
  const seeded = applySeed(engine, { ...base, seed }, seed);
  return named(applyBlock({ ...seeded, rand: rand < 0 ? seeded.rand : rand }, block));
}

/** The design do= tokens make from d, or why they cannot. */
function replayTokens(engine: Engine, tokens: string, d: Design): Design | string {
  for (const token of tokens.split(',')) {
    const seed = /^seed:(\d+)$/.exec(token);
    const preset = PRESET_NAMES.indexOf(token);
    if (seed && Number(seed[1]) <= 0xffffffff) d = applySeed(engine, d, Number(seed[1]));
    else if (preset >= 0) d = applyOp(engine, d, { kind: 'preset', index: preset });
    else if (token === 'reset' || token === 'randomize' || token === 'mutate') d = applyOp(engine, d, { kind: token });
    else return `do= has "${token}", which is no action (seed:N, reset, randomize, mutate or a preset name)`;
  }
  return d;
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
  if (bits === null) return 'it carries neither do=, csv= nor bits=';
  const words = bits.split(',');
  if (words.length < 24 || words.length > BLOCK_WORDS || !words.every((w) => /^[0-9a-fA-F]{1,8}$/.test(w))) {
    return 'bits must be 24 to 26 comma-separated hexadecimal words';
  }
  const block = engine.resetBlock();
  block[24] = 0;
  words.forEach((w, i) => (block[i] = parseInt(w, 16) >>> 0));
  return block;
}
