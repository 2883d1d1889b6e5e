#include "dsp/FilterUnit.h"

#include <cmath>

namespace Kernwave {

FilterUnit::FilterUnit() = default;
FilterUnit::~FilterUnit() = default;
void FilterUnit::SetSampleRate(double rate) { sampleRate = rate; }
void FilterUnit::SetCutoff(double v) { cutoffHz = 10.0 * std::pow(2204.0, v); }
void FilterUnit::SetResonance(double) {}
void FilterUnit::EnsureCapacity(int maxBlockSize)
{
  if (maxBlockSize > capacity) capacity = maxBlockSize;
}
void FilterUnit::ClearFilters() {}
void FilterUnit::ProcessStereo(double*, double*, int) {}
double FilterUnit::CurrentCutoffHz() const { return cutoffHz; }
const char* FilterUnit::RbjModeName(double) { return ""; }
const char* FilterUnit::ChebyModeName(double) { return ""; }
int FilterUnit::RbjModeFromName(const char*) { return 0; }
int FilterUnit::ChebyModeFromName(const char*) { return 0; }

}  // namespace Kernwave
