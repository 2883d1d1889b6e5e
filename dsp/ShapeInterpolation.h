#pragma once

// The interpolations of a shape table between its four neighbouring entries, written once
// over GCC vector types of any width: every lane runs the same double arithmetic in the same
// order, so a result does not depend on how many values are interpolated at once.

namespace Kernwave {

// The interpolation modes of a shape table.
struct ShapeModes
{
  enum Mode { kNearest = 0, kLinear = 1, kCosine = 2, kCubic = 3, kHermite = 4 };
};

namespace ShapeInterpolation {

// The curve at fraction f between entries y1 and y2, y0 and y3 the entries before and after,
// in mode M: linear (f is then the blend's weight, for the cosine mode too), cubic or hermite.
template <int M, class V> inline __attribute__((always_inline)) V Blend(V f, V y0, V y1, V y2, V y3)
{
  if (M == ShapeModes::kLinear) return (1.0 - f) * y1 + f * y2;

  const V f2 = f * f;
  const V f3 = f2 * f;

  if (M == ShapeModes::kHermite) {
    const V m0 = ((y1 - y0) + (y2 - y1)) / 2.0;
    const V m1 = ((y2 - y1) + (y3 - y2)) / 2.0;
    return (2.0 * f3 - 3.0 * f2 + 1.0) * y1 + (f3 - 2.0 * f2 + f) * m0 + (f3 - f2) * m1 +
           (3.0 * f2 - 2.0 * f3) * y2;
  }

  const V a0 = y3 - y2 - y0 + y1;
  const V a1 = y0 - y1 - a0;
  const V a2 = y2 - y0;
  const V cubic = a0 * f3 + a1 * f2 + a2 * f + y1;
  return f == 1.0 ? y2 : (f == 0.0 ? y1 : cubic);
}

}  // namespace ShapeInterpolation
}  // namespace Kernwave
