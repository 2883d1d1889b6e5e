#pragma once

// The effect's 30 parameters, once: index, key, display name, definition default, step,
// label, mirror slot, the mirror's value before the first change, and how the value reads as
// text. Every plug-in format, the editor layout, preset files and the tool read them here.
// This header includes nothing, so any of them may use it.

// Parameter indices, in table order: the index a host, a program's data and an editor
// control use.
enum SkarvelParam {
  kInputVolume = 0,
  kInputDCOffset,
  kInputSaturation,
  kQuantization,
  kSampleRate,
  kGate,
  kDistortion,
  kDistortionType,
  kDistortionLoudness,
  kDistortionInterpMode,
  kDistortionOnOff,
  kFilterType,
  kFilterCutoff,
  kFilterResonance,
  kFilterMode1,
  kFilterMode2,
  kFilterOnOff,
  kRingModulationAmount,
  kRingModulationFrequency,
  kPhaserDepth,
  kPhaserFeedback,
  kPhaserRate,
  kModulationOnOff,
  kBassAmount,
  kMidAmount,
  kHighAmount,
  kDumpExpand,
  kBypassFX,
  kSaturation,
  kVolume,
  kNumParams
};

// Parameter mirrors, in storage order (also the order of a preset file's values).
enum SkarvelMirror {
  mInputVolume = 0,
  mInputDCOffset,
  mInputSaturation,
  mQuantization,
  mSampleRate,
  mGate,
  mFilterType,
  mFilterCutoff,
  mFilterResonance,
  mFilterMode1,
  mFilterMode2,
  mFilterOnOff,
  mDistortion,
  mDistortionType,
  mDistortionLoudness,
  mDistortionInterpMode,
  mDistortionOnOff,
  mRingModulationAmount,
  mRingModulationFrequency,
  mPhaserDepth,
  mPhaserFeedback,
  mPhaserRate,
  mModulationOnOff,
  mBypassFX,
  mBassAmount,
  mMidAmount,
  mHighAmount,
  mDumpExpand,
  mSaturation,
  mVolume,
  kNumMirrors
};

// How a value reads as text. Plain values show with the step's precision; the four "Hz"
// parameters show the frequency their setting gives.
enum class SkarvelParamText {
  Plain,
  CutoffHz,    // the filter's cut-off frequency
  RingHz,      // the ring modulator's carrier frequency
  PhaserHz,    // the phaser's sweep rate
  HeldRateHz,  // the rate at which the sample-rate reduction takes new samples
};

struct SkarvelParamInfo
{
  SkarvelParam index;
  const char* key;   // preset files, the tool's --set, LV2 port symbols
  const char* name;  // what a host shows
  double defaultValue;
  double step;  // 1 for two-state switches
  const char* label;
  SkarvelMirror mirror;
  double mirrorStart;  // the mirror before the first change reaches it
  SkarvelParamText text;
  int choices;  // a selection's number of choices; 0 for a continuous value or a switch
};

namespace SkarvelParamTable {
constexpr double kFine = 0.0000001;
using T = SkarvelParamText;
}  // namespace SkarvelParamTable

// clang-format off
inline constexpr SkarvelParamInfo kSkarvelParams[kNumParams] = {
  {kInputVolume, "InputVolume", "Input Volume", 1.0, SkarvelParamTable::kFine, "", mInputVolume, 0.75, SkarvelParamTable::T::Plain, 0},
  {kInputDCOffset, "InputDCOffset", "Input DC offset", 0.5, SkarvelParamTable::kFine, "", mInputDCOffset, 0.5, SkarvelParamTable::T::Plain, 0},
  {kInputSaturation, "InputSaturation", "Input Saturation", 0.0, SkarvelParamTable::kFine, "", mInputSaturation, 0.0, SkarvelParamTable::T::Plain, 0},
  {kQuantization, "Quantization", "Bit-Crash Quantize", 1.0, 0.001, "", mQuantization, 1.0, SkarvelParamTable::T::Plain, 0},
  {kSampleRate, "SampleRate", "Sample-Rate Reduction", 1.0, 0.001, "Hz", mSampleRate, 1.0, SkarvelParamTable::T::HeldRateHz, 0},
  {kGate, "Gate", "Gate-Crack", 0.0, 0.001, "", mGate, 0.0, SkarvelParamTable::T::Plain, 0},
  {kDistortion, "Distortion", "Distortion", 0.0, 0.001, "", mDistortion, 0.0, SkarvelParamTable::T::Plain, 0},
  {kDistortionType, "DistortionType", "Divoz-Type", 0.0, 0.001, "", mDistortionType, 0.0, SkarvelParamTable::T::Plain, 29},
  {kDistortionLoudness, "DistortionLoudness", "Divoz-Loudness", 0.0, 1.0, "", mDistortionLoudness, 0.0, SkarvelParamTable::T::Plain, 0},
  {kDistortionInterpMode, "DistortionInterpMode", "Divoz Interpolation", 0.0, 0.001, "", mDistortionInterpMode, 0.0, SkarvelParamTable::T::Plain, 5},
  {kDistortionOnOff, "DistortionOnOff", "Divoz On/Off", 1.0, 1.0, "", mDistortionOnOff, 1.0, SkarvelParamTable::T::Plain, 0},
  {kFilterType, "FilterType", "Filter Type", 0.0, 0.001, "", mFilterType, 0.0, SkarvelParamTable::T::Plain, 0},
  {kFilterCutoff, "FilterCutoff", "Cutoff", 0.0, 0.001, "Hz", mFilterCutoff, 1.0, SkarvelParamTable::T::CutoffHz, 0},
  {kFilterResonance, "FilterResonance", "Resonance", 0.0, 0.001, "", mFilterResonance, 0.0, SkarvelParamTable::T::Plain, 0},
  {kFilterMode1, "FilterMode1", "Filter Mode 1", 0.0, 0.001, "", mFilterMode1, 0.0, SkarvelParamTable::T::Plain, 4},
  {kFilterMode2, "FilterMode2", "Filter Mode 2", 0.0, 0.001, "", mFilterMode2, 0.0, SkarvelParamTable::T::Plain, 4},
  {kFilterOnOff, "FilterOnOff", "Filter On/Off", 1.0, 1.0, "", mFilterOnOff, 1.0, SkarvelParamTable::T::Plain, 0},
  {kRingModulationAmount, "RingModulationAmount", "Ring Amount", 0.0, 0.001, "", mRingModulationAmount, 0.0, SkarvelParamTable::T::Plain, 0},
  {kRingModulationFrequency, "RingModulationFrequency", "Ring Freq", 0.0, 0.001, "Hz", mRingModulationFrequency, 0.0, SkarvelParamTable::T::RingHz, 0},
  {kPhaserDepth, "PhaserDepth", "Phaser Amount", 0.0, 0.001, "", mPhaserDepth, 0.0, SkarvelParamTable::T::Plain, 0},
  {kPhaserFeedback, "PhaserFeedback", "Phaser Feedback", 0.0, 0.001, "", mPhaserFeedback, 0.0, SkarvelParamTable::T::Plain, 0},
  {kPhaserRate, "PhaserRate", "Phaser Rate", 0.0, 0.001, "Hz", mPhaserRate, 0.0, SkarvelParamTable::T::PhaserHz, 0},
  {kModulationOnOff, "ModulationOnOff", "Mod Fx On/Off", 1.0, 1.0, "", mModulationOnOff, 1.0, SkarvelParamTable::T::Plain, 0},
  {kBassAmount, "BassAmount", "Bass", 0.5, 0.001, "", mBassAmount, 0.5, SkarvelParamTable::T::Plain, 0},
  {kMidAmount, "MidAmount", "Mid", 0.5, 0.001, "", mMidAmount, 0.5, SkarvelParamTable::T::Plain, 0},
  {kHighAmount, "HighAmount", "High", 0.5, 0.001, "", mHighAmount, 0.5, SkarvelParamTable::T::Plain, 0},
  {kDumpExpand, "DumpExpand", "Dump/Expand", 0.5, 0.001, "", mDumpExpand, 0.5, SkarvelParamTable::T::Plain, 0},
  {kBypassFX, "BypassFX", "Bypass FX", 0.0, 1.0, "", mBypassFX, 0.0, SkarvelParamTable::T::Plain, 0},
  {kSaturation, "Saturation", "Output Saturation", 0.0, SkarvelParamTable::kFine, "", mSaturation, 0.0, SkarvelParamTable::T::Plain, 0},
  {kVolume, "Volume", "Output Volume", 1.0, SkarvelParamTable::kFine, "", mVolume, 0.25, SkarvelParamTable::T::Plain, 0},
};
// clang-format on

namespace SkarvelParamTable {
constexpr bool InIndexOrder()
{
  for (int i = 0; i < kNumParams; ++i)
    if (kSkarvelParams[i].index != i) return false;
  return true;
}

// Every mirror slot is some parameter's, once.
constexpr bool MirrorsArePermutation()
{
  for (int m = 0; m < kNumMirrors; ++m) {
    int owners = 0;
    for (const SkarvelParamInfo& p : kSkarvelParams) owners += p.mirror == m ? 1 : 0;
    if (owners != 1) return false;
  }
  return true;
}
}  // namespace SkarvelParamTable

static_assert(kNumParams == 30 && static_cast<int>(kNumMirrors) == static_cast<int>(kNumParams),
              "the effect has 30 parameters");
static_assert(SkarvelParamTable::InIndexOrder(), "the table lists the parameters in index order");
static_assert(SkarvelParamTable::MirrorsArePermutation(), "each parameter has its own mirror slot");

// The text a host shows for a parameter's plain value (0..1), without the label; the held
// sample rate depends on the host's sample rate. Writes at most size - 1 characters.
void SkarvelParamValueText(int index, double value, double sampleRate, char* text, int size);

// The plain value a typed text denotes: for the "Hz" parameters a frequency, with or without
// the unit, or a bare number from 0 to 1 taken as the plain value (false for text that names no
// number); for the others the leading number, 0 when there is none. Not clamped.
bool SkarvelParamValueFromText(int index, const char* text, double sampleRate, double& value);
