#include <gtest/gtest.h>

#include <stdexcept>

#include "dsp/filters/Butterworth.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/RBJ.h"
#include "dsp/filters/SmoothedFilterDesign.h"

using namespace Dsp;

namespace {

template <class Design, template <int> class State = DirectFormII>
using Smoothed = SmoothedFilterDesign<Design, 2, State>;

void ExpectParams(const FilterParams& p, std::initializer_list<double> expected)
{
  int i = 0;
  for (double v : expected) EXPECT_EQ(p[i++], v) << "slot " << i - 1;
  for (; i < FilterParams::kMaxParams; ++i) EXPECT_EQ(p[i], 0.0) << "slot " << i;
}

}  // namespace

TEST(FilterInterface, DefaultParams)
{
  ExpectParams(Smoothed<RBJ::Design::LowPass>(512).DefaultParams(), {44100, 2000, 1});
  ExpectParams(Smoothed<RBJ::Design::BandStop>(512).DefaultParams(), {44100, 2000, 1});
  ExpectParams(Smoothed<ChebyshevI::Design::LowPass<4>>(512).DefaultParams(), {44100, 2, 2000, 0.01});
  ExpectParams(Smoothed<Butterworth::Design::LowShelf<2>, DirectFormI>(512).DefaultParams(),
               {44100, 2, 2000, -6});
  ExpectParams(Smoothed<Butterworth::Design::BandPass<2>, DirectFormI>(512).DefaultParams(),
               {44100, 2, 2000, 1720});
}

TEST(FilterInterface, IndexOfParam)
{
  Smoothed<RBJ::Design::LowPass> rbj(512);
  EXPECT_EQ(rbj.IndexOfParam(IdFrequency), 1);
  EXPECT_EQ(rbj.IndexOfParam(IdQ), 2);
  EXPECT_EQ(rbj.IndexOfParam(IdGain), -1);
  EXPECT_EQ(rbj.IndexOfParam(IdRippleDb), -1);
  Smoothed<RBJ::Design::BandPass1> band(512);
  EXPECT_EQ(band.IndexOfParam(IdBandwidth), 2);
  EXPECT_EQ(band.IndexOfParam(IdQ), -1);
  Smoothed<Butterworth::Design::BandStop<2>, DirectFormI> bs(512);
  EXPECT_EQ(bs.IndexOfParam(IdOrder), 1);
  EXPECT_EQ(bs.IndexOfParam(IdBandwidthHz), 3);
  EXPECT_EQ(bs.IndexOfParam(IdBandwidth), -1);
}

TEST(FilterInterface, OutOfRangeParamIndexThrows)
{
  Smoothed<ChebyshevI::Design::HighPass<2>, DirectFormI> f(512);
  for (int bad : {-1, 4, 8}) {
    try {
      f.DescribeParam(bad);
      FAIL() << "index " << bad;
    } catch (const std::logic_error& e) {
      EXPECT_STREQ(e.what(), "invalid usage of ParamInfo");
    }
  }
  EXPECT_EQ(f.DescribeParam(3).id, IdRippleDb);
  EXPECT_EQ(f.DescribeParam(1).maximum, 2.0);
}

TEST(FilterInterface, NamesKindsAndChannels)
{
  Smoothed<RBJ::Design::BandPass1> bp(512);
  EXPECT_EQ(bp.DisplayName(), "RBJ Band Pass 1");
  EXPECT_EQ(bp.KindOf(), FilterKind::BandPass);
  EXPECT_EQ(bp.ParamCount(), 3);
  EXPECT_EQ(bp.ChannelCount(), 2);
  EXPECT_STREQ(bp.DescribeParam(2).name, "Bandwidth (Octaves)");
  Smoothed<Butterworth::Design::HighShelf<2>, DirectFormI> hs(512);
  EXPECT_EQ(hs.DisplayName(), "Butterworth High Shelf");
  EXPECT_EQ(hs.KindOf(), FilterKind::HighShelf);
  EXPECT_EQ(hs.ParamCount(), 4);
  EXPECT_STREQ(hs.DescribeParam(2).name, "Cutoff Frequency");
  Smoothed<Butterworth::Design::BandStop<2>, DirectFormI> bs(512);
  EXPECT_STREQ(bs.DescribeParam(2).name, "Center Frequency");
  EXPECT_EQ(Smoothed<ChebyshevI::Design::LowPass<4>>(512).DisplayName(), "Chebyshev I Low Pass");
}

TEST(FilterInterface, AssignParamsStoresTheArray)
{
  Smoothed<RBJ::Design::HighPass> f(512);
  FilterParams p = f.DefaultParams();
  p[1] = 300.0;
  f.AssignParams(p);
  ExpectParams(f.CurrentParams(), {44100, 300, 1});
}
