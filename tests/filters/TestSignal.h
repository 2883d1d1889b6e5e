#pragma once

#include <cmath>
#include <vector>

// A reproducible test input: a few sines and a deterministic pseudo-random part.
inline std::vector<double> TestSignal(int n, unsigned seed = 1)
{
  std::vector<double> x(n);
  unsigned state = seed;
  for (int i = 0; i < n; ++i) {
    state = state * 1664525u + 1013904223u;
    const double noise = static_cast<double>(state >> 8) / 16777216.0 - 0.5;
    x[i] = 0.4 * std::sin(0.05 * i) + 0.3 * std::sin(1.3 * i) + 0.3 * noise;
  }
  return x;
}

// Amplitude (from the RMS) of the second half of the output for a sine of f cycles per
// sample; the first half lets the filter settle.
template <class Filter> double SineGain(Filter& filter, double f, int n = 8192)
{
  std::vector<double> left(n), right(n);
  for (int i = 0; i < n; ++i) left[i] = right[i] = std::sin(6.283185307179586 * f * i);
  double* channels[2] = {left.data(), right.data()};
  filter.ProcessSamples(n, channels);
  double sum = 0.0;
  for (int i = n / 2; i < n; ++i) sum += left[i] * left[i];
  return std::sqrt(2.0 * sum / (n - n / 2));
}
