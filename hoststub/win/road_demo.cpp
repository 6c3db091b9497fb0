// The typical road through the real module and the stand-in host: create an
// object, seed, design an explosion, generate it, add it to the bank, play it
// three times on the lowest free channel and run frames until the channel is
// idle. Prints what the host sees and writes the generated sound to a file.
//
//   zu-road-demo.exe <output.wav> [seed]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "generator/wave_render.h"
#include "hoststub/win/host_harness.h"
#include "hoststub/win/hostsim_control.h"

namespace {

const char* EventName(int32_t code) {
  switch (code) {
    case 0:
      return "Sound added";
    case 1:
      return "Sound generated";
    case 5:
      return "Sound played";
    case 6:
      return "Sound looped";
  }
  return "unknown event";
}

// Prints the events pushed since the last call.
void PrintEvents(zu::HostHarness& host, size_t& shown, int frame) {
  for (; shown < host.events.size(); ++shown) {
    if (frame < 0) {
      std::printf("  event %d \"%s\"\n", host.events[shown].code,
                  EventName(host.events[shown].code));
    } else {
      std::printf("  frame %d: event %d \"%s\"\n", frame, host.events[shown].code,
                  EventName(host.events[shown].code));
    }
  }
}

// Writes the bytes to a temporary file beside path, then moves it onto path:
// the file appears whole or not at all.
bool WriteWhole(const std::string& path, const uint8_t* data, size_t size) {
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos) CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  const std::string temp = path + ".part";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, f) == size;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed ||
      !MoveFileExA(temp.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zu-road-demo <output.wav> [seed]\n");
    return 2;
  }
  const std::string output = argv[1];
  const int32_t seed = argc > 2 ? std::atoi(argv[2]) : 20240;

  zu::HostHarness host;
  if (!host.Load()) {
    std::fprintf(stderr, "cannot load ZiderUzazir.dll beside the program\n");
    return 1;
  }
  std::printf("module loaded: %u conditions, %u actions, %u expressions\n",
              host.infos().conditionCount, host.infos().actionCount, host.infos().expressionCount);

  zu::RunData* rd = host.Create(1, 5);  // the defaults: generator on, buffer length 5
  std::printf("object created (Enable generator 1, Buffer length 5)\n");
  size_t shown = 0;

  std::printf("action \"Set random seed to %%0\" with %d\n", seed);
  host.Action(rd, 18, seed);
  std::printf("action \"Create explosion\"\n");
  host.Action(rd, 6);
  std::printf("action \"Generate sound\"\n");
  host.Action(rd, 16);
  PrintEvents(host, shown, -1);
  const int32_t samples = host.Expression(rd, 12);
  std::printf("  GenLength( = %d samples (%.3f s)\n", samples, samples / 44100.0);

  std::printf("action \"Add generated sound as %%0\" with \"explosion\"\n");
  host.Action(rd, 2, host.Text("explosion"));
  PrintEvents(host, shown, -1);

  std::printf("action \"Play sound %%0 on channel %%1, %%2 times\" with \"explosion\", 0, 3\n");
  host.QueueString("explosion");
  host.QueueInt(0);
  host.QueueInt(3);
  host.Action(rd, 0);
  PrintEvents(host, shown, -1);
  const int32_t channel = host.Expression(rd, 30);
  std::printf("  PlayedChannel( = %d\n", channel);

  int frame = 0;
  const uint32_t frameMs = 20;
  for (; frame < 100000; ++frame) {
    host.Frame(rd, frameMs);
    PrintEvents(host, shown, frame + 1);
    HsimChannelInfo info{};
    HsimChannel(channel, &info);
    const bool ended = !info.active || info.position == info.duration;
    if (ended && rd->sound.channels[channel - 1].loopsLeft == 0) break;
  }
  std::printf("channel %d idle after %d frames of %u ms\n", channel, frame + 1, frameMs);

  const uint32_t bytes = zu::kWaveHeaderBytes + rd->generatedBytes;
  if (rd->waveBuffer == nullptr || !WriteWhole(output, rd->waveBuffer, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("wrote %s (%u bytes)\n", output.c_str(), bytes);
  host.Destroy(rd);
  return 0;
}
