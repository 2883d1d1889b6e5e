// The scalar design maths against the C library's functions, per call; each function's first
// run also measures its largest error in ulps over 10^7 arguments of the ranges the effect
// uses, against the long double functions (reported as the counter max_ulp).
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "dsp/filters/DesignMath.h"
#include "tests/dsp/UlpDistance.h"

namespace {

namespace DesignMath = Dsp::DesignMath;

constexpr int kBlock = 256;
constexpr int kErrorArguments = 10000000;

struct Function
{
  const char* name;
  double (*ours)(double, double);
  double (*library)(double, double);
  long double (*exact)(long double, long double);
  // The i-th argument pair of a sweep.
  void (*argument)(std::mt19937_64&, int i, double& x, double& y);
};

double Uniform(std::mt19937_64& rng, double lo, double hi)
{
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}
double Signed(std::mt19937_64& rng) { return (rng() & 1) ? -1.0 : 1.0; }

// Angles of the designs (within a turn or two), the shaping curves (up to 80 pi) and beyond.
void AngleArgument(std::mt19937_64& rng, int i, double& x, double&)
{
  const double top = i % 3 == 0 ? 7.0 : (i % 3 == 1 ? 260.0 : 1e4);
  x = Uniform(rng, -top, top);
}

// Half the band and cutoff angles: up to pi/2, the pole included, and whole turns beyond.
void TangentArgument(std::mt19937_64& rng, int i, double& x, double&)
{
  x = i % 2 ? Uniform(rng, 0.0, 1.5707963267948966) : Uniform(rng, -20.0, 20.0);
}

void MagnitudeArgument(std::mt19937_64& rng, int, double& x, double&)
{
  x = Signed(rng) * std::exp2(Uniform(rng, -60.0, 60.0));
}

void ExponentArgument(std::mt19937_64& rng, int i, double& x, double&)
{
  x = i % 2 ? Uniform(rng, -708.0, 708.0) : Uniform(rng, -12.0, 12.0);
}

void LogArgument(std::mt19937_64& rng, int i, double& x, double&)
{
  x = i % 2 ? std::exp2(Uniform(rng, -1000.0, 1000.0)) : Uniform(rng, 0.5, 2.0);
}

// The bases and exponents of the gain and frequency laws (10^(dB/20), 1.5^y, 2^y, g^(1/2n),
// x^4, k^(1/4)), then any pair whose result stays within e^+-700.
void PowerArgument(std::mt19937_64& rng, int i, double& x, double& y)
{
  switch (i % 4) {
    case 0: x = 10.0, y = Uniform(rng, -1.25, 1.25); break;
    case 1: x = i % 8 == 1 ? 1.5 : 2.0, y = Uniform(rng, -30.0, 30.0); break;
    case 2: x = Uniform(rng, 0.0, 16.0), y = 1.0 / (1 + int(rng() % 8)); break;
    default:
      x = std::exp2(Uniform(rng, -40.0, 40.0));
      y = Uniform(rng, -700.0, 700.0) / std::fabs(std::log(x));
      break;
  }
}

// The Chebyshev shape's mu (0.06 to 5) and beyond.
void HyperbolicArgument(std::mt19937_64& rng, int i, double& x, double&)
{
  x = i % 2 ? Uniform(rng, 0.06, 5.0) : Uniform(rng, -20.0, 20.0);
}

void HypotArgument(std::mt19937_64& rng, int, double& x, double& y)
{
  x = Signed(rng) * std::exp2(Uniform(rng, -40.0, 40.0));
  y = Signed(rng) * std::exp2(Uniform(rng, -40.0, 40.0));
}

const Function kFunctions[] = {
  {"sin", [](double x, double) { return DesignMath::Sin(x); }, [](double x, double) { return std::sin(x); },
   [](long double x, long double) { return sinl(x); }, AngleArgument},
  {"cos", [](double x, double) { return DesignMath::Cos(x); }, [](double x, double) { return std::cos(x); },
   [](long double x, long double) { return cosl(x); }, AngleArgument},
  {"tan", [](double x, double) { return DesignMath::Tan(x); }, [](double x, double) { return std::tan(x); },
   [](long double x, long double) { return tanl(x); }, TangentArgument},
  {"cot", [](double x, double) { return DesignMath::Cot(x); },
   [](double x, double) { return 1.0 / std::tan(x); },
   [](long double x, long double) { return 1.0L / tanl(x); }, TangentArgument},
  {"atan", [](double x, double) { return DesignMath::Atan(x); },
   [](double x, double) { return std::atan(x); }, [](long double x, long double) { return atanl(x); },
   MagnitudeArgument},
  {"exp", [](double x, double) { return DesignMath::Exp(x); }, [](double x, double) { return std::exp(x); },
   [](long double x, long double) { return expl(x); }, ExponentArgument},
  {"log", [](double x, double) { return DesignMath::Log(x); }, [](double x, double) { return std::log(x); },
   [](long double x, long double) { return logl(x); }, LogArgument},
  {"pow", DesignMath::Pow, [](double x, double y) { return std::pow(x, y); },
   [](long double x, long double y) { return powl(x, y); }, PowerArgument},
  {"sinh", [](double x, double) { return DesignMath::Sinh(x); },
   [](double x, double) { return std::sinh(x); }, [](long double x, long double) { return sinhl(x); },
   HyperbolicArgument},
  {"cosh", [](double x, double) { return DesignMath::Cosh(x); },
   [](double x, double) { return std::cosh(x); }, [](long double x, long double) { return coshl(x); },
   HyperbolicArgument},
  {"hypot", DesignMath::Hypot, [](double x, double y) { return std::hypot(x, y); },
   [](long double x, long double y) { return hypotl(x, y); }, HypotArgument},
};

struct Arguments
{
  std::vector<double> x, y;
};

Arguments Sweep(const Function& f, int n, uint64_t seed)
{
  std::mt19937_64 rng(seed);
  Arguments a{std::vector<double>(n), std::vector<double>(n)};
  for (int i = 0; i < n; ++i) f.argument(rng, i, a.x[i], a.y[i]);
  return a;
}

// Measured once per function, however often the benchmark runs.
double LargestUlpError(const Function& f)
{
  static std::map<const Function*, double> measured;
  const auto known = measured.find(&f);
  if (known != measured.end()) return known->second;
  const Arguments a = Sweep(f, kErrorArguments, 3);
  double worst = 0.0;
  for (int i = 0; i < kErrorArguments; ++i) {
    const double e = UlpDistance(f.ours(a.x[i], a.y[i]), f.exact(a.x[i], a.y[i]));
    if (!(e <= worst)) worst = e;
  }
  return measured[&f] = worst;
}

void Run(benchmark::State& state, const Function& f, bool ours)
{
  const Arguments a = Sweep(f, kBlock, 1);
  std::vector<double> out(kBlock);
  double (*const call)(double, double) = ours ? f.ours : f.library;
  for (auto _ : state) {
    for (int i = 0; i < kBlock; ++i) out[i] = call(a.x[i], a.y[i]);
    benchmark::DoNotOptimize(out.data());
  }
  if (ours) state.counters["max_ulp"] = LargestUlpError(f);
  state.counters["ns_per_value"] =
    benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const bool kRegistered = [] {
  for (const Function& f : kFunctions) {
    benchmark::RegisterBenchmark((std::string(f.name) + "/design_math").c_str(), Run, f, true);
    benchmark::RegisterBenchmark((std::string(f.name) + "/c_library").c_str(), Run, f, false);
  }
  return true;
}();

}  // namespace
