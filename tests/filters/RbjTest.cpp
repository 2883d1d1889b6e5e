#include <gtest/gtest.h>

#include <cmath>

#include "dsp/filters/RBJ.h"

using namespace Dsp;

namespace {

FilterParams Params(double fs, double f, double p)
{
  FilterParams params;
  params[0] = fs;
  params[1] = f;
  params[2] = p;
  return params;
}

template <class Design> double Gain(const Design& d, double f) { return std::abs(d.Cascade().Response(f)); }

}  // namespace

TEST(Rbj, PassDesignsReachQAtTheCutoff)
{
  for (double q : {0.0625, 0.7071, 1.0, 16.0}) {
    RBJ::Design::LowPass lp;
    RBJ::Design::HighPass hp;
    lp.Apply(Params(48000, 3000, q));
    hp.Apply(Params(48000, 3000, q));
    EXPECT_NEAR(Gain(lp, 3000.0 / 48000), q, 1e-12 * q);
    EXPECT_NEAR(Gain(hp, 3000.0 / 48000), q, 1e-12 * q);
    EXPECT_NEAR(Gain(lp, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Gain(lp, 0.5), 0.0, 1e-12);
    EXPECT_NEAR(Gain(hp, 0.5), 1.0, 1e-12);
    EXPECT_NEAR(Gain(hp, 0.0), 0.0, 1e-12);
  }
}

// The band designs take their third parameter, though described in octaves, as Q.
TEST(Rbj, BandDesignsUseTheBandwidthInThePlaceOfQ)
{
  RBJ::Design::BandPass1 bp;
  bp.Apply(Params(44100, 1000, 4.0));
  EXPECT_NEAR(Gain(bp, 1000.0 / 44100), 4.0, 1e-12);  // constant skirt: peak gain = P
  const double w0 = 6.283185307179586 * 1000 / 44100;
  EXPECT_DOUBLE_EQ(bp.Cascade().stages[0].a0, 1.0 + std::sin(w0) / (2.0 * 4.0));

  RBJ::Design::BandStop bs;
  bs.Apply(Params(44100, 1000, 4.0));
  EXPECT_NEAR(Gain(bs, 1000.0 / 44100), 0.0, 1e-12);
  EXPECT_NEAR(Gain(bs, 0.0), 1.0, 1e-12);
  EXPECT_NEAR(Gain(bs, 0.5), 1.0, 1e-12);
  EXPECT_GT(Gain(bs, 700.0 / 44100), 0.9);  // 4 octaves as a width would give about 0.2
}

TEST(Rbj, CoefficientsAreStoredNormalisedByA0)
{
  RBJ::Design::LowPass lp;
  lp.Apply(Params(44100, 2000, 1));
  const BiquadCoefficients& c = lp.Cascade().stages[0];
  const double w0 = 6.283185307179586 * 2000 / 44100;
  const double alpha = std::sin(w0) / 2.0;
  EXPECT_EQ(c.a0, 1.0 + alpha);
  EXPECT_EQ(c.a1, -2.0 * std::cos(w0) / (1.0 + alpha));
  EXPECT_EQ(c.a2, (1.0 - alpha) / (1.0 + alpha));
  EXPECT_EQ(c.b1, 2.0 * c.b0);
  EXPECT_EQ(c.b2, c.b0);
}

TEST(Rbj, PoleZeroPairsAreTheRootsOfTheSection)
{
  RBJ::Design::BandPass1 bp;
  bp.Apply(Params(44100, 5000, 2));
  const PoleZeroPair pz = bp.PoleZeroPairs().at(0);
  const BiquadCoefficients& c = bp.Cascade().stages[0];
  const Complex z = std::polar(1.0, 0.7);
  const Complex fromRoots = c.b0 * (z - pz.zero1) * (z - pz.zero2) / ((z - pz.pole1) * (z - pz.pole2));
  const Complex h = bp.Cascade().Response(0.7 / 6.283185307179586);
  EXPECT_NEAR(std::abs(fromRoots - h), 0.0, 1e-12);
  EXPECT_LT(std::abs(pz.pole1), 1.0);
  EXPECT_NEAR(std::abs(pz.pole1), std::abs(pz.pole2), 1e-15);
}
