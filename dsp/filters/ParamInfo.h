#pragma once

#include <string>

#include "dsp/filters/ParamId.h"

namespace Dsp {

// Description of one design parameter: its range, default, the mapping between a 0..1
// control value and the native value, and its display text. The rule functions receive
// the record itself, so one rule serves every range.
struct ParamInfo
{
  using ToControlRule = double (*)(const ParamInfo&, double nativeValue);
  using ToNativeRule = double (*)(const ParamInfo&, double controlValue);
  using DisplayRule = std::string (*)(const ParamInfo&, double nativeValue);

  double ToControlValue(double nativeValue) const { return toControl(*this, nativeValue); }
  double ToNativeValue(double controlValue) const { return toNative(*this, controlValue); }
  std::string ToDisplayText(double nativeValue) const { return toText(*this, nativeValue); }

  ParamId id;
  const char* shortName;
  const char* name;
  double minimum;
  double maximum;
  double defaultValue;
  ToControlRule toControl;
  ToNativeRule toNative;
  DisplayRule toText;
};

// The four mappings. Octave ranges hold base-2 exponents as minimum and maximum.
namespace Mapping {
double LinearToControl(const ParamInfo& info, double v);
double LinearToNative(const ParamInfo& info, double c);
double LogToControl(const ParamInfo& info, double v);
double LogToNative(const ParamInfo& info, double c);
double OctaveToControl(const ParamInfo& info, double v);
double OctaveToNative(const ParamInfo& info, double c);
double IntegerToNative(const ParamInfo& info, double c);
}  // namespace Mapping

// The four display rules.
namespace Display {
std::string Plain(const ParamInfo& info, double v);
std::string Hertz(const ParamInfo& info, double v);
std::string Fixed(const ParamInfo& info, double v);
std::string Decibel(const ParamInfo& info, double v);
}  // namespace Display

// The library's only error: a parameter index outside the design's parameters.
[[noreturn]] void ThrowInvalidParamIndex();

}  // namespace Dsp
