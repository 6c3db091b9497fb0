// The 24 generator variables as the page lays them out: which setter action
// (by code name) sets each one, and the groups. Names come from the registry;
// each variable's meaning and useful range (the slider's) from the guide.

import { ActionName, GUIDE_PARAMETERS, paramChoices, paramTitle } from './registry';

export interface ParamInfo {
  /** Variable index, 0 to 23. */
  index: number;
  /** The parameter's title in the event editor, e.g. "Attack time". */
  name: string;
  /** Slider range: the useful range the guide gives. */
  min: number;
  max: number;
  /** The guide's one-line meaning, e.g. "Length of the fade-in." */
  meaning: string;
}

export interface ParamGroup {
  title: string;
  params: ParamInfo[];
}

const p = (index: number, setter: ActionName): ParamInfo => ({
  index,
  name: paramTitle(setter),
  min: GUIDE_PARAMETERS[index].range[0],
  max: GUIDE_PARAMETERS[index].range[1],
  meaning: GUIDE_PARAMETERS[index].meaning,
});

/** Variable 1, the integer wave type. */
export const WAVE_TYPE = 1;
export const WAVE_NAMES = paramChoices('SetWaveType');

/** Groups in the order an author thinks of them; the wave type comes first. */
export const GROUPS: ParamGroup[] = [
  { title: 'Wave and volume', params: [p(1, 'SetWaveType'), p(0, 'SetSoundVolume')] },
  {
    title: 'Envelope',
    params: [p(2, 'SetAttackTime'), p(3, 'SetSustainTime'), p(4, 'SetSustainPunch'), p(5, 'SetDecayTime')],
  },
  {
    title: 'Pitch',
    params: [p(6, 'SetStartFrequency'), p(7, 'SetMinFrequency'), p(8, 'SetSlide'), p(9, 'SetDeltaSlide')],
  },
  { title: 'Vibrato', params: [p(10, 'SetVibratoDepth'), p(11, 'SetVibratoSpeed')] },
  { title: 'Arpeggio', params: [p(12, 'SetChangeAmount'), p(13, 'SetChangeSpeed')] },
  { title: 'Square duty', params: [p(14, 'SetSquareDuty'), p(15, 'SetDutySweep')] },
  { title: 'Repeat', params: [p(16, 'SetRepeatSpeed')] },
  { title: 'Phaser', params: [p(17, 'SetPhaserOffset'), p(18, 'SetPhaserSweep')] },
  {
    title: 'Low-pass filter',
    params: [p(19, 'SetLpCutoff'), p(20, 'SetLpCutoffSweep'), p(21, 'SetLpResonance')],
  },
  { title: 'High-pass filter', params: [p(22, 'SetHpCutoff'), p(23, 'SetHpCutoffSweep')] },
];

/** The object's "Buffer length" property: 0 to 10 count, default 5. */
export const BUFFER_DEFAULT = 5;
export const BUFFER_MAX = 10;

/** Slider steps for the keys: arrows, with Alt or Ctrl finer, with Shift (or
 * Page Up and Page Down) coarser. */
export const KEY_STEP = { fine: 0.001, normal: 0.01, coarse: 0.1 };

/** The next multiple of step from value in direction (+1 or -1), kept within
 * min and max; a value already beyond the end it moves towards stays. A
 * single-precision value a thousandth of a step off a multiple counts as on it. */
export function stepValue(value: number, direction: number, step: number, min: number, max: number): number {
  if (Number.isNaN(value)) return min;
  const k = direction > 0 ? Math.floor(value / step + 1e-3) + 1 : Math.ceil(value / step - 1e-3) - 1;
  const next = Math.min(max, Math.max(min, Number((k * step).toFixed(6))));
  return direction > 0 ? Math.max(next, value) : Math.min(next, value);
}
