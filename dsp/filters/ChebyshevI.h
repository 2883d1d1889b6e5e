#pragma once

#include "dsp/filters/CascadeDesign.h"
#include "dsp/filters/ChebyshevIPrototype.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/HighPassTransform.h"
#include "dsp/filters/LowPassTransform.h"
#include "dsp/filters/NyquistLimit.h"
#include "dsp/filters/ParamRecords.h"

// Chebyshev type I low- and high-pass. Parameters: sample rate, order, cutoff, ripple (dB).
namespace Dsp::ChebyshevI {

template <int MaxOrder, class Transform> class PassDesign : public CascadeDesign<MaxOrder, MaxOrder>
{
public:
  static ParamInfo DescribeParam(int index)
  {
    switch (index) {
      case 0: return ParamRecords::SampleRate();
      case 1: return ParamRecords::Order(MaxOrder);
      case 2: return ParamRecords::CutoffFrequency();
      default: return ParamRecords::RippleDb();
    }
  }

  void Apply(const FilterParams& p)
  {
    DesignChebyshevILowPass(this->analog, this->OrderOf(p), p[3]);
    this->Finish(Transform(LimitBelowNyquist(p[2], p[0]) / p[0]));
  }
};

namespace Design {

template <int MaxOrder> class LowPass : public PassDesign<MaxOrder, LowPassTransform>
{
public:
  static constexpr FilterKind kKind = FilterKind::LowPass;
  static const char* Name() { return "Chebyshev I Low Pass"; }
};

template <int MaxOrder> class HighPass : public PassDesign<MaxOrder, HighPassTransform>
{
public:
  static constexpr FilterKind kKind = FilterKind::HighPass;
  static const char* Name() { return "Chebyshev I High Pass"; }
};

}  // namespace Design
}  // namespace Dsp::ChebyshevI
