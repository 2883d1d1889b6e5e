#pragma once

#include <complex>
#include <limits>

namespace Dsp {

using Complex = std::complex<double>;

// The point at infinity of the s-plane, where low-pass prototypes keep their zeros.
inline Complex Infinity() { return Complex(std::numeric_limits<double>::infinity(), 0.0); }
inline bool IsInfinity(Complex c) { return std::isinf(c.real()); }

// Poles and zeros of one section. A single pair (one real pole, one real zero) leaves the
// second pole and zero at 0.
struct PoleZeroPair
{
  bool IsSingle() const { return pole2 == Complex(0.0) && zero2 == Complex(0.0); }

  Complex pole1;
  Complex pole2;
  Complex zero1;
  Complex zero2;
};

}  // namespace Dsp
