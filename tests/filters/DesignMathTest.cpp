#include "dsp/filters/DesignMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tests/dsp/UlpDistance.h"

namespace DesignMath = Dsp::DesignMath;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case
{
  const char* name;
  double (*ours)(double, double);
  long double (*exact)(long double, long double);
  double lo, hi;  // x spread over [lo, hi]; y likewise where the function takes two
  double yLo = 0.0, yHi = 0.0;
};

// Every function within an ulp of the long double one over the arguments the designs and
// the other stages give it, the edges of their ranges included (the pole of tan, the
// reduction's quadrant boundaries, e^+-708, logarithms next to 1); then exact and special
// values, the same on every platform.
TEST(DesignMath, EveryFunctionIsWithinAnUlp)
{
  std::mt19937_64 rng(7);
#if defined(__GLIBC__)
  // glibc's long double functions are exact to far beyond a double: the reference. (Others
  // reduce with a 66-bit pi and miss by far more next to its multiples.)
  const Case cases[] = {
    {"sin", [](double x, double) { return DesignMath::Sin(x); },
     [](long double x, long double) { return sinl(x); }, -260.0, 260.0},
    {"cos", [](double x, double) { return DesignMath::Cos(x); },
     [](long double x, long double) { return cosl(x); }, -260.0, 260.0},
    {"tan", [](double x, double) { return DesignMath::Tan(x); },
     [](long double x, long double) { return tanl(x); }, 1.5707963, 1.5707964},
    {"tan", [](double x, double) { return DesignMath::Tan(x); },
     [](long double x, long double) { return tanl(x); }, -7.0, 7.0},
    {"cot", [](double x, double) { return DesignMath::Cot(x); },
     [](long double x, long double) { return 1.0L / tanl(x); }, 1e-3, 3.14},
    {"atan", [](double x, double) { return DesignMath::Atan(x); },
     [](long double x, long double) { return atanl(x); }, -40.0, 40.0},
    {"exp", [](double x, double) { return DesignMath::Exp(x); },
     [](long double x, long double) { return expl(x); }, -708.0, 708.0},
    {"log", [](double x, double) { return DesignMath::Log(x); },
     [](long double x, long double) { return logl(x); }, 0.999, 1.001},
    {"log", [](double x, double) { return DesignMath::Log(x); },
     [](long double x, long double) { return logl(x); }, 1e-300, 1e300},
    {"pow", DesignMath::Pow, [](long double x, long double y) { return powl(x, y); }, 1e-3, 30.0, -40.0,
     40.0},
    {"sinh", [](double x, double) { return DesignMath::Sinh(x); },
     [](long double x, long double) { return sinhl(x); }, -1e-3, 1e-3},
    {"sinh", [](double x, double) { return DesignMath::Sinh(x); },
     [](long double x, long double) { return sinhl(x); }, -20.0, 20.0},
    {"cosh", [](double x, double) { return DesignMath::Cosh(x); },
     [](long double x, long double) { return coshl(x); }, -20.0, 20.0},
    {"hypot", DesignMath::Hypot, [](long double x, long double y) { return hypotl(x, y); }, -1e3, 1e3, -1e-3,
     1e-3},
  };
  for (const Case& c : cases) {
    std::uniform_real_distribution<double> x(c.lo, c.hi), y(c.yLo, c.yHi);
    double worst = 0.0, worstX = 0.0, worstY = 0.0;
    for (int i = 0; i < 20000; ++i) {
      const double a = x(rng), b = c.yHi > c.yLo ? y(rng) : 0.0;
      const double e = UlpDistance(c.ours(a, b), c.exact(a, b));
      if (!(e <= worst)) worst = e, worstX = a, worstY = b;
    }
    EXPECT_LT(worst, 1.0) << c.name << "(" << worstX << ", " << worstY << ")";
  }

  // Near multiples of pi/2 the reduction cancels the most; sin(k pi/2 + tiny) must keep it,
  // with the short reduction of the first 511 quadrants and the long one beyond.
  for (int k = 1; k < 1024; ++k) {
    const double x = std::nextafter(k * 1.5707963267948966, 0.0);
    EXPECT_LT(UlpDistance(DesignMath::Sin(x), sinl(x)), 1.0) << x;
    EXPECT_LT(UlpDistance(DesignMath::Cos(x), cosl(x)), 1.0) << x;
  }
#endif

  for (int k = 1; k < 200; ++k) {
    const double x = std::nextafter(k * 1.5707963267948966, 0.0);
    double s, c;
    DesignMath::SinCos(x, s, c);
    EXPECT_EQ(s, DesignMath::Sin(x));
    EXPECT_EQ(c, DesignMath::Cos(x));
  }

  // Exact and special values.
  EXPECT_TRUE(std::signbit(DesignMath::Sin(-0.0)));
  EXPECT_TRUE(std::signbit(DesignMath::Tan(-0.0)));
  EXPECT_TRUE(std::signbit(DesignMath::Atan(-0.0)));
  EXPECT_EQ(DesignMath::Cos(0.0), 1.0);
  EXPECT_EQ(DesignMath::Exp(0.0), 1.0);
  EXPECT_EQ(DesignMath::Log(1.0), 0.0);
  EXPECT_EQ(DesignMath::Log(1.5), 0.4054651081081644);
  EXPECT_EQ(DesignMath::Pow(2.0, 10.0), 1024.0);
  EXPECT_EQ(DesignMath::Pow(10.0, 2.0), 100.0);
  EXPECT_EQ(DesignMath::Pow(0.0, 4.0), 0.0);
  EXPECT_EQ(DesignMath::Atan(kInf), 1.5707963267948966);
  EXPECT_EQ(DesignMath::Atan(-1e300), -1.5707963267948966);
  EXPECT_EQ(DesignMath::Hypot(3.0, -4.0), 5.0);
  EXPECT_EQ(DesignMath::Hypot(std::ldexp(3.0, 900), std::ldexp(4.0, 900)), std::ldexp(5.0, 900));
  EXPECT_EQ(DesignMath::Hypot(std::ldexp(3.0, -900), std::ldexp(4.0, -900)), std::ldexp(5.0, -900));
  EXPECT_EQ(DesignMath::Hypot(kNaN, kInf), kInf);
  EXPECT_EQ(DesignMath::Exp(-800.0), 0.0);
  EXPECT_EQ(DesignMath::Log(0.0), -kInf);
  for (double (*f)(double) : {DesignMath::Sin, DesignMath::Cos, DesignMath::Tan, DesignMath::Atan,
                              DesignMath::Exp, DesignMath::Log, DesignMath::Sinh, DesignMath::Cosh})
    EXPECT_TRUE(std::isnan(f(kNaN)));
  EXPECT_TRUE(std::isnan(DesignMath::Log(-1.0)));

  // The principal square root, on both sides of the cut along the negative reals.
  EXPECT_EQ(DesignMath::Sqrt({-4.0, 0.0}), std::complex<double>(0.0, 2.0));
  EXPECT_EQ(DesignMath::Sqrt({-4.0, -0.0}), std::complex<double>(0.0, -2.0));
  EXPECT_EQ(DesignMath::Sqrt({9.0, 0.0}), std::complex<double>(3.0, 0.0));
  EXPECT_EQ(DesignMath::Sqrt({0.0, 0.0}), std::complex<double>(0.0, 0.0));
  EXPECT_EQ(DesignMath::Abs({-6.0, 8.0}), 10.0);
  for (int i = 0; i < 1000; ++i) {
    std::uniform_real_distribution<double> d(-100.0, 100.0);
    const std::complex<double> z(d(rng), d(rng));
    const std::complex<double> r = DesignMath::Sqrt(z);
    EXPECT_GE(r.real(), 0.0);
    EXPECT_LT(std::abs(r * r - z), 1e-14 * std::abs(z)) << z;
  }
}

}  // namespace
