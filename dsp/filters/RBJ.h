#pragma once

#include <vector>

#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamInfo.h"

// The biquads of the RBJ Audio EQ Cookbook. Parameters: sample rate, frequency and a third
// parameter P, which is Q for the low- and high-pass and, for the band designs, a value
// described as a bandwidth in octaves but used in the place of Q (alpha = sin(w0) / (2 P)).
namespace Dsp::RBJ {

class BiquadDesign
{
public:
  static constexpr int kMaxStages = 1;
  static constexpr int kParamCount = 3;

  const BiquadCascade<1>& Cascade() const { return cascade; }
  std::vector<PoleZeroPair> PoleZeroPairs() const;

protected:
  struct Angles
  {
    double cs;
    double alpha;
  };
  static Angles Prepare(const FilterParams& p);
  void Store(const Angles& a, double b0, double b1, double b2);

  BiquadCascade<1> cascade;
};

namespace Design {

class LowPass : public BiquadDesign
{
public:
  static constexpr FilterKind kKind = FilterKind::LowPass;
  static const char* Name() { return "RBJ Low Pass"; }
  static ParamInfo DescribeParam(int index);
  void Apply(const FilterParams& p);
};

class HighPass : public BiquadDesign
{
public:
  static constexpr FilterKind kKind = FilterKind::HighPass;
  static const char* Name() { return "RBJ High Pass"; }
  static ParamInfo DescribeParam(int index);
  void Apply(const FilterParams& p);
};

// Constant skirt gain: the peak gain equals P.
class BandPass1 : public BiquadDesign
{
public:
  static constexpr FilterKind kKind = FilterKind::BandPass;
  static const char* Name() { return "RBJ Band Pass 1"; }
  static ParamInfo DescribeParam(int index);
  void Apply(const FilterParams& p);
};

class BandStop : public BiquadDesign
{
public:
  static constexpr FilterKind kKind = FilterKind::BandStop;
  static const char* Name() { return "RBJ Band Stop"; }
  static ParamInfo DescribeParam(int index);
  void Apply(const FilterParams& p);
};

}  // namespace Design
}  // namespace Dsp::RBJ
