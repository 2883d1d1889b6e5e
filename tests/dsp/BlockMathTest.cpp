#include "dsp/BlockMath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "tests/dsp/UlpDistance.h"

namespace BlockMath = Kernwave::BlockMath;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Magnitudes spread evenly over the exponents 2^lo..2^hi, both signs.
std::vector<double> LogUniform(int lo, int hi, int n, std::mt19937_64& rng)
{
  std::uniform_real_distribution<double> e(lo, hi);
  std::vector<double> x(n);
  for (double& v : x) v = ((rng() & 1) ? -1.0 : 1.0) * std::exp2(e(rng));
  return x;
}

#if defined(__GLIBC__)
// The helpers of the ulp sweeps, which only glibc's long double functions can judge (below).

// Arguments spread over [lo, hi], with random signs where lo is 0.
std::vector<double> Uniform(double lo, double hi, int n, std::mt19937_64& rng)
{
  std::uniform_real_distribution<double> d(lo, hi);
  std::vector<double> x(n);
  for (double& v : x) v = (rng() & 1) && lo == 0.0 ? -d(rng) : d(rng);
  return x;
}

// Doubles next to multiples of pi/2, where the reduction cancels the most.
std::vector<double> NearQuadrants(double maxMultiple, int n, std::mt19937_64& rng)
{
  std::uniform_real_distribution<double> k(0.0, maxMultiple);
  std::vector<double> x(n);
  for (double& v : x) {
    v = std::nextafter(std::round(k(rng)) * 1.5707963267948966, 0.0);
    for (int steps = rng() % 4; steps > 0; --steps) v = std::nextafter(v, kInf);
  }
  return x;
}

double LargestUlpError(void (*block)(const double*, double*, int), long double (*exact)(long double),
                       const std::vector<double>& x, double& worstArgument)
{
  std::vector<double> y(x.size());
  block(x.data(), y.data(), static_cast<int>(x.size()));
  double worst = 0.0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double e = UlpDistance(y[i], exact(x[i]));
    if (!(e <= worst)) {
      worst = e;
      worstArgument = x[i];
    }
  }
  return worst;
}

long double ExactSin(long double x) { return sinl(x); }
long double ExactAtan(long double x) { return atanl(x); }
#endif

std::vector<double> Applied(void (*block)(const double*, double*, int), std::vector<double> x)
{
  block(x.data(), x.data(), static_cast<int>(x.size()));  // in place
  return x;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

#if defined(__GLIBC__)
// glibc's long double functions are exact to far beyond a double: the reference.
TEST(BlockMath, SineIsWithinAnUlpOverTheWholeReducedRange)
{
  std::mt19937_64 rng(7);
  const struct
  {
    const char* range;
    std::vector<double> x;
  } sets[] = {
    {"|x| <= pi/4", Uniform(0.0, 0.7853981633974483, 600000, rng)},
    {"a sweep's phase", Uniform(0.0, 6.283185307179586, 600000, rng)},
    {"|x| <= 1e4", Uniform(0.0, 1e4, 400000, rng)},
    {"a carrier's phase after hours", Uniform(0.0, 2147483648.0, 600000, rng)},
    {"tiny to huge", LogUniform(-1074, 31, 400000, rng)},
    {"next to multiples of pi/2", NearQuadrants(1e9, 400000, rng)},
  };
  for (const auto& set : sets) {
    double where = 0.0;
    EXPECT_LE(LargestUlpError(BlockMath::Sin, ExactSin, set.x, where), 1.0) << set.range << ", at " << where;
  }
}

TEST(BlockMath, ArctangentIsWithinAnUlpEverywhere)
{
  std::mt19937_64 rng(8);
  const struct
  {
    const char* range;
    std::vector<double> x;
  } sets[] = {
    {"|x| <= 10, across every reduction point", Uniform(0.0, 10.0, 1000000, rng)},
    {"|x| <= 0.2", Uniform(0.0, 0.2, 400000, rng)},
    {"every exponent", LogUniform(-1074, 1023, 1000000, rng)},
  };
  for (const auto& set : sets) {
    double where = 0.0;
    EXPECT_LE(LargestUlpError(BlockMath::Atan, ExactAtan, set.x, where), 1.0)
      << set.range << ", at " << where;
  }
}
#endif

TEST(BlockMath, EdgeValuesFollowTheCLibrary)
{
  const std::vector<double> x = {0.0,   -0.0, DBL_TRUE_MIN, -DBL_MIN, 1e-300, kInf,
                                 -kInf, kNaN, 2147483648.5, -1e22,    DBL_MAX};
  const std::vector<double> s = Applied(BlockMath::Sin, x);
  const std::vector<double> a = Applied(BlockMath::Atan, x);
  for (size_t i = 0; i < x.size(); ++i) {
    if (std::isnan(std::sin(x[i]))) {
      EXPECT_TRUE(std::isnan(s[i])) << x[i];
    } else if (std::fabs(x[i]) > 2147483648.0 || x[i] == 0.0) {
      EXPECT_TRUE(SameBits(s[i], std::sin(x[i]))) << x[i];  // the C library's beyond the reduction
    } else {
      EXPECT_LE(UlpDistance(s[i], std::sin(static_cast<long double>(x[i]))), 1.0) << x[i];
    }
    if (std::isnan(x[i]))
      EXPECT_TRUE(std::isnan(a[i]));
    else
      EXPECT_TRUE(SameBits(a[i], std::atan(x[i]))) << x[i];  // exact or correctly rounded here
  }
}

// The instruction sets give the same bits, for any length of block and its remainder.
TEST(BlockMath, EveryPathGivesTheSameBits)
{
  const BlockMath::Path start = BlockMath::ActivePath();
  if (!BlockMath::UsePath(BlockMath::Path::Avx2)) GTEST_SKIP() << "no AVX2 here";
  std::mt19937_64 rng(9);
  for (int n : {1, 2, 3, 5, 7, 9, 15, 64, 1001}) {
    const std::vector<double> x = LogUniform(-40, 40, n, rng);
    BlockMath::UsePath(BlockMath::Path::Sse2);
    const std::vector<double> sinSse2 = Applied(BlockMath::Sin, x), atanSse2 = Applied(BlockMath::Atan, x);
    for (BlockMath::Path path : {BlockMath::Path::Avx2, BlockMath::Path::Avx512}) {
      if (!BlockMath::UsePath(path)) continue;
      EXPECT_EQ(BlockMath::ActivePath(), path);
      const std::vector<double> sinWide = Applied(BlockMath::Sin, x), atanWide = Applied(BlockMath::Atan, x);
      for (int i = 0; i < n; ++i) {
        EXPECT_TRUE(SameBits(sinSse2[i], sinWide[i])) << x[i] << " path " << static_cast<int>(path);
        EXPECT_TRUE(SameBits(atanSse2[i], atanWide[i])) << x[i] << " path " << static_cast<int>(path);
      }
    }
  }
  BlockMath::UsePath(start);
}
