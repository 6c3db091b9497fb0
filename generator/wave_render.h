#pragma once
// Rendering a sound into a RIFF/WAVE image held in memory: a 44-byte header
// followed by 16-bit mono samples.

#include <cstdint>

#include "generator/sound_generator.h"

namespace zu {

/// Bytes of the RIFF/WAVE header in front of the samples.
constexpr uint32_t kWaveHeaderBytes = 44;
/// Sample bytes per unit of the "Buffer length" property (41000 samples).
constexpr uint32_t kWaveBytesPerUnit = 82000;
/// Largest "Buffer length" that counts; larger values count as this.
constexpr uint32_t kMaxBufferLength = 10;

/// Sample bytes a wave buffer holds for a "Buffer length": min(length, 10) x 82000.
uint32_t WaveCapacityFor(uint32_t bufferLength);

/// Synthesizes into image + 44 (at most waveCapacity / 2 samples), writes the
/// 44-byte header and returns generatedBytes (twice the samples stored).
/// image must hold waveCapacity + 44 bytes.
uint32_t RenderToWaveBuffer(SoundGenerator& generator, uint8_t* image, uint32_t waveCapacity);

/// Writes the 44-byte RIFF/WAVE header for generatedBytes of sample data.
void WriteWaveHeader(const GeneratorParams& params, uint32_t generatedBytes, uint8_t* image);

}  // namespace zu
