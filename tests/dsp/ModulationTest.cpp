#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/Phaser.h"
#include "dsp/RingModulator.h"

using Kernwave::Phaser;
using Kernwave::RingModulator;

namespace {

constexpr double kPi = 3.141592653589793;

struct Stereo
{
  Stereo(int n, double v) : left(n, v), right(n, v) {}
  std::vector<double> left, right;
  int Size() const { return static_cast<int>(left.size()); }
};

template <class Unit, class Fn> Stereo Through(Unit& u, Fn process, Stereo s)
{
  (u.*process)(s.left.data(), s.right.data(), s.Size());
  return s;
}

Stereo Impulse(int n)
{
  Stereo s(n, 0.0);
  s.left[0] = s.right[0] = 1.0;
  return s;
}

// Switching off must scale the wet part by 0.995, 0.990, ... down to 0 over 200 samples (seen
// against a twin that stays on), after which blocks pass untouched.
template <class Unit, class Fn> void ExpectFadeOut(Unit& u, Fn process)
{
  Through(u, process, Stereo(5000, 0.5));
  Unit twin = u;
  u.SetBypassed(true);
  const Stereo fading = Through(u, process, Stereo(200, 0.5));
  const Stereo on = Through(twin, process, Stereo(200, 0.5));
  int compared = 0;
  for (int k = 0; k < 199; ++k) {
    const double wet = on.left[k] - 0.5;
    if (std::fabs(wet) < 1e-3) continue;
    EXPECT_NEAR((fading.left[k] - 0.5) / wet, 0.995 - 0.005 * k, 1e-9) << k;
    ++compared;
  }
  EXPECT_GT(compared, 100);
  EXPECT_EQ(u.FadeGain(), 0.0);
  const Stereo after = Through(u, process, Stereo(50, 0.5));
  EXPECT_EQ(after.left, std::vector<double>(50, 0.5));
  EXPECT_EQ(after.right, std::vector<double>(50, 0.5));
}

}  // namespace

TEST(RingModulator, ZeroFrequencyOrAmountPassesTheBlockAndHoldsTheCarrier)
{
  RingModulator ring, fresh;
  ring.SetAmount(1.0);
  ring.SetFrequency(0.0);
  EXPECT_EQ(Through(ring, &RingModulator::ProcessRingModulator, Stereo(64, 0.5)).left,
            std::vector<double>(64, 0.5));
  ring.SetFrequency(0.5);
  ring.SetAmount(0.0);
  EXPECT_EQ(Through(ring, &RingModulator::ProcessRingModulator, Stereo(64, 0.5)).right,
            std::vector<double>(64, 0.5));

  ring.SetAmount(1.0);
  fresh.SetAmount(1.0);
  fresh.SetFrequency(0.5);
  EXPECT_EQ(Through(ring, &RingModulator::ProcessRingModulator, Stereo(64, 0.5)).left,
            Through(fresh, &RingModulator::ProcessRingModulator, Stereo(64, 0.5)).left);
}

TEST(RingModulator, FullAmountAtHalfFrequencyIsA1000HzProduct)
{
  for (double rate : {44100.0, 48000.0}) {
    RingModulator ring;
    ring.SetFrequency(0.5);
    ring.SetSampleRate(rate);  // recomputes the increment for the stored frequency
    ring.SetAmount(1.0);
    const int settle = 5000, n = 2000;
    Through(ring, &RingModulator::ProcessRingModulator, Stereo(settle, 1.0));
    const Stereo out = Through(ring, &RingModulator::ProcessRingModulator, Stereo(n, 0.8));
    for (int i = 0; i < n; ++i) {
      const double want = 0.8 * std::sin(2 * kPi * 1000 * (settle + i) / rate);
      ASSERT_NEAR(out.left[i], want, 1e-9) << rate << " " << i;  // phase rounding over 7000 steps
      ASSERT_EQ(out.right[i], out.left[i]);
    }
  }
}

TEST(RingModulator, SwitchingOffFadesOut)
{
  RingModulator ring;
  ring.SetAmount(1.0);
  ring.SetFrequency(0.5);
  ExpectFadeOut(ring, &RingModulator::ProcessRingModulator);
}

TEST(Phaser, ZeroDepthPassesTheBlock)
{
  Phaser ph;
  EXPECT_EQ(Through(ph, &Phaser::ProcessPhaser, Impulse(64)).left, Impulse(64).left);
}

// With the sweep frozen the phaser is a fixed filter: all-pass chains pass DC at unity, so a
// constant input settles to x + depth * x / (1 - feedback).
TEST(Phaser, ZeroRateFreezesTheSweep)
{
  Phaser ph;
  ph.SetRate(0.0);
  ph.SetDepth(1.0);
  ph.SetFeedback(0.5);
  const Stereo dc = Through(ph, &Phaser::ProcessPhaser, Stereo(20000, 1.0));
  EXPECT_NEAR(dc.left.back(), 1.0 + 1.0 / (1.0 - 0.4995), 1e-9);

  // Time invariance: the same impulse response now and later.
  for (double rate : {0.0, 0.5}) {
    Phaser a, b;
    for (Phaser* p : {&a, &b}) {
      p->SetRate(rate);
      p->SetDepth(1.0);
      Through(*p, &Phaser::ProcessPhaser, Stereo(5000, 0.0));
    }
    Through(b, &Phaser::ProcessPhaser, Stereo(3000, 0.0));
    const Stereo ra = Through(a, &Phaser::ProcessPhaser, Impulse(400));
    const Stereo rb = Through(b, &Phaser::ProcessPhaser, Impulse(400));
    double diff = 0.0;
    for (int i = 0; i < 400; ++i) diff = std::fmax(diff, std::fabs(ra.left[i] - rb.left[i]));
    if (rate == 0.0) {
      EXPECT_LT(diff, 1e-12);
      EXPECT_NE(ra.left[1], 0.0);  // still filtering
    } else {
      EXPECT_GT(diff, 1e-3);
    }
  }
}

TEST(Phaser, SweepDoesNotFollowTheSampleRate)
{
  Phaser a, b, c;
  for (Phaser* p : {&a, &b, &c}) {
    p->SetRate(0.5);
    p->SetDepth(0.8);
  }
  b.SetSampleRate(96000.0);  // keeps the increment set at 44.1 kHz
  c.SetSampleRate(96000.0);
  c.SetRate(0.5);
  Stereo in(3000, 0.0);
  for (int i = 0; i < 3000; ++i) in.left[i] = in.right[i] = std::sin(0.05 * i);
  const Stereo oa = Through(a, &Phaser::ProcessPhaser, in);
  EXPECT_EQ(oa.left, Through(b, &Phaser::ProcessPhaser, in).left);
  EXPECT_NE(oa.left, Through(c, &Phaser::ProcessPhaser, in).left);
}

// The sweep is worked out ahead of the signal within a block: how a host cuts the signal into
// blocks (odd sizes, single frames, blocks shorter than that look-ahead) must not show, while
// the depth glides or holds.
TEST(Phaser, BlockSizesDoNotChangeTheOutput)
{
  Stereo in(3000, 0.0);
  for (int i = 0; i < 3000; ++i) {
    in.left[i] = std::sin(0.05 * i);
    in.right[i] = std::cos(0.031 * i);
  }
  Phaser whole, sliced;
  for (Phaser* p : {&whole, &sliced}) {
    p->SetRate(0.7);
    p->SetFeedback(0.6);
    p->SetDepth(0.9);
  }
  const Stereo expected = Through(whole, &Phaser::ProcessPhaser, in);
  Stereo out = in;
  const int sizes[] = {1, 2, 3, 4, 5, 7, 8, 9, 13, 64, 0, 255};
  for (int done = 0, k = 0; done < out.Size(); ++k) {
    const int count = std::min(sizes[k % 12], out.Size() - done);
    sliced.ProcessPhaser(out.left.data() + done, out.right.data() + done, count);
    done += count;
  }
  EXPECT_EQ(out.left, expected.left);
  EXPECT_EQ(out.right, expected.right);
}

TEST(Phaser, SwitchingOffFadesOut)
{
  Phaser ph;
  ph.SetDepth(1.0);
  ph.SetRate(0.0);
  ExpectFadeOut(ph, &Phaser::ProcessPhaser);
}
