#pragma once

#include "dsp/filters/Filter.h"

namespace Dsp {

// Answers the descriptive part of the interface from one design object.
//
// A Design provides: kKind, kParamCount, Name(), DescribeParam(i) for valid i, Apply(params),
// Cascade() and PoleZeroPairs().
template <class Design> class FilterDesignBase : public Filter
{
public:
  FilterKind KindOf() const override { return Design::kKind; }
  std::string DisplayName() const override { return Design::Name(); }
  int ParamCount() const override { return Design::kParamCount; }

  ParamInfo DescribeParam(int index) const override
  {
    if (index < 0 || index >= Design::kParamCount) ThrowInvalidParamIndex();
    return Design::DescribeParam(index);
  }

  std::vector<PoleZeroPair> PoleZeroPairs() const override { return Designed().PoleZeroPairs(); }

  Complex ComplexResponse(double normalizedFrequency) const override
  {
    return Designed().Cascade().Response(normalizedFrequency);
  }

  const Design& MainDesign() const { return Designed(); }

protected:
  // The design of the current parameters, made when it is first asked for after they
  // changed: parameters that change more often than the filter runs (a cutoff automated
  // on filters not selected, or still gliding) are designed only when used. A design
  // depends on nothing but the parameters, so it is the same whenever it is made.
  const Design& Designed() const
  {
    if (designPending) {
      design.Apply(this->CurrentParams());
      designPending = false;
    }
    return design;
  }
  void DesignLater() { designPending = true; }

private:
  mutable Design design;
  mutable bool designPending = false;
};

}  // namespace Dsp
