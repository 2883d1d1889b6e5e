#pragma once

#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

// Bass and treble shelves in series and a mid band added or cut.
class Equalizer : public AudioProcessingUnit
{
public:
  Equalizer();
  ~Equalizer() override;
  void SetSampleRate(double rate) override;
  void SetBassAmount(double v);
  void SetMidAmount(double v) { midAmount = v; }
  void SetHighAmount(double v);
  void EnsureCapacity(int n);
  void ClearFilters();
  void ProcessStereo(double* left, double* right, int n);

private:
  int capacity = 128;
  double midAmount = 0.0;
};

}  // namespace Kernwave
