#include "tests/host/ReferenceRender.h"

#include <cstdint>
#include <cstdio>

#include "dsp/filters/DesignMath.h"

namespace {
// Two detuned tones, a slow swell and a little deterministic noise: enough to move every
// unit's state without relying on any platform's random numbers, nor on its C library's sine
// (they differ in the last bit): every platform renders from the same input.
DoubleBuffers Input(int frames, int start)
{
  using Dsp::DesignMath::Sin;
  DoubleBuffers in(2, std::vector<double>(static_cast<size_t>(frames)));
  uint32_t noise = 0x1234567u + uint32_t(start);
  for (int i = 0; i < frames; ++i) {
    const double t = double(start + i);
    noise = noise * 1664525u + 1013904223u;
    const double n = double(noise >> 8) / double(1u << 24) - 0.5;
    const double swell = 0.5 + 0.5 * Sin(t * 0.0007);
    in[0][i] = swell * (0.6 * Sin(t * 0.0627) + 0.25 * Sin(t * 0.2113)) + 0.02 * n;
    in[1][i] = swell * (0.55 * Sin(t * 0.0641 + 0.5) - 0.2 * Sin(t * 0.0113)) - 0.02 * n;
  }
  return in;
}
}  // namespace

namespace ReferenceRender {
std::vector<double> Render(const Player& player)
{
  std::vector<double> all;
  for (int p = 0; p < player.programs; ++p) {
    if (!player.selectProgram(p)) return {};
    for (int start = 0; start < kFramesPerProgram; start += kBlockSize) {
      DoubleBuffers in = Input(kBlockSize, start);
      DoubleBuffers out(2, std::vector<double>(kBlockSize));
      player.process(in, out, kBlockSize);
      for (const auto& ch : out) all.insert(all.end(), ch.begin(), ch.end());
    }
  }
  return all;
}

std::vector<double> Render(TestHost& host)
{
  if (!host.Effect()) return {};
  host.Start(float(kSampleRate), kBlockSize);
  Player player;
  player.programs = host.Effect()->numPrograms;
  player.selectProgram = [&](int p) {
    host.Dispatch(effSetProgram, 0, p);
    host.Dispatch(effMainsChanged, 0, 0);  // clears every unit's history
    host.Dispatch(effMainsChanged, 0, 1);
    return true;
  };
  player.process = [&](DoubleBuffers& in, DoubleBuffers& out, int frames) {
    host.ProcessDoubleReplacing(in, out, frames);
  };
  return Render(player);
}

bool Write(const std::string& path, const std::vector<double>& samples)
{
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(samples.data(), sizeof(double), samples.size(), f) == samples.size();
  return std::fclose(f) == 0 && ok;
}

bool Read(const std::string& path, std::vector<double>& samples)
{
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  samples.clear();
  double buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, sizeof(double), 4096, f)) > 0)
    samples.insert(samples.end(), buffer, buffer + n);
  std::fclose(f);
  return true;
}
}  // namespace ReferenceRender
