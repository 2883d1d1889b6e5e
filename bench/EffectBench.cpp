// The effect as a host meets it: the built module through VSTPluginMain, the dispatcher and
// processReplacing, one core, 44.1 kHz, blocks of 256 frames, next to distortion plug-ins
// that Debian ships, timed in the same run on the same input. Ends with a summary of every
// figure against its target.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/InstanceProbe.h"
#include "bench/SummaryReporter.h"
#include "bench/TimedEffect.h"
#include "skarvel/OversamplingSetting.h"
#include "tests/host/EffectScenarios.h"

namespace {

using namespace EffectScenarios;

constexpr int kRepetitions = 5;
constexpr int kSignalBlocks = 172;                          // about 1 s
constexpr int kSilentBlocks = 60 * 44100 / kHostBlockSize;  // about 60 s

struct Peer
{
  const char* name;
  const char* path;
};
const Peer kPeers[] = {
  {"SoulForce", "/usr/lib/vst/SoulForce-vst.so"},
  {"ZamTube", "/usr/lib/vst/ZamTube-vst.so"},
  {"ZamAutoSat", "/usr/lib/vst/ZamAutoSat-vst.so"},
};

InstanceCost lastProbe;
bool probed = false;
std::vector<double> firstCpuMs;  // every probe's
std::vector<double> firstEditorMs, firstEditorCpuMs;

std::string SkarvelPath()
{
  const char* env = std::getenv("SKARVEL_PLUGIN");
  return env && *env ? env : SKARVEL_PLUGIN_PATH;
}

enum class Setup { EverythingOn, InitialPreset };

// The oversampling as a host restores it: the program chunk with the settings block after the
// values; then processing off and on, as a host does when it hears of the new latency.
bool Oversample(TestHost& host, int factor)
{
  std::vector<unsigned char> chunk = host.GetChunk(true);
  ByteChunk block;
  OversamplingSetting::WriteStateBlock(block, factor);
  chunk.insert(chunk.end(), block.Data(), block.Data() + block.Size());
  if (host.SetChunk(true, chunk) != 1) return false;
  host.Dispatch(effMainsChanged, 0, 0);
  host.Dispatch(effMainsChanged, 0, 1);
  return true;
}

bool Prepare(benchmark::State& state, TimedEffect& fx, Setup setup, int oversampling = 1)
{
  bool ok = fx.Load(SkarvelPath());
  if (ok)
    ok = setup == Setup::EverythingOn ? EverythingOn(fx.Host()) : SelectProgram(fx.Host(), "Initial Preset");
  if (ok && oversampling != 1) ok = Oversample(fx.Host(), oversampling);
  if (!ok) {
    state.SkipWithError(("cannot set up Skarvel: " + fx.Error()).c_str());
    return false;
  }
  // Past the first glides and smoother ramps: the figures are for steady work.
  for (int i = 0; i < kSignalBlocks; ++i) fx.ProcessBlock();
  return true;
}

void Blocks(benchmark::State& state, Setup setup, bool automate, int oversampling)
{
  TimedEffect fx;
  if (!Prepare(state, fx, setup, oversampling)) return;
  for (auto _ : state) {
    if (automate) AutomateCutoff(fx.Host(), fx.Frame());
    fx.ProcessBlock();
  }
  CountFrames(state, kHostBlockSize);
}

// A minute of digital silence after a second of signal: the decaying histories must not
// fall into denormal arithmetic.
void Silence(benchmark::State& state)
{
  TimedEffect fx;
  if (!Prepare(state, fx, Setup::EverythingOn)) return;
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < kSignalBlocks; ++i) fx.ProcessBlock();
    state.ResumeTiming();
    for (int i = 0; i < kSilentBlocks; ++i) fx.ProcessBlock(true);
  }
  CountFrames(state, static_cast<int64_t>(kSilentBlocks) * kHostBlockSize);
}

void PeerBlocks(benchmark::State& state, const char* path)
{
  TimedEffect fx;
  if (!fx.Load(path)) {
    state.SkipWithError(("not available: " + fx.Error()).c_str());
    return;
  }
  for (int i = 0; i < kSignalBlocks; ++i) fx.ProcessBlock();
  for (auto _ : state) fx.ProcessBlock();
  CountFrames(state, kHostBlockSize);
}

void FirstInstance(benchmark::State& state)
{
  for (auto _ : state) {
    InstanceCost cost;
    if (!ProbeFreshProcess(cost)) {
      state.SkipWithError("the probe process failed");
      return;
    }
    state.SetIterationTime(cost.firstMs / 1000.0);
    firstCpuMs.push_back(cost.firstCpuMs);
    if (cost.firstEditorMs >= 0.0) {
      firstEditorMs.push_back(cost.firstEditorMs);
      firstEditorCpuMs.push_back(cost.firstEditorCpuMs);
    }
    lastProbe = cost;
    probed = true;
  }
}

void FurtherInstance(benchmark::State& state)
{
  TimedEffect first;
  if (!first.Load(SkarvelPath())) {
    state.SkipWithError(first.Error().c_str());
    return;
  }
  for (auto _ : state) {
    TestHost host;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = host.Load(SkarvelPath());
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!ok) {
      state.SkipWithError(host.Error().c_str());
      return;
    }
  }
}

double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

double Median(std::vector<double> v)
{
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Register()
{
  auto audio = [](benchmark::internal::Benchmark* b) {
    b->Repetitions(kRepetitions)->ComputeStatistics("min", Best)->Unit(benchmark::kMicrosecond);
  };
  audio(benchmark::RegisterBenchmark("S1_everything_on", Blocks, Setup::EverythingOn, false, 1));
  audio(benchmark::RegisterBenchmark("S1_everything_on_2x", Blocks, Setup::EverythingOn, false, 2));
  audio(benchmark::RegisterBenchmark("S1_everything_on_4x", Blocks, Setup::EverythingOn, false, 4));
  audio(benchmark::RegisterBenchmark("S2_automation", Blocks, Setup::EverythingOn, true, 1));
  audio(benchmark::RegisterBenchmark("S3_bypass", Blocks, Setup::InitialPreset, false, 1));
  audio(benchmark::RegisterBenchmark("S4_silence", Silence)->Unit(benchmark::kMillisecond));
  for (const Peer& p : kPeers)
    audio(benchmark::RegisterBenchmark((std::string("peer_") + p.name).c_str(), PeerBlocks, p.path));
  benchmark::RegisterBenchmark("instance_first", FirstInstance)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("instance_further", FurtherInstance)
    ->UseManualTime()
    ->Iterations(50)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

void PrintAudio(const SummaryReporter& r, const char* name, const char* label, double minFactor, double maxNs)
{
  const SummaryReporter::Timing t = r.NsPerFrame(name);
  if (!t.valid) {
    std::printf("  %-22s no figure\n", label);
    return;
  }
  const double factor = 1e9 / (t.median * kHostRate);
  std::printf("  %-22s %8.1f ns/frame (best %6.1f) %8.0fx realtime", label, t.median, t.best, factor);
  if (minFactor > 0.0) std::printf("   target >= %.0fx", minFactor);
  if (maxNs > 0.0) std::printf(", <= %.0f ns/frame", maxNs);
  if (minFactor > 0.0)
    std::printf("   %s", Verdict(factor >= minFactor && (maxNs <= 0.0 || t.median <= maxNs)));
  std::printf("\n");
}

void PrintSummary(const SummaryReporter& r)
{
  std::printf("\nSkarvel through processReplacing, one core, 44.1 kHz, blocks of %d frames\n"
              "(median of %d repetitions, best in brackets)\n",
              kHostBlockSize, kRepetitions);
  PrintAudio(r, "S1_everything_on", "S1 everything on", 500.0, 45.0);
  PrintAudio(r, "S2_automation", "S2 automation", 150.0, 0.0);
  PrintAudio(r, "S3_bypass", "S3 bypass", 3000.0, 0.0);
  PrintAudio(r, "S4_silence", "S4 silence", 0.0, 0.0);
  const SummaryReporter::Timing s1 = r.NsPerFrame("S1_everything_on");
  const SummaryReporter::Timing s4 = r.NsPerFrame("S4_silence");
  if (s1.valid && s4.valid)
    std::printf("  S4 / S1 per frame      %8.2f   target <= 1.10   %s\n", s4.median / s1.median,
                Verdict(s4.median <= 1.1 * s1.median));

  std::printf("\nS1 oversampled, same run: cost per frame against S1 with the oversampling off\n");
  for (const char* factor : {"2x", "4x"}) {
    const SummaryReporter::Timing t = r.NsPerFrame(std::string("S1_everything_on_") + factor);
    if (!t.valid || !s1.valid) {
      std::printf("  %s not measured\n", factor);
      continue;
    }
    std::printf("  %s %8.1f ns/frame (best %6.1f)   ratio %5.2f", factor, t.median, t.best,
                t.median / s1.median);
    if (factor[0] == '4') std::printf("   target <= 3   %s", Verdict(t.median <= 3.0 * s1.median));
    std::printf("\n");
  }

  std::printf("\nPeers at their default settings, same input and run: S1 cost per frame / peer's\n");
  for (const Peer& p : kPeers) {
    const SummaryReporter::Timing t = r.NsPerFrame(std::string("peer_") + p.name);
    if (!t.valid || !s1.valid) {
      std::printf("  %-12s not measured\n", p.name);
      continue;
    }
    std::printf("  %-12s %8.1f ns/frame   ratio %5.2f", p.name, t.median, s1.median / t.median);
    if (std::strcmp(p.name, "SoulForce") == 0)
      std::printf("   target <= 1.5   %s", Verdict(s1.median <= 1.5 * t.median));
    std::printf("\n");
  }

  std::printf("\nInstances\n");
  const SummaryReporter::Timing first = r.PerIteration("instance_first");
  const SummaryReporter::Timing further = r.PerIteration("instance_further");
  if (first.valid && !firstCpuMs.empty()) {
    const double cpu = Median(firstCpuMs);
    std::printf("  first VSTPluginMain in a process %7.2f ms (best %.2f), CPU %.2f ms   "
                "target <= 5 ms   %s\n",
                first.median * 1e3, first.best * 1e3, cpu, Verdict(first.median <= 0.005));
  }
  if (further.valid)
    std::printf("  further instance                 %7.2f ms (best %.2f)   target <= 5 ms    %s\n",
                further.median * 1e3, further.best * 1e3, Verdict(further.median <= 0.005));
  if (probed) {
    const double mib = 1024.0 * 1024.0;
    std::printf("  heap, first instance with the shared caches %7.3f MiB\n", lastProbe.firstHeapBytes / mib);
    std::printf("  heap, each further instance                 %7.3f MiB   target <= 1.2 MiB %s\n",
                lastProbe.secondHeapBytes / mib, Verdict(lastProbe.secondHeapBytes <= 1.2 * mib));
    std::printf("  module load (dlopen)                        %7.2f ms\n", lastProbe.loadMs);
    if (!firstEditorMs.empty()) {
      const double editor = Median(firstEditorMs);
      std::printf("  first editor open, to its first paint       %7.2f ms (best %.2f), CPU %.2f ms   "
                  "target <= 40 ms   %s\n",
                  editor, Best(firstEditorMs), Median(firstEditorCpuMs), Verdict(editor <= 40.0));
    } else {
      std::printf("  first editor open                           not measured (no display)\n");
    }
  }
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc > 1 && std::strcmp(argv[1], kProbeOption) == 0) return RunInstanceProbe(SkarvelPath());
  benchmark::Initialize(&argc, argv);
  Register();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
