// Routines of the sound generator: presets, randomize, mutate, seed, reset,
// rendering, variables, comma-separated text and the parameter file.
#include <cstring>
#include <new>
#include <string>

#include "frame/win/host_runtime.h"
#include "frame/win/routines.h"
#include "generator/csv_text.h"
#include "generator/param_file_io.h"
#include "generator/presets.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/variables.h"
#include "generator/wave_render.h"

namespace zu {
namespace routines {

namespace {

constexpr int32_t kEventSoundGenerated = 1;

int32_t Preset(RunData* rd, uint32_t index) {
  if (rd->generator != nullptr) rd->generator->LoadPreset(index);
  return 0;
}

}  // namespace

// Fetches the float through the action parameter callback (always, so the
// host's parameter sequence is consumed) and stores it in variable index.
// Values travel as bit patterns from the host's callback to the block and
// back, so that every float, signalling NaNs included, keeps its bits.
int32_t SetFloatVariable(RunData* rd, int index) {
  const uint32_t bits = FetchActionFloatBits(rd);
  if (rd->generator != nullptr) SetVariableBits(rd->generator->params, index, bits);
  return 0;
}

int32_t GetFloatVariable(RunData* rd, int index) {
  ParamReader fallback(rd);
  ReaderFor(rd, fallback);
  return ReturnFloatBits(rd, rd->generator ? GetVariableBits(rd->generator->params, index) : 0);
}

// --- Actions -------------------------------------------------------------------

ZU_ACTION(RandomizeSound) {
  if (rd->generator != nullptr) rd->generator->Randomize();
  return 0;
}
ZU_ACTION(CreatePickup) { return Preset(rd, 0); }
ZU_ACTION(CreateLaser) { return Preset(rd, 1); }
ZU_ACTION(CreateExplosion) { return Preset(rd, 2); }
ZU_ACTION(CreatePowerup) { return Preset(rd, 3); }
ZU_ACTION(CreateHit) { return Preset(rd, 4); }
ZU_ACTION(CreateJump) { return Preset(rd, 5); }
ZU_ACTION(CreateBlip) { return Preset(rd, 6); }

ZU_ACTION(MutateSound) {
  if (rd->generator != nullptr) rd->generator->Mutate();
  return 0;
}

ZU_ACTION(LoadPreset) {
  // Range test here: a negative number is a large unsigned one and changes nothing.
  if (static_cast<uint32_t>(p1) < kPresetCount) Preset(rd, static_cast<uint32_t>(p1));
  return 0;
}

ZU_ACTION(ResetGenerator) {
  if (rd->generator != nullptr) rd->generator->ResetParameters();
  return 0;
}

ZU_ACTION(SetWaveType) {
  if (rd->generator != nullptr) rd->generator->params.waveType = p1;
  return 0;
}

ZU_ACTION(GenerateSound) {
  if (rd->waveBuffer == nullptr || rd->generator == nullptr) return 0;
  rd->generatedBytes = RenderToWaveBuffer(*rd->generator, rd->waveBuffer, rd->waveCapacity);
  // Raised last: samples, header and length are complete for the event's rules.
  PushEvent(rd, kEventSoundGenerated);
  return 0;
}

ZU_ACTION(SetRandomSeed) {
  SeedRandom(static_cast<uint32_t>(p1));
  return 0;
}

ZU_ACTION(SetVariableByIndex) {
  // Both fetched, in order, before any test.
  const int32_t index = FetchActionInt(rd);
  const uint32_t bits = FetchActionFloatBits(rd);
  if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kVariableCount)) return 0;
  if (rd->generator != nullptr) SetVariableBits(rd->generator->params, index, bits);
  return 0;
}

ZU_ACTION(LoadVariablesFromCsv) {
  const char* text = FetchActionString(rd);
  if (rd->generator != nullptr) zu::LoadVariablesFromCsv(rd->generator->params, text);
  return 0;
}

ZU_ACTION(LoadSfxFile) {
  const char* path = TextArg(p1);
  if (rd->generator != nullptr && path != nullptr) LoadParameterFile(rd->generator->params, path);
  return 0;
}

ZU_ACTION(SaveSfxFile) {
  const char* path = TextArg(p1);
  if (rd->generator != nullptr && path != nullptr) SaveParameterFile(rd->generator->params, path);
  return 0;
}

// --- Expressions ---------------------------------------------------------------

ZU_EXPRESSION(WaveType) {
  ParamReader fallback(rd);
  ReaderFor(rd, fallback);
  return rd->generator ? rd->generator->params.waveType : 0;
}

ZU_EXPRESSION(GenWave) {
  ParamReader fallback(rd);
  const int32_t offset = ReaderFor(rd, fallback).Fetch(ExpressionToken(param), kExprParamInt);
  float value = 0.0f;
  const uint32_t index = static_cast<uint32_t>(offset);
  if (rd->waveBuffer != nullptr && index < rd->generatedBytes / 2) {
    int16_t sample;
    std::memcpy(&sample, rd->waveBuffer + kWaveHeaderBytes + 2 * index, sizeof(sample));
    value = static_cast<float>(sample / 32000.0);
  }
  return ReturnFloat(rd, value);
}

ZU_EXPRESSION(GenLength) {
  ParamReader fallback(rd);
  ReaderFor(rd, fallback);
  return static_cast<int32_t>(rd->generatedBytes / 2);
}

ZU_EXPRESSION(Variable) {
  ParamReader fallback(rd);
  const int32_t index = ReaderFor(rd, fallback).Fetch(ExpressionToken(param), kExprParamInt);
  if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kVariableCount)) return 0;
  if (index == 1) return rd->generator ? rd->generator->params.waveType : 0;
  return ReturnFloatBits(rd, rd->generator ? GetVariableBits(rd->generator->params, index) : 0);
}

ZU_EXPRESSION(CsvText) {
  ParamReader fallback(rd);
  ReaderFor(rd, fallback);
  if (rd->generator == nullptr) return ReturnEmptyString(rd);
  try {
    const std::string text = FormatVariablesAsCsv(rd->generator->params);
    return ReturnString(rd, text.c_str());
  } catch (...) {  // no memory for the text: nothing may leave towards the host
    return ReturnEmptyString(rd);
  }
}

}  // namespace routines
}  // namespace zu
