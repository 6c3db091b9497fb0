#pragma once
// The seven presets in one table: the tool's name for each, the display text
// and menu item of the action that loads it, and the function that draws its
// parameters. The generator, the object's actions, `zider-sfx` and (through
// `zu-guide-export --presets`) the Studio page all read this table.

#include <cstdint>

#include "generator/generator_params.h"

namespace zu {

/// Draws one preset's parameters over a reset block, in its fixed draw order.
using PresetFill = void (*)(GeneratorParams&);

void PickupCoin(GeneratorParams& p);
void LaserShoot(GeneratorParams& p);
void Explosion(GeneratorParams& p);
void Powerup(GeneratorParams& p);
void HitHurt(GeneratorParams& p);
void Jump(GeneratorParams& p);
void BlipSelect(GeneratorParams& p);

/// One preset.
struct PresetDesc {
  const char* name;        ///< the tool's short name, e.g. "explosion"
  const char* actionText;  ///< the action's display text, e.g. "Create explosion"
  const char* menuLabel;   ///< the action's item in the editor menu, e.g. "Explosion"
  PresetFill fill;         ///< the preset's draws
};

/// The presets by index (0 to 6, the index of "Load preset %0").
inline constexpr PresetDesc kPresets[] = {
    {"coin", "Create pickup/coin", "Pickup/coin", PickupCoin},
    {"laser", "Create laser/shoot", "Laser/shoot", LaserShoot},
    {"explosion", "Create explosion", "Explosion", Explosion},
    {"powerup", "Create powerup", "Powerup", Powerup},
    {"hurt", "Create hit/hurt", "Hit/hurt", HitHurt},
    {"jump", "Create jump", "Jump", Jump},
    {"blip", "Create blip/select", "Blip/select", BlipSelect},
};

/// How many presets there are (7).
inline constexpr uint32_t kPresetCount = sizeof kPresets / sizeof kPresets[0];

}  // namespace zu
