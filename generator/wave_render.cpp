#include "generator/wave_render.h"

namespace zu {
namespace {

void PutBytes(uint8_t* at, const char (&text)[5]) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(text[i]);
}

void PutU32(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v & 0xFFu);
  at[1] = static_cast<uint8_t>((v >> 8) & 0xFFu);
  at[2] = static_cast<uint8_t>((v >> 16) & 0xFFu);
  at[3] = static_cast<uint8_t>((v >> 24) & 0xFFu);
}

void PutU16(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v & 0xFFu);
  at[1] = static_cast<uint8_t>((v >> 8) & 0xFFu);
}

}  // namespace

uint32_t WaveCapacityFor(uint32_t bufferLength) {
  const uint32_t units = bufferLength < kMaxBufferLength ? bufferLength : kMaxBufferLength;
  return units * kWaveBytesPerUnit;
}

void WriteWaveHeader(const GeneratorParams& params, uint32_t generatedBytes, uint8_t* image) {
  // Only the reset sets the two header fields (16 bits, 44100 Hz); the
  // arithmetic is still done in 64 bits so that any stored value is safe.
  const int64_t bits = params.bitsPerSample;
  const int64_t rate = params.sampleRate;
  const int64_t byteRate = rate * bits / 8;  // signed division, toward zero
  const int64_t blockAlign = bits / 8;
  PutBytes(image + 0, "RIFF");
  PutU32(image + 4, generatedBytes + 36u);
  PutBytes(image + 8, "WAVE");
  PutBytes(image + 12, "fmt ");
  PutU32(image + 16, 16u);
  PutU16(image + 20, 1u);  // PCM
  PutU16(image + 22, 1u);  // mono
  PutU32(image + 24, static_cast<uint32_t>(rate));
  PutU32(image + 28, static_cast<uint32_t>(byteRate));
  PutU16(image + 32, static_cast<uint32_t>(blockAlign));
  PutU16(image + 34, static_cast<uint32_t>(bits));
  PutBytes(image + 36, "data");
  PutU32(image + 40, generatedBytes);
}

uint32_t RenderToWaveBuffer(SoundGenerator& generator, uint8_t* image, uint32_t waveCapacity) {
  if (image == nullptr) return 0;
  // The budget is the number of whole samples that fit; below 2^31 always.
  const int32_t budget = static_cast<int32_t>(waveCapacity / 2);
  // Synthesize stores each sample byte by byte, so the pointer is only a
  // carrier for the address.
  generator.Synthesize(budget, reinterpret_cast<int16_t*>(image + kWaveHeaderBytes));
  const uint32_t generatedBytes = 2u * static_cast<uint32_t>(generator.state.samplesWritten);
  WriteWaveHeader(generator.params, generatedBytes, image);
  return generatedBytes;
}

}  // namespace zu
