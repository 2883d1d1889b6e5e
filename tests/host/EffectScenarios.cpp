#include "tests/host/EffectScenarios.h"

#include "skarvel/Skarvel.h"

namespace EffectScenarios {

bool SelectProgram(TestHost& host, const std::string& name)
{
  const AEffect* effect = host.Effect();
  if (!effect) return false;
  for (VstInt32 i = 0; i < effect->numPrograms; ++i) {
    if (host.DispatchText(effGetProgramNameIndexed, i) != name) continue;
    host.Dispatch(effSetProgram, 0, i);
    return true;
  }
  return false;
}

bool EverythingOn(TestHost& host)
{
  if (!SelectProgram(host, "Noise Freak Fuzz 2")) return false;
  const struct
  {
    int index;
    float value;
  } settings[] = {{kModulationOnOff, 1.0f},
                  {kRingModulationAmount, 0.5f},
                  {kRingModulationFrequency, 0.3f},
                  {kPhaserDepth, 0.75f},
                  {kBassAmount, 0.7f},
                  {kMidAmount, 0.75f},
                  {kHighAmount, 0.3f},
                  {kDumpExpand, 0.6f},
                  {kDistortionLoudness, 1.0f},
                  {kInputSaturation, 0.3f},
                  {kSaturation, 0.3f}};
  for (const auto& s : settings) host.SetParameter(s.index, s.value);
  return true;
}

float CutoffSweep(int64_t frame)
{
  const double phase = static_cast<double>(frame % kSweepPeriod) / kSweepPeriod;
  return static_cast<float>(phase < 0.5 ? 2.0 * phase : 2.0 * (1.0 - phase));
}

void AutomateCutoff(TestHost& host, int64_t frame) { host.SetParameter(kFilterCutoff, CutoffSweep(frame)); }

float NoiseInput::Next()
{
  state = state * 1664525u + 1013904223u;
  return static_cast<float>(static_cast<int32_t>(state >> 8) - 0x800000) * (0.7f / 0x800000);
}

void NoiseInput::Fill(FloatBuffers& block, int frames)
{
  for (int i = 0; i < frames; ++i)
    for (auto& channel : block) channel[i] = Next();
}

void NoiseInput::Fill(DoubleBuffers& block, int frames)
{
  for (int i = 0; i < frames; ++i)
    for (auto& channel : block) channel[i] = Next();
}

}  // namespace EffectScenarios
