// Cost of the filtering units per 512-sample stereo block, steady and while a parameter
// glides (every sample redesigns the selected filters then).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "dsp/DumpExpand.h"
#include "dsp/Equalizer.h"
#include "dsp/FilterUnit.h"

namespace {

constexpr int kBlock = 512;

struct Block
{
  Block() : left(kBlock), right(kBlock)
  {
    for (int i = 0; i < kBlock; ++i) left[i] = right[i] = 0.5 * std::sin(0.05 * i);
  }
  std::vector<double> left, right;
};

// Mode 0..3 on the Chebyshev path (3 is the order-4 low-pass); glide: a cutoff change per block.
void FilterUnitBlock(benchmark::State& state)
{
  Kernwave::FilterUnit unit;
  unit.EnsureCapacity(kBlock);
  unit.SetChebySelect(state.range(0) / 3.0);
  const bool glide = state.range(1) != 0;
  Block b;
  int k = 0;
  for (auto _ : state) {
    if (glide) unit.SetCutoff((k++ % 100) / 100.0);
    unit.ProcessStereo(b.left.data(), b.right.data(), kBlock);
    benchmark::DoNotOptimize(b.left.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(FilterUnitBlock)->ArgsProduct({{0, 3}, {0, 1}});

void EqualizerBlock(benchmark::State& state)
{
  Kernwave::Equalizer eq;
  eq.EnsureCapacity(kBlock);
  eq.SetMidAmount(0.8);
  const bool glide = state.range(0) != 0;
  Block b;
  int k = 0;
  for (auto _ : state) {
    if (glide) eq.SetBassAmount((k++ % 100) / 100.0);
    eq.ProcessStereo(b.left.data(), b.right.data(), kBlock);
    benchmark::DoNotOptimize(b.left.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(EqualizerBlock)->Arg(0)->Arg(1);

void DumpExpandBlock(benchmark::State& state)
{
  Kernwave::DumpExpand unit;
  unit.EnsureCapacity(kBlock);
  const bool glide = state.range(0) != 0;
  Block b;
  int k = 0;
  for (auto _ : state) {
    if (glide) unit.SetValue(0.5 + (k++ % 50) / 100.0);
    unit.ProcessDumpExpand(b.left.data(), b.right.data(), kBlock);
    benchmark::DoNotOptimize(b.left.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(DumpExpandBlock)->Arg(0)->Arg(1);

}  // namespace
