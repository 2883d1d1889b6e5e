#pragma once

// The block sine and arctangent, written once over GCC vector types of any width. Every lane
// runs the same double arithmetic in the same order, with no fused multiply-add, so a result
// does not depend on the width nor on the instruction set the including file is built for.
//
// Each file that includes this one compiles it for its own instruction set: everything here
// has internal linkage, so the linker never swaps one file's copy for another's.

#include <cmath>
#include <cstdint>
#include <cstring>

#include "dsp/BlockMathConstants.h"

namespace Kernwave {
namespace {

namespace BlockMathKernels {

using namespace BlockMathConstants;

// Rounds to an integer in the low bits when added to a value below 2^51 in magnitude.
constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 * 2^52
// Veltkamp's splitter for doubles: 2^27 + 1.
constexpr double kSplitter = 134217729.0;
// Above this magnitude the quadrant no longer fits the exact products of the pi/2 parts.
constexpr double kReductionLimit = 2147483648.0;  // 2^31

template <class V> using MaskOf = decltype(V{} < V{});

template <class V> constexpr int kLanes = sizeof(V) / sizeof(double);

template <class V> V Broadcast(double c) { return V{} + c; }

template <class V> V SignBits(V x)
{
  using M = MaskOf<V>;
  return (V)((M)x & (M{} + INT64_MIN));
}

template <class V> V Magnitude(V x)
{
  using M = MaskOf<V>;
  return (V)((M)x & (M{} + INT64_MAX));
}

template <class V> V WithSign(V magnitude, V sign)
{
  using M = MaskOf<V>;
  return (V)((M)magnitude ^ (M)sign);
}

// The low part of a * b, given p = a * b rounded (Dekker's product, no fused multiply-add).
template <class V> V ProductError(V a, V b, V p)
{
  const V ca = a * kSplitter, cb = b * kSplitter;
  const V ah = ca - (ca - a), bh = cb - (cb - b);
  const V al = a - ah, bl = b - bh;
  return ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

// The rounding error of s = a + b (Knuth's two-sum: any order of magnitudes).
template <class V> V SumError(V a, V b, V s)
{
  const V bb = s - a;
  return (a - (s - bb)) + (b - bb);
}

template <class V, int count> V Horner(V z, const double (&c)[count])
{
  V p = Broadcast<V>(c[count - 1]);
  for (int i = count - 2; i >= 0; --i) p = p * z + c[i];
  return p;
}

template <class M> bool AnyLane(M mask)
{
  int64_t any = 0;
  for (int j = 0; j < kLanes<M>; ++j) any |= mask[j];
  return any != 0;
}

// y with the C library's sine of x in the lanes of mask. Out of line: the registers of a
// loop that the kernel is inlined into stay unsaved around a call it rarely makes.
template <class V> __attribute__((noinline)) V LibrarySinWhere(MaskOf<V> mask, V x, V y)
{
  for (int j = 0; j < kLanes<V>; ++j)
    if (mask[j]) y[j] = std::sin(x[j]);
  return y;
}

// sin x to within an ulp: x = k pi/2 + r with r carried in two doubles, then sin or cos of r
// by quadrant. Beyond 2^31 in magnitude (and for infinities and NaN) the C library's.
template <class V> inline __attribute__((always_inline)) V Sin(V x)
{
  using M = MaskOf<V>;
  const V shifted = x * kTwoOverPi + kRoundingShift;
  const V k = shifted - kRoundingShift;
  const M quadrant = (M)shifted & 3;

  // Cody and Waite's reduction with the first three parts exact products of k; the
  // subtraction of the first is exact, those of the next two keep their rounding errors.
  const V r1 = x - k * kHalfPi1;
  const V p2 = -(k * kHalfPi2);
  const V s2 = r1 + p2;
  const V e2 = SumError(r1, p2, s2);
  const V p3 = -(k * kHalfPi3);
  const V s3 = s2 + p3;
  const V e3 = SumError(s2, p3, s3);
  const V tail = (e2 + e3) - k * kHalfPi4;
  const V r = s3 + tail;
  const V rLow = tail - (r - s3);

  const V z = r * r;
  const V halfZ = 0.5 * z;
  // sin(r + rLow) = r + r^3 S(z) + rLow (1 - z/2)
  const V sinR = r + (r * z * Horner(z, kSinPolynomial) + rLow * (1.0 - halfZ));
  // cos(r + rLow) = 1 - z/2 + z^2 C(z) - r rLow, with 1 - z/2 in two parts. z's own rounding
  // error, halved, stays below a quarter of an ulp of the result.
  const V w = 1.0 - halfZ;
  const V cosR = w + (((1.0 - w) - halfZ) + (z * z * Horner(z, kCosPolynomial) - r * rLow));

  V y = (quadrant & 1) != 0 ? cosR : sinR;
  y = (quadrant & 2) != 0 ? -y : y;
  y = x == 0.0 ? x : y;  // keeps the sign of a zero

  const M outside = (Magnitude(x) > kReductionLimit) | (x != x);
  return AnyLane(outside) ? LibrarySinWhere(outside, x, y) : y;
}

// arctan x to within an ulp: |x| = tan(a + b) with a = arctan c for the nearest of the
// points 0, 1/4, 1/2, 1, 2, 4 and infinity, b = arctan t for t = (|x| - c) / (1 + c |x|)
// (t = -1/|x| at infinity), t carried in two doubles and |t| <= 0.1624.
template <class V> inline __attribute__((always_inline)) V Atan(V x)
{
  using M = MaskOf<V>;
  // The bounds between the points: below each, |x| - c is exact (Sterbenz). Selections
  // rather than a table: the point changes from sample to sample.
  static constexpr double kBounds[] = {0.125, 0.3698, 0.7217, 1.3858, 2.6165, 8.0};
  static constexpr double kPoints[] = {0.25, 0.5, 1.0, 2.0, 4.0, 0.0};
  const V ax = Magnitude(x);
  V c = {}, angleHi = {}, angleLo = {};
  M atInfinity = {};
  for (int p = 0; p < 6; ++p) {
    const M above = ax > kBounds[p];
    c = above ? Broadcast<V>(kPoints[p]) : c;
    angleHi = above ? Broadcast<V>(kAngles[p].hi) : angleHi;
    angleLo = above ? Broadcast<V>(kAngles[p].lo) : angleLo;
    atInfinity = above;
  }

  // c |x| is exact (c is a power of two); the numerator is exact; the denominator's
  // rounding error and the quotient's remainder give t's low part, whatever t's own error:
  // one division, by the reciprocal, serves both.
  const V cx = c * ax;
  const V num = atInfinity ? Broadcast<V>(-1.0) : ax - c;
  const V den = atInfinity ? ax : cx + 1.0;
  const V denLow = SumError(cx, Broadcast<V>(1.0), den);
  const V reciprocal = 1.0 / den;
  const V t = num * reciprocal;
  const V q = t * den;
  const V remainder = (num - q) - ProductError(t, den, q);
  // Near infinity t's own error is far below an ulp of the result (and the products above
  // may overflow): the low part is left out there.
  const V tLow = atInfinity ? V{} : (remainder - t * denLow) * reciprocal;

  const V z = t * t;
  const V series = t * z * Horner(z, kAtanPolynomial);
  const V head = angleHi + t;
  const V headLow = (angleHi - head) + t;  // exact: |angleHi| >= |t| or angleHi = 0
  const V y = head + (headLow + (series + (tLow + angleLo)));
  return WithSign(y, SignBits(x));
}

// out[i] = Kernel(in[i]) for i < n; in and out may be the same array. The kernels are inlined
// here: no call per vector, and the loop's constants and successive vectors' chains of
// dependent operations overlap across iterations.
template <class V, V (*Kernel)(V)> void RunBlock(const double* in, double* out, int n)
{
  constexpr int lanes = kLanes<V>;
  int i = 0;
  for (; i + lanes <= n; i += lanes) {
    V x;
    std::memcpy(&x, in + i, sizeof x);
    const V y = Kernel(x);
    std::memcpy(out + i, &y, sizeof y);
  }
  if (i < n) {
    V x = {};
    std::memcpy(&x, in + i, (n - i) * sizeof(double));
    const V y = Kernel(x);
    std::memcpy(out + i, &y, (n - i) * sizeof(double));
  }
}

}  // namespace BlockMathKernels

}  // namespace
}  // namespace Kernwave
