#include "skarvel/SkarvelParameters.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "dsp/Distortion.h"
#include "dsp/Phaser.h"
#include "dsp/RingModulator.h"
#include "dsp/filters/ParamRecords.h"
#include "plug/IPlugParam.h"

namespace {

const Dsp::ParamInfo& CutoffRange()
{
  static const Dsp::ParamInfo info = Dsp::ParamRecords::CutoffFrequency();
  return info;
}

// The rate at which the sample-rate reduction takes new samples.
double HeldRateHz(double value, double sampleRate)
{
  const int hold = Kernwave::Distortion::HoldLength(value, sampleRate);
  return hold <= 0 || value == 1.0 ? sampleRate : sampleRate / hold;
}

// The setting whose hold length gives the rate nearest to hz: the middle of the settings
// that hold that many samples.
double HeldRateSetting(double hz, double sampleRate)
{
  if (!(hz < sampleRate)) return 1.0;
  if (!(hz > 0.0)) return 0.0;
  const double hold = std::floor(sampleRate / hz + 0.5);
  const double samplesAtZero = sampleRate / 44100.0 * 64.0;
  const double v = 1.0 - (hold + 0.5) / samplesAtZero;
  return v < 0.0 ? 0.0 : v;
}

double FrequencyOf(SkarvelParamText kind, double value, double sampleRate)
{
  switch (kind) {
    case SkarvelParamText::CutoffHz: return CutoffRange().ToNativeValue(value);
    case SkarvelParamText::RingHz: return value * Kernwave::RingModulator::kMaxFrequencyHz;
    case SkarvelParamText::PhaserHz: return value * Kernwave::Phaser::kMaxRateHz;
    case SkarvelParamText::HeldRateHz: return HeldRateHz(value, sampleRate);
    case SkarvelParamText::Plain: break;
  }
  return value;
}

double SettingOf(SkarvelParamText kind, double hz, double sampleRate)
{
  switch (kind) {
    case SkarvelParamText::CutoffHz: {
      const Dsp::ParamInfo& range = CutoffRange();
      const double limited = hz < range.minimum ? range.minimum : (hz > range.maximum ? range.maximum : hz);
      return range.ToControlValue(limited);
    }
    case SkarvelParamText::RingHz: return hz / Kernwave::RingModulator::kMaxFrequencyHz;
    case SkarvelParamText::PhaserHz: return hz / Kernwave::Phaser::kMaxRateHz;
    case SkarvelParamText::HeldRateHz: return HeldRateSetting(hz, sampleRate);
    case SkarvelParamText::Plain: break;
  }
  return hz;
}

IPlugParam Defined(const SkarvelParamInfo& p)
{
  IPlugParam param;
  param.DefineDouble(p.name, p.defaultValue, 0.0, 1.0, p.step, p.label);
  return param;
}

bool ValidIndex(int index) { return index >= 0 && index < kNumParams; }

}  // namespace

void SkarvelParamValueText(int index, double value, double sampleRate, char* text, int size)
{
  if (!text || size <= 0) return;
  text[0] = '\0';
  if (!ValidIndex(index)) return;
  const SkarvelParamInfo& p = kSkarvelParams[index];
  switch (p.text) {
    case SkarvelParamText::Plain: {
      char plain[IPlugParam::kTextLen];
      Defined(p).GetDisplayForHost(value, plain);
      std::snprintf(text, size, "%s", plain);
      return;
    }
    // As the editor's cut-off read-out: whole hertz, truncated.
    case SkarvelParamText::CutoffHz: {
      const double hz = FrequencyOf(p.text, value, sampleRate);
      std::snprintf(text, size, "%d", std::fabs(hz) < 2147483647.0 ? static_cast<int>(hz) : 0);
      return;
    }
    case SkarvelParamText::RingHz:
    case SkarvelParamText::HeldRateHz:
      std::snprintf(text, size, "%.1f", FrequencyOf(p.text, value, sampleRate));
      return;
    case SkarvelParamText::PhaserHz:
      std::snprintf(text, size, "%.3f", FrequencyOf(p.text, value, sampleRate));
      return;
  }
}

bool SkarvelParamValueFromText(int index, const char* text, double sampleRate, double& value)
{
  if (!ValidIndex(index) || !text) return false;
  const SkarvelParamInfo& p = kSkarvelParams[index];
  char* end = nullptr;
  const double number = std::strtod(text, &end);  // not atof: msvcrt's reads no "nan" or "inf"
  if (p.text == SkarvelParamText::Plain) {
    value = number;
    return true;
  }
  if (end == text) return false;
  while (std::isspace(static_cast<unsigned char>(*end))) ++end;
  const bool unit = (end[0] == 'H' || end[0] == 'h') && (end[1] == 'z' || end[1] == 'Z');
  // A bare number from 0 to 1 is the plain value, as hosts have always typed it.
  value = !unit && number >= 0.0 && number <= 1.0 ? number : SettingOf(p.text, number, sampleRate);
  return true;
}
