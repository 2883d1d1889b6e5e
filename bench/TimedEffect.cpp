#include "bench/TimedEffect.h"

#include <set>

#include "tests/host/EffectScenarios.h"
#include "tests/host/PluginModule.h"

namespace {

using namespace EffectScenarios;

// About a second of input, a whole number of blocks, replayed in a loop.
constexpr int kNoiseFrames = 172 * kHostBlockSize;

}  // namespace

TimedEffect::TimedEffect() : silence(kHostBlockSize, 0.0f)
{
  FloatBuffers in(2, std::vector<float>(kNoiseFrames));
  NoiseInput(7).Fill(in, kNoiseFrames);
  for (int c = 0; c < 2; ++c) {
    noise[c] = std::move(in[c]);
    output[c].assign(kHostBlockSize, 0.0f);
  }
}

bool TimedEffect::Load(const std::string& path)
{
  KeepLoaded(path);
  if (!host.Load(path)) return false;
  host.Start(kHostRate, kHostBlockSize);
  return true;
}

void TimedEffect::ProcessBlock(bool silent)
{
  const int offset = static_cast<int>(frame % kNoiseFrames);
  float* in[2];
  for (int c = 0; c < 2; ++c) in[c] = silent ? silence.data() : noise[c].data() + offset;
  float* out[2] = {output[0].data(), output[1].data()};
  AEffect* effect = host.Effect();
  effect->processReplacing(effect, in, out, kHostBlockSize);
  benchmark::DoNotOptimize(output[0].data());
  frame += kHostBlockSize;
  // Hosts answer callbacks as they come; the record of them must not grow without bound.
  host.ClearCalls();
}

void CountFrames(benchmark::State& state, int64_t framesPerIteration)
{
  const double frames = static_cast<double>(state.iterations()) * framesPerIteration;
  state.counters["frames"] = benchmark::Counter(frames, benchmark::Counter::kAvgIterations);
  state.counters["realtime"] = benchmark::Counter(frames / kHostRate, benchmark::Counter::kIsRate);
}

void KeepLoaded(const std::string& path)
{
  static std::set<std::string> kept;
  if (!kept.insert(path).second) return;
  std::string error;
  PluginModule::Open(path, error).release();  // never unloaded
}
