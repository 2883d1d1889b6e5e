// The table lookup, written for speed, against the lookup as its definition reads: fmod for
// the fraction, branches for the sign and the ends. Every table, every mode, inputs on and
// between the table points, beyond the table, at zero and non-finite: the same bits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/Distortion.h"
#include "dsp/filters/DesignMath.h"

using Kernwave::Distortion;
using Kernwave::ShapeTable;

namespace {

double Straightforward(const ShapeTable& table, int mode, double x)
{
  if (x == 0.0) return 0.0;
  const std::vector<double>& t = x > 0.0 ? table.positive : table.negative;
  const double a = x > 0.0 ? x : -x;
  const int n = static_cast<int>(t.size());
  double y;
  if (mode == 0) {
    const double p = a * (n - 1);
    y = p < n ? t[static_cast<int>(p)] : 0.0;
  } else {
    const double f = std::fmod(a, table.step) / table.step;
    const double p = a * n;
    const int i = p < n - 1 ? static_cast<int>(p) : n - 1;
    const double y0 = t[i > 0 ? i - 1 : 0], y1 = t[i];
    const double y2 = t[i + 1 < n ? i + 1 : n - 1], y3 = t[i + 2 < n ? i + 2 : n - 1];
    if (mode == 1 || mode == 2) {
      const double mu = mode == 1 ? f : (1.0 - Dsp::DesignMath::Cos(f * 3.141592653589793)) / 2.0;
      y = (1.0 - mu) * y1 + mu * y2;
    } else if (mode == 4) {
      const double m0 = ((y1 - y0) + (y2 - y1)) / 2.0, m1 = ((y2 - y1) + (y3 - y2)) / 2.0;
      const double f2 = f * f, f3 = f2 * f;
      y = (2.0 * f3 - 3.0 * f2 + 1.0) * y1 + (f3 - 2.0 * f2 + f) * m0 + (f3 - f2) * m1 +
          (3.0 * f2 - 2.0 * f3) * y2;
    } else if (f == 1.0) {
      y = y2;
    } else if (f == 0.0) {
      y = y1;
    } else {
      const double a0 = y3 - y2 - y0 + y1, a1 = y0 - y1 - a0, a2 = y2 - y0;
      const double f2 = f * f, f3 = f2 * f;
      y = a0 * f3 + a1 * f2 + a2 * f + y1;
    }
  }
  return x > 0.0 ? y : -y;
}

bool SameBits(double a, double b)
{
  if (std::isnan(a) && std::isnan(b)) return true;
  return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<double> Inputs(int n)
{
  std::vector<double> x = {0.0,
                           -0.0,
                           1.0,
                           -1.0,
                           1.5,
                           1e9,
                           3e9,
                           -7e12,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(),
                           1e-300,
                           5e-324};
  for (int i = 0; i <= n + 2; ++i) {
    x.push_back(static_cast<double>(i) / n);
    x.push_back(-static_cast<double>(i) / n);
    x.push_back(std::nextafter(static_cast<double>(i) / n, 0.0));
  }
  unsigned state = 5;
  for (int k = 0; k < 2000; ++k) {
    state = state * 1664525u + 1013904223u;
    x.push_back((static_cast<double>(state >> 8) / 16777216.0 - 0.5) * 3.0);
  }
  return x;
}

}  // namespace

TEST(ShapeTableLookup, SameBitsAsTheStraightforwardLookup)
{
  Distortion d;
  for (int mode : {0, 1, 2, 3, 4, 7}) {
    d.SetInterpolation(mode / 4.0);
    for (int type = 0; type < Distortion::kNumTypes; ++type) {
      const ShapeTable* table = d.TableForType(type);
      if (!table) continue;
      const std::vector<double> inputs = Inputs(table->Size());
      for (size_t k = 0; k < inputs.size(); ++k) {
        const double x = inputs[k];
        const double want = Straightforward(*table, table->mode, x);
        ASSERT_TRUE(SameBits(table->Lookup(x), want))
          << "type " << type << ", mode " << table->mode << ", x " << x << ": " << table->Lookup(x)
          << " instead of " << want;
        // A pair's lanes are looked up together, each with its own half, position and ends.
        const double other = inputs[inputs.size() - 1 - k];
        Dsp::StereoPair pair = {};
        table->VisitMode([&](auto curve) { pair = curve(Dsp::StereoPair{x, other}); });
        ASSERT_TRUE(SameBits(pair[0], want) && SameBits(pair[1], Straightforward(*table, table->mode, other)))
          << "type " << type << ", mode " << table->mode << ", pair " << x << ", " << other;
      }
    }
  }
}
