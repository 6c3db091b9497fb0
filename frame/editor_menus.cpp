// Where each entry's item sits in the three editor menus. An item is named by
// its entry; its command id (the entry's menu id) and its text come from the
// entry's row in frame/ace_entries.inc.
#include "frame/editor_menus.h"

#include "frame/ace_table.h"

namespace zu {
namespace {

template <typename Code>
constexpr MenuOp Item(Code code) {
  const AceEntryDesc& entry = AceEntry(code);
  return MenuOp{MenuIdOf(entry.kind, entry.code), entry.menuLabel};
}
constexpr MenuOp Popup(const char* name) { return MenuOp{kMenuOpenPopup, name}; }
constexpr MenuOp kEndPopup{kMenuClosePopup, ""};
constexpr MenuOp kSeparator{kMenuSeparator, ""};

constexpr MenuOp kConditionOps[] = {
    Item(condition::kSoundAdded),
    Item(condition::kSoundGenerated),
    Item(condition::kSoundLooped),
    Item(condition::kSoundPlayed),
    kSeparator,
    Item(condition::kSoundPlaying),
    Item(condition::kSoundPaused),
    Item(condition::kSoundExists),
};

// "Delete sound with index %0" has no item.
constexpr MenuOp kActionOps[] = {
    Popup("Manager"),
    Item(action::kAddFromFile),
    Item(action::kAddFromMemory),
    Item(action::kAddGenerated),
    kSeparator,
    Item(action::kDeleteByName),
    kSeparator,
    Item(action::kSaveToFile),
    kEndPopup,

    Popup("Playback"),
    Item(action::kPlay),
    Item(action::kPlayRepeat),
    Popup("With parameters"),
    Item(action::kPlayWith),
    Item(action::kPlayWithRepeat),
    kEndPopup,
    kSeparator,
    Item(action::kResume),
    Item(action::kPause),
    kSeparator,
    Item(action::kStop),
    kSeparator,
    Item(action::kSetVolume),
    Item(action::kSetPan),
    Item(action::kSetPosition),
    Item(action::kSetFrequency),
    kEndPopup,

    Popup("Generator"),
    Popup("Variables"),
    Item(action::kSetSoundVolume),
    Item(action::kSetWaveType),
    Popup("Timing"),
    Item(action::kSetAttackTime),
    Item(action::kSetSustainTime),
    Item(action::kSetSustainPunch),
    Item(action::kSetDecayTime),
    kEndPopup,
    Popup("Frequency"),
    Item(action::kSetStartFrequency),
    Item(action::kSetMinFrequency),
    kSeparator,
    Item(action::kSetSlide),
    Item(action::kSetDeltaSlide),
    kSeparator,
    Item(action::kSetVibratoDepth),
    Item(action::kSetVibratoSpeed),
    kSeparator,
    Item(action::kSetChangeAmount),
    Item(action::kSetChangeSpeed),
    kEndPopup,
    Popup("Square wave"),
    Item(action::kSetSquareDuty),
    Item(action::kSetDutySweep),
    kEndPopup,
    Item(action::kSetRepeatSpeed),
    Popup("Phaser"),
    Item(action::kSetPhaserOffset),
    Item(action::kSetPhaserSweep),
    kEndPopup,
    Popup("Low pass filter"),
    Item(action::kSetLpCutoff),
    Item(action::kSetLpCutoffSweep),
    Item(action::kSetLpResonance),
    kEndPopup,
    Popup("High pass filter"),
    Item(action::kSetHpCutoff),
    Item(action::kSetHpCutoffSweep),
    kEndPopup,
    kSeparator,
    Item(action::kSetVariableByIndex),
    Item(action::kLoadVariablesFromCsv),
    kSeparator,
    Item(action::kLoadSfxFile),
    Item(action::kSaveSfxFile),
    kEndPopup,  // Variables
    Popup("Presets"),
    Item(action::kCreatePickup),
    Item(action::kCreateLaser),
    Item(action::kCreateExplosion),
    Item(action::kCreatePowerup),
    Item(action::kCreateHit),
    Item(action::kCreateJump),
    Item(action::kCreateBlip),
    kSeparator,
    Item(action::kLoadPreset),
    kEndPopup,
    kSeparator,
    Item(action::kMutate),
    Item(action::kRandomize),
    Item(action::kReset),
    Item(action::kSetSeed),
    kSeparator,
    Item(action::kGenerate),
    kEndPopup,  // Generator
    kSeparator,
};

constexpr MenuOp kExpressionOps[] = {
    Popup("Sounds"),
    Popup("Added"),
    Item(expression::kNewestSound),
    kEndPopup,
    Popup("Played/looped"),
    Item(expression::kPlayedSound),
    Item(expression::kPlayedSoundName),
    Item(expression::kPlayedChannel),
    kEndPopup,
    kSeparator,
    Item(expression::kSoundAddress),
    Item(expression::kSoundSize),
    Item(expression::kSoundOriginalFreq),
    kSeparator,
    Item(expression::kSoundName),
    Item(expression::kSoundIndex),
    kSeparator,
    Item(expression::kCountSounds),
    kEndPopup,  // Sounds

    Popup("Generator"),
    Popup("Variables"),
    Item(expression::kSoundVolume),
    Item(expression::kWaveType),
    Popup("Timing"),
    Item(expression::kAttackTime),
    Item(expression::kSustainTime),
    Item(expression::kSustainPunch),
    Item(expression::kDecayTime),
    kEndPopup,
    Popup("Frequency"),
    Item(expression::kStartFreq),
    Item(expression::kMinFreq),
    kSeparator,
    Item(expression::kSlide),
    Item(expression::kDeltaSlide),
    kSeparator,
    Item(expression::kVibDepth),
    Item(expression::kVibSpeed),
    kSeparator,
    Item(expression::kChangeAmount),
    Item(expression::kChangeSpeed),
    kEndPopup,
    Popup("Square wave"),
    Item(expression::kSquareDuty),
    Item(expression::kDutySweep),
    kEndPopup,
    Item(expression::kRepeatSpeed),
    Popup("Phaser"),
    Item(expression::kPhaserOffset),
    Item(expression::kPhaserSweep),
    kEndPopup,
    Popup("Low pass filter"),
    Item(expression::kLpCutoff),
    Item(expression::kLpCutoffSweep),
    Item(expression::kLpResonance),
    kEndPopup,
    Popup("High pass filter"),
    Item(expression::kHpCutoff),
    Item(expression::kHpCutoffSweep),
    kEndPopup,
    kSeparator,
    Item(expression::kVariable),
    Item(expression::kCsvText),
    kEndPopup,  // Variables
    kSeparator,
    Item(expression::kGenWave),
    Item(expression::kGenLength),
    kEndPopup,  // Generator
    kSeparator,
};

// Every entry of the kind whose row names a menu item has exactly one item,
// the others none, and every popup is closed: a row or a layout that
// disagrees does not compile.
template <size_t N>
constexpr bool MatchesRows(const MenuOp (&ops)[N], AceKind kind) {
  int open = 0;
  for (const MenuOp& op : ops) {
    open += op.id == kMenuOpenPopup ? 1 : op.id == kMenuClosePopup ? -1 : 0;
    if (open < 0) return false;
  }
  if (open != 0) return false;
  for (const AceEntryDesc& entry : kAceTable) {
    if (entry.kind != kind) continue;
    int items = 0;
    for (const MenuOp& op : ops) items += op.id == MenuIdOf(kind, entry.code) ? 1 : 0;
    if (items != (entry.menuLabel[0] != '\0' ? 1 : 0)) return false;
  }
  return true;
}
static_assert(MatchesRows(kConditionOps, AceKind::kCondition), "condition menu and rows differ");
static_assert(MatchesRows(kActionOps, AceKind::kAction), "action menu and rows differ");
static_assert(MatchesRows(kExpressionOps, AceKind::kExpression), "expression menu and rows differ");

template <size_t N>
MenuOps OpsOf(const MenuOp (&ops)[N]) {
  return MenuOps{ops, N};
}

}  // namespace

MenuOps MenuOpsFor(int menuResource) {
  switch (menuResource) {
    case kConditionMenuResource:
      return OpsOf(kConditionOps);
    case kActionMenuResource:
      return OpsOf(kActionOps);
    case kExpressionMenuResource:
      return OpsOf(kExpressionOps);
    default:
      return MenuOps{nullptr, 0};
  }
}

}  // namespace zu
