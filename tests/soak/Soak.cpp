#include "tests/soak/Soak.h"

#include <cmath>
#include <cstring>

#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"
#include "tests/soak/FrequencyMeter.h"

namespace {

// Up from 0 to 1 and back down over `period` seconds.
float Triangle(int64_t frame, double period)
{
  const double phase = std::fmod(frame / (Soak::kRate * period), 1.0);
  return static_cast<float>(phase < 0.5 ? 2.0 * phase : 2.0 - 2.0 * phase);
}

// The meter resets every ten seconds of audio, as a user pressing the reset button might.
constexpr int64_t kMeterResetFrames = 10 * 44100 / Soak::kBlock * Soak::kBlock;

int ProgramNamed(AEffect* e, const char* name)
{
  for (int p = 0; p < e->numPrograms; ++p) {
    char text[256] = "";
    e->dispatcher(e, effGetProgramNameIndexed, p, 0, text, 0.0f);
    if (std::strcmp(text, name) == 0) return p;
  }
  return 0;
}

}  // namespace

Soak::Soak() : effect(VSTPluginMain(nullptr))
{
  for (int c = 0; c < 2; ++c) {
    in[c].assign(kBlock, 0.0f);
    out[c].assign(kBlock, 0.0f);
  }
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
  effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  fx = static_cast<Skarvel*>(IPlugVST::FromAEffect(effect));
  effect->dispatcher(effect, effSetProgram, 0, ProgramNamed(effect, "Noise Freak Fuzz 2"), nullptr, 0.0f);
  const std::pair<int, float> everythingOn[] = {{kModulationOnOff, 1.0f},
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
  for (const auto& [index, value] : everythingOn) effect->setParameter(effect, index, value);
}

Soak::~Soak()
{
  effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

void Soak::Automate()
{
  effect->setParameter(effect, kFilterCutoff, Triangle(frames, 2.0));
  effect->setParameter(effect, kRingModulationFrequency, Triangle(frames, 3.0));
}

void Soak::FillInput()
{
  for (int i = 0; i < kBlock; ++i) {
    noise = noise * 1664525u + 1013904223u;
    const float white = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
    const double t = static_cast<double>(frames + i) / kRate;
    in[0][i] = 0.5f * white + static_cast<float>(0.3 * std::sin(2 * M_PI * 110.0 * t));
    in[1][i] = 0.5f * white - static_cast<float>(0.3 * std::sin(2 * M_PI * 165.0 * t));
  }
}

void Soak::Process(float* const* ins, float* const* outs)
{
  effect->processReplacing(effect, const_cast<float**>(ins), const_cast<float**>(outs), kBlock);
}

bool Soak::CheckBlock()
{
  for (const auto& ch : out)
    for (float x : ch) {
      if (!(std::fabs(x) <= 25.0f)) {
        fault = "an output sample outside -25..25 or not finite";
        return false;
      }
      const double a = std::fabs(x);
      if (a > outputPeak) outputPeak = a;
      if (a > peakSinceReset) peakSinceReset = a;
      sumOfSquares += static_cast<double>(x) * x;
    }
  // A reset takes effect at the end of the block that sees the request: that block does not
  // count. The meter keeps doubles, the host sees them rounded to float.
  const double meter = std::fmax(fx->PeakLeft(), fx->PeakRight());
  if (resetPending) {
    resetPending = false;
    peakSinceReset = 0.0;
    if (meter != 0.0) {
      fault = "the peak meter did not reset";
      return false;
    }
    return true;
  }
  if (!(meter <= 25.0) || std::fabs(meter - peakSinceReset) > 1e-6 * peakSinceReset) {
    fault = "the peak meter disagrees with the output since its reset";
    return false;
  }
  if (meter > meterPeak) meterPeak = meter;
  return true;
}

bool Soak::Run(int64_t count)
{
  float* ins[2] = {in[0].data(), in[1].data()};
  float* outs[2] = {out[0].data(), out[1].data()};
  for (int64_t end = frames + count; frames < end; frames += kBlock) {
    if (frames % kMeterResetFrames == 0) {
      fx->RequestPeakReset();
      resetPending = true;
    }
    Automate();
    FillInput();
    Process(ins, outs);
    if (!CheckBlock()) return false;
  }
  return true;
}

double Soak::OutputRms() const
{
  return frames > 0 ? std::sqrt(sumOfSquares / (2.0 * static_cast<double>(frames))) : 0.0;
}

double Soak::RingFrequency()
{
  // Everything but the ring modulator out of the way; the equaliser and the dump/expand
  // filter at their neutral settings let the tone through.
  const std::pair<int, float> ringOnly[] = {{kBypassFX, 0.0f},
                                            {kFilterOnOff, 0.0f},
                                            {kDistortionOnOff, 0.0f},
                                            {kModulationOnOff, 1.0f},
                                            {kPhaserDepth, 0.0f},
                                            {kRingModulationAmount, 1.0f},
                                            {kRingModulationFrequency, 0.5f},
                                            {kInputSaturation, 0.0f},
                                            {kSaturation, 0.0f},
                                            {kInputDCOffset, 0.5f},
                                            {kInputVolume, 1.0f},
                                            {kVolume, 1.0f},
                                            {kBassAmount, 0.5f},
                                            {kMidAmount, 0.5f},
                                            {kHighAmount, 0.5f},
                                            {kDumpExpand, 0.5f},
                                            {kQuantization, 1.0f},
                                            {kSampleRate, 1.0f},
                                            {kGate, 0.0f}};
  for (const auto& [index, value] : ringOnly) effect->setParameter(effect, index, value);
  std::vector<float> constant(kBlock, 0.5f);
  float* ins[2] = {constant.data(), constant.data()};
  float* outs[2] = {out[0].data(), out[1].data()};
  std::vector<float> tone;
  const int settle = static_cast<int>(kRate) / kBlock, measure = 2 * settle;
  for (int b = 0; b < settle + measure; ++b) {
    Process(ins, outs);
    frames += kBlock;
    if (b >= settle) tone.insert(tone.end(), out[0].begin(), out[0].end());
  }
  return ToneFrequency(tone, kRate);
}
