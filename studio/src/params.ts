// The 24 generator variables as the page lays them out: which setter action
// (by code name) sets each one, the slider range an author works in, and the
// groups. Names and texts come from the registry.

import { ActionName, paramChoices, paramTitle } from './registry';

export interface ParamInfo {
  /** Variable index, 0 to 23. */
  index: number;
  /** The parameter's title in the event editor, e.g. "Attack time". */
  name: string;
  /** Slider range: 0..1, or -1..1 for the signed parameters. */
  min: number;
  max: number;
}

export interface ParamGroup {
  title: string;
  params: ParamInfo[];
}

const p = (index: number, setter: ActionName, signed = false): ParamInfo => ({
  index,
  name: paramTitle(setter),
  min: signed ? -1 : 0,
  max: 1,
});

/** Variable 1, the integer wave type. */
export const WAVE_TYPE = 1;
export const WAVE_NAMES = paramChoices('SetWaveType');

/** Groups in the order an author thinks of them; the wave type comes first. */
export const GROUPS: ParamGroup[] = [
  { title: 'Wave', params: [p(1, 'SetWaveType')] },
  {
    title: 'Envelope',
    params: [p(2, 'SetAttackTime'), p(3, 'SetSustainTime'), p(4, 'SetSustainPunch'), p(5, 'SetDecayTime')],
  },
  {
    title: 'Pitch',
    params: [p(6, 'SetStartFrequency'), p(7, 'SetMinFrequency'), p(8, 'SetSlide', true), p(9, 'SetDeltaSlide', true)],
  },
  { title: 'Vibrato', params: [p(10, 'SetVibratoDepth'), p(11, 'SetVibratoSpeed')] },
  { title: 'Arpeggio', params: [p(12, 'SetChangeAmount', true), p(13, 'SetChangeSpeed')] },
  { title: 'Square duty', params: [p(14, 'SetSquareDuty'), p(15, 'SetDutySweep', true)] },
  { title: 'Repeat', params: [p(16, 'SetRepeatSpeed')] },
  { title: 'Phaser', params: [p(17, 'SetPhaserOffset', true), p(18, 'SetPhaserSweep', true)] },
  {
    title: 'Low-pass filter',
    params: [p(19, 'SetLpCutoff'), p(20, 'SetLpCutoffSweep', true), p(21, 'SetLpResonance')],
  },
  { title: 'High-pass filter', params: [p(22, 'SetHpCutoff'), p(23, 'SetHpCutoffSweep', true)] },
  { title: 'Volume', params: [p(0, 'SetSoundVolume')] },
];

/** The object's "Buffer length" property: 0 to 10 count, default 5. */
export const BUFFER_DEFAULT = 5;
export const BUFFER_MAX = 10;
