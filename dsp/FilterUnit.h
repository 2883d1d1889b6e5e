#pragma once

#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

// The multimode filter: an RBJ path and a Chebyshev path crossfaded by the filter type.
class FilterUnit : public AudioProcessingUnit
{
public:
  FilterUnit();
  ~FilterUnit() override;
  void SetSampleRate(double rate) override;

  void SetTypeTarget(double v) { typeTarget = v; }
  void SetCutoff(double v);
  void SetResonance(double v);
  void SetRbjSelect(double v) { rbjSelect = v; }
  void SetChebySelect(double v) { chebySelect = v; }

  int Capacity() const { return capacity; }
  // Grows the work buffers to hold maxBlockSize samples; they never shrink.
  void EnsureCapacity(int maxBlockSize);
  void ClearFilters();
  void ProcessStereo(double* left, double* right, int n);

  double CurrentCutoffHz() const;
  static const char* RbjModeName(double v);
  static const char* ChebyModeName(double v);
  static int RbjModeFromName(const char* text);
  static int ChebyModeFromName(const char* text);

private:
  int capacity = 128;
  double rbjSelect = 0.0;
  double chebySelect = 0.0;
  double typeTarget = 1.0;
  double cutoffHz = 10.0;
};

}  // namespace Kernwave
