#pragma once

#include <string>
#include <vector>

#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamInfo.h"
#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// The interface through which a processing unit drives any filter: find a parameter by its
// identifier, change it, assign the parameters again and process blocks in place.
class Filter
{
public:
  virtual ~Filter() = default;

  virtual FilterKind KindOf() const = 0;
  virtual std::string DisplayName() const = 0;
  virtual int ParamCount() const = 0;
  // Throws "invalid usage of ParamInfo" for an index outside 0..ParamCount()-1.
  virtual ParamInfo DescribeParam(int index) const = 0;
  virtual std::vector<PoleZeroPair> PoleZeroPairs() const = 0;
  // Response of the current design at f cycles per sample.
  virtual Complex ComplexResponse(double normalizedFrequency) const = 0;
  virtual int ChannelCount() const = 0;
  // Zeroes every history; the denormal guards keep their values.
  virtual void ClearState() = 0;
  virtual void ProcessSamples(int numSamples, double* const* channels) = 0;
  virtual void ProcessSamples(int numSamples, float* const* channels) = 0;

  void AssignParams(const FilterParams& p);
  const FilterParams& CurrentParams() const { return params; }
  FilterParams DefaultParams() const;
  // The last parameter with this identifier, or -1.
  int IndexOfParam(ParamId id) const;

protected:
  virtual void ApplyParams(const FilterParams& p) = 0;

private:
  FilterParams params;
};

}  // namespace Dsp
