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

  std::vector<PoleZeroPair> PoleZeroPairs() const override { return design.PoleZeroPairs(); }

  Complex ComplexResponse(double normalizedFrequency) const override
  {
    return design.Cascade().Response(normalizedFrequency);
  }

  const Design& MainDesign() const { return design; }

protected:
  Design design;
};

}  // namespace Dsp
