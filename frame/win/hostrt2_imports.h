#pragma once
// The host runtime library's 27 sound operations as the module imports them:
// one plain function each, named Hs<Name>, bound by ordinal through the
// import library that frame/win/hostrt2_def.cmake makes from the same list.
// The stand-in library the tests load defines the same functions.

#include <cstdint>

#include "sound/host_sound.h"

#define ZU_HOST_SOUND_OP(ordinal, Name, Result, params, args) \
  extern "C" Result __stdcall Hs##Name params;
namespace zu {
#include "sound/host_sound_ops.inc"
}  // namespace zu
#undef ZU_HOST_SOUND_OP
