#pragma once

#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

// One knob that sweeps a low-pass (lower half) or a high-pass (upper half).
class DumpExpand : public AudioProcessingUnit
{
public:
  DumpExpand();
  ~DumpExpand() override;
  void SetSampleRate(double rate) override;
  void EnsureCapacity(int maxBlockSize);
  void ClearFilters();
  void SetValue(double x) { value = x; }
  void ProcessDumpExpand(double* left, double* right, int n);

private:
  int capacity = 128;
  double value = 0.5;
};

}  // namespace Kernwave
