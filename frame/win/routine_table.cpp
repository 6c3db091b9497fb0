// The routine of every entry, in registration order (conditions, actions,
// expressions, each by code), and the static registration of the entries.
#include "frame/ace_table.h"
#include "frame/registry.h"
#include "frame/win/routines.h"

namespace zu {
namespace {

using namespace routines;

template <typename F>
RoutineAddress Erase(F routine) {
  return reinterpret_cast<RoutineAddress>(routine);
}

const RoutineAddress kModuleRoutines[kAceEntryCount] = {
    // Conditions 0 to 6.
    Erase(&RaisedEvent), Erase(&RaisedEvent), Erase(&IsSoundPlaying), Erase(&IsSoundPaused),
    Erase(&DoesSoundExist), Erase(&RaisedEvent), Erase(&RaisedEvent),
    // Actions 0 to 57.
    Erase(&PlayRepeat),            // 0
    Erase(&Play),                  // 1
    Erase(&AddGenerated),          // 2
    Erase(&RandomizeSound),        // 3
    Erase(&CreatePickup),          // 4
    Erase(&CreateLaser),           // 5
    Erase(&CreateExplosion),       // 6
    Erase(&CreatePowerup),         // 7
    Erase(&CreateHit),             // 8
    Erase(&CreateJump),            // 9
    Erase(&CreateBlip),            // 10
    Erase(&MutateSound),           // 11
    Erase(&LoadPreset),            // 12
    Erase(&ResetGenerator),        // 13
    Erase(&SetWaveType),           // 14
    Erase(&SetVariable2),          // 15 attack time
    Erase(&GenerateSound),         // 16
    Erase(&DeleteByName),          // 17
    Erase(&SetRandomSeed),         // 18
    Erase(&AddFromFile),           // 19
    Erase(&DeleteByIndex),         // 20
    Erase(&AddFromMemory),         // 21
    Erase(&Pause),                 // 22
    Erase(&Resume),                // 23
    Erase(&Stop),                  // 24
    Erase(&SetPosition),           // 25
    Erase(&SetFrequency),          // 26
    Erase(&SetVolume),             // 27
    Erase(&SetPan),                // 28
    Erase(&SetVariable3),          // 29 sustain time
    Erase(&SetVariable4),          // 30 sustain punch
    Erase(&SetVariable5),          // 31 decay time
    Erase(&SetVariable6),          // 32 start frequency
    Erase(&SetVariable7),          // 33 minimum frequency
    Erase(&SetVariable8),          // 34 slide
    Erase(&SetVariable9),          // 35 delta slide
    Erase(&SetVariable10),         // 36 vibrato depth
    Erase(&SetVariable11),         // 37 vibrato speed
    Erase(&SetVariable12),         // 38 change amount
    Erase(&SetVariable13),         // 39 change speed
    Erase(&SetVariable14),         // 40 square duty
    Erase(&SetVariable15),         // 41 duty sweep
    Erase(&SetVariable16),         // 42 repeat speed
    Erase(&SetVariable17),         // 43 phaser offset
    Erase(&SetVariable18),         // 44 phaser sweep
    Erase(&SetVariable19),         // 45 low-pass cutoff
    Erase(&SetVariable20),         // 46 low-pass cutoff sweep
    Erase(&SetVariable21),         // 47 low-pass resonance
    Erase(&SetVariable22),         // 48 high-pass cutoff
    Erase(&SetVariable23),         // 49 high-pass cutoff sweep
    Erase(&SetVariable0),          // 50 sound volume
    Erase(&LoadSfxFile),           // 51
    Erase(&SaveSfxFile),           // 52
    Erase(&SaveToFile),            // 53
    Erase(&PlayWith),              // 54
    Erase(&SetVariableByIndex),    // 55
    Erase(&LoadVariablesFromCsv),  // 56
    Erase(&PlayWithRepeat),        // 57
    // Expressions 0 to 37.
    Erase(&NewestSound),        // 0
    Erase(&SoundName),          // 1
    Erase(&SoundIndex),         // 2
    Erase(&PlayedSoundName),    // 3
    Erase(&WaveType),           // 4
    Erase(&GetVariable0),       // 5 sound volume
    Erase(&GetVariable2),       // 6 attack time
    Erase(&GetVariable3),       // 7 sustain time
    Erase(&GetVariable4),       // 8 sustain punch
    Erase(&GetVariable5),       // 9 decay time
    Erase(&GetVariable6),       // 10 start frequency
    Erase(&GenWave),            // 11
    Erase(&GenLength),          // 12
    Erase(&GetVariable7),       // 13 minimum frequency
    Erase(&GetVariable8),       // 14 slide
    Erase(&GetVariable9),       // 15 delta slide
    Erase(&GetVariable14),      // 16 square duty
    Erase(&GetVariable15),      // 17 duty sweep
    Erase(&GetVariable10),      // 18 vibrato depth
    Erase(&GetVariable11),      // 19 vibrato speed
    Erase(&GetVariable12),      // 20 change amount
    Erase(&GetVariable13),      // 21 change speed
    Erase(&GetVariable16),      // 22 repeat speed
    Erase(&GetVariable17),      // 23 phaser offset
    Erase(&GetVariable18),      // 24 phaser sweep
    Erase(&GetVariable19),      // 25 low-pass cutoff
    Erase(&GetVariable20),      // 26 low-pass cutoff sweep
    Erase(&GetVariable21),      // 27 low-pass resonance
    Erase(&GetVariable22),      // 28 high-pass cutoff
    Erase(&GetVariable23),      // 29 high-pass cutoff sweep
    Erase(&PlayedChannel),      // 30
    Erase(&PlayedSound),        // 31
    Erase(&Variable),           // 32
    Erase(&CsvText),            // 33
    Erase(&SoundOriginalFreq),  // 34
    Erase(&CountSounds),        // 35
    Erase(&SoundAddress),       // 36
    Erase(&SoundSize),          // 37
};

// Registers every entry while the module is being loaded, before the entry
// point runs.
struct ModuleRegistration {
  ModuleRegistration() { RegisterModuleEntries(kModuleRoutines); }
} g_registration;

}  // namespace
}  // namespace zu
