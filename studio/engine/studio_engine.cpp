// The generator as the Studio page calls it: plain C functions over one
// parameter block and the random source, exchanged with JavaScript as 32-bit
// words so that every value crosses bit for bit (a NaN keeps its sign and
// payload; JavaScript numbers are never involved).
//
// Block layout (kBlockWords words): variables 0 to 23 as their bit patterns
// (variable 1, the wave type, as a signed integer), then vibDelay's bits,
// then filterFlag.

#include <cstdint>
#include <cstring>
#include <string>

#include "fileio/safe_file.h"
#include "generator/csv_text.h"
#include "generator/param_file.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/variables.h"
#include "generator/wave_render.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define ZU_EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define ZU_EXPORT extern "C"
#endif

namespace {

constexpr int kBlockWords = zu::kVariableCount + 2;

uint32_t block[kBlockWords];
// Constructed before the page's first call (its construction draws 32 values,
// which must not fall between a call that sets the random state and the next).
zu::SoundGenerator generator;
zu::SoundGenerator& Generator() { return generator; }
std::string text;
uint8_t sfsImage[zu::kParamFileBytes102];
uint8_t waveImage[zu::kWaveHeaderBytes + zu::kMaxBufferLength * zu::kWaveBytesPerUnit];
uint32_t waveBytes = 0;

uint32_t Bits(float v) {
  uint32_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

float FromBits(uint32_t b) {
  float v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}

// Exchange area -> generator.
void Load() {
  zu::GeneratorParams& p = Generator().params;
  for (int i = 0; i < zu::kVariableCount; ++i) {
    if (i == 1) {
      p.waveType = static_cast<int32_t>(block[i]);
    } else {
      zu::SetVariableBits(p, i, block[i]);
    }
  }
  p.vibDelay = FromBits(block[zu::kVariableCount]);
  p.filterFlag = static_cast<uint8_t>(block[zu::kVariableCount + 1]);
}

// Generator -> exchange area.
void Store() {
  zu::GeneratorParams& p = Generator().params;
  for (int i = 0; i < zu::kVariableCount; ++i) {
    block[i] = i == 1 ? static_cast<uint32_t>(p.waveType) : zu::GetVariableBits(p, i);
  }
  block[zu::kVariableCount] = Bits(p.vibDelay);
  block[zu::kVariableCount + 1] = p.filterFlag;
}

}  // namespace

/// The exchange area of kBlockWords words.
ZU_EXPORT uint32_t* zu_block() { return block; }
ZU_EXPORT int zu_block_words() { return kBlockWords; }

/// The random source's state, read and set (SeedRand).
ZU_EXPORT uint32_t zu_rand_state() { return zu::RandState(); }
ZU_EXPORT void zu_set_rand_state(uint32_t state) { zu::SeedRand(state); }
/// "Set random seed to %0": 0 seeds with the current time.
ZU_EXPORT void zu_seed(uint32_t value) { zu::SeedRandom(value); }

/// The sound-design operations on the block in the exchange area.
ZU_EXPORT void zu_reset() {
  Load();
  Generator().ResetParameters();
  Store();
}
ZU_EXPORT void zu_preset(uint32_t index) {
  Load();
  Generator().LoadPreset(index);
  Store();
}
ZU_EXPORT void zu_randomize() {
  Load();
  Generator().Randomize();
  Store();
}
ZU_EXPORT void zu_mutate() {
  Load();
  Generator().Mutate();
  Store();
}

/// The block's CSV text (a zero-terminated string owned by the engine).
ZU_EXPORT const char* zu_csv_format() {
  Load();
  text = zu::FormatVariablesAsCsv(Generator().params);
  return text.c_str();
}

/// Checks a CSV text field by field as "Load variables from CSV string %0"
/// reads it (the first 24 fields; any more are ignored): -1 when each is
/// empty or one whole number (white space around it allowed), otherwise the
/// index of the first that is not.
ZU_EXPORT int zu_csv_check(const char* csv) {
  const char* field = csv;
  for (int i = 0; i < zu::kVariableCount; ++i) {
    const char* end = field;
    zu::ParseDecimal(field, &end);
    const bool number = end != field;
    while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n') ++end;
    const bool empty = *field == ',' || *field == '\0';
    if (!empty && (!number || (*end != ',' && *end != '\0'))) return i;
    while (*field != ',' && *field != '\0') ++field;
    if (*field == '\0') break;
    ++field;
  }
  return -1;
}

/// "Load variables from CSV string %0" on the block.
ZU_EXPORT void zu_csv_load(const char* csv) {
  Load();
  zu::LoadVariablesFromCsv(Generator().params, csv);
  Store();
}

/// The block as a version-102 .sfs image (105 bytes owned by the engine).
ZU_EXPORT const uint8_t* zu_sfs_encode() {
  Load();
  zu::EncodeParams(Generator().params, sfsImage);
  return sfsImage;
}

/// Loads an .sfs image over the block; 0 when it is not a whole file of
/// version 100, 101 or 102 (the block is then unchanged).
ZU_EXPORT int zu_sfs_load(const uint8_t* data, uint32_t size) {
  Load();
  const bool ok = zu::LoadParamsFromBytes(Generator().params, data, size);
  Store();
  return ok ? 1 : 0;
}

/// Why an image is no .sfs file the reader takes, naming the file (as
/// zider-sfx words it); an empty text when it loads.
ZU_EXPORT const char* zu_sfs_error(const uint8_t* data, uint32_t size, const char* name) {
  text = zu::ParamImageError(data, size, zu::PrintableName(name));
  return text.c_str();
}

/// "Generate sound" with a buffer of the given "Buffer length": returns the
/// RIFF/WAVE image; zu_wave_size() tells its length (44 + sample bytes).
ZU_EXPORT const uint8_t* zu_render(uint32_t bufferLength) {
  Load();
  const uint32_t capacity = zu::WaveCapacityFor(bufferLength);
  waveBytes = zu::kWaveHeaderBytes + zu::RenderToWaveBuffer(Generator(), waveImage, capacity);
  return waveImage;
}
ZU_EXPORT uint32_t zu_wave_size() { return waveBytes; }
/// 1 when the last render filled its buffer before the sound ended (it was cut).
ZU_EXPORT int zu_render_cut() { return Generator().state.playing != 0 ? 1 : 0; }

/// Working memory for the page's texts and files (freed with zu_free).
ZU_EXPORT void* zu_alloc(uint32_t size) { return new uint8_t[size + 1](); }
ZU_EXPORT void zu_free(void* p) { delete[] static_cast<uint8_t*>(p); }
