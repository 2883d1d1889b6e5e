#include "dsp/HalfBandFilter.h"

#include <algorithm>

namespace Kernwave {

HalfBandStage::HalfBandStage(const double* taps, int numTaps, int historyLength)
    : taps(taps), numTaps(numTaps), history(historyLength)
{
  SetCapacity(0);
}

void HalfBandStage::SetCapacity(int inputCapacity)
{
  const size_t n = static_cast<size_t>(history + (inputCapacity > 0 ? inputCapacity : 0));
  work.assign(n, 0.0);
  for (std::vector<double>& p : phase) p.assign(n, 0.0);
}

void HalfBandStage::Clear() { std::fill(work.begin(), work.begin() + history, 0.0); }

const double* HalfBandStage::Load(const double* in, int n)
{
  std::copy(in, in + n, work.begin() + history);
  return work.data();
}

void HalfBandStage::Keep(int n) { std::copy(work.begin() + n, work.begin() + n + history, work.begin()); }

// With k = numTaps - 1 and x[i - m] at w[history + i - m]:
//   y[2i]     = 2 * sum_j taps[j] * (x[i - k - 1 - j] + x[i - k + j])
//   y[2i + 1] = x[i - k]  (the centre tap 0.5 times the gain of 2)
// The outer loop runs over the taps so that the inner one streams through the block.
HalfBandInterpolator::HalfBandInterpolator(const double* taps, int numTaps)
    : HalfBandStage(taps, numTaps, 2 * numTaps - 1)
{}

void HalfBandInterpolator::Process(const double* in, int n, double* out)
{
  if (n <= 0) return;
  const double* w = Load(in, n);
  const int k = numTaps - 1;
  double* even = phase[0].data();
  std::fill(even, even + n, 0.0);
  for (int j = 0; j < numTaps; ++j) {
    const double g = 2.0 * taps[j];
    const double* before = w + history - k - 1 - j;
    const double* after = w + history - k + j;
    for (int i = 0; i < n; ++i) even[i] += g * (before[i] + after[i]);
  }
  const double* centre = w + history - k;
  for (int i = 0; i < n; ++i) {
    out[2 * i] = even[i];
    out[2 * i + 1] = centre[i];
  }
  Keep(n);
}

// With k = numTaps - 1 and v[t - m] at w[history + t - m]:
//   y[i] = 0.5 * v[2i - 2k - 1] + sum_j taps[j] * (v[2i - 2k - 2 - 2j] + v[2i - 2k + 2j])
// The history is even, so the taps read only even places of w and the centre only odd ones:
// w is split into its even and odd places first, and every loop then reads contiguously.
HalfBandDecimator::HalfBandDecimator(const double* taps, int numTaps)
    : HalfBandStage(taps, numTaps, 4 * numTaps - 2)
{}

void HalfBandDecimator::Process(const double* in, int n, double* out)
{
  if (n <= 0) return;
  const double* w = Load(in, 2 * n);
  const int k = numTaps - 1;
  const int halves = history / 2 + n;
  double* even = phase[0].data();
  double* odd = phase[1].data();
  for (int m = 0; m < halves; ++m) {
    even[m] = w[2 * m];
    odd[m] = w[2 * m + 1];
  }
  const double* centre = odd + history / 2 - k - 1;
  for (int i = 0; i < n; ++i) out[i] = 0.5 * centre[i];
  for (int j = 0; j < numTaps; ++j) {
    const double g = taps[j];
    const double* before = even + history / 2 - k - 1 - j;
    const double* after = even + history / 2 - k + j;
    for (int i = 0; i < n; ++i) out[i] += g * (before[i] + after[i]);
  }
  Keep(2 * n);
}

}  // namespace Kernwave
