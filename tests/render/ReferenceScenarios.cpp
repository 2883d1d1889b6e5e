#include "tests/render/ReferenceScenarios.h"

#include <functional>
#include <memory>

#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"
#include "tests/host/EffectScenarios.h"

namespace {

using namespace EffectScenarios;

constexpr int kPicks = 32;
constexpr int kProgramPicks = 1;
// Samples per channel of the sampled renders: enough to hold the difference's RMS and the
// count of larger differences to their bounds.
constexpr int kSamplePicks = 256;

// Called before every block with the block's first frame.
using Automation = std::function<void(TestHost&, int64_t)>;

struct Run
{
  float rate = kHostRate;
  int blockSize = kHostBlockSize;
  int signalBlocks = 0;
  int silentBlocks = 0;
  Automation automate;
};

std::unique_ptr<TestHost> Started(const Run& run)
{
  auto host = std::make_unique<TestHost>();
  if (!host->Create(VSTPluginMain)) return nullptr;
  host->Start(run.rate, run.blockSize);
  return host;
}

DoubleBuffers Render(TestHost& host, const Run& run)
{
  const int blocks = run.signalBlocks + run.silentBlocks;
  const int n = run.blockSize;
  DoubleBuffers render(2, std::vector<double>(static_cast<size_t>(blocks) * n));
  DoubleBuffers in(2, std::vector<double>(n)), out(in);
  NoiseInput noise(11);
  for (int b = 0; b < blocks; ++b) {
    const int64_t frame = static_cast<int64_t>(b) * n;
    if (run.automate) run.automate(host, frame);
    if (b < run.signalBlocks)
      noise.Fill(in, n);
    else
      for (auto& c : in) std::fill(c.begin(), c.end(), 0.0);
    host.ProcessDoubleReplacing(in, out, n);
    for (int c = 0; c < 2; ++c) std::copy(out[c].begin(), out[c].end(), render[c].begin() + frame);
  }
  return render;
}

RenderDigest EverythingOnRender(const char* name, const Run& run, int picks = kPicks)
{
  auto host = Started(run);
  if (!host || !EverythingOn(*host)) return {name, {}};
  RenderDigest d = Digest(name, Render(*host, run), picks);
  d.nonLinear = true;
  return d;
}

// The saturations' arctangent, the ring modulator's or the phaser's sine, or the distortion's
// shaping (its curves are drawn with sines) is at work.
bool RunsNonLinearStage(TestHost& host)
{
  const auto on = [&](int index) { return host.GetParameter(index) > 0.0f; };
  const bool modulation = on(kModulationOnOff) && (on(kRingModulationAmount) || on(kPhaserDepth));
  const bool shaping = on(kDistortionOnOff) && on(kDistortion);
  return modulation || shaping || on(kInputSaturation) || on(kSaturation);
}

// A value that sweeps 0..1 and back, period frames long.
float Triangle(int64_t frame, int64_t period)
{
  const double phase = static_cast<double>(frame % period) / period;
  return static_cast<float>(phase < 0.5 ? 2.0 * phase : 2.0 * (1.0 - phase));
}

void EveryFilterMode(TestHost& host, int64_t frame)
{
  AutomateCutoff(host, frame);
  host.SetParameter(kFilterResonance, Triangle(frame, 30000));
  const int segment = static_cast<int>(frame / 11025);
  host.SetParameter(kFilterMode1, (segment % 4) / 3.0f);
  host.SetParameter(kFilterMode2, (3 - (segment + 1) % 4) / 3.0f);
  host.SetParameter(kFilterType, Triangle(frame, 20000));
}

void EveryEqBand(TestHost& host, int64_t frame)
{
  host.SetParameter(kBassAmount, Triangle(frame, 40000));
  host.SetParameter(kHighAmount, 1.0f - Triangle(frame, 33000));
  host.SetParameter(kMidAmount, Triangle(frame, 25000));
  host.SetParameter(kDumpExpand, Triangle(frame, 29000));
}

void EveryFilterAndEqBand(TestHost& host, int64_t frame)
{
  EveryFilterMode(host, frame);
  EveryEqBand(host, frame);
}

Run EverythingOnRun()
{
  Run s1;
  s1.signalBlocks = 344;  // 2 s
  return s1;
}

Run CutoffAutomationRun()
{
  Run s2 = EverythingOnRun();
  s2.signalBlocks = 517;  // 3 s: a whole sweep and half of the next
  s2.automate = AutomateCutoff;
  return s2;
}

// Every factory program in turn on one instance, a quarter of a second each.
void AddProgramRenders(std::vector<RenderDigest>& digests, int picks)
{
  Run program;
  program.signalBlocks = 43;
  auto host = Started(program);
  bool nonLinear = false;
  for (VstInt32 p = 0; host && p < host->Effect()->numPrograms; ++p) {
    host->Dispatch(effSetProgram, 0, p);
    const std::string name =
      "program " + std::to_string(p) + ": " + host->DispatchText(effGetProgramNameIndexed, p);
    // The filters' histories carry one program's sound into the next.
    nonLinear = nonLinear || RunsNonLinearStage(*host);
    digests.push_back(Digest(name, Render(*host, program), picks));
    digests.back().nonLinear = nonLinear;
  }
}

}  // namespace

std::vector<RenderDigest> RenderReferenceScenarios()
{
  std::vector<RenderDigest> digests;
  const Run s1 = EverythingOnRun();
  digests.push_back(EverythingOnRender("everything on", s1));
  digests.push_back(EverythingOnRender("cutoff automation", CutoffAutomationRun()));

  Run s4;
  s4.signalBlocks = 172;
  s4.silentBlocks = 516;  // 1 s of signal, then 3 s of silence
  digests.push_back(EverythingOnRender("silence after signal", s4));

  Run fast;
  fast.rate = 96000.0f;
  fast.blockSize = 1000;
  fast.signalBlocks = 96;
  fast.automate = AutomateCutoff;
  digests.push_back(EverythingOnRender("96 kHz, blocks of 1000", fast));

  Run modes = s1;
  modes.automate = EveryFilterMode;
  digests.push_back(EverythingOnRender("every filter mode gliding", modes));

  Run eq = s1;
  eq.automate = EveryEqBand;
  digests.push_back(EverythingOnRender("every EQ band and dump/expand gliding", eq));

  AddProgramRenders(digests, kProgramPicks);
  return digests;
}

std::vector<RenderDigest> RenderLinearScenarios()
{
  Run linear = EverythingOnRun();
  linear.automate = EveryFilterAndEqBand;
  auto host = Started(linear);
  if (!host || !EverythingOn(*host)) return {};
  for (int off : {kModulationOnOff, kDistortionOnOff, kInputSaturation, kSaturation})
    host->SetParameter(off, 0.0f);
  return {Digest("filters, EQ and dump/expand gliding", Render(*host, linear), kSamplePicks)};
}

std::vector<RenderDigest> RenderSampledScenarios()
{
  std::vector<RenderDigest> digests;
  digests.push_back(EverythingOnRender("everything on", EverythingOnRun(), kSamplePicks));
  digests.push_back(EverythingOnRender("cutoff automation", CutoffAutomationRun(), kSamplePicks));
  AddProgramRenders(digests, kSamplePicks);
  return digests;
}
