// Times "Generate sound" of one sound, natively, for comparison with the
// Studio page's WebAssembly render of the same sound (studio/tests/). Takes
// zider-sfx's options for it, renders it several times, prints each render's
// wall-clock and processor-time milliseconds on a line of its own and writes
// the last RIFF/WAVE image to a file, so that the caller can check it is the
// sound it timed.
//
//   render-time [--buffer-length N] [--seed N] [--csv TEXT] [--runs N] --render FILE

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "fileio/safe_file.h"
#include "generator/csv_text.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/wave_render.h"

namespace {

int Usage(const char* why) {
  std::fprintf(stderr,
               "render-time: %s\nusage: render-time [--buffer-length N] [--seed N] [--csv TEXT] "
               "[--runs N] --render FILE\n",
               why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  zu::SoundGenerator gen;
  uint32_t bufferLength = 5;
  int runs = 5;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 >= argc) return Usage("every option takes a value");
    const char* option = argv[i];
    const char* value = argv[++i];
    if (std::strcmp(option, "--buffer-length") == 0) {
      bufferLength = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
    } else if (std::strcmp(option, "--seed") == 0) {
      zu::SeedRandom(static_cast<uint32_t>(std::strtoul(value, nullptr, 10)));
    } else if (std::strcmp(option, "--csv") == 0) {
      zu::LoadVariablesFromCsv(gen.params, value);
    } else if (std::strcmp(option, "--runs") == 0) {
      runs = std::atoi(value);
    } else if (std::strcmp(option, "--render") == 0) {
      path = value;
    } else {
      return Usage((std::string("unknown option ") + option).c_str());
    }
  }
  if (path == nullptr || runs < 1) return Usage("--render FILE and at least one run are needed");

  const uint32_t capacity = zu::WaveCapacityFor(bufferLength);
  std::vector<uint8_t> image(zu::kWaveHeaderBytes + capacity, 0);
  const uint32_t rand = zu::RandState();  // every run draws its noise from here
  uint32_t bytes = 0;
  for (int run = 0; run < runs; ++run) {
    zu::SeedRand(rand);
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    bytes = zu::RenderToWaveBuffer(gen, image.data(), capacity);
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("%.3f %.3f\n", ms.count(), cpuMs);
  }
  std::string error;
  if (!zu::WriteFileWhole(path, image.data(), zu::kWaveHeaderBytes + bytes, &error)) {
    std::fprintf(stderr, "render-time: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
