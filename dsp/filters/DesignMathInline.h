#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "dsp/filters/DesignMathConstants.h"

// The sine and cosine, tangent and cotangent of DesignMath.h, with the double-double
// arithmetic and the reduction they are built from, defined inline for the designs that a
// glide makes at every sample: there a call, and results returned through memory, would
// add to a long chain of dependent operations. Everyone else calls DesignMath.h's.
namespace Dsp::DesignMath::Inline {

using namespace DesignMathConstants;

// A value carried as an unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct DoubleDouble
{
  double hi;
  double lo;
};

// Rounds to an integer in the low bits when added to a value below 2^51 in magnitude.
constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 * 2^52
// Veltkamp's splitter for doubles: 2^27 + 1.
constexpr double kSplitter = 134217729.0;
// Above this magnitude the quadrant no longer fits the exact products of the pi/2 parts.
constexpr double kReductionLimit = 2147483648.0;  // 2^31

// s = a + b exactly (Knuth's two-sum: any order of magnitudes).
inline DoubleDouble TwoSum(double a, double b)
{
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// s = a + b exactly, given |a| >= |b| or a = 0.
inline DoubleDouble FastTwoSum(double a, double b)
{
  const double s = a + b;
  return {s, b - (s - a)};
}

// a * b exactly (Dekker's product; |a|, |b| below 2^995).
inline DoubleDouble TwoProduct(double a, double b)
{
  const double p = a * b;
  const double ca = a * kSplitter, cb = b * kSplitter;
  const double ah = ca - (ca - a), bh = cb - (cb - b);
  const double al = a - ah, bl = b - bh;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// a * a exactly: Dekker's product with one split.
inline DoubleDouble TwoSquare(double a)
{
  const double p = a * a;
  const double ca = a * kSplitter;
  const double ah = ca - (ca - a), al = a - ah;
  return {p, ((ah * ah - p) + 2.0 * ah * al) + al * al};
}

// n / d rounded from the two-part operands: the quotient's remainder corrects it. One
// reciprocal serves both the quotient and the correction.
inline double Divide(DoubleDouble n, DoubleDouble d)
{
  const double reciprocal = 1.0 / d.hi;
  const double q = n.hi * reciprocal;
  const DoubleDouble p = TwoProduct(q, d.hi);
  const double remainder = ((n.hi - p.hi) - p.lo) + (n.lo - q * d.lo);
  return q + remainder * reciprocal;
}

// c[0] + c[1] z + ... + c[Count - 1] z^(Count - 1) by Estrin's scheme: neighbouring terms
// in pairs, the pairs joined by z^2, theirs by z^4 and so on, a tree of a few levels where
// Horner's rule is one long chain.
template <int Count> inline double Estrin(double z, const double* c)
{
  double terms[Count];
  int n = Count;
  for (int i = 0; i < n; ++i) terms[i] = c[i];
  for (double power = z; n > 1; power *= power) {
    for (int i = 0; 2 * i < n; ++i)
      terms[i] = 2 * i + 1 < n ? terms[2 * i] + terms[2 * i + 1] * power : terms[2 * i];
    n = (n + 1) / 2;
  }
  return terms[0];
}

// A series c[0] + z (c[1] + c[2] z + ...) whose terms fall fast: the tail by Estrin's scheme,
// the leading term added last as Horner's rule does, so that the tail's larger rounding
// error is scaled down by z.
template <int Count> inline double Series(double z, const double (&c)[Count])
{
  return Estrin<Count - 1>(z, c + 1) * z + c[0];
}

constexpr double Factorial(int n) { return n <= 1 ? 1.0 : n * Factorial(n - 1); }
// (-1)^n / (2n+1)! and (-1)^n / (2n)!: the Taylor coefficients of sin and cos. On |r| <= pi/4
// the first term left out is below 2^-60 of the result.
constexpr double SinTerm(int n) { return (n % 2 ? -1.0 : 1.0) / Factorial(2 * n + 1); }
constexpr double CosTerm(int n) { return (n % 2 ? -1.0 : 1.0) / Factorial(2 * n); }

// x = k pi/2 + r + rLow, |r| <= pi/4, quadrant = k mod 4 (Cody and Waite's reduction: the
// first three parts of pi/2 give exact products of k; the subtraction of the first is exact,
// those of the next two keep their rounding errors). The reduction and the series are
// always inline: the designs of a glide call them at every sample, where a call and its
// result through memory would add to a long chain of dependent operations.
struct Reduced
{
  double r;
  double rLow;
  int quadrant;
};

// Below this magnitude k is 0 and the reduction leaves x as it is.
constexpr double kUnreduced = 0.78;
// The second and third parts of pi/2 together: 44 significant bits, so k times them is exact
// for |k| < 2^9 (the designs' angles and many turns beyond).
constexpr double kHalfPi2And3 = kHalfPi2 + kHalfPi3;
static_assert(kHalfPi2And3 - kHalfPi2 == kHalfPi3, "the two parts add exactly");
constexpr double kFewQuadrants = 512.0;

inline __attribute__((always_inline)) Reduced ReduceByHalfPi(double x)
{
  if (std::fabs(x) < kUnreduced) return {x, 0.0, 0};
  const double shifted = x * kTwoOverPi + kRoundingShift;
  const double k = shifted - kRoundingShift;
  uint64_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  const double r1 = x - k * kHalfPi1;
  if (std::fabs(k) < kFewQuadrants) {
    // One exact subtraction: its head is r, and its error with the fourth part's product,
    // together within about half an ulp of r, is rLow. The series take r at once while
    // rLow is still being summed.
    const DoubleDouble s = TwoSum(r1, -(k * kHalfPi2And3));
    return {s.hi, s.lo - k * kHalfPi4, static_cast<int>(bits & 3)};
  }
  const DoubleDouble s2 = TwoSum(r1, -(k * kHalfPi2));
  const DoubleDouble s3 = TwoSum(s2.hi, -(k * kHalfPi3));
  const double tail = (s2.lo + s3.lo) - k * kHalfPi4;
  const double r = s3.hi + tail;
  return {r, tail - (r - s3.hi), static_cast<int>(bits & 3)};
}

// sin(r + rLow) = r + r^3 S(r^2) + rLow (1 - r^2/2)
inline __attribute__((always_inline)) DoubleDouble SinOfReduced(const Reduced& a)
{
  static constexpr double kSin[] = {SinTerm(1), SinTerm(2), SinTerm(3), SinTerm(4),
                                    SinTerm(5), SinTerm(6), SinTerm(7), SinTerm(8)};
  const double z = a.r * a.r;
  const double correction = a.r * z * Series(z, kSin) + a.rLow * (1.0 - 0.5 * z);
  return FastTwoSum(a.r, correction);
}

// cos(r + rLow) = 1 - r^2/2 + r^4 C(r^2) - r rLow, with r^2 and 1 - r^2/2 in two parts each.
inline __attribute__((always_inline)) DoubleDouble CosOfReduced(const Reduced& a)
{
  static constexpr double kCos[] = {CosTerm(2), CosTerm(3), CosTerm(4), CosTerm(5),
                                    CosTerm(6), CosTerm(7), CosTerm(8)};
  const DoubleDouble z = TwoSquare(a.r);
  const double halfZ = 0.5 * z.hi;
  const double w = 1.0 - halfZ;
  const double tail = ((1.0 - w) - halfZ) + (z.hi * z.hi * Series(z.hi, kCos) - (0.5 * z.lo + a.r * a.rLow));
  return FastTwoSum(w, tail);
}

inline DoubleDouble Negated(DoubleDouble v) { return {-v.hi, -v.lo}; }

inline __attribute__((always_inline)) void SinCos(double x, double& sine, double& cosine)
{
  if (!(std::fabs(x) <= kReductionLimit)) {
    sine = std::sin(x);
    cosine = std::cos(x);
    return;
  }
  const Reduced a = ReduceByHalfPi(x);
  const DoubleDouble s = SinOfReduced(a), c = CosOfReduced(a);
  const double sr = s.hi + s.lo, cr = c.hi + c.lo;
  switch (a.quadrant) {
    case 0: sine = sr, cosine = cr; break;
    case 1: sine = cr, cosine = -sr; break;
    case 2: sine = -sr, cosine = -cr; break;
    default: sine = -cr, cosine = sr; break;
  }
  if (x == 0.0) sine = x;  // keeps the sign of a zero
}

// tan = sin / cos of the reduced argument, or -cos / sin in the odd quadrants, divided in
// two parts.
inline __attribute__((always_inline)) double Tan(double x)
{
  if (!(std::fabs(x) <= kReductionLimit)) return std::tan(x);
  if (x == 0.0) return x;
  const Reduced a = ReduceByHalfPi(x);
  const DoubleDouble s = SinOfReduced(a), c = CosOfReduced(a);
  return a.quadrant & 1 ? Divide(Negated(c), s) : Divide(s, c);
}

// cos / sin of the reduced argument, or -sin / cos in the odd quadrants: 1 / tan without
// the second rounding.
inline __attribute__((always_inline)) double Cot(double x)
{
  if (!(std::fabs(x) <= kReductionLimit)) return 1.0 / std::tan(x);
  const Reduced a = ReduceByHalfPi(x);
  const DoubleDouble s = SinOfReduced(a), c = CosOfReduced(a);
  return a.quadrant & 1 ? Divide(Negated(s), c) : Divide(c, s);
}

}  // namespace Dsp::DesignMath::Inline
