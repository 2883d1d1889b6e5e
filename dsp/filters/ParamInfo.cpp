#include "dsp/filters/ParamInfo.h"

#include <cmath>
#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "dsp/filters/DesignMath.h"

namespace Dsp {

namespace {

// Frequencies map on a logarithm to base 1.5; the base cancels out of the mapping.
constexpr double kLn15 = 0.4054651081081644;  // ln 1.5, rounded
double Log15(double v) { return DesignMath::Log(v) / kLn15; }

std::string FixedText(double v, int decimals)
{
  std::ostringstream out;
  out << std::fixed << std::setprecision(decimals) << v;
  return out.str();
}

}  // namespace

namespace Mapping {

double LinearToControl(const ParamInfo& info, double v)
{
  return (v - info.minimum) / (info.maximum - info.minimum);
}

double LinearToNative(const ParamInfo& info, double c)
{
  return info.minimum + (info.maximum - info.minimum) * c;
}

double LogToControl(const ParamInfo& info, double v)
{
  const double low = Log15(info.minimum);
  return (Log15(v) - low) / (Log15(info.maximum) - low);
}

double LogToNative(const ParamInfo& info, double c)
{
  const double low = Log15(info.minimum);
  return DesignMath::Pow(1.5, low + (Log15(info.maximum) - low) * c);
}

double OctaveToControl(const ParamInfo& info, double v)
{
  return (std::log2(v) - info.minimum) / (info.maximum - info.minimum);
}

double OctaveToNative(const ParamInfo& info, double c)
{
  return DesignMath::Pow(2.0, info.minimum + (info.maximum - info.minimum) * c);
}

double IntegerToNative(const ParamInfo& info, double c)
{
  return std::floor(info.minimum + (info.maximum - info.minimum) * c + 0.5);
}

}  // namespace Mapping

namespace Display {

std::string Plain(const ParamInfo&, double v)
{
  std::ostringstream out;
  out << v;
  return out.str();
}

std::string Hertz(const ParamInfo& info, double v) { return Plain(info, v) + " Hz"; }

std::string Fixed(const ParamInfo&, double v) { return FixedText(v, 3); }

std::string Decibel(const ParamInfo&, double v)
{
  const double magnitude = std::fabs(v);
  const int decimals = magnitude < 1.0 ? 3 : magnitude < 10.0 ? 2 : 1;
  return FixedText(v, decimals) + " dB";
}

}  // namespace Display

void ThrowInvalidParamIndex() { throw std::logic_error("invalid usage of ParamInfo"); }

}  // namespace Dsp
