#pragma once
// The condition, action and expression routines the host calls through the
// routine tables. Conditions and actions take (run data, parameter 1,
// parameter 2); expressions take (run data, parameter token).

#include <cstdint>

#include "frame/win/run_data.h"

#define ZU_CONDITION(name)                                                          \
  int32_t __stdcall name([[maybe_unused]] RunData* rd, [[maybe_unused]] int32_t p1, \
                         [[maybe_unused]] int32_t p2)
#define ZU_ACTION(name) ZU_CONDITION(name)
#define ZU_EXPRESSION(name) \
  int32_t __stdcall name([[maybe_unused]] RunData* rd, [[maybe_unused]] int32_t param)

namespace zu {

using ConditionRoutine = int32_t(__stdcall*)(RunData*, int32_t, int32_t);
using ActionRoutine = int32_t(__stdcall*)(RunData*, int32_t, int32_t);
using ExpressionRoutine = int32_t(__stdcall*)(RunData*, int32_t);

namespace routines {

// --- Conditions ---
ZU_CONDITION(RaisedEvent);  // "Sound added", "Sound generated", "Sound played", "Sound looped"
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
// Float setters, one per variable (index in the name).
ZU_ACTION(SetVariable0);
ZU_ACTION(SetVariable2);
ZU_ACTION(SetVariable3);
ZU_ACTION(SetVariable4);
ZU_ACTION(SetVariable5);
ZU_ACTION(SetVariable6);
ZU_ACTION(SetVariable7);
ZU_ACTION(SetVariable8);
ZU_ACTION(SetVariable9);
ZU_ACTION(SetVariable10);
ZU_ACTION(SetVariable11);
ZU_ACTION(SetVariable12);
ZU_ACTION(SetVariable13);
ZU_ACTION(SetVariable14);
ZU_ACTION(SetVariable15);
ZU_ACTION(SetVariable16);
ZU_ACTION(SetVariable17);
ZU_ACTION(SetVariable18);
ZU_ACTION(SetVariable19);
ZU_ACTION(SetVariable20);
ZU_ACTION(SetVariable21);
ZU_ACTION(SetVariable22);
ZU_ACTION(SetVariable23);

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
ZU_EXPRESSION(GetVariable0);
ZU_EXPRESSION(GetVariable2);
ZU_EXPRESSION(GetVariable3);
ZU_EXPRESSION(GetVariable4);
ZU_EXPRESSION(GetVariable5);
ZU_EXPRESSION(GetVariable6);
ZU_EXPRESSION(GetVariable7);
ZU_EXPRESSION(GetVariable8);
ZU_EXPRESSION(GetVariable9);
ZU_EXPRESSION(GetVariable10);
ZU_EXPRESSION(GetVariable11);
ZU_EXPRESSION(GetVariable12);
ZU_EXPRESSION(GetVariable13);
ZU_EXPRESSION(GetVariable14);
ZU_EXPRESSION(GetVariable15);
ZU_EXPRESSION(GetVariable16);
ZU_EXPRESSION(GetVariable17);
ZU_EXPRESSION(GetVariable18);
ZU_EXPRESSION(GetVariable19);
ZU_EXPRESSION(GetVariable20);
ZU_EXPRESSION(GetVariable21);
ZU_EXPRESSION(GetVariable22);
ZU_EXPRESSION(GetVariable23);

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
