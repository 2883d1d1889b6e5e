#pragma once

namespace Dsp {

// Band edges in radians per sample for a centre fc and width bw in cycles per sample. Both
// edges come from the unclamped values; then the lower one is kept above 0 and the upper one
// below pi, and a = cos((w1 + w2) / 2) / cos((w2 - w1) / 2) is taken from the clamped edges.
struct BandEdges
{
  static constexpr double kLowest = 1e-8;
  static constexpr double kHighest = 3.141592643589793;  // pi - 1e-8

  BandEdges(double fc, double bw);

  double w1;
  double w2;
  double a;

private:
  void Place(double fc, double bw);
};

}  // namespace Dsp
