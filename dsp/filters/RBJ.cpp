#include "dsp/filters/RBJ.h"

#include "dsp/filters/DesignMathInline.h"
#include "dsp/filters/MathConstants.h"
#include "dsp/filters/NyquistLimit.h"
#include "dsp/filters/ParamRecords.h"

namespace Dsp::RBJ {

namespace {

ParamInfo PassParam(int index)
{
  switch (index) {
    case 0: return ParamRecords::SampleRate();
    case 1: return ParamRecords::CutoffFrequency();
    default: return ParamRecords::Q();
  }
}

ParamInfo BandParam(int index)
{
  switch (index) {
    case 0: return ParamRecords::SampleRate();
    case 1: return ParamRecords::CenterFrequency();
    default: return ParamRecords::BandwidthOctaves();
  }
}

}  // namespace

std::vector<PoleZeroPair> BiquadDesign::PoleZeroPairs() const { return {cascade.stages[0].Roots()}; }

// w0 = 2 pi f / fs, alpha = sin(w0) / (2 P)
BiquadDesign::Angles BiquadDesign::Prepare(const FilterParams& p)
{
  const double fs = p[0];
  const double w0 = kTwoPi * LimitBelowNyquist(p[1], fs) / fs;
  double s, c;
  DesignMath::Inline::SinCos(w0, s, c);
  return {c, s / (2.0 * p[2])};
}

// a0 = 1 + alpha, a1 = -2 cos(w0), a2 = 1 - alpha
void BiquadDesign::Store(const Angles& a, double b0, double b1, double b2)
{
  cascade.stageCount = 1;
  cascade.stages[0].Set(1.0 + a.alpha, -2.0 * a.cs, 1.0 - a.alpha, b0, b1, b2);
}

namespace Design {

ParamInfo LowPass::DescribeParam(int index) { return PassParam(index); }
ParamInfo HighPass::DescribeParam(int index) { return PassParam(index); }
ParamInfo BandPass1::DescribeParam(int index) { return BandParam(index); }
ParamInfo BandStop::DescribeParam(int index) { return BandParam(index); }

// b0 = (1 - cos w0) / 2, b1 = 1 - cos w0, b2 = (1 - cos w0) / 2
void LowPass::Apply(const FilterParams& p)
{
  const Angles a = Prepare(p);
  Store(a, (1.0 - a.cs) / 2.0, 1.0 - a.cs, (1.0 - a.cs) / 2.0);
}

// b0 = (1 + cos w0) / 2, b1 = -(1 + cos w0), b2 = (1 + cos w0) / 2
void HighPass::Apply(const FilterParams& p)
{
  const Angles a = Prepare(p);
  Store(a, (1.0 + a.cs) / 2.0, -(1.0 + a.cs), (1.0 + a.cs) / 2.0);
}

// b0 = P alpha, b1 = 0, b2 = -P alpha
void BandPass1::Apply(const FilterParams& p)
{
  const Angles a = Prepare(p);
  Store(a, p[2] * a.alpha, 0.0, -p[2] * a.alpha);
}

// b0 = 1, b1 = -2 cos w0, b2 = 1
void BandStop::Apply(const FilterParams& p)
{
  const Angles a = Prepare(p);
  Store(a, 1.0, -2.0 * a.cs, 1.0);
}

}  // namespace Design
}  // namespace Dsp::RBJ
