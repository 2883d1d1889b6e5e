#include <gtest/gtest.h>

#include "TestSignal.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/FilterDesign.h"
#include "dsp/filters/RBJ.h"
#include "dsp/filters/SmoothedFilterDesign.h"

using namespace Dsp;

namespace {

using RbjLowPass = SmoothedFilterDesign<RBJ::Design::LowPass, 2, DirectFormII>;
using Cheby4 = SmoothedFilterDesign<ChebyshevI::Design::LowPass<4>, 2, DirectFormII>;

FilterParams RbjParams(double fs, double f, double q)
{
  FilterParams p;
  p[0] = fs;
  p[1] = f;
  p[2] = q;
  return p;
}

template <class F> std::vector<double> RunBlocks(F& filter, const std::vector<double>& input, int block)
{
  std::vector<double> left = input, right = input;
  for (int done = 0; done < static_cast<int>(input.size()); done += block) {
    double* ch[2] = {left.data() + done, right.data() + done};
    const int count = std::min(block, static_cast<int>(input.size()) - done);
    filter.ProcessSamples(count, ch);
  }
  EXPECT_EQ(left, right);
  return left;
}

}  // namespace

TEST(SmoothedFilterDesign, FirstAssignmentDoesNotGlide)
{
  RbjLowPass smoothed(512);
  FilterDesign<RBJ::Design::LowPass, 2, DirectFormII> plain;
  EXPECT_EQ(smoothed.RemainingSamples(), -1);
  smoothed.AssignParams(RbjParams(44100, 800, 2));
  plain.AssignParams(RbjParams(44100, 800, 2));
  EXPECT_EQ(smoothed.RemainingSamples(), 0);
  const std::vector<double> x = TestSignal(1000);
  EXPECT_EQ(RunBlocks(smoothed, x, 1000), RunBlocks(plain, x, 1000));
}

TEST(SmoothedFilterDesign, ReassigningTheSameValuesGlidesWithoutChangingTheOutput)
{
  RbjLowPass glided(512), steady(512);
  glided.AssignParams(RbjParams(44100, 800, 2));
  steady.AssignParams(RbjParams(44100, 800, 2));
  glided.AssignParams(RbjParams(44100, 800, 2));
  EXPECT_EQ(glided.RemainingSamples(), 512);
  const std::vector<double> x = TestSignal(1000);
  EXPECT_EQ(RunBlocks(glided, x, 1000), RunBlocks(steady, x, 1000));
  EXPECT_EQ(glided.RemainingSamples(), 0);
}

TEST(SmoothedFilterDesign, GlideMovesLinearlyAndEndsExactlyOnTheTarget)
{
  RbjLowPass f(512);
  f.AssignParams(RbjParams(44100, 1000, 1));
  f.AssignParams(RbjParams(48000, 3000, 4));
  const std::vector<double> x = TestSignal(256);
  RunBlocks(f, x, 256);
  EXPECT_EQ(f.RemainingSamples(), 256);
  // Halfway, up to the rounding of 256 accumulated steps.
  EXPECT_NEAR(f.TransitionParams()[0], 46050.0, 1e-8);
  EXPECT_NEAR(f.TransitionParams()[1], 2000.0, 1e-9);
  EXPECT_NEAR(f.TransitionParams()[2], 2.5, 1e-12);
  RunBlocks(f, x, 256);
  EXPECT_EQ(f.RemainingSamples(), 0);
  for (int i = 0; i < FilterParams::kMaxParams; ++i) EXPECT_EQ(f.TransitionParams()[i], f.CurrentParams()[i]);
}

TEST(SmoothedFilterDesign, GlideContinuesAcrossShortBlocks)
{
  RbjLowPass whole(512), pieces(512);
  for (RbjLowPass* f : {&whole, &pieces}) {
    f->AssignParams(RbjParams(44100, 300, 1));
    f->AssignParams(RbjParams(44100, 5000, 0.7));
  }
  const std::vector<double> x = TestSignal(700);
  const std::vector<double> a = RunBlocks(whole, x, 700);
  const std::vector<double> b = RunBlocks(pieces, x, 100);
  EXPECT_EQ(pieces.RemainingSamples(), 0);
  // Each block recomputes the step from where the glide stands, which equals the old step
  // up to rounding.
  for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(a[i], b[i], 1e-9) << i;
}

TEST(SmoothedFilterDesign, ChangeDuringGlideRestartsFromTheTransitionValues)
{
  RbjLowPass f(512);
  f.AssignParams(RbjParams(44100, 1000, 1));
  f.AssignParams(RbjParams(44100, 2024, 1));
  RunBlocks(f, TestSignal(128), 128);
  const double reached = f.TransitionParams()[1];
  EXPECT_NEAR(reached, 1256.0, 1e-9);
  f.AssignParams(RbjParams(44100, 256, 1));
  EXPECT_EQ(f.RemainingSamples(), 512);
  RunBlocks(f, TestSignal(1), 1);
  EXPECT_DOUBLE_EQ(f.TransitionParams()[1], reached + (256.0 - reached) / 512);
}

// Assignments between two runs leave only the last one's design (however order and ripple
// moved in between), made when the filter is next used or asked for: the glide and its end
// are those of a filter given the last values alone.
TEST(SmoothedFilterDesign, OnlyTheLastOfUnusedAssignmentsCounts)
{
  Cheby4 assignedOften(512), assignedOnce(512);
  FilterParams p = assignedOften.DefaultParams();
  assignedOften.AssignParams(p);
  assignedOnce.AssignParams(p);
  for (const double order : {3.0, 1.0, 4.0}) {
    p[1] = order;
    p[2] = 900.0 * order;
    p[3] = 0.5 * order;
    assignedOften.AssignParams(p);
  }
  assignedOnce.AssignParams(p);
  ChebyshevI::Design::LowPass<4> fresh;
  fresh.Apply(p);
  EXPECT_EQ(assignedOften.ComplexResponse(0.1), fresh.Cascade().Response(0.1));
  const std::vector<double> x = TestSignal(1200);
  EXPECT_EQ(RunBlocks(assignedOften, x, 100), RunBlocks(assignedOnce, x, 100));
  EXPECT_EQ(assignedOften.MainDesign().Cascade().stages[1].b0, fresh.Cascade().stages[1].b0);
}

TEST(SmoothedFilterDesign, OrderGlidesThroughTwoThreeFour)
{
  Cheby4 f(512);
  FilterParams p = f.DefaultParams();
  f.AssignParams(p);
  p[1] = 4.0;
  f.AssignParams(p);
  std::vector<int> poles;
  double left = 0.1, right = 0.1;
  for (int s = 0; s < 512; ++s) {
    double* ch[2] = {&left, &right};
    f.ProcessSamples(1, ch);
    poles.push_back(f.TransitionDesign().Layout().poleCount);
  }
  // The order moves by 1/256 per sample, reaching 3 after 256 samples and 4 after 512.
  EXPECT_EQ(poles[0], 2);
  EXPECT_EQ(poles[254], 2);
  EXPECT_EQ(poles[255], 3);
  EXPECT_EQ(poles[510], 3);
  EXPECT_EQ(poles[511], 4);
  EXPECT_EQ(f.TransitionDesign().Cascade().stageCount, 2);
  EXPECT_EQ(f.MainDesign().Layout().poleCount, 4);
}

TEST(SmoothedFilterDesign, SampleRateGlidesWithTheCoefficients)
{
  RbjLowPass f(512);
  f.AssignParams(RbjParams(44100, 1000, 1));
  f.AssignParams(RbjParams(96000, 1000, 1));
  RunBlocks(f, TestSignal(256), 256);
  EXPECT_NEAR(f.TransitionParams()[0], 70050.0, 1e-8);
  RBJ::Design::LowPass halfway;
  halfway.Apply(f.TransitionParams());
  EXPECT_EQ(f.TransitionDesign().Cascade().stages[0].a1, halfway.Cascade().stages[0].a1);
}

TEST(SmoothedFilterDesign, ClearStateLeavesTheGlideRunning)
{
  RbjLowPass f(512);
  f.AssignParams(RbjParams(44100, 1000, 1));
  f.AssignParams(RbjParams(44100, 2000, 1));
  RunBlocks(f, TestSignal(100), 100);
  f.ClearState();
  EXPECT_EQ(f.RemainingSamples(), 412);
}

// A stereo glide steps both channels in one register; each channel keeps the bits it has
// alone, also where the order glides down and back up and a stage resumes its old history.
TEST(SmoothedFilterDesign, StereoGlideGivesEachChannelItsOwnBits)
{
  Cheby4 stereo(512), leftOnly(512), rightOnly(512);
  const std::vector<double> inLeft = TestSignal(1500, 1), inRight = TestSignal(1500, 2);
  std::vector<double> left = inLeft, right = inRight, aloneLeft = inLeft, aloneRight = inRight;
  FilterParams p = stereo.DefaultParams();
  p[1] = 4.0;
  p[2] = 1000.0;
  int done = 0;
  const auto run = [&](double order, double cutoff, int n) {
    p[1] = order;
    p[2] = cutoff;
    for (auto* f : {&stereo, &leftOnly, &rightOnly}) f->AssignParams(p);
    for (int end = done + n; done < end; done += 100) {
      const int count = std::min(100, end - done);
      double* both[2] = {left.data() + done, right.data() + done};
      double* first[2] = {aloneLeft.data() + done, nullptr};
      double* second[2] = {nullptr, aloneRight.data() + done};
      stereo.ProcessSamples(count, both);
      leftOnly.ProcessSamples(count, first);
      rightOnly.ProcessSamples(count, second);
    }
  };
  run(4.0, 1000.0, 300);
  run(2.0, 1000.0, 600);
  run(4.0, 3000.0, 600);
  EXPECT_EQ(left, aloneLeft);
  EXPECT_EQ(right, aloneRight);
  EXPECT_NE(left, right);
}
