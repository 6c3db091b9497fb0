#pragma once
// The condition, action and expression routines the host calls through the
// routine tables. Conditions and actions take (run data, parameter 1,
// parameter 2); expressions take (run data, parameter token). Which entry
// uses which routine is in frame/ace_entries.inc.

#include <cstdint>

#include "frame/win/run_data.h"

#define ZU_CONDITION(name)                                                          \
  int32_t __stdcall name([[maybe_unused]] RunData* rd, [[maybe_unused]] int32_t p1, \
                         [[maybe_unused]] int32_t p2)
#define ZU_ACTION(name) ZU_CONDITION(name)
#define ZU_EXPRESSION(name) \
  int32_t __stdcall name([[maybe_unused]] RunData* rd, [[maybe_unused]] int32_t param)

namespace zu {
namespace routines {

// --- Conditions ---
ZU_CONDITION(RaisedEvent);  ///< "Sound added", "Sound generated", "Sound played", "Sound looped"
ZU_CONDITION(IsSoundPlaying);
ZU_CONDITION(IsSoundPaused);
ZU_CONDITION(DoesSoundExist);

// --- Generator actions ---
ZU_ACTION(RandomizeSound);
ZU_ACTION(CreatePickup);
ZU_ACTION(CreateLaser);
ZU_ACTION(CreateExplosion);
ZU_ACTION(CreatePowerup);
ZU_ACTION(CreateHit);
ZU_ACTION(CreateJump);
ZU_ACTION(CreateBlip);
ZU_ACTION(MutateSound);
ZU_ACTION(LoadPreset);
ZU_ACTION(ResetGenerator);
ZU_ACTION(SetWaveType);
ZU_ACTION(GenerateSound);
ZU_ACTION(SetRandomSeed);
ZU_ACTION(SetVariableByIndex);
ZU_ACTION(LoadVariablesFromCsv);
ZU_ACTION(LoadSfxFile);
ZU_ACTION(SaveSfxFile);
/// Float setters and getters, one per variable (the index as template argument).
int32_t SetFloatVariable(RunData* rd, int index);
int32_t GetFloatVariable(RunData* rd, int index);
template <int Index>
ZU_ACTION(SetVariable) {
  return SetFloatVariable(rd, Index);
}
template <int Index>
ZU_EXPRESSION(GetVariable) {
  return GetFloatVariable(rd, Index);
}

// --- Sound actions ---
ZU_ACTION(PlayRepeat);
ZU_ACTION(Play);
ZU_ACTION(PlayWith);
ZU_ACTION(PlayWithRepeat);
ZU_ACTION(AddGenerated);
ZU_ACTION(DeleteByName);
ZU_ACTION(AddFromFile);
ZU_ACTION(DeleteByIndex);
ZU_ACTION(AddFromMemory);
ZU_ACTION(Pause);
ZU_ACTION(Resume);
ZU_ACTION(Stop);
ZU_ACTION(SetPosition);
ZU_ACTION(SetFrequency);
ZU_ACTION(SetVolume);
ZU_ACTION(SetPan);
ZU_ACTION(SaveToFile);

// --- Generator expressions ---
ZU_EXPRESSION(WaveType);
ZU_EXPRESSION(GenWave);
ZU_EXPRESSION(GenLength);
ZU_EXPRESSION(Variable);
ZU_EXPRESSION(CsvText);

// --- Sound expressions ---
ZU_EXPRESSION(NewestSound);
ZU_EXPRESSION(SoundName);
ZU_EXPRESSION(SoundIndex);
ZU_EXPRESSION(PlayedSoundName);
ZU_EXPRESSION(PlayedChannel);
ZU_EXPRESSION(PlayedSound);
ZU_EXPRESSION(SoundOriginalFreq);
ZU_EXPRESSION(CountSounds);
ZU_EXPRESSION(SoundAddress);
ZU_EXPRESSION(SoundSize);

}  // namespace routines
}  // namespace zu
