#include <vector>

#include "skarvel/Skarvel.h"

namespace {

struct Difference
{
  int param;
  double value;
};

struct FactoryPreset
{
  const char* name;
  std::vector<Difference> differences;
};

// Shared by every preset, by parameter index; each preset lists only what it changes.
// clang-format off
constexpr double kBaseline[kNumParams] = {
  1, 0.5, 0, 1, 1, 0,             // input volume, DC offset, input saturation, quantize, rate, gate
  0.5, 0, 0, 1, 1,                // distortion, type, loudness, interpolation, on/off
  0, 1, 0, 0, 0, 1,               // filter type, cutoff, resonance, mode 1, mode 2, on/off
  0, 0.5, 0, 0.25, 0.5, 1,        // ring amount, ring freq, phaser depth, feedback, rate, on/off
  0.5, 0.5, 0.5, 0.5, 0, 0, 0.25  // bass, mid, high, dump/expand, bypass, output sat, volume
};
// clang-format on

// The distortion types are multiples of 1/28 rounded to four decimals.
// clang-format off
const FactoryPreset kFactoryPresets[] = {
  {"Initial Preset", {{kDistortion, 0}, {kFilterType, 1}, {kFilterCutoff, 0}, {kBypassFX, 1}}},
  {"Linear Distortion",
   {{kDistortion, 0}, {kDistortionInterpMode, 0.25}, {kFilterType, 1}, {kFilterCutoff, 0}}},
  {"Soft Compressor",
   {{kDistortion, 0.1}, {kDistortionType, 0.0357}, {kFilterType, 1}, {kFilterCutoff, 0}}},
  {"Hard Compressor", {{kDistortionType, 0.0357}, {kFilterType, 1}, {kFilterCutoff, 0}}},
  {"Hard Overload",
   {{kDistortion, 0.8}, {kDistortionType, 0.0714}, {kDistortionInterpMode, 0}, {kFilterType, 1},
    {kFilterCutoff, 0}}},
  {"Sigmoid Drive 1",
   {{kDistortion, 0.25}, {kDistortionType, 0.1071}, {kDistortionInterpMode, 0}, {kFilterType, 1},
    {kFilterCutoff, 0}, {kSaturation, 0.25}}},
  {"Sigmoid Drive 2",
   {{kDistortionType, 0.1429}, {kDistortionInterpMode, 0}, {kFilterType, 1}, {kFilterCutoff, 0},
    {kSaturation, 0.25}}},
  {"Rovurav Fuzz (8-bit)",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.3}, {kDistortionType, 0.1786},
    {kDistortionInterpMode, 0}, {kFilterType, 1}, {kFilterCutoff, 0.3}, {kFilterResonance, 0.3},
    {kFilterMode1, 0.6667}, {kSaturation, 0.3}}},
  {"Rovurav Fuzz",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.3}, {kDistortionType, 0.1786}, {kFilterType, 1},
    {kFilterCutoff, 0.25}, {kFilterResonance, 0.2}, {kFilterMode1, 0.6667}, {kSaturation, 0.3}}},
  {"Zorvak Fuzz (8-bit)",
   {{kDistortion, 1}, {kDistortionType, 0.2143}, {kDistortionInterpMode, 0}}},
  {"Zorvak Fuzz",
   {{kDistortion, 1}, {kDistortionType, 0.2143}, {kFilterType, 1}, {kFilterCutoff, 0.2}}},
  {"Zorvak Fuzz I/O sat",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.5}, {kDistortionType, 0.2143},
    {kDistortionInterpMode, 0}, {kFilterType, 1}, {kFilterCutoff, 0}, {kSaturation, 0.25}}},
  {"PRM Kick Distortion 1",
   {{kDistortionType, 0.25}, {kDistortionInterpMode, 0}, {kFilterType, 0.2},
    {kFilterCutoff, 0.25}, {kFilterResonance, 0.4}, {kFilterMode1, 0.3333}, {kFilterMode2, 1},
    {kBassAmount, 0.7}, {kSaturation, 0.5}}},
  {"PRM Kick Distortion 2",
   {{kDistortionType, 0.2857}, {kDistortionInterpMode, 0}, {kFilterResonance, 0.1},
    {kBassAmount, 0.7}, {kSaturation, 0.5}}},
  {"Soft Tube Drive", {{kDistortionType, 0.3214}}},
  {"Tube Drive (8-bit)",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.5}, {kDistortionType, 0.3571},
    {kDistortionInterpMode, 0}}},
  {"Tube Drive", {{kInputVolume, 0.75}, {kInputSaturation, 0.5}, {kDistortionType, 0.3571}}},
  {"Transistor 1", {{kDistortionType, 0.3929}}},
  {"Full Clip", {{kDistortion, 0.75}, {kDistortionType, 0.4286}, {kDistortionInterpMode, 0}}},
  {"Full Clip I/O sat",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.25}, {kDistortion, 0.75},
    {kDistortionType, 0.4286}, {kDistortionInterpMode, 0}, {kFilterType, 1}, {kFilterCutoff, 0},
    {kSaturation, 0.25}}},
  {"Fuzz Distortion 1",
   {{kDistortion, 0.75}, {kDistortionType, 0.4643}, {kFilterMode2, 0.3333}, {kSaturation, 0.25}}},
  {"Fuzz Distortion 1 I/O sat",
   {{kInputSaturation, 0.5}, {kDistortion, 0.85}, {kDistortionType, 0.4643}, {kFilterType, 0.2},
    {kFilterCutoff, 0.25}, {kFilterResonance, 0.3}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"Hardcore Fuzz 1",
   {{kDistortion, 1}, {kDistortionType, 0.5}, {kDistortionInterpMode, 0}, {kFilterType, 0.8},
    {kFilterCutoff, 0.1}, {kFilterResonance, 0.1}}},
  {"Hardcore Fuzz 1 I/O sat",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.3}, {kDistortion, 1}, {kDistortionType, 0.5},
    {kFilterType, 0.2}, {kFilterCutoff, 0.3}, {kFilterResonance, 0.4}, {kFilterMode1, 0.6667}}},
  {"Hardcore Fuzz 2",
   {{kDistortion, 0.75}, {kDistortionType, 0.5357}, {kDistortionInterpMode, 0}, {kFilterType, 0.8},
    {kFilterCutoff, 0.2}, {kFilterResonance, 0.2}, {kFilterMode2, 0.3333}, {kSaturation, 0.25}}},
  {"Hardcore Fuzz 2 I/O sat",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.3}, {kDistortion, 0.75}, {kDistortionType, 0.5357},
    {kFilterType, 0.2}, {kFilterCutoff, 0.3}, {kFilterResonance, 0.4}, {kFilterMode1, 0.6667},
    {kFilterMode2, 0.3333}, {kSaturation, 0.25}}},
  {"Industrial 1",
   {{kDistortionType, 0.5714}, {kDistortionInterpMode, 0}, {kFilterType, 0.7},
    {kFilterCutoff, 0.2}, {kFilterResonance, 0.2}, {kFilterMode1, 0.6667}, {kFilterMode2, 0.3333},
    {kSaturation, 0.5}}},
  {"Industrial 1 I/O sat",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.3}, {kDistortionType, 0.5714}, {kFilterType, 0.7},
    {kFilterCutoff, 0.3}, {kFilterResonance, 0.4}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"KW Distortion 1",
   {{kDistortionType, 0.6071}, {kDistortionInterpMode, 0}, {kFilterType, 0.2},
    {kFilterCutoff, 0.2}, {kFilterResonance, 0.3}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"KW Distortion 1 I/O sat",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.5}, {kDistortionType, 0.6071},
    {kDistortionInterpMode, 0.75}, {kFilterType, 0.2}, {kFilterCutoff, 0.3},
    {kFilterResonance, 0.4}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"KW Distortion 2",
   {{kDistortionType, 0.6429}, {kDistortionInterpMode, 0}, {kFilterType, 0.1},
    {kFilterCutoff, 0.3}, {kFilterResonance, 0.4}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"KW Distortion 2 I/O sat",
   {{kInputVolume, 0.7}, {kInputSaturation, 0.5}, {kDistortionType, 0.6429},
    {kDistortionInterpMode, 0.75}, {kFilterType, 0.1}, {kFilterCutoff, 0.3},
    {kFilterResonance, 0.4}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"Noise Freak Fuzz 1 (8-bit)",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.5}, {kDistortionType, 0.6786},
    {kDistortionInterpMode, 0}, {kFilterType, 0.1}, {kFilterCutoff, 0.35}, {kFilterResonance, 0.7},
    {kFilterMode1, 0.6667}, {kSaturation, 0.25}}},
  {"Noise Freak Fuzz 1",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.5}, {kDistortionType, 0.6786}, {kFilterType, 0.1},
    {kFilterCutoff, 0.35}, {kFilterResonance, 0.7}, {kFilterMode1, 0.6667}, {kSaturation, 0.25}}},
  {"Noise Freak Fuzz 2 (8-bit)",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.5}, {kDistortionType, 0.7143},
    {kDistortionInterpMode, 0}, {kFilterType, 0.2}, {kFilterCutoff, 0.3}, {kFilterResonance, 0.8},
    {kFilterMode1, 0.6667}, {kSaturation, 0.25}}},
  {"Noise Freak Fuzz 2",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.5}, {kDistortionType, 0.7143}, {kFilterType, 0.2},
    {kFilterCutoff, 0.3}, {kFilterResonance, 0.8}, {kFilterMode1, 0.6667}, {kSaturation, 0.25}}},
  {"Invert Input", {{kDistortion, 1}, {kDistortionType, 0.75}, {kDistortionInterpMode, 0}}},
  {"Invert Input I/O sat",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.5}, {kDistortion, 1}, {kDistortionType, 0.75},
    {kDistortionInterpMode, 0}, {kFilterType, 1}, {kFilterCutoff, 0}, {kFilterMode2, 0.3333},
    {kSaturation, 0.5}}},
  {"Big Bad Drive",
   {{kDistortion, 0.75}, {kDistortionType, 0.7857}, {kFilterType, 1}, {kFilterCutoff, 0},
    {kFilterMode2, 0.3333}}},
  {"Big Bad Drive I/O sat",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.1}, {kDistortionType, 0.7857}, {kFilterType, 1},
    {kFilterCutoff, 0}, {kFilterMode2, 0.3333}, {kSaturation, 0.5}}},
  {"Big Fat Drive",
   {{kDistortion, 1}, {kDistortionType, 0.8214}, {kFilterCutoff, 0.25}, {kFilterMode1, 0.3333},
    {kFilterMode2, 1}}},
  {"Big Fat Drive I/O sat",
   {{kInputVolume, 0.5}, {kInputSaturation, 0.25}, {kDistortionType, 0.8214},
    {kFilterCutoff, 0.25}, {kFilterMode1, 0.3333}, {kFilterMode2, 1}, {kSaturation, 0.5}}},
  {"Vicious Viper",
   {{kDistortionType, 0.8571}, {kDistortionInterpMode, 0}, {kFilterCutoff, 0.25},
    {kFilterMode1, 0.3333}, {kFilterMode2, 1}}},
  {"Vicious Viper I/O sat",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.25}, {kDistortionType, 0.8571},
    {kDistortionInterpMode, 0.75}, {kFilterType, 0.1}, {kFilterCutoff, 0.3},
    {kFilterResonance, 0.2}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"Ass Kicking",
   {{kDistortionType, 0.8929}, {kDistortionInterpMode, 0.5}, {kFilterCutoff, 0.25},
    {kFilterMode1, 0.3333}, {kFilterMode2, 1}}},
  {"Ass Kicking I/O sat",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.25}, {kDistortionType, 0.8929}, {kFilterType, 0.1},
    {kFilterCutoff, 0.3}, {kFilterResonance, 0.2}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"Tiger's Blood",
   {{kDistortionType, 0.9286}, {kDistortionInterpMode, 0.5}, {kFilterCutoff, 0.25},
    {kFilterMode1, 0.3333}, {kFilterMode2, 1}}},
  {"Tiger's Blood I/O sat",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.25}, {kDistortionType, 0.9286},
    {kFilterCutoff, 0.3}, {kFilterResonance, 0.3}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"Mad Dog",
   {{kDistortionType, 0.9643}, {kDistortionInterpMode, 0.5}, {kFilterCutoff, 0.25},
    {kFilterMode1, 0.3333}, {kFilterMode2, 1}}},
  {"Mad Dog I/O sat",
   {{kInputVolume, 0.75}, {kInputSaturation, 0.25}, {kDistortionType, 0.9643},
    {kFilterCutoff, 0.3}, {kFilterResonance, 0.3}, {kFilterMode1, 0.6667}, {kSaturation, 0.5}}},
  {"Noise-Gate 1", {{kDistortionType, 1}, {kModulationOnOff, 0}}},
  {"100 Hz Ring Modulation",
   {{kDistortion, 0}, {kDistortionInterpMode, 0.25}, {kDistortionOnOff, 0},
    {kRingModulationAmount, 1}, {kRingModulationFrequency, 0.05}, {kPhaserFeedback, 0.5},
    {kPhaserRate, 0.2}}},
  {"200 Hz Ring Modulation",
   {{kDistortion, 0}, {kDistortionInterpMode, 0.25}, {kDistortionOnOff, 0},
    {kRingModulationAmount, 1}, {kRingModulationFrequency, 0.1}, {kPhaserFeedback, 0.5},
    {kPhaserRate, 0.2}}},
  {"400 Hz Ring Modulation",
   {{kDistortion, 0}, {kDistortionInterpMode, 0.25}, {kDistortionOnOff, 0},
    {kRingModulationAmount, 1}, {kRingModulationFrequency, 0.2}, {kPhaserFeedback, 0.5},
    {kPhaserRate, 0.2}}},
  {"Slow Phaser",
   {{kDistortion, 0}, {kDistortionInterpMode, 0.25}, {kRingModulationFrequency, 0.2},
    {kPhaserDepth, 0.75}, {kPhaserFeedback, 0.5}, {kPhaserRate, 0.2}}},
  {"DC offset control",
   {{kDistortion, 0}, {kDistortionInterpMode, 0.25}, {kDistortionOnOff, 0}, {kFilterOnOff, 0},
    {kModulationOnOff, 0}, {kBypassFX, 1}}},
};
// clang-format on

static_assert(sizeof(kFactoryPresets) / sizeof(kFactoryPresets[0]) == Skarvel::kNumPresets,
              "one factory preset per program slot");

}  // namespace

void Skarvel::CreateFactoryPresets()
{
  for (const FactoryPreset& preset : kFactoryPresets) {
    double values[kNumParams];
    for (int i = 0; i < kNumParams; ++i) values[i] = kBaseline[i];
    for (const Difference& d : preset.differences) values[d.param] = d.value;
    AddFactoryPreset(preset.name, values);
  }
}
