// The cases that the page and zider-sfx must render to the same bytes: each is
// a list of the page's steps (see src/replay.ts), replayed by the page as they
// are and given to the tool as options.

export const seed = (value) => ({ kind: 'seed', seed: value });
export const preset = (index) => ({ kind: 'preset', index });
const randomize = { kind: 'randomize' };
export const mutate = { kind: 'mutate' };
const buffer = (length) => ({ kind: 'buffer', buffer: length });

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

/** An opened .sfs file of a version: waveType and floats in the file's order. */
function sfs(version, waveType, floats, flag = 0) {
  const parts = [bitsLE(version), bitsLE(waveType)];
  const names = [
    'soundVolume',
    'startFreq',
    'minFreq',
    'slide',
    'deltaSlide',
    'squareDuty',
    'dutySweep',
    'vibDepth',
    'vibSpeed',
    'vibDelay',
    'attackTime',
    'sustainTime',
    'decayTime',
    'sustainPunch',
    'FLAG',
    'lpResonance',
    'lpCutoff',
    'lpCutoffSweep',
    'hpCutoff',
    'hpCutoffSweep',
    'phaserOffset',
    'phaserSweep',
    'repeatSpeed',
    'changeSpeed',
    'changeAmount',
  ];
  for (const n of names) {
    if (n === 'soundVolume' && version !== 102) continue;
    if (['deltaSlide', 'changeSpeed', 'changeAmount'].includes(n) && version < 101) continue;
    if (n === 'FLAG') parts.push(Buffer.from([flag]));
    else {
      const v = floats[n];
      parts.push(
        typeof v === 'object' ? bitsLE(v.bits) : f32(v ?? (n === 'lpCutoff' || n === 'soundVolume' ? 1 : 0.25)),
      );
    }
  }
  return { kind: 'file', name: 'case.sfs', bytes: [...Buffer.concat(parts)] };
}

/** A pasted CSV text, its missing fields of the 24 empty. */
const csv = (fields) => ({ kind: 'csv', text: fields + ','.repeat(24 - fields.split(',').length) });

export function bitIdentityCases() {
  const cases = [];
  for (const s of [1, 7, 123456789]) {
    for (let p = 0; p < 7; p++) cases.push([seed(s), preset(p)]);
  }
  for (let p = 0; p < 7; p++) cases.push([seed(1000 + p), preset(p), mutate, mutate, mutate]);
  for (const s of [1, 2, 3, 42, 4294967295]) cases.push([seed(s), randomize]);
  for (const s of [5, 6, 77]) cases.push([seed(s), randomize, mutate, mutate]);
  cases.push([seed(9), mutate, mutate, mutate, mutate, mutate]);
  cases.push([seed(3), preset(2), seed(8), preset(6), mutate]);
  // CSV texts: reset, extreme, negative zero, huge and non-finite values.
  cases.push([seed(1), csv('1.0000,,,0.3000,,0.4000,0.3000,,,,,,,,,,,,,1.0000')]);
  cases.push([seed(2), csv('0.5,3,,0.2,0.9,0.3,0.4,,-0.3,-0.0,0.5,0.5,-0.4,0.3')]);
  cases.push([seed(3), csv('-0,-0.0,-0,0.3,-0.00001,0.3,0.3,-0')]);
  cases.push([seed(4), csv('1e30,1,,0.2,,0.2,1e-30,,1e20,-1e20')]);
  cases.push([seed(5), csv('3.4028235e38,0,,0.1,1e39,0.1,0.5,,,,,,-1e400,1e400')]);
  cases.push([seed(6), csv('1,7,,0.3,,0.3,0.3')]);
  cases.push([seed(7), csv('1,-2.9,,0.3,,0.3,0.3')]);
  cases.push([seed(8), csv('1,3,,0.3,,0.3,0.3,,,,,,,,,,,,,1,,,,1e-45')]);
  cases.push([
    seed(9),
    csv('2.5,2,,0.25,0.5,0.35,0.00005,0.0001,-0.00005,,0.4,0.7,,,0.6,-0.3,0.2,-0.5,0.5,0.4,0.3,0.9,0.2,-0.1'),
  ]);
  cases.push([seed(10), csv('12345678.9,1,-98765.4321,0.2,,0.2,1e7,,,,,,,,,,,,,0.5,1e10,2,3,4')]);
  // .sfs files of each version, with NaNs of both signs, infinities and -0.
  cases.push([seed(11), sfs(100, 0, { startFreq: 0.4, sustainTime: 0.2, decayTime: 0.3 })]);
  cases.push([
    seed(12),
    sfs(101, 1, { startFreq: 0.5, deltaSlide: -0.1, changeSpeed: 0.6, changeAmount: 0.4, sustainTime: 0.3 }),
  ]);
  cases.push([seed(13), sfs(102, 2, { soundVolume: 0.7, startFreq: 0.35, sustainTime: 0.2, decayTime: 0.3 }, 1)]);
  cases.push([
    seed(14),
    sfs(102, 3, {
      startFreq: { bits: 0x7fc00000 },
      slide: { bits: 0xffc00000 },
      sustainTime: 0.2,
      decayTime: 0.2,
      vibDelay: { bits: 0x7fa00001 },
    }),
  ]);
  cases.push([
    seed(15),
    sfs(102, 0, {
      soundVolume: { bits: 0xffc00001 },
      hpCutoff: { bits: 0x7f800001 },
      lpCutoff: { bits: 0x80000000 },
      sustainTime: 0.2,
      decayTime: 0.2,
    }),
  ]);
  cases.push([
    seed(16),
    sfs(102, 1, { startFreq: { bits: 0x7f800000 }, slide: { bits: 0xff800000 }, sustainTime: 0.2, decayTime: 0.2 }),
  ]);
  cases.push([
    seed(17),
    sfs(102, 3, {
      startFreq: { bits: 0xff800001 },
      deltaSlide: { bits: 0x7fc12345 },
      sustainTime: 0.2,
      decayTime: 0.2,
    }),
    mutate,
    mutate,
  ]);
  cases.push([
    seed(18),
    sfs(101, 4, { startFreq: { bits: 0xffa00000 }, vibDepth: { bits: 0x7fffffff }, sustainTime: 0.2, decayTime: 0.2 }),
    mutate,
  ]);
  cases.push([
    seed(19),
    sfs(100, -5, { startFreq: 0.2, attackTime: { bits: 0x80000000 }, sustainTime: 0.1, decayTime: 0.1 }),
  ]);
  // Buffer lengths 0, 1 and 10 (the last with the longest sound: 410000 samples).
  cases.push([buffer(0), seed(20), preset(2)]);
  cases.push([buffer(1), seed(21), preset(0)]);
  cases.push([buffer(1), seed(22), csv('1,0,,0.9,,0.9,0.3')]);
  cases.push([buffer(10), seed(23), csv('1,3,1.2,1.3,0.5,1.3,0.2,,0.1,,0.3,0.2,,,,,,0.3,0.1,0.8,0.1,0.5,0.1,0.1')]);
  cases.push([buffer(10), seed(24), randomize]);
  return cases;
}

/** The 410000-sample case whose render time is reported. */
export const LONGEST = [
  buffer(10),
  seed(23),
  csv('1,3,1.2,1.3,0.5,1.3,0.2,,0.1,,0.3,0.2,,,,,,0.3,0.1,0.8,0.1,0.5,0.1,0.1'),
];

/** zider-sfx options for a case; writeFile gives a path for a file's bytes. */
export function toolArgs(steps, writeFile) {
  const args = [];
  const options = {
    seed: (s) => ['--seed', String(s.seed)],
    preset: (s) => ['--preset', String(s.index)],
    randomize: () => ['--randomize'],
    mutate: () => ['--mutate'],
    csv: (s) => ['--csv', s.text],
    file: (s) => ['--load', writeFile(Buffer.from(s.bytes))],
  };
  for (const s of steps) {
    if (s.kind === 'buffer') args.unshift('--buffer-length', String(s.buffer));
    else args.push(...options[s.kind](s));
  }
  return args;
}
