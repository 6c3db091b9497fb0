// The 24 generator variables as the page shows them: the names the action list
// uses, the setter's display text, and the slider range an author works in.

export interface ParamInfo {
  /** Variable index, 0 to 23. */
  index: number;
  /** The parameter's title in the event editor, e.g. "Attack time". */
  name: string;
  /** The setter action's display text, e.g. "Set attack time to %0". */
  setter: string;
  /** Slider range: 0..1, or -1..1 for the signed parameters. */
  min: number;
  max: number;
}

export interface ParamGroup {
  title: string;
  params: ParamInfo[];
}

const p = (index: number, name: string, setter: string, signed = false): ParamInfo => ({
  index,
  name,
  setter,
  min: signed ? -1 : 0,
  max: 1,
});

/** Variable 1, the integer wave type. */
export const WAVE_TYPE = 1;
export const WAVE_NAMES = ['Square wave', 'Sawtooth', 'Sine', 'Noise'];

/** Groups in the order an author thinks of them; the wave type comes first. */
export const GROUPS: ParamGroup[] = [
  {
    title: 'Wave',
    params: [p(1, 'Wave type', 'Set wave type to %0')],
  },
  {
    title: 'Envelope',
    params: [
      p(2, 'Attack time', 'Set attack time to %0'),
      p(3, 'Sustain time', 'Set sustain time to %0'),
      p(4, 'Sustain punch', 'Set sustain punch to %0'),
      p(5, 'Decay time', 'Set decay time to %0'),
    ],
  },
  {
    title: 'Pitch',
    params: [
      p(6, 'Start frequency', 'Set start frequency to %0'),
      p(7, 'Minimum frequency', 'Set minimum frequency to %0'),
      p(8, 'Slide', 'Set slide to %0', true),
      p(9, 'Delta slide', 'Set delta slide to %0', true),
    ],
  },
  {
    title: 'Vibrato',
    params: [
      p(10, 'Vibrato depth', 'Set vibrato depth to %0'),
      p(11, 'Vibrato Speed', 'Set vibrato speed to %0'),
    ],
  },
  {
    title: 'Arpeggio',
    params: [
      p(12, 'Change amount', 'Set change amount to %0', true),
      p(13, 'Change speed', 'Set change speed to %0'),
    ],
  },
  {
    title: 'Square duty',
    params: [
      p(14, 'Square duty', 'Set square duty to %0'),
      p(15, 'Square duty sweep', 'Set square duty sweep to %0', true),
    ],
  },
  { title: 'Repeat', params: [p(16, 'Repeat speed', 'Set repeat speed to %0')] },
  {
    title: 'Phaser',
    params: [
      p(17, 'Phaser offset', 'Set phaser offset to %0', true),
      p(18, 'Phaser sweep', 'Set phaser sweep to %0', true),
    ],
  },
  {
    title: 'Low-pass filter',
    params: [
      p(19, 'Low pass filter cutoff', 'Set LP filter cutoff to %0'),
      p(20, 'Low pass filter cutoff sweep', 'Set LP filter cutoff sweep to %0', true),
      p(21, 'Low pass filter resonance', 'Set LP filter resonance to %0'),
    ],
  },
  {
    title: 'High-pass filter',
    params: [
      p(22, 'High pass filter cutoff', 'Set HP filter cutoff to %0'),
      p(23, 'High pass filter cutoff sweep', 'Set HP filter cutoff sweep to %0', true),
    ],
  },
  { title: 'Volume', params: [p(0, 'Sound volume', 'Set sound volume to %0')] },
];

/** The seven presets: button text is the action's display text. */
export const PRESETS = [
  'Create pickup/coin',
  'Create laser/shoot',
  'Create explosion',
  'Create powerup',
  'Create hit/hurt',
  'Create jump',
  'Create blip/select',
];

/** Display texts of the other actions the page refers to. */
export const ACTION = {
  seed: 'Set random seed to %0',
  randomize: 'Randomize sound',
  mutate: 'Mutate sound',
  reset: 'Reset generator',
  generate: 'Generate sound',
  loadCsv: 'Load variables from CSV string %0',
  loadSfs: 'Load SFX sample file %0',
};

/** The object's "Buffer length" property: 0 to 10 count, default 5. */
export const BUFFER_DEFAULT = 5;
export const BUFFER_MAX = 10;

/** Fills a display text's %0 with a value. */
export function actionText(text: string, value: string | number): string {
  return text.replace('%0', String(value));
}
