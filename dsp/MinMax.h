#pragma once

#include "dsp/filters/StereoPair.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace Kernwave {

// (a > b ? a : b) and (a < b ? a : b), NaN and signed zeros included: exactly what the SSE2
// max and min instructions compute. Compilers turn the conditional forms into branches, and
// a clipping or noisy signal mispredicts those on every other sample.
inline double MaxOf(double a, double b)
{
#if defined(__SSE2__) || defined(_M_X64)
  return _mm_cvtsd_f64(_mm_max_sd(_mm_set_sd(a), _mm_set_sd(b)));
#else
  return a > b ? a : b;
#endif
}

inline double MinOf(double a, double b)
{
#if defined(__SSE2__) || defined(_M_X64)
  return _mm_cvtsd_f64(_mm_min_sd(_mm_set_sd(a), _mm_set_sd(b)));
#else
  return a < b ? a : b;
#endif
}

// v > hi gives hi, v < lo gives lo, anything else (NaN too) stays.
inline double Clamp(double v, double lo, double hi) { return MinOf(hi, MaxOf(lo, v)); }

// Each lane of a pair limited as Clamp limits a value.
inline Dsp::StereoPair Clamp(Dsp::StereoPair v, double lo, double hi)
{
#if defined(__SSE2__) || defined(_M_X64)
  return _mm_min_pd(_mm_set1_pd(hi), _mm_max_pd(_mm_set1_pd(lo), v));
#else
  return Dsp::StereoPair{Clamp(v[0], lo, hi), Clamp(v[1], lo, hi)};
#endif
}

}  // namespace Kernwave
