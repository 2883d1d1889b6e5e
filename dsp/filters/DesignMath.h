#pragma once

#include <complex>

namespace Dsp {

// The transcendental functions the designs and the other set-up of the sound need, computed
// with plain double arithmetic only (no fused multiply-add, no extended precision), so they
// give the same bits with every compiler, C library and instruction set. Each is within an
// ulp of the exact value; most results are the correctly rounded ones.
//
// Arguments the effect never produces go to the C library instead (so only these may differ
// between platforms): sine, cosine and tangent beyond 2^31 in magnitude; exponentials of
// more than 708 in magnitude; logarithms and powers of zero, negative, subnormal or
// non-finite numbers, and powers whose result would lie beyond e^+-708. Infinities and NaN
// otherwise behave as in the C library.
namespace DesignMath {

double Sin(double x);
double Cos(double x);
void SinCos(double x, double& sine, double& cosine);
double Tan(double x);
// 1 / tan x
double Cot(double x);
double Atan(double x);
double Exp(double x);
double Log(double x);
double Pow(double x, double y);
double Sinh(double x);
double Cosh(double x);
// sqrt(x^2 + y^2) without intermediate overflow.
double Hypot(double x, double y);
// |z| and the principal square root of z.
double Abs(std::complex<double> z);
std::complex<double> Sqrt(std::complex<double> z);

}  // namespace DesignMath
}  // namespace Dsp
