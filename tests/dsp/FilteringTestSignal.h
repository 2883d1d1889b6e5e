#pragma once

#include <cmath>
#include <vector>

// Stereo test material for the filtering units.
struct StereoBlock
{
  explicit StereoBlock(int n, unsigned seed = 7) : left(n), right(n)
  {
    unsigned state = seed;
    for (int i = 0; i < n; ++i) {
      state = state * 1664525u + 1013904223u;
      const double noise = static_cast<double>(state >> 8) / 16777216.0 - 0.5;
      left[i] = 0.5 * std::sin(0.031 * i) + 0.4 * noise;
      right[i] = 0.5 * std::cos(0.37 * i) - 0.3 * noise;
    }
  }

  static StereoBlock Sine(int n, double cyclesPerSample)
  {
    StereoBlock b(n);
    for (int i = 0; i < n; ++i) b.left[i] = b.right[i] = std::sin(6.283185307179586 * cyclesPerSample * i);
    return b;
  }

  int Size() const { return static_cast<int>(left.size()); }

  // Runs process(left, right, count) over blocks of the given size.
  template <class Process> void InBlocks(int block, Process process)
  {
    for (int done = 0; done < Size(); done += block) {
      const int count = Size() - done < block ? Size() - done : block;
      process(left.data() + done, right.data() + done, count);
    }
  }

  // RMS amplitude of the left channel from sample begin on, as a sine's peak.
  double Amplitude(int begin) const
  {
    double sum = 0.0;
    for (int i = begin; i < Size(); ++i) sum += left[i] * left[i];
    return std::sqrt(2.0 * sum / (Size() - begin));
  }

  std::vector<double> left;
  std::vector<double> right;
};
