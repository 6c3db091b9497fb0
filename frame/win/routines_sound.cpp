// Routines of the sound bank, channel playback and channel monitor: each
// fetches its parameters the way the host hands them over and runs the
// sound logic against the host runtime library.
#include <cstdint>

#include "frame/win/host_runtime.h"
#include "frame/win/hostrt2_sound.h"
#include "frame/win/routines.h"
#include "sound/channel_monitor.h"
#include "sound/channel_playback.h"
#include "sound/sound_bank.h"

namespace zu {
namespace routines {

namespace {

int32_t AddressValue(const void* p) { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(p)); }

// Fetches an expression's one string parameter through the reader.
const char* FetchExpressionText(RunData* rd, int32_t param) {
  ParamReader fallback(rd);
  const int32_t value = ReaderFor(rd, fallback).Fetch(ExpressionToken(param), kExprParamString);
  return TextArg(value);
}

// Volume, pan, position and frequency of the two play forms that take them,
// fetched one statement each so the host sees them asked for in this order.
struct PlaySettings {
  int32_t volume;
  int32_t pan;
  int32_t position;
  int32_t frequency;
};

PlaySettings FetchPlaySettings(RunData* rd) {
  PlaySettings with;
  with.volume = FetchActionInt(rd);
  with.pan = FetchActionInt(rd);
  with.position = FetchActionInt(rd);
  with.frequency = FetchActionInt(rd);
  return with;
}

void StartReader(RunData* rd) {
  ParamReader fallback(rd);
  ReaderFor(rd, fallback);
}

}  // namespace

// --- Conditions ----------------------------------------------------------------

// The events the object raises itself are true whenever the host asks.
ZU_CONDITION(RaisedEvent) { return 1; }

ZU_CONDITION(IsSoundPlaying) {
  RunSoundContext run(rd);
  return SoundIsPlaying(run.ctx, TextArg(p1)) ? 1 : 0;
}

ZU_CONDITION(IsSoundPaused) {
  RunSoundContext run(rd);
  return SoundIsPaused(run.ctx, TextArg(p1)) ? 1 : 0;
}

ZU_CONDITION(DoesSoundExist) {
  RunSoundContext run(rd);
  return SoundExists(run.ctx, TextArg(p1)) ? 1 : 0;
}

// --- Play actions: every parameter through the action parameter callback ---------

ZU_ACTION(PlayRepeat) {
  const char* name = FetchActionString(rd);
  const uint32_t channel = static_cast<uint32_t>(FetchActionInt(rd));
  const int32_t repeat = FetchActionInt(rd);
  RunSoundContext run(rd);
  PlaySoundRepeat(run.ctx, name, channel, repeat);
  return 0;
}

ZU_ACTION(Play) {
  const char* name = FetchActionString(rd);
  const uint32_t channel = static_cast<uint32_t>(FetchActionInt(rd));
  RunSoundContext run(rd);
  PlaySound(run.ctx, name, channel);
  return 0;
}

ZU_ACTION(PlayWith) {
  const char* name = FetchActionString(rd);
  const uint32_t channel = static_cast<uint32_t>(FetchActionInt(rd));
  const PlaySettings with = FetchPlaySettings(rd);
  RunSoundContext run(rd);
  PlaySoundWith(run.ctx, name, channel, with.volume, with.pan, with.position, with.frequency);
  return 0;
}

ZU_ACTION(PlayWithRepeat) {
  const char* name = FetchActionString(rd);
  const uint32_t channel = static_cast<uint32_t>(FetchActionInt(rd));
  const PlaySettings with = FetchPlaySettings(rd);
  const int32_t repeat = FetchActionInt(rd);
  RunSoundContext run(rd);
  PlaySoundWithRepeat(run.ctx, name, channel, with.volume, with.pan, with.position, with.frequency,
                      repeat);
  return 0;
}

// --- Bank actions ----------------------------------------------------------------

ZU_ACTION(AddGenerated) {
  if (rd->waveBuffer == nullptr) return 0;
  RunSoundContext run(rd);
  AddGeneratedSound(run.ctx, TextArg(p1), rd->waveBuffer, rd->generatedBytes);
  return 0;
}

ZU_ACTION(DeleteByName) {
  RunSoundContext run(rd);
  DeleteSound(run.ctx, TextArg(p1));
  return 0;
}

ZU_ACTION(AddFromFile) {
  RunSoundContext run(rd);
  AddSoundFromFile(run.ctx, TextArg(p1), TextArg(p2));
  return 0;
}

ZU_ACTION(DeleteByIndex) {
  RunSoundContext run(rd);
  DeleteSoundByHandle(run.ctx, static_cast<uint32_t>(p1));
  return 0;
}

ZU_ACTION(AddFromMemory) {
  const char* name = FetchActionString(rd);
  const uint32_t address = static_cast<uint32_t>(FetchActionInt(rd));
  const uint32_t size = static_cast<uint32_t>(FetchActionInt(rd));
  RunSoundContext run(rd);
  AddSoundFromMemory(run.ctx, name, reinterpret_cast<const void*>(address), size);
  return 0;
}

ZU_ACTION(SaveToFile) {
  RunSoundContext run(rd);
  SaveSound(run.ctx, TextArg(p1), TextArg(p2));
  return 0;
}

// --- Control actions: name and value from the call --------------------------------

ZU_ACTION(Pause) {
  RunSoundContext run(rd);
  PauseSound(run.ctx, TextArg(p1));
  return 0;
}

ZU_ACTION(Resume) {
  RunSoundContext run(rd);
  ResumeSound(run.ctx, TextArg(p1));
  return 0;
}

ZU_ACTION(Stop) {
  RunSoundContext run(rd);
  StopSound(run.ctx, TextArg(p1));
  return 0;
}

ZU_ACTION(SetPosition) {
  RunSoundContext run(rd);
  SetSoundPosition(run.ctx, TextArg(p1), p2);
  return 0;
}

ZU_ACTION(SetFrequency) {
  RunSoundContext run(rd);
  SetSoundFrequency(run.ctx, TextArg(p1), p2);
  return 0;
}

ZU_ACTION(SetVolume) {
  RunSoundContext run(rd);
  SetSoundVolume(run.ctx, TextArg(p1), p2);
  return 0;
}

ZU_ACTION(SetPan) {
  RunSoundContext run(rd);
  SetSoundPan(run.ctx, TextArg(p1), p2);
  return 0;
}

// --- Expressions -------------------------------------------------------------------

ZU_EXPRESSION(NewestSound) {
  StartReader(rd);
  RunSoundContext run(rd);
  return zu::NewestSound(run.ctx);
}

ZU_EXPRESSION(SoundName) {
  ParamReader fallback(rd);
  const int32_t index = ReaderFor(rd, fallback).Fetch(ExpressionToken(param), kExprParamInt);
  RunSoundContext run(rd);
  char name[kNameBufferSize];
  if (!zu::SoundName(run.ctx, index, name)) return ReturnEmptyString(rd);
  return ReturnString(rd, name);
}

ZU_EXPRESSION(SoundIndex) {
  const char* name = FetchExpressionText(rd, param);
  RunSoundContext run(rd);
  return zu::SoundIndex(run.ctx, name);
}

ZU_EXPRESSION(PlayedSoundName) {
  StartReader(rd);
  RunSoundContext run(rd);
  char name[kNameBufferSize];
  zu::PlayedSoundName(run.ctx, name);
  return ReturnString(rd, name);
}

ZU_EXPRESSION(PlayedChannel) {
  StartReader(rd);
  RunSoundContext run(rd);
  return zu::PlayedChannel(run.ctx);
}

ZU_EXPRESSION(PlayedSound) {
  StartReader(rd);
  RunSoundContext run(rd);
  return zu::PlayedSound(run.ctx);
}

ZU_EXPRESSION(SoundOriginalFreq) {
  const char* name = FetchExpressionText(rd, param);
  RunSoundContext run(rd);
  return zu::SoundOriginalFreq(run.ctx, name);
}

ZU_EXPRESSION(CountSounds) {
  StartReader(rd);
  RunSoundContext run(rd);
  return zu::CountSounds(run.ctx);
}

ZU_EXPRESSION(SoundAddress) {
  const char* name = FetchExpressionText(rd, param);
  RunSoundContext run(rd);
  return AddressValue(zu::SoundAddress(run.ctx, name));
}

ZU_EXPRESSION(SoundSize) {
  const char* name = FetchExpressionText(rd, param);
  RunSoundContext run(rd);
  return static_cast<int32_t>(zu::SoundSize(run.ctx, name));
}

}  // namespace routines
}  // namespace zu
