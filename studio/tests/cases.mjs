// The cases that the page and zider-sfx must render to the same bytes: each is
// a list of steps, given to the page as it is and to the tool as options.

const f32 = (v) => {
  const b = Buffer.alloc(4);
  b.writeFloatLE(v);
  return b;
};
const bitsLE = (u) => {
  const b = Buffer.alloc(4);
  b.writeUInt32LE(u >>> 0);
  return b;
};

/** An .sfs image of a version: waveType and floats in the file's order. */
function sfs(version, waveType, floats, flag = 0) {
  const parts = [bitsLE(version), bitsLE(waveType)];
  const names = ['soundVolume', 'startFreq', 'minFreq', 'slide', 'deltaSlide', 'squareDuty', 'dutySweep',
    'vibDepth', 'vibSpeed', 'vibDelay', 'attackTime', 'sustainTime', 'decayTime', 'sustainPunch', 'FLAG',
    'lpResonance', 'lpCutoff', 'lpCutoffSweep', 'hpCutoff', 'hpCutoffSweep', 'phaserOffset', 'phaserSweep',
    'repeatSpeed', 'changeSpeed', 'changeAmount'];
  for (const n of names) {
    if (n === 'soundVolume' && version !== 102) continue;
    if (['deltaSlide', 'changeSpeed', 'changeAmount'].includes(n) && version < 101) continue;
    if (n === 'FLAG') parts.push(Buffer.from([flag]));
    else {
      const v = floats[n];
      parts.push(typeof v === 'object' ? bitsLE(v.bits) : f32(v ?? (n === 'lpCutoff' || n === 'soundVolume' ? 1 : 0.25)));
    }
  }
  return Buffer.concat(parts).toString('hex');
}

const csv = (fields) => {
  const all = [...fields];
  while (all.length < 24) all.push('');
  return all.join(',');
};

export function bitIdentityCases() {
  const cases = [];
  for (const seed of [1, 7, 123456789]) {
    for (let preset = 0; preset < 7; preset++) cases.push([{ seed }, { preset }]);
  }
  for (let preset = 0; preset < 7; preset++) cases.push([{ seed: 1000 + preset }, { preset }, { mutate: true }, { mutate: true }, { mutate: true }]);
  for (const seed of [1, 2, 3, 42, 4294967295]) cases.push([{ seed }, { randomize: true }]);
  for (const seed of [5, 6, 77]) cases.push([{ seed }, { randomize: true }, { mutate: true }, { mutate: true }]);
  cases.push([{ seed: 9 }, { mutate: true }, { mutate: true }, { mutate: true }, { mutate: true }, { mutate: true }]);
  cases.push([{ seed: 3 }, { preset: 2 }, { seed: 8 }, { preset: 6 }, { mutate: true }]);
  // CSV texts: reset, extreme, negative zero, huge and non-finite values.
  cases.push([{ seed: 1 }, { csv: csv(['1.0000', '', '', '0.3000', '', '0.4000', '0.3000', '', '', '', '', '', '', '', '', '', '', '', '', '1.0000']) }]);
  cases.push([{ seed: 2 }, { csv: csv(['0.5', '3', '', '0.2', '0.9', '0.3', '0.4', '', '-0.3', '-0.0', '0.5', '0.5', '-0.4', '0.3']) }]);
  cases.push([{ seed: 3 }, { csv: csv(['-0', '-0.0', '-0', '0.3', '-0.00001', '0.3', '0.3', '-0']) }]);
  cases.push([{ seed: 4 }, { csv: csv(['1e30', '1', '', '0.2', '', '0.2', '1e-30', '', '1e20', '-1e20']) }]);
  cases.push([{ seed: 5 }, { csv: csv(['3.4028235e38', '0', '', '0.1', '1e39', '0.1', '0.5', '', '', '', '', '', '-1e400', '1e400']) }]);
  cases.push([{ seed: 6 }, { csv: csv(['1', '7', '', '0.3', '', '0.3', '0.3']) }]);
  cases.push([{ seed: 7 }, { csv: csv(['1', '-2.9', '', '0.3', '', '0.3', '0.3']) }]);
  cases.push([{ seed: 8 }, { csv: csv(['1', '3', '', '0.3', '', '0.3', '0.3', '', '', '', '', '', '', '', '', '', '', '', '', '1', '', '', '', '1e-45']) }]);
  cases.push([{ seed: 9 }, { csv: csv(['2.5', '2', '', '0.25', '0.5', '0.35', '0.00005', '0.0001', '-0.00005', '', '0.4', '0.7', '', '', '0.6', '-0.3', '0.2', '-0.5', '0.5', '0.4', '0.3', '0.9', '0.2', '-0.1']) }]);
  cases.push([{ seed: 10 }, { csv: csv(['12345678.9', '1', '-98765.4321', '0.2', '', '0.2', '1e7', '', '', '', '', '', '', '', '', '', '', '', '', '0.5', '1e10', '2', '3', '4']) }]);
  // .sfs files of each version, with NaNs of both signs, infinities and -0.
  cases.push([{ seed: 11 }, { sfs: sfs(100, 0, { startFreq: 0.4, sustainTime: 0.2, decayTime: 0.3 }) }]);
  cases.push([{ seed: 12 }, { sfs: sfs(101, 1, { startFreq: 0.5, deltaSlide: -0.1, changeSpeed: 0.6, changeAmount: 0.4, sustainTime: 0.3 }) }]);
  cases.push([{ seed: 13 }, { sfs: sfs(102, 2, { soundVolume: 0.7, startFreq: 0.35, sustainTime: 0.2, decayTime: 0.3 }, 1) }]);
  cases.push([{ seed: 14 }, { sfs: sfs(102, 3, { startFreq: { bits: 0x7fc00000 }, slide: { bits: 0xffc00000 }, sustainTime: 0.2, decayTime: 0.2, vibDelay: { bits: 0x7fa00001 } }) }]);
  cases.push([{ seed: 15 }, { sfs: sfs(102, 0, { soundVolume: { bits: 0xffc00001 }, hpCutoff: { bits: 0x7f800001 }, lpCutoff: { bits: 0x80000000 }, sustainTime: 0.2, decayTime: 0.2 }) }]);
  cases.push([{ seed: 16 }, { sfs: sfs(102, 1, { startFreq: { bits: 0x7f800000 }, slide: { bits: 0xff800000 }, sustainTime: 0.2, decayTime: 0.2 }) }]);
  cases.push([{ seed: 17 }, { sfs: sfs(102, 3, { startFreq: { bits: 0xff800001 }, deltaSlide: { bits: 0x7fc12345 }, sustainTime: 0.2, decayTime: 0.2 }) }, { mutate: true }, { mutate: true }]);
  cases.push([{ seed: 18 }, { sfs: sfs(101, 4, { startFreq: { bits: 0xffa00000 }, vibDepth: { bits: 0x7fffffff }, sustainTime: 0.2, decayTime: 0.2 }) }, { mutate: true }]);
  cases.push([{ seed: 19 }, { sfs: sfs(100, -5, { startFreq: 0.2, attackTime: { bits: 0x80000000 }, sustainTime: 0.1, decayTime: 0.1 }) }]);
  // Buffer lengths 0, 1 and 10 (the last with the longest sound: 410000 samples).
  cases.push([{ buffer: 0 }, { seed: 20 }, { preset: 2 }]);
  cases.push([{ buffer: 1 }, { seed: 21 }, { preset: 0 }]);
  cases.push([{ buffer: 1 }, { seed: 22 }, { csv: csv(['1', '0', '', '0.9', '', '0.9', '0.3']) }]);
  cases.push([{ buffer: 10 }, { seed: 23 }, { csv: csv(['1', '3', '1.2', '1.3', '0.5', '1.3', '0.2', '', '0.1', '', '0.3', '0.2', '', '', '', '', '', '0.3', '0.1', '0.8', '0.1', '0.5', '0.1', '0.1']) }]);
  cases.push([{ buffer: 10 }, { seed: 24 }, { randomize: true }]);
  return cases;
}

/** The 410000-sample case whose render time is reported (speed.test.mjs). */
export const LONGEST = [{ buffer: 10 }, { seed: 23 }, { csv: csv(['1', '3', '1.2', '1.3', '0.5', '1.3', '0.2', '', '0.1', '', '0.3', '0.2', '', '', '', '', '', '0.3', '0.1', '0.8', '0.1', '0.5', '0.1', '0.1']) }];

/** zider-sfx options for a case; files for .sfs steps are written by writeFile. */
export function toolArgs(steps, writeFile) {
  const args = [];
  for (const s of steps) {
    if ('seed' in s) args.push('--seed', String(s.seed));
    else if ('preset' in s) args.push('--preset', String(s.preset));
    else if ('randomize' in s) args.push('--randomize');
    else if ('mutate' in s) args.push('--mutate');
    else if ('buffer' in s) args.unshift('--buffer-length', String(s.buffer));
    else if ('csv' in s) args.push('--csv', s.csv);
    else args.push('--load', writeFile(Buffer.from(s.sfs, 'hex')));
  }
  return args;
}
