// What the oversampling buys: a 4987 Hz sine at -6 dBFS through three settings that create
// strong harmonics, with the oversampling off, at 2x and at 4x, at 44.1 and 96 kHz. The figure
// is the energy away from the harmonics of 4987 Hz (what folded back from above half the
// rate) against the output's whole energy, in dB. The effect is the built module, driven as
// a host drives it; the setting reaches it through its state. Figures only, no pass/fail.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "skarvel/OversamplingSetting.h"
#include "skarvel/Skarvel.h"
#include "tests/host/EffectScenarios.h"
#include "tests/host/TestHost.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kToneHz = 4987.0;
constexpr double kToneLevel = 0.5;  // -6 dBFS
constexpr int kBlock = 512;
constexpr int kFftSize = 1 << 16;
// Bins on each side of a harmonic that its own window lobe covers (Blackman-Harris: 4).
constexpr int kLobeBins = 6;

struct Setting
{
  const char* label;
  const char* program;
  std::vector<std::pair<const char*, float>> sets;
};

const Setting kSettings[] = {
  {"Tube Drive", "Tube Drive", {}},
  {"Hardcore Fuzz 1", "Hardcore Fuzz 1", {}},
  {"Linear, full drive",
   "Initial Preset",
   {{"BypassFX", 0.0f}, {"DistortionType", 0.0f}, {"Distortion", 1.0f}}},
};

std::string PluginPath()
{
  const char* env = std::getenv("SKARVEL_PLUGIN");
  return env && *env ? env : SKARVEL_PLUGIN_PATH;
}

void Fft(std::vector<std::complex<double>>& x)
{
  const size_t n = x.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (size_t k = 0; k < len / 2; ++k, w *= step) {
        const std::complex<double> a = x[i + k], b = x[i + k + len / 2] * w;
        x[i + k] = a + b;
        x[i + k + len / 2] = a - b;
      }
    }
  }
}

// Energy of the bins not within kLobeBins of a harmonic (or of DC) over all bins' energy.
double NonHarmonicDb(const std::vector<float>& signal, double rate)
{
  std::vector<std::complex<double>> x(kFftSize);
  for (int i = 0; i < kFftSize; ++i) {
    const double t = 2.0 * kPi * i / kFftSize;
    const double window =
      0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
    x[static_cast<size_t>(i)] = signal[static_cast<size_t>(i)] * window;
  }
  Fft(x);
  const double binHz = rate / kFftSize;
  double total = 0.0, away = 0.0;
  for (int bin = 0; bin <= kFftSize / 2; ++bin) {
    const double energy = std::norm(x[static_cast<size_t>(bin)]);
    total += energy;
    const double harmonic = std::round(bin * binHz / kToneHz);
    if (std::fabs(bin - harmonic * kToneHz / binHz) > kLobeBins) away += energy;
  }
  return 10.0 * std::log10(away / total);
}

// The left output after a second of settling, kFftSize frames.
bool Render(const Setting& s, double rate, int factor, std::vector<float>& out, int& latency)
{
  TestHost host;
  if (!host.Load(PluginPath())) {
    std::fprintf(stderr, "cannot load %s: %s\n", PluginPath().c_str(), host.Error().c_str());
    return false;
  }
  host.Start(static_cast<float>(rate), kBlock);
  if (!EffectScenarios::SelectProgram(host, s.program)) return false;
  for (const auto& set : s.sets) host.SetParameter(Skarvel::ParamIndexFromKey(set.first), set.second);
  // The setting as a host restores it: the program chunk with the settings block.
  std::vector<unsigned char> state = host.GetChunk(true);
  ByteChunk block;
  OversamplingSetting::WriteStateBlock(block, factor);
  state.insert(state.end(), block.Data(), block.Data() + block.Size());
  if (host.SetChunk(true, state) != 1) return false;
  host.Dispatch(effMainsChanged, 0, 0);
  host.Dispatch(effMainsChanged, 0, 1);
  latency = host.Effect()->initialDelay;

  const int settle = static_cast<int>(rate) / kBlock * kBlock;
  const int frames = settle + kFftSize;
  FloatBuffers in(2, std::vector<float>(static_cast<size_t>(frames)));
  FloatBuffers result(2, std::vector<float>(static_cast<size_t>(frames)));
  for (int i = 0; i < frames; ++i)
    in[0][static_cast<size_t>(i)] = in[1][static_cast<size_t>(i)] =
      static_cast<float>(kToneLevel * std::sin(2.0 * kPi * kToneHz * i / rate));
  for (int done = 0; done < frames; done += kBlock) {
    const int n = std::min(kBlock, frames - done);
    FloatBuffers blockIn = {{in[0].begin() + done, in[0].begin() + done + n},
                            {in[1].begin() + done, in[1].begin() + done + n}};
    FloatBuffers blockOut(2, std::vector<float>(static_cast<size_t>(n)));
    host.ProcessReplacing(blockIn, blockOut, n);
    std::copy(blockOut[0].begin(), blockOut[0].end(), result[0].begin() + done);
  }
  out.assign(result[0].begin() + settle, result[0].end());
  return true;
}

}  // namespace

int main()
{
  std::printf("Energy away from the harmonics of a %.0f Hz sine at -6 dBFS, of the output's total\n",
              kToneHz);
  std::printf("%-20s %8s %10s %10s %10s %14s\n", "setting", "rate", "off", "2x", "4x", "4x below off");
  for (double rate : {44100.0, 96000.0}) {
    for (const Setting& s : kSettings) {
      double db[3] = {};
      int latency[3] = {};
      for (int step = 0; step < 3; ++step) {
        std::vector<float> out;
        if (!Render(s, rate, OversamplingSetting::FactorOfStep(step), out, latency[step])) return 1;
        db[step] = NonHarmonicDb(out, rate);
      }
      std::printf("%-20s %8.0f %8.1f dB %7.1f dB %7.1f dB %11.1f dB\n", s.label, rate, db[0], db[1], db[2],
                  db[0] - db[2]);
    }
  }
  int latency = 0;
  std::vector<float> out;
  for (int step = 1; step < 3; ++step)
    if (Render(kSettings[0], 44100.0, OversamplingSetting::FactorOfStep(step), out, latency))
      std::printf("latency at %s: %d samples\n",
                  OversamplingSetting::Name(OversamplingSetting::FactorOfStep(step)), latency);
  return 0;
}
