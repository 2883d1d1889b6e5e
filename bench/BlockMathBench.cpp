// The block sine and arctangent against the C library's, per value, on both instruction
// sets; each run also measures the largest error in ulps over 10^7 arguments against the
// long double functions (reported as the counter max_ulp).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "dsp/BlockMath.h"
#include "tests/dsp/UlpDistance.h"

namespace {

namespace BlockMath = Kernwave::BlockMath;

constexpr int kBlock = 256;
constexpr int kErrorArguments = 10000000;

enum class Function { Sin, Atan };

// Arguments of the kind the effect meets: phases up to 2^31 for the sine, signal values of
// every magnitude for the arctangent.
std::vector<double> Arguments(Function f, int n, uint64_t seed)
{
  std::mt19937_64 rng(seed);
  std::vector<double> x(n);
  for (int i = 0; i < n; ++i) {
    if (f == Function::Sin) {
      const double top = (i % 3 == 0) ? 6.283185307179586 : (i % 3 == 1 ? 1e4 : 2147483648.0);
      x[i] = std::uniform_real_distribution<double>(-top, top)(rng);
    } else {
      x[i] = ((rng() & 1) ? -1.0 : 1.0) * std::exp2(std::uniform_real_distribution<double>(-60, 60)(rng));
    }
  }
  return x;
}

double LargestUlpError(Function f)
{
  const std::vector<double> x = Arguments(f, kErrorArguments, 3);
  std::vector<double> y(x.size());
  (f == Function::Sin ? BlockMath::Sin : BlockMath::Atan)(x.data(), y.data(), kErrorArguments);
  double worst = 0.0;
  for (int i = 0; i < kErrorArguments; ++i) {
    const long double exact = f == Function::Sin ? sinl(x[i]) : atanl(x[i]);
    const double e = UlpDistance(y[i], exact);
    if (e > worst) worst = e;
  }
  return worst;
}

void Block(benchmark::State& state, Function f, BlockMath::Path path)
{
  if (!BlockMath::UsePath(path)) {
    state.SkipWithError("the processor lacks this instruction set");
    return;
  }
  const std::vector<double> x = Arguments(f, kBlock, 1);
  std::vector<double> y(kBlock);
  for (auto _ : state) {
    (f == Function::Sin ? BlockMath::Sin : BlockMath::Atan)(x.data(), y.data(), kBlock);
    benchmark::DoNotOptimize(y.data());
  }
  state.counters["max_ulp"] = LargestUlpError(f);
  state.counters["ns_per_value"] =
    benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Library(benchmark::State& state, Function f)
{
  const std::vector<double> x = Arguments(f, kBlock, 1);
  std::vector<double> y(kBlock);
  for (auto _ : state) {
    for (int i = 0; i < kBlock; ++i) y[i] = f == Function::Sin ? std::sin(x[i]) : std::atan(x[i]);
    benchmark::DoNotOptimize(y.data());
  }
  state.counters["ns_per_value"] =
    benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(Block, sin_sse2, Function::Sin, BlockMath::Path::Sse2);
BENCHMARK_CAPTURE(Block, sin_avx2, Function::Sin, BlockMath::Path::Avx2);
BENCHMARK_CAPTURE(Block, sin_avx512, Function::Sin, BlockMath::Path::Avx512);
BENCHMARK_CAPTURE(Library, sin_c_library, Function::Sin);
BENCHMARK_CAPTURE(Block, atan_sse2, Function::Atan, BlockMath::Path::Sse2);
BENCHMARK_CAPTURE(Block, atan_avx2, Function::Atan, BlockMath::Path::Avx2);
BENCHMARK_CAPTURE(Block, atan_avx512, Function::Atan, BlockMath::Path::Avx512);
BENCHMARK_CAPTURE(Library, atan_c_library, Function::Atan);

}  // namespace
