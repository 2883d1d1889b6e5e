// A block through a state type's RunBlock, or through its paired runs on local copies, is
// the per-sample Process, bit for bit: for one and two stages, both direct forms, double and
// float samples, across consecutive blocks.
#include <gtest/gtest.h>

#include "TestSignal.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/FilterDesign.h"

using namespace Dsp;

namespace {

using Design = ChebyshevI::Design::HighPass<4>;

// The cascade of a fourth-order design run at this order: 1 or 2 stages (3 gives a
// biquad and a first-order section).
BiquadCascade<Design::kMaxStages> CascadeOfOrder(int order)
{
  FilterDesign<Design, 2, DirectFormII> f;
  FilterParams p = f.DefaultParams();
  p[1] = order;
  p[2] = 900.0;
  p[3] = 3.0;
  f.AssignParams(p);
  return f.MainDesign().Cascade();
}

template <template <int> class Form, class Sample>
void ExpectBlocksMatchSamples(const BiquadCascade<Design::kMaxStages>& cascade)
{
  using State = Form<Design::kMaxStages>;
  State block[2], sample[2];
  const std::vector<double> signal = TestSignal(1200);
  std::vector<Sample> a(signal.begin(), signal.end()), b = a;
  Sample* ca[2] = {a.data(), a.data() + 600};
  Sample* cb[2] = {b.data(), b.data() + 600};
  for (int begin = 0; begin < 600; begin += 150) {  // state carried from block to block
    State::template RunBlock<2>(block, cascade, ca, begin, begin + 150);
    for (int i = begin; i < begin + 150; ++i)
      for (int c = 0; c < 2; ++c)
        cb[c][i] = static_cast<Sample>(sample[c].Process(static_cast<double>(cb[c][i]), cascade));
  }
  EXPECT_EQ(a, b);
  for (int c = 0; c < 2; ++c) EXPECT_EQ(block[c].guard.value, sample[c].guard.value);
}

// The same through WithLocalRuns: unrolled when the cascade has every stage the state holds,
// stepped by the stage count when it has fewer.
template <template <int> class Form>
void ExpectLocalRunsMatchSamples(const BiquadCascade<Design::kMaxStages>& cascade)
{
  using State = Form<Design::kMaxStages>;
  State paired[2], sample[2];
  const std::vector<double> signal = TestSignal(1200);
  std::vector<double> a = signal, b = signal;
  for (int begin = 0; begin < 600; begin += 150) {
    const auto steps = [&](auto run) {
      for (int i = begin; i < begin + 150; ++i) {
        const StereoPair y = run.Step(StereoPair{a[i], a[600 + i]});
        a[i] = y[0];
        a[600 + i] = y[1];
      }
      run.Store();
    };
    WithLocalRuns(steps, typename State::PairedRun(paired, cascade));
    for (int i = begin; i < begin + 150; ++i)
      for (int c = 0; c < 2; ++c) b[600 * c + i] = sample[c].Process(b[600 * c + i], cascade);
  }
  EXPECT_EQ(a, b);
  for (int c = 0; c < 2; ++c) EXPECT_EQ(paired[c].guard.value, sample[c].guard.value);
}

}  // namespace

TEST(BlockRun, EqualsProcessingSampleBySample)
{
  for (int order : {2, 3, 4}) {
    const auto cascade = CascadeOfOrder(order);
    ASSERT_EQ(cascade.stageCount, order == 2 ? 1 : 2);
    ExpectBlocksMatchSamples<DirectFormI, double>(cascade);
    ExpectBlocksMatchSamples<DirectFormII, double>(cascade);
    ExpectBlocksMatchSamples<DirectFormI, float>(cascade);
    ExpectBlocksMatchSamples<DirectFormII, float>(cascade);
    ExpectLocalRunsMatchSamples<DirectFormI>(cascade);
    ExpectLocalRunsMatchSamples<DirectFormII>(cascade);
  }
}

TEST(BlockRun, AnEmptyCascadePassesTheSignalAndStillTurnsTheGuard)
{
  const BiquadCascade<Design::kMaxStages> empty;
  DirectFormII<Design::kMaxStages> states[2];
  std::vector<double> x = TestSignal(7), y = x;
  double* ch[2] = {x.data(), x.data()};
  DirectFormII<Design::kMaxStages>::RunBlock<1>(states, empty, ch, 0, 7);
  EXPECT_EQ(x, y);
  EXPECT_EQ(states[0].guard.value, -1e-8);  // seven sign changes
}
