// A sound's name as the page uses it for the game's sound bank and for file
// names: one rule for every file the page names, safe on Windows.

/** The name a design has until the author gives one. */
export const DEFAULT_NAME = 'sound';

/** Longest name kept: far below the bank's 127 bytes and Windows' 255 characters. */
const MAX_NAME = 64;

/** Characters Windows forbids in file names, besides control characters. */
const FORBIDDEN = '<>:"/\\|?*';

/** Device names Windows reserves, with or without an extension. */
const RESERVED = /^(con|prn|aux|nul|com[0-9¹²³]|lpt[0-9¹²³])\s*(\..*)?$/i;

/** text as a file and sound name: characters Windows forbids in file names
 * (and control characters) become "_", leading and trailing white space and
 * trailing dots go, a reserved device name gets a leading "_"; fallback when
 * nothing is left. */
export function safeName(text: string, fallback = DEFAULT_NAME): string {
  const kept = Array.from(text, (c) => (c < ' ' || c === '\u007f' || FORBIDDEN.includes(c) ? '_' : c));
  let name = kept.join('').trim();
  name = Array.from(name).slice(0, MAX_NAME).join('');
  name = name.replace(/[. ]+$/, '');
  if (name === '') return fallback;
  return RESERVED.test(name) ? `_${name}` : name;
}

/** The file a design's name gives, e.g. fileName("boom", "sfs") is "boom.sfs". */
export function fileName(name: string, extension: string): string {
  return `${safeName(name)}.${extension}`;
}
