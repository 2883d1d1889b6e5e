// Built with AVX2 enabled (and without FMA): see dsp/CMakeLists.txt. Only called where the
// processor has AVX2. Nothing here has external linkage but the entry point, so no inline
// function compiled for AVX2 can stand in for another file's copy.
#include "dsp/WideShaping.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <immintrin.h>

#include "dsp/ShapeInterpolation.h"

namespace Kernwave {

namespace {

typedef double Lanes4 __attribute__((vector_size(32)));
using Mask4 = decltype(Lanes4{} < Lanes4{});

// Above this a position no longer converts to a 32-bit integer.
constexpr double kIntegerLimit = 2147483648.0;

struct Table
{
  const double* taps;
  int points;
};

// The fraction of a lane whose position does not convert: fmod(a, step) / step, as the
// table's reader takes it. Out of line: the loop's registers stay unsaved around a call it
// rarely makes.
__attribute__((noinline)) Lanes4 WideFraction(Lanes4 a, Lanes4 p, int points)
{
  const double step = 1.0 / points;
  Lanes4 f;
  for (int j = 0; j < 4; ++j)
    f[j] = p[j] < kIntegerLimit ? p[j] - static_cast<int>(p[j]) : std::fmod(a[j], step) / step;
  return f;
}

// The table's curve in mode M at each lane: the negative half (for NaN too) gives the negated
// value at the magnitude, zero gives zero.
template <int M> inline __attribute__((always_inline)) Lanes4 Curve(Table t, Lanes4 x)
{
  const Mask4 below = ~(x > 0.0);
  const Lanes4 halfStart = (Lanes4)(~below & (Mask4)(Lanes4{} + (t.points + 3)));
  const Lanes4 a = (Lanes4)((Mask4)x & INT64_MAX);
  const Lanes4 p = a * static_cast<double>(t.points);
  // Positions truncated and limited to the last entry (NaN too), moved to their halves.
  const __m128i index = _mm_add_epi32(_mm256_cvttpd_epi32(_mm256_min_pd(p, _mm256_set1_pd(t.points - 1))),
                                      _mm256_cvttpd_epi32(halfStart));
  // Each lane's four neighbours, then transposed: yk holds every lane's entry k.
  const __m256d r0 = _mm256_loadu_pd(t.taps + _mm_extract_epi32(index, 0));
  const __m256d r1 = _mm256_loadu_pd(t.taps + _mm_extract_epi32(index, 1));
  const __m256d r2 = _mm256_loadu_pd(t.taps + _mm_extract_epi32(index, 2));
  const __m256d r3 = _mm256_loadu_pd(t.taps + _mm_extract_epi32(index, 3));
  const __m256d even01 = _mm256_unpacklo_pd(r0, r1), odd01 = _mm256_unpackhi_pd(r0, r1);
  const __m256d even23 = _mm256_unpacklo_pd(r2, r3), odd23 = _mm256_unpackhi_pd(r2, r3);
  const Lanes4 y0 = _mm256_permute2f128_pd(even01, even23, 0x20);
  const Lanes4 y1 = _mm256_permute2f128_pd(odd01, odd23, 0x20);
  const Lanes4 y2 = _mm256_permute2f128_pd(even01, even23, 0x31);
  const Lanes4 y3 = _mm256_permute2f128_pd(odd01, odd23, 0x31);

  // With 2^k points the scaling is exact and the fraction is p - trunc(p).
  const Lanes4 f = _mm256_movemask_pd((__m256d)(p < kIntegerLimit)) == 15
                     ? p - _mm256_cvtepi32_pd(_mm256_cvttpd_epi32(p))
                     : WideFraction(a, p, t.points);
  const Lanes4 y = ShapeInterpolation::Blend<M>(f, y0, y1, y2, y3);
  const Mask4 negated = (Mask4)y ^ (below & INT64_MIN);
  return (Lanes4)(negated & ~(x == 0.0));
}

// Lanes 0 and 1 the frames' left values, 2 and 3 their right ones.
template <int M>
inline __attribute__((always_inline)) Lanes4 ShapeFrames(Table t, Lanes4 x, double gain, bool fromDry,
                                                         double mix)
{
  Lanes4 y = _mm256_min_pd(_mm256_set1_pd(1.0), _mm256_max_pd(_mm256_set1_pd(-1.0), gain * Curve<M>(t, x)));
  if (fromDry) y = (1.0 - mix) * x + mix * y;
  return y;
}

template <int M>
void ShapeLoop(Table t, double gain, bool fromDry, double mix, double* left, double* right, int n)
{
  int i = 0;
  for (; i + 2 <= n; i += 2) {
    const Lanes4 x = _mm256_set_m128d(_mm_loadu_pd(right + i), _mm_loadu_pd(left + i));
    const Lanes4 y = ShapeFrames<M>(t, x, gain, fromDry, mix);
    _mm_storeu_pd(left + i, _mm256_castpd256_pd128(y));
    _mm_storeu_pd(right + i, _mm256_extractf128_pd(y, 1));
  }
  if (i < n) {
    const Lanes4 x = {left[i], 0.0, right[i], 0.0};
    const Lanes4 y = ShapeFrames<M>(t, x, gain, fromDry, mix);
    left[i] = y[0];
    right[i] = y[2];
  }
}

}  // namespace

void ShapeWideAvx2(const double* taps, int points, int mode, double gain, bool fromDry, double mix,
                   double* left, double* right, int n)
{
  const Table t = {taps, points};
  switch (mode) {
    case ShapeModes::kLinear: ShapeLoop<ShapeModes::kLinear>(t, gain, fromDry, mix, left, right, n); break;
    case ShapeModes::kHermite: ShapeLoop<ShapeModes::kHermite>(t, gain, fromDry, mix, left, right, n); break;
    default: ShapeLoop<ShapeModes::kCubic>(t, gain, fromDry, mix, left, right, n); break;
  }
}

}  // namespace Kernwave
