#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dsp/MathConstants.h"
#include "dsp/MinMax.h"
#include "dsp/filters/DesignMath.h"

namespace Kernwave {

// One transfer curve sampled at N points per polarity. Entry i belongs to the input magnitude
// i / N; the negative half stores magnitudes, so an input -a gives -(value at a).
class ShapeTable
{
public:
  enum Mode { kNearest = 0, kLinear = 1, kCosine = 2, kCubic = 3, kHermite = 4 };

  // Refills both halves with the identity and restores the default hermite mode.
  void Reset(int points);

  int Size() const { return static_cast<int>(positive.size()); }

  // The curve at x in the table's own mode; any mode outside 0..4 interpolates as cubic.
  double Lookup(double x) const;

  // Calls fn with a reader whose call operator is the curve at x in the table's mode, so a
  // block loop can be compiled once per mode instead of branching per sample.
  template <class Fn> void VisitMode(Fn&& fn) const;

  template <int M> struct Reader
  {
    const ShapeTable* table;
    double operator()(double x) const { return table->LookupIn<M>(x); }
  };

  template <int M> double LookupIn(double x) const;

  // Finishing steps applied once after the formulas.
  void Clamp();
  void Normalise();
  void FadeIn();

  int mode = kHermite;
  double step = 0.0;
  // N is a power of two.
  bool exactSteps = false;
  std::vector<double> positive;
  std::vector<double> negative;

private:
  template <int M> double Interpolate(const double* t, double a) const;
  double Fraction(double a, double p) const;
};

// Written with selections instead of branches: the sign of a noisy signal is unpredictable,
// and a mispredicted branch costs more than the lookup itself.
template <int M> double ShapeTable::LookupIn(double x) const
{
  const bool below = !(x > 0.0);  // negative, or NaN, reads the negative half
  const double* t = below ? negative.data() : positive.data();
  uint64_t bits;
  const double y = Interpolate<M>(t, std::fabs(x));
  std::memcpy(&bits, &y, sizeof bits);
  bits ^= static_cast<uint64_t>(below) << 63;  // -y for the negative half
  bits = x == 0.0 ? 0 : bits;
  double result;
  std::memcpy(&result, &bits, sizeof result);
  return result;
}

template <int M> double ShapeTable::Interpolate(const double* t, double a) const
{
  const int n = Size();
  if (M == kNearest) {
    // Scaled by N - 1, unlike the other modes; past the end of the table the curve is 0.
    const double p = a * (n - 1);
    const bool inside = p < n;
    const double y = t[static_cast<int>(MinOf(p, n - 1))];
    return inside ? y : 0.0;
  }

  const double p = a * n;
  const int i = static_cast<int>(MinOf(p, n - 1));
  const double f = Fraction(a, p);

  if (M == kLinear || M == kCosine) {
    const int j = i + 1 < n ? i + 1 : n - 1;
    const double mu = M == kLinear ? f : (1.0 - Dsp::DesignMath::Cos(f * kPi)) / 2.0;
    return (1.0 - mu) * t[i] + mu * t[j];
  }

  const double y0 = t[i > 0 ? i - 1 : 0];
  const double y1 = t[i];
  const double y2 = t[i + 1 < n ? i + 1 : n - 1];
  const double y3 = t[i + 2 < n ? i + 2 : n - 1];
  const double f2 = f * f;
  const double f3 = f2 * f;

  if (M == kHermite) {
    const double m0 = ((y1 - y0) + (y2 - y1)) / 2.0;
    const double m1 = ((y2 - y1) + (y3 - y2)) / 2.0;
    return (2.0 * f3 - 3.0 * f2 + 1.0) * y1 + (f3 - 2.0 * f2 + f) * m0 + (f3 - f2) * m1 +
           (3.0 * f2 - 2.0 * f3) * y2;
  }

  const double a0 = y3 - y2 - y0 + y1;
  const double a1 = y0 - y1 - a0;
  const double a2 = y2 - y0;
  const double cubic = a0 * f3 + a1 * f2 + a2 * f + y1;
  return f == 1.0 ? y2 : (f == 0.0 ? y1 : cubic);
}

// fmod(a, step) / step. With N a power of two, step and the scaling by N are exact, so the
// fraction is p - trunc(p) with p = a N, bit for bit what fmod gives, without its cost.
inline double ShapeTable::Fraction(double a, double p) const
{
  if (exactSteps && p < 2147483648.0) return p - static_cast<int>(p);
  return std::fmod(a, step) / step;
}

template <class Fn> void ShapeTable::VisitMode(Fn&& fn) const
{
  switch (mode) {
    case kNearest: fn(Reader<kNearest>{this}); break;
    case kLinear: fn(Reader<kLinear>{this}); break;
    case kCosine: fn(Reader<kCosine>{this}); break;
    case kHermite: fn(Reader<kHermite>{this}); break;
    default: fn(Reader<kCubic>{this}); break;
  }
}

}  // namespace Kernwave
