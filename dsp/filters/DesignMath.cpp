#include "dsp/filters/DesignMath.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "dsp/filters/DesignMathInline.h"

namespace Dsp::DesignMath {

namespace {

using namespace DesignMathConstants;
using namespace Inline;

// Beyond this magnitude e^x leaves the normal doubles.
constexpr double kExpLimit = 708.0;

// 2^k for -1022 <= k <= 1023.
double PowerOfTwo(int k)
{
  const uint64_t bits = uint64_t(k + 1023) << 52;
  double p;
  std::memcpy(&p, &bits, sizeof p);
  return p;
}

double Horner(double z, const double* c, int count)
{
  double p = c[count - 1];
  for (int i = count - 2; i >= 0; --i) p = p * z + c[i];
  return p;
}

// e^(x.hi + x.lo) = (m.hi + m.lo) 2^k for |x.hi| <= 708, to about 2^-75 of the value:
// x = (64 k + j) ln2/64 + r with |r| <= ln2/128, then 2^(j/64) (1 + (e^r - 1)), the first two
// terms of e^r - 1 in two parts and the rest of its Taylor series in doubles.
struct Exponential
{
  DoubleDouble m;
  int k;
};

Exponential ExpOf(DoubleDouble x)
{
  static constexpr double kTaylor[] = {1.0 / 6, 1.0 / 24, 1.0 / 120, 1.0 / 720, 1.0 / 5040, 1.0 / 40320};
  const double n = (x.hi * kSixtyFourOverLn2 + kRoundingShift) - kRoundingShift;
  const DoubleDouble r0 = TwoSum(x.hi - n * (kLn2Hi / 64), -(n * (kLn2Mid / 64)));
  const DoubleDouble r = FastTwoSum(r0.hi, r0.lo + (x.lo - n * (kLn2Lo / 64)));
  const DoubleDouble square = TwoSquare(r.hi);
  const DoubleDouble head = FastTwoSum(r.hi, 0.5 * square.hi);
  const double tail = r.lo + (0.5 * square.lo + r.hi * r.lo + r.hi * square.hi * Horner(r.hi, kTaylor, 6));
  const DoubleDouble em1 = FastTwoSum(head.hi, head.lo + tail);
  const int index = static_cast<int>(n);
  const Power& t = kPowersOfTwo[index & 63];
  const DoubleDouble p = TwoProduct(t.hi, em1.hi);
  const DoubleDouble sum = FastTwoSum(t.hi, p.hi);
  const double low = sum.lo + (p.lo + (t.lo + (t.lo * em1.hi + t.hi * em1.lo)));
  return {FastTwoSum(sum.hi, low), (index - (index & 63)) / 64};
}

double Rounded(const Exponential& e) { return (e.m.hi + e.m.lo) * PowerOfTwo(e.k); }

DoubleDouble Scaled(const Exponential& e)
{
  const double p = PowerOfTwo(e.k);
  return {e.m.hi * p, e.m.lo * p};
}

// ln x for a positive normal finite x, to about 2^-100 of the value (and of 1 near x = 1):
// x = m 2^e with 0.75 <= m < 1.5; y0 = 2 artanh((m - 1)/(m + 1)) in doubles, then one Newton
// step y0 + (m e^-y0 - 1) for ln m.
DoubleDouble LogOf(double x)
{
  static constexpr double kArtanh[] = {1.0 / 3,  1.0 / 5,  1.0 / 7,  1.0 / 9,  1.0 / 11, 1.0 / 13,
                                       1.0 / 15, 1.0 / 17, 1.0 / 19, 1.0 / 21, 1.0 / 23, 1.0 / 25};
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  int e = static_cast<int>(bits >> 52) - 1023;
  bits = (bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1023) << 52);
  double m;
  std::memcpy(&m, &bits, sizeof m);
  if (m >= 1.5) {
    m *= 0.5;
    ++e;
  }
  const double s = (m - 1.0) / (m + 1.0);
  const double z = s * s;
  const double y0 = 2.0 * s + 2.0 * s * z * Horner(z, kArtanh, 12);
  const DoubleDouble inverse = Scaled(ExpOf({-y0, 0.0}));
  const DoubleDouble product = TwoProduct(m, inverse.hi);
  const double step = (product.hi - 1.0) + (product.lo + m * inverse.lo);
  const DoubleDouble head = TwoSum(e * kLn2Hi, y0);
  return FastTwoSum(head.hi, head.lo + (e * kLn2Mid + (step + e * kLn2Lo)));
}

bool IsPositiveNormal(double x) { return x >= 2.2250738585072014e-308 && x <= 1.7976931348623157e308; }

}  // namespace

void SinCos(double x, double& sine, double& cosine) { Inline::SinCos(x, sine, cosine); }

double Sin(double x)
{
  if (!(std::fabs(x) <= kReductionLimit)) return std::sin(x);
  if (x == 0.0) return x;
  const Reduced a = ReduceByHalfPi(x);
  const DoubleDouble y = a.quadrant & 1 ? CosOfReduced(a) : SinOfReduced(a);
  const double v = y.hi + y.lo;
  return a.quadrant & 2 ? -v : v;
}

double Cos(double x)
{
  if (!(std::fabs(x) <= kReductionLimit)) return std::cos(x);
  const Reduced a = ReduceByHalfPi(x);
  const DoubleDouble y = a.quadrant & 1 ? SinOfReduced(a) : CosOfReduced(a);
  const double v = y.hi + y.lo;
  return (a.quadrant + 1) & 2 ? -v : v;
}

double Tan(double x) { return Inline::Tan(x); }

double Cot(double x) { return Inline::Cot(x); }

// |x| > 1 as pi/2 - arctan(1/|x|); then the argument t halved twice in angle as
// t / (1 + sqrt(1 + t^2)), in two parts, down to |t| <= tan(pi/16); then the Taylor series.
double Atan(double x)
{
  static constexpr double kSeries[] = {-1.0 / 3,  1.0 / 5,   -1.0 / 7,  1.0 / 9,   -1.0 / 11,
                                       1.0 / 13,  -1.0 / 15, 1.0 / 17,  -1.0 / 19, 1.0 / 21,
                                       -1.0 / 23, 1.0 / 25,  -1.0 / 27, 1.0 / 29};
  const double ax = std::fabs(x);
  if (ax == 0.0 || std::isnan(x)) return x;
  const bool inverted = ax > 1.0;
  DoubleDouble t = {ax, 0.0};
  if (inverted) {
    const double q = 1.0 / ax;
    t = {q, 0.0};
    // Beyond 2^900 the remainder is far below what the result keeps (and its products overflow).
    if (ax <= 0x1p900) {
      const DoubleDouble p = TwoProduct(q, ax);
      t.lo = ((1.0 - p.hi) - p.lo) / ax;
    }
  }
  for (int i = 0; i < 2; ++i) {
    const DoubleDouble square = TwoSquare(t.hi);
    const DoubleDouble u = FastTwoSum(1.0, square.hi);
    const double uLow = u.lo + (square.lo + 2.0 * t.hi * t.lo);
    const double root = std::sqrt(u.hi);
    const DoubleDouble rootSquare = TwoSquare(root);
    const double rootLow = (((u.hi - rootSquare.hi) - rootSquare.lo) + uLow) / (2.0 * root);
    const DoubleDouble d = FastTwoSum(1.0 + root, ((1.0 - (1.0 + root)) + root) + rootLow);
    const double q = t.hi / d.hi;
    const DoubleDouble p = TwoProduct(q, d.hi);
    t = FastTwoSum(q, (((t.hi - p.hi) - p.lo) + (t.lo - q * d.lo)) / d.hi);
  }
  const double z = t.hi * t.hi;
  // 4 arctan t, in two parts
  const DoubleDouble angle = {4.0 * t.hi, 4.0 * (t.lo + t.hi * z * Horner(z, kSeries, 14))};
  double y;
  if (inverted) {
    const DoubleDouble head = TwoSum(kHalfPiHi, -angle.hi);
    y = head.hi + (head.lo + (kHalfPiLo - angle.lo));
  } else {
    y = angle.hi + angle.lo;
  }
  return x < 0.0 ? -y : y;
}

double Exp(double x)
{
  if (!(std::fabs(x) <= kExpLimit)) return std::exp(x);
  return Rounded(ExpOf({x, 0.0}));
}

double Log(double x)
{
  if (!IsPositiveNormal(x)) return std::log(x);
  const DoubleDouble y = LogOf(x);
  return y.hi + y.lo;
}

// e^(y ln x), the product and the logarithm in two parts.
double Pow(double x, double y)
{
  if (y == 0.0 || x == 1.0) return 1.0;
  if (!IsPositiveNormal(x) || !std::isfinite(y)) return std::pow(x, y);
  const DoubleDouble l = LogOf(x);
  DoubleDouble p = TwoProduct(y, l.hi);
  if (!(std::fabs(p.hi) <= kExpLimit)) return std::pow(x, y);
  p.lo += y * l.lo;
  return Rounded(ExpOf(FastTwoSum(p.hi, p.lo)));
}

// (e^x - e^-x) / 2 from the two exponentials in two parts each: the difference cancels
// only what they carry beyond a double.
double Sinh(double x)
{
  if (!(std::fabs(x) <= kExpLimit)) return std::sinh(x);
  if (std::fabs(x) < 1.4901161193847656e-08) return x;  // 2^-26: x^3/6 is below half an ulp
  const DoubleDouble a = Scaled(ExpOf({x, 0.0})), b = Scaled(ExpOf({-x, 0.0}));
  const DoubleDouble d = TwoSum(a.hi, -b.hi);
  return 0.5 * (d.hi + (d.lo + (a.lo - b.lo)));
}

double Cosh(double x)
{
  if (!(std::fabs(x) <= kExpLimit)) return std::cosh(x);
  const DoubleDouble a = Scaled(ExpOf({x, 0.0})), b = Scaled(ExpOf({-x, 0.0}));
  const DoubleDouble s = TwoSum(a.hi, b.hi);
  return 0.5 * (s.hi + (s.lo + (a.lo + b.lo)));
}

// The square root of the sum of squares rounded once from its exact value (so the result is
// within an ulp); operands far from 1 are first scaled by a power of two.
double Hypot(double x, double y)
{
  double a = std::fabs(x), b = std::fabs(y);
  if (a < b) std::swap(a, b);
  if (!(a >= 0x1p-500 && a <= 0x1p500)) {
    if (std::isinf(a) || std::isinf(b)) return INFINITY;
    if (std::isnan(a) || std::isnan(b)) return a + b;
    if (a == 0.0) return 0.0;
    const double scale = a > 1.0 ? 0x1p600 : 0x1p-600;
    return Hypot(a / scale, b / scale) * scale;
  }
  // a sqrt(1 + (b/a)^2) lies within 2^-55 a of a: a is the correctly rounded result. (The
  // designs' responses at 0 and pi have imaginary parts of that order.)
  if (b <= a * 0x1p-27) return a;
  const DoubleDouble aa = TwoSquare(a), bb = TwoSquare(b);
  const DoubleDouble sum = FastTwoSum(aa.hi, bb.hi);
  return std::sqrt(sum.hi + (sum.lo + (aa.lo + bb.lo)));
}

double Abs(std::complex<double> z) { return Hypot(z.real(), z.imag()); }

// With t = sqrt(2 (|z| + |x|)): (t/2, y/t) for x >= 0, else (|y|/t, +-t/2) with the sign of
// y, so that nothing cancels.
std::complex<double> Sqrt(std::complex<double> z)
{
  const double x = z.real(), y = z.imag();
  if (x == 0.0 && y == 0.0) return {0.0, y};
  if (std::isinf(y)) return {INFINITY, y};
  const double t = std::sqrt(2.0 * (Abs(z) + std::fabs(x)));
  const double half = 0.5 * t;
  if (x >= 0.0) return {half, y / t};
  return {std::fabs(y) / t, std::signbit(y) ? -half : half};
}

}  // namespace Dsp::DesignMath
