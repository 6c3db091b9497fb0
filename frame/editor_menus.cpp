#include "frame/editor_menus.h"

namespace zu {
namespace {

constexpr int kOpen = kMenuOpenPopup;
constexpr int kClose = kMenuClosePopup;
constexpr int kSep = kMenuSeparator;

// Item ids are the descriptor menu ids: 26000 + 10 x condition code.
const MenuOp kConditionOps[] = {
    {26000, "Sound added"},
    {26010, "Sound generated"},
    {26060, "Sound looped"},
    {26050, "Sound played"},
    {kSep, ""},
    {26020, "Is sound playing?"},
    {26030, "Is sound paused?"},
    {26040, "Does sound exist?"},
};

// 25000 + 10 x action code. "Delete sound with index" has no item.
const MenuOp kActionOps[] = {
    {kOpen, "Manager"},
    {25190, "Add from file"},
    {25210, "Add from memory"},
    {25020, "Add generated sound"},
    {kSep, ""},
    {25170, "Delete"},
    {kSep, ""},
    {25530, "Save to file"},
    {kClose, ""},

    {kOpen, "Playback"},
    {25010, "Play"},
    {25000, "Play and loop"},
    {kOpen, "With parameters"},
    {25540, "Play"},
    {25570, "Play and loop"},
    {kClose, ""},
    {kSep, ""},
    {25230, "Resume"},
    {25220, "Pause"},
    {kSep, ""},
    {25240, "Stop"},
    {kSep, ""},
    {25270, "Set volume"},
    {25280, "Set pan"},
    {25250, "Set position"},
    {25260, "Set frequency"},
    {kClose, ""},

    {kOpen, "Generator"},
    {kOpen, "Variables"},
    {25500, "Sound volume"},
    {25140, "Wave type"},
    {kOpen, "Timing"},
    {25150, "Attack time"},
    {25290, "Sustain time"},
    {25300, "Sustain punch"},
    {25310, "Decay time"},
    {kClose, ""},
    {kOpen, "Frequency"},
    {25320, "Start frequency"},
    {25330, "Minimum frequency"},
    {kSep, ""},
    {25340, "Slide"},
    {25350, "Delta slide"},
    {kSep, ""},
    {25360, "Vibrato depth"},
    {25370, "Vibrato speed"},
    {kSep, ""},
    {25380, "Change amount"},
    {25390, "Change speed"},
    {kClose, ""},
    {kOpen, "Square wave"},
    {25400, "Square duty"},
    {25410, "Duty sweep"},
    {kClose, ""},
    {25420, "Repeat speed"},
    {kOpen, "Phaser"},
    {25430, "Offset"},
    {25440, "Sweep"},
    {kClose, ""},
    {kOpen, "Low pass filter"},
    {25450, "Cutoff"},
    {25460, "Cutoff sweep"},
    {25470, "Resonance"},
    {kClose, ""},
    {kOpen, "High pass filter"},
    {25480, "Cutoff"},
    {25490, "Cutoff sweep"},
    {kClose, ""},
    {kSep, ""},
    {25550, "Set by index"},
    {25560, "Load CSV string"},
    {kSep, ""},
    {25510, "Load SFX sample"},
    {25520, "Save SFX sample"},
    {kClose, ""},  // Variables
    {kOpen, "Presets"},
    {25040, "Pickup/coin"},
    {25050, "Laser/shoot"},
    {25060, "Explosion"},
    {25070, "Powerup"},
    {25080, "Hit/hurt"},
    {25090, "Jump"},
    {25100, "Blip/select"},
    {kSep, ""},
    {25120, "By index"},
    {kClose, ""},
    {kSep, ""},
    {25110, "Mutate"},
    {25030, "Randomize"},
    {25130, "Reset"},
    {25180, "Set seed"},
    {kSep, ""},
    {25160, "Generate"},
    {kClose, ""},  // Generator
    {kSep, ""},
};

// 27000 + 10 x expression code.
const MenuOp kExpressionOps[] = {
    {kOpen, "Sounds"},
    {kOpen, "Added"},
    {27000, "Index"},
    {kClose, ""},
    {kOpen, "Played/looped"},
    {27310, "Index"},
    {27030, "Name"},
    {27300, "Channel"},
    {kClose, ""},
    {kSep, ""},
    {27360, "Memory address"},
    {27370, "Memory size"},
    {27340, "Original frequency"},
    {kSep, ""},
    {27010, "Name from index"},
    {27020, "Index from name"},
    {kSep, ""},
    {27350, "Count"},
    {kClose, ""},  // Sounds

    {kOpen, "Generator"},
    {kOpen, "Variables"},
    {27050, "Sound volume"},
    {27040, "Wave type"},
    {kOpen, "Timing"},
    {27060, "Attack time"},
    {27070, "Sustain time"},
    {27080, "Sustain punch"},
    {27090, "Decay time"},
    {kClose, ""},
    {kOpen, "Frequency"},
    {27100, "Start frequency"},
    {27130, "Minimum frequency"},
    {kSep, ""},
    {27140, "Slide"},
    {27150, "Delta slide"},
    {kSep, ""},
    {27180, "Vibrato depth"},
    {27190, "Vibrato speed"},
    {kSep, ""},
    {27200, "Change amount"},
    {27210, "Change speed"},
    {kClose, ""},
    {kOpen, "Square wave"},
    {27160, "Square duty"},
    {27170, "Duty sweep"},
    {kClose, ""},
    {27220, "Repeat speed"},
    {kOpen, "Phaser"},
    {27230, "Offset"},
    {27240, "Sweep"},
    {kClose, ""},
    {kOpen, "Low pass filter"},
    {27250, "Cutoff"},
    {27260, "Cutoff sweep"},
    {27270, "Resonance"},
    {kClose, ""},
    {kOpen, "High pass filter"},
    {27280, "Cutoff"},
    {27290, "Cutoff sweep"},
    {kClose, ""},
    {kSep, ""},
    {27320, "By index"},
    {27330, "CSV string"},
    {kClose, ""},  // Variables
    {kSep, ""},
    {27110, "Generated data"},
    {27120, "Generated length"},
    {kClose, ""},  // Generator
    {kSep, ""},
};

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
