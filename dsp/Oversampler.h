#pragma once

#include <cmath>
#include <vector>

#include "dsp/HalfBandCoefficients.h"
#include "dsp/HalfBandFilter.h"
#include "dsp/filters/DesignMath.h"

namespace Kernwave {

// Runs a stereo section of the chain at twice or four times the rate of the samples around
// it: the block is interpolated, handed to the section, and decimated back in place. Four
// times is two 2:1 stages each way. The round trip delays by a fixed number of samples of
// the higher rate (RoundTripDelay); the filters' state carries over from block to block.
class Oversampler
{
public:
  static constexpr int kMaxFactor = 4;

  Oversampler();

  // Room for blocks of up to frames samples (longer blocks are processed in slices); the
  // filters' state is cleared. Allocates: never call it while audio runs.
  void SetCapacity(int frames);
  // The frames SetCapacity made room for; 0 before it holds any buffers.
  int Capacity() const { return capacity; }
  // Forgets the signal so far.
  void Clear();

  // Delay of interpolation and decimation together, in samples of the factor's rate (0 for a
  // factor of 1). Each 2:1 filter of k + 1 stored taps delays by 2k + 1 samples of its higher
  // rate, once on the way up and once on the way down; the first stage's higher rate is half
  // the factor's.
  static constexpr int RoundTripDelay(int factor)
  {
    const int first = 2 * (2 * HalfBand::kHostToDoubleTaps - 1);
    const int second = 2 * (2 * HalfBand::kDoubleToQuadrupleTaps - 1);
    return factor == 2 ? first : (factor == 4 ? 2 * first + second : 0);
  }

  // The weight a one-pole smoothing step keeps of its state so that factor steps of it decay
  // as far as one step keeping keep.
  static double KeepWeight(double keep, int factor)
  {
    return factor > 1 ? Dsp::DesignMath::Pow(keep, 1.0 / factor) : keep;
  }

  // section(left, right, count) at factor (2 or 4) times the rate of left and right; any
  // other factor, or no room yet, runs it at their rate, unfiltered.
  template <class Section> void Process(int factor, double* left, double* right, int n, Section&& section);

private:
  struct Channel
  {
    Channel();
    void SetCapacity(int frames);
    void Clear();
    void Up(int factor, const double* in, int n, double* out);
    void Down(int factor, const double* in, int n, double* out);

    HalfBandInterpolator hostToDouble;
    HalfBandInterpolator doubleToQuadruple;
    HalfBandDecimator quadrupleToDouble;
    HalfBandDecimator doubleToHost;
    std::vector<double> doubleRate;  // the intermediate rate of four times
  };

  Channel channels[2];
  std::vector<double> highLeft;
  std::vector<double> highRight;
  int capacity = 0;
};

template <class Section>
void Oversampler::Process(int factor, double* left, double* right, int n, Section&& section)
{
  if ((factor != 2 && factor != 4) || capacity <= 0) {
    section(left, right, n);
    return;
  }
  for (int done = 0; done < n; done += capacity) {
    const int count = n - done < capacity ? n - done : capacity;
    channels[0].Up(factor, left + done, count, highLeft.data());
    channels[1].Up(factor, right + done, count, highRight.data());
    section(highLeft.data(), highRight.data(), factor * count);
    channels[0].Down(factor, highLeft.data(), count, left + done);
    channels[1].Down(factor, highRight.data(), count, right + done);
  }
}

}  // namespace Kernwave
