#pragma once

#include <vector>

namespace Kernwave {

// One 2:1 stage of a linear-phase half-band low-pass (see HalfBandCoefficients.h), kept as
// a work buffer whose front holds the inputs the next block still reaches back to. The taps
// are one side of the filter's non-zero odd-distance taps; with k + 1 of them the filter is
// 4k + 3 taps long and delays by 2k + 1 samples of its higher rate.
class HalfBandStage
{
public:
  HalfBandStage(const double* taps, int numTaps, int historyLength);

  // Room for blocks of up to inputCapacity input samples; the history is cleared.
  void SetCapacity(int inputCapacity);
  void Clear();

protected:
  // Copies n inputs behind the history and answers where the history starts.
  const double* Load(const double* in, int n);
  // Moves the last history-length inputs of the block just loaded to the front.
  void Keep(int n);

  const double* taps;
  const int numTaps;
  const int history;
  // Room for the block's outputs of one phase, so the tap loops run over contiguous samples.
  std::vector<double> phase[2];

private:
  std::vector<double> work;
};

// Doubles the rate: n inputs give 2n outputs, images of the input band removed.
class HalfBandInterpolator : public HalfBandStage
{
public:
  HalfBandInterpolator(const double* taps, int numTaps);
  void Process(const double* in, int n, double* out);
};

// Halves the rate: 2n inputs give n outputs, the upper half band removed before it folds.
class HalfBandDecimator : public HalfBandStage
{
public:
  HalfBandDecimator(const double* taps, int numTaps);
  void Process(const double* in, int n, double* out);
};

}  // namespace Kernwave
