// Render speed of the synthesizer, in ns per subsample and ms per render,
// against a floor: the synthesizer's own low-pass, high-pass and phaser
// stages run on a fixed input without oscillator, envelope or per-sample
// work.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "generator/duty.h"
#include "generator/envelope.h"
#include "generator/high_pass.h"
#include "generator/low_pass.h"
#include "generator/output.h"
#include "generator/phaser.h"
#include "generator/pitch.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"

namespace {

using zu::SoundGenerator;

constexpr int32_t kLongSound = 410000;

void SetCounters(benchmark::State& state, double subsamplesPerRender) {
  state.counters["ns_per_subsample"] =
      benchmark::Counter(subsamplesPerRender * 1e-9, benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
  state.counters["ms_per_render"] = benchmark::Counter(
      1e-3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void RenderCase(benchmark::State& state, SoundGenerator& gen, int32_t budget) {
  std::vector<int16_t> out(static_cast<size_t>(budget));
  int32_t written = 0;
  for (auto _ : state) {
    zu::SeedRand(1);
    gen.Synthesize(budget, out.data());
    written = gen.state.samplesWritten;
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state, 8.0 * written);
  state.counters["samples"] = written;
}

// Low-pass, high-pass, phaser sweep and vibrato all active, 410000 samples.
void FullChain(SoundGenerator& gen, int32_t waveType) {
  gen.ResetParameters();
  gen.params.waveType = waveType;
  gen.params.sustainTime = 2.0f;  // 400000 + 16000 + 3 samples: the budget ends it
  gen.params.startFreq = 0.35f;
  gen.params.lpCutoff = 0.6f;
  gen.params.lpCutoffSweep = 0.1f;
  gen.params.lpResonance = 0.4f;
  gen.params.hpCutoff = 0.2f;
  gen.params.hpCutoffSweep = 0.05f;
  gen.params.phaserOffset = 0.3f;
  gen.params.phaserSweep = 0.05f;
  gen.params.vibDepth = 0.3f;
  gen.params.vibSpeed = 0.4f;
  gen.params.squareDuty = 0.2f;
}

void BM_ResetSound(benchmark::State& state) {
  SoundGenerator gen;
  RenderCase(state, gen, kLongSound);
}
BENCHMARK(BM_ResetSound)->Unit(benchmark::kMillisecond);

void BM_FullChainSquare(benchmark::State& state) {
  SoundGenerator gen;
  FullChain(gen, 0);
  RenderCase(state, gen, kLongSound);
}
BENCHMARK(BM_FullChainSquare)->Unit(benchmark::kMillisecond);

void BM_FullChainNoise(benchmark::State& state) {
  SoundGenerator gen;
  FullChain(gen, 3);
  RenderCase(state, gen, kLongSound);
}
BENCHMARK(BM_FullChainNoise)->Unit(benchmark::kMillisecond);

void BM_FullChainSine(benchmark::State& state) {
  SoundGenerator gen;
  FullChain(gen, 2);
  RenderCase(state, gen, kLongSound);
}
BENCHMARK(BM_FullChainSine)->Unit(benchmark::kMillisecond);

// The bare filter recurrence, 8 x 410000 subsamples: the synthesizer's own
// low-pass, high-pass and phaser stages and its subsample sum, set up from the
// full chain's parameters but without oscillator, envelope, sweeps or any
// other per-sample work. Argument 0: low-pass bypassed, 1: low-pass running.
void BM_FilterFloor(benchmark::State& state) {
  SoundGenerator gen;
  FullChain(gen, 0);
  if (state.range(0) == 0) gen.params.lpCutoff = 1.0f;
  const int64_t subsamples = 8 * static_cast<int64_t>(kLongSound);
  std::vector<float> input(256);
  for (size_t i = 0; i < input.size(); ++i) input[i] = (i / 37) % 2 ? 0.5f : -0.5f;
  const double volume = static_cast<double>(0.7f);
  for (auto _ : state) {
    zu::synth::LowPass lowPass;
    lowPass.Init(gen.params);
    zu::synth::HighPass highPass;
    highPass.Init(gen.params);
    zu::synth::Phaser phaser;
    phaser.Init(gen.params);
    zu::synth::Output output;
    output.Init(gen.params, nullptr);
    for (int64_t j = 0; j < subsamples; ++j) {
      float s = lowPass.Process(input[static_cast<size_t>(j) & 255]);
      s = highPass.Process(s);
      s = phaser.Process(s);
      output.Add(s, volume);
    }
    benchmark::DoNotOptimize(output);
  }
  SetCounters(state, static_cast<double>(subsamples));
}
BENCHMARK(BM_FilterFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The per-sample control stages of the full chain alone (pitch with
// vibrato, duty, envelope, phaser and high-pass sweeps), 410000 samples:
// the work a render adds per sample on top of oscillator and filters. The
// stages load from and store to the synthesis state as the render's do.
void BM_SampleControl(benchmark::State& state) {
  SoundGenerator gen;
  FullChain(gen, 0);
  const zu::GeneratorParams& p = gen.params;
  for (auto _ : state) {
    gen.StartSynthesis(false);
    zu::synth::Pitch pitch;
    pitch.Load(p, gen.state);
    zu::synth::Duty duty;
    duty.Load(p, gen.state);
    zu::synth::Envelope envelope;
    envelope.Load(p, gen.state);
    zu::synth::Phaser phaser;
    phaser.Load(gen.state);
    zu::synth::HighPass highPass;
    highPass.Load(gen.state);
    int64_t periods = 0;
    float mix = 0.0f;
    for (int32_t i = 0; i < kLongSound; ++i) {
      if (pitch.RepeatDue()) {
        pitch.Restart();
        duty.Restart();
      }
      periods += pitch.Process();
      mix += duty.Process() + envelope.Process();
      phaser.Sweep();
      highPass.Sweep();
    }
    pitch.Store(gen.state);
    duty.Store(gen.state);
    envelope.Store(gen.state);
    phaser.Store(gen.state);
    highPass.Store(gen.state);
    benchmark::DoNotOptimize(periods);
    benchmark::DoNotOptimize(mix);
    benchmark::DoNotOptimize(gen.state);
  }
  state.counters["ns_per_sample"] =
      benchmark::Counter(kLongSound * 1e-9, benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}
BENCHMARK(BM_SampleControl)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
