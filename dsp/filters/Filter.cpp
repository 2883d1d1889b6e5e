#include "dsp/filters/Filter.h"

namespace Dsp {

void Filter::AssignParams(const FilterParams& p)
{
  params = p;
  ApplyParams(params);
}

FilterParams Filter::DefaultParams() const
{
  FilterParams p;
  for (int i = 0; i < ParamCount(); ++i) p[i] = DescribeParam(i).defaultValue;
  return p;
}

int Filter::IndexOfParam(ParamId id) const
{
  for (int i = ParamCount() - 1; i >= 0; --i)
    if (DescribeParam(i).id == id) return i;
  return -1;
}

}  // namespace Dsp
