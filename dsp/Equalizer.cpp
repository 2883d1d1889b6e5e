#include "dsp/Equalizer.h"

namespace Kernwave {

Equalizer::Equalizer() = default;
Equalizer::~Equalizer() = default;
void Equalizer::SetSampleRate(double rate) { sampleRate = rate; }
void Equalizer::SetBassAmount(double) {}
void Equalizer::SetHighAmount(double) {}
void Equalizer::EnsureCapacity(int n)
{
  if (capacity < n) capacity = n;
}
void Equalizer::ClearFilters() {}
void Equalizer::ProcessStereo(double*, double*, int) {}

}  // namespace Kernwave
