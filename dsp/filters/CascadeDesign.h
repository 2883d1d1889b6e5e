#pragma once

#include <vector>

#include "dsp/filters/AnalogPrototype.h"
#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/FilterParams.h"

namespace Dsp {

// What every prototype-based design holds: the cascade, the digital layout it was built
// from and the analog prototype with its cache. Parameter 0 is the sample rate, 1 the order.
template <int MaxOrder, int DigitalPoles> class CascadeDesign
{
public:
  static constexpr int kMaxOrder = MaxOrder;
  static constexpr int kMaxStages = (DigitalPoles + 1) / 2;
  static constexpr int kParamCount = 4;

  const BiquadCascade<kMaxStages>& Cascade() const { return cascade; }
  const PoleZeroLayout<DigitalPoles>& Layout() const { return digital; }
  const AnalogPrototype<MaxOrder>& Prototype() const { return analog; }

  std::vector<PoleZeroPair> PoleZeroPairs() const
  {
    return std::vector<PoleZeroPair>(digital.pairs, digital.pairs + digital.PairCount());
  }

protected:
  // The order truncated toward zero. A gliding order stays within 1..MaxOrder; anything
  // else is held there so the layouts never overflow.
  static int OrderOf(const FilterParams& p)
  {
    const double v = p[1];
    if (!(v >= 1.0)) return 1;
    if (v >= MaxOrder) return MaxOrder;
    return static_cast<int>(v);
  }

  template <class Transform> void Finish(const Transform& transform)
  {
    transform.Apply(analog.layout, digital);
    cascade.SetFromLayout(digital);
  }

  BiquadCascade<kMaxStages> cascade;
  PoleZeroLayout<DigitalPoles> digital;
  AnalogPrototype<MaxOrder> analog;
};

}  // namespace Dsp
