#pragma once

#include <cmath>
#include <cstdint>
#include <emmintrin.h>

#include <utility>
#include <vector>

#include "dsp/MathConstants.h"
#include "dsp/ShapeInterpolation.h"
#include "dsp/filters/DesignMath.h"
#include "dsp/filters/StereoPair.h"

namespace Kernwave {

// One transfer curve sampled at N points per polarity. Entry i belongs to the input magnitude
// i / N; the negative half stores magnitudes, so an input -a gives -(value at a).
class ShapeTable : public ShapeModes
{
public:
  // Refills both halves with the identity and restores the default hermite mode.
  void Reset(int points);

  int Size() const { return static_cast<int>(positive.size()); }
  // The entries in the layout the lookup reads (see taps).
  const double* Taps() const { return taps.data(); }

  // The curve at x in the table's own mode; any mode outside 0..4 interpolates as cubic.
  double Lookup(double x) const;

  // Calls fn with a reader whose call operator is the curve at both values of a pair in the
  // table's mode, so a block loop can be compiled once per mode instead of branching per
  // sample.
  template <class Fn> void VisitMode(Fn&& fn) const;

  // The curve in mode M, read from the table as it is when the reader is made (a block's
  // loop keeps the reader's few values in registers).
  template <int M> class Reader
  {
  public:
    explicit Reader(const ShapeTable& table)
        : taps(table.taps.data()), n(table.Size()), exactSteps(table.exactSteps), step(table.step)
    {}
    // Each lane the curve at that lane's value: a left and a right sample take one pass.
    Dsp::StereoPair operator()(Dsp::StereoPair x) const;

  private:
    using Mask = decltype(Dsp::StereoPair{} < Dsp::StereoPair{});
    Dsp::StereoPair Interpolate(Dsp::StereoPair a, Dsp::StereoPair halfStart) const;
    Dsp::StereoPair Fraction(Dsp::StereoPair a, Dsp::StereoPair p) const;
    double Fraction(double a, double p) const;

    const double* taps;
    int n;
    bool exactSteps;
    double step;
  };

  // Finishing steps applied once after the formulas.
  void Clamp();
  void Normalise();
  void FadeIn();
  // Copies both halves into the layout the lookup reads; after every change of an entry.
  void UpdateTaps();

  int mode = kHermite;
  double step = 0.0;
  // N is a power of two.
  bool exactSteps = false;
  std::vector<double> positive;
  std::vector<double> negative;

private:
  // Each half with its ends repeated, so the lookup reads four neighbours without limits:
  // entry k of a half is that half's entry k - 1 held within 0..N-1, for k < N + 3. The
  // negative half comes first.
  std::vector<double> taps;
};

// Written with selections instead of branches: the sign of a noisy signal is unpredictable,
// and a mispredicted branch costs more than the lookup itself.
template <int M>
inline __attribute__((always_inline)) Dsp::StereoPair
ShapeTable::Reader<M>::operator()(Dsp::StereoPair x) const
{
  const Mask below = ~(x > 0.0);  // negative, or NaN, reads the negative half
  const Dsp::StereoPair halfStart = (Dsp::StereoPair)(~below & (Mask)(Dsp::StereoPair{} + (n + 3)));
  const Dsp::StereoPair y = Interpolate((Dsp::StereoPair)((Mask)x & INT64_MAX), halfStart);
  const Mask signed_ = (Mask)y ^ (below & INT64_MIN);  // -y for the negative half
  return (Dsp::StereoPair)(signed_ & ~(x == 0.0));
}

// halfStart: where each lane's half begins in taps, whose entry halfStart + 1 + i is the
// half's entry i.
template <int M>
inline __attribute__((always_inline)) Dsp::StereoPair
ShapeTable::Reader<M>::Interpolate(Dsp::StereoPair a, Dsp::StereoPair halfStart) const
{
  using Dsp::StereoPair;
  // Both lanes' positions truncated to integers, limited to the last entry (NaN too), and
  // moved to their halves.
  const auto indices = [&](StereoPair p) {
    const __m128i i =
      _mm_add_epi32(_mm_cvttpd_epi32(_mm_min_pd(p, _mm_set1_pd(n - 1))), _mm_cvttpd_epi32(halfStart));
    return std::pair<int, int>{_mm_cvtsi128_si32(i), _mm_cvtsi128_si32(_mm_srli_si128(i, 4))};
  };
  if (M == kNearest) {
    // Scaled by N - 1, unlike the other modes; past the end of the table the curve is 0.
    const StereoPair p = a * static_cast<double>(n - 1);
    const auto i = indices(p);
    const StereoPair y = {taps[i.first + 1], taps[i.second + 1]};
    return (StereoPair)((Mask)y & (p < static_cast<double>(n)));
  }

  const StereoPair p = a * static_cast<double>(n);
  const auto i = indices(p);
  const StereoPair f = Fraction(a, p);
  // Entries i - 1, i, i + 1 and i + 2 of each lane's half, held at the ends.
  const __m128d leftLow = _mm_loadu_pd(taps + i.first), leftHigh = _mm_loadu_pd(taps + i.first + 2);
  const __m128d rightLow = _mm_loadu_pd(taps + i.second), rightHigh = _mm_loadu_pd(taps + i.second + 2);
  const StereoPair y0 = _mm_unpacklo_pd(leftLow, rightLow);
  const StereoPair y1 = _mm_unpackhi_pd(leftLow, rightLow);
  const StereoPair y2 = _mm_unpacklo_pd(leftHigh, rightHigh);
  const StereoPair y3 = _mm_unpackhi_pd(leftHigh, rightHigh);

  if (M == kLinear || M == kCosine) {
    using Dsp::DesignMath::Cos;
    const StereoPair mu = M == kLinear ? f : (1.0 - StereoPair{Cos(f[0] * kPi), Cos(f[1] * kPi)}) / 2.0;
    return ShapeInterpolation::Blend<kLinear>(mu, y0, y1, y2, y3);
  }
  constexpr int kPolynomial = M == kHermite ? kHermite : kCubic;  // any other mode reads as cubic
  return ShapeInterpolation::Blend<kPolynomial>(f, y0, y1, y2, y3);
}

// fmod(a, step) / step. With N a power of two, step and the scaling by N are exact, so the
// fraction is p - trunc(p) with p = a N, bit for bit what fmod gives, without its cost.
template <int M> inline double ShapeTable::Reader<M>::Fraction(double a, double p) const
{
  if (exactSteps && p < 2147483648.0) return p - static_cast<int>(p);
  return std::fmod(a, step) / step;
}

template <int M>
inline Dsp::StereoPair ShapeTable::Reader<M>::Fraction(Dsp::StereoPair a, Dsp::StereoPair p) const
{
  if (exactSteps && _mm_movemask_pd((__m128d)(p < 2147483648.0)) == 3)
    return p - _mm_cvtepi32_pd(_mm_cvttpd_epi32(p));
  return Dsp::StereoPair{Fraction(a[0], p[0]), Fraction(a[1], p[1])};
}

template <class Fn> void ShapeTable::VisitMode(Fn&& fn) const
{
  switch (mode) {
    case kNearest: fn(Reader<kNearest>(*this)); break;
    case kLinear: fn(Reader<kLinear>(*this)); break;
    case kCosine: fn(Reader<kCosine>(*this)); break;
    case kHermite: fn(Reader<kHermite>(*this)); break;
    default: fn(Reader<kCubic>(*this)); break;
  }
}

}  // namespace Kernwave
