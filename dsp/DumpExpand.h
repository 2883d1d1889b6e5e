#pragma once

#include <memory>
#include <vector>

#include "dsp/AudioProcessingUnit.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/SmoothedFilterDesign.h"

namespace Kernwave {

// One knob that sweeps a low-pass down (lower half) or a high-pass up (upper half); neutral
// at 0.5.
class DumpExpand : public AudioProcessingUnit
{
public:
  static constexpr int kTransitionLength = 512;
  // At host rates up to this one the sweep tops out at kCappedTopHz.
  static constexpr double kCapRate = 44100.0;
  static constexpr double kCappedTopHz = 21000.0;
  using LowPass = Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::LowPass<2>, 2, Dsp::DirectFormI>;
  using HighPass = Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<2>, 2, Dsp::DirectFormI>;

  DumpExpand();
  ~DumpExpand() override;
  void SetSampleRate(double rate) override;
  int Capacity() const { return capacity; }
  void EnsureCapacity(int maxBlockSize);
  void ClearFilters();
  void SetValue(double x);
  double Value() const { return value; }
  void ProcessDumpExpand(double* left, double* right, int n);

  const LowPass& LowPassFilter() const { return *lowPass; }
  const HighPass& HighPassFilter() const { return *highPass; }

private:
  void ProcessSlice(double* left, double* right, int n);

  std::unique_ptr<LowPass> lowPass;
  std::unique_ptr<HighPass> highPass;
  Dsp::FilterParams lowPassParams;
  Dsp::FilterParams highPassParams;
  int capacity = 128;
  double value = 0.5;
  std::vector<double> scratchLeft, scratchRight;
};

}  // namespace Kernwave
