#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "dsp/BlockMath.h"
#include "dsp/Distortion.h"

using Kernwave::Distortion;
using Kernwave::ShapeTable;

namespace {

const char* const kNames[Distortion::kNumTypes] = {"Linear",
                                                   "Compressor",
                                                   "Hard-Overload",
                                                   "KWSigmoid1-Drive",
                                                   "KWSigmoid2-Drive",
                                                   "Rovurav-Fuzz",
                                                   "Zorvak-Fuzz",
                                                   "PRM-Fuzz 1",
                                                   "PRM-Fuzz 2",
                                                   "Soft-Tube-Distort",
                                                   "Tube-Distort",
                                                   "Transistor 1",
                                                   "Full-Clip",
                                                   "Fuzz-Drive1",
                                                   "Hardcore-Fuzz1",
                                                   "Hardcore-Fuzz2",
                                                   "Industrial-Fuzz1",
                                                   "Kernwave-Drive1",
                                                   "Kernwave-Drive2",
                                                   "NoizeFreak-Fuzz 1",
                                                   "NoizeFreak-Fuzz 2",
                                                   "Invert-and-Drive",
                                                   "Big-Bad-Drive",
                                                   "Big-Fat-Drive",
                                                   "ViciousViper",
                                                   "AssKicking",
                                                   "TigersBlood",
                                                   "MadDog",
                                                   "Noise-Gate 1"};

double TypeValue(int type) { return type / 28.0; }

double ShapeOf(Distortion& d, int type, double x)
{
  d.SetShapeType(TypeValue(type));
  return d.Shape(x, x).first;
}

// Runs a constant input through the shaping stage until the drive smoothing has settled and
// returns the output for probe.
double SettledShaping(Distortion& d, double probe)
{
  std::vector<double> l(4000, 0.1), r(4000, 0.1);
  d.ProcessShaping(l.data(), r.data(), 4000);
  double pl = probe, pr = -probe;
  d.ProcessShaping(&pl, &pr, 1);
  EXPECT_EQ(pl, -pr);
  return pl;
}

}  // namespace

TEST(DistortionNames, EveryTypeRoundTripsThroughItsName)
{
  Distortion d;
  for (int type = 0; type < Distortion::kNumTypes; ++type) {
    EXPECT_STREQ(d.ShapeTypeName(TypeValue(type)), kNames[type]);
    EXPECT_EQ(Distortion::ShapeTypeFromName(kNames[type]), type) << kNames[type];
    d.SetShapeType(TypeValue(type));
    EXPECT_EQ(d.ShapeType(), type);
  }
  EXPECT_STREQ(d.ShapeTypeName(-3.0), "Linear");
  EXPECT_STREQ(d.ShapeTypeName(7.0), "Noise-Gate 1");
  d.SetShapeType(std::nan(""));
  EXPECT_EQ(d.ShapeType(), 0);
}

TEST(DistortionNames, FormerNamesAndUnknownTexts)
{
  const std::pair<const char*, int> former[] = {
    {"KWSigmoid3-Drive", 4}, {"Fuzz-Drive", 13},      {"Hardcore-Fuzz3", 14},  {"Hardcore-Fuzz4", 15},
    {"Kernwave-Drive", 17},  {"Kernwave-Drive3", 17}, {"Kernwave-Drive4", 18}, {"NoizeFreak-Fuzz 3", 19}};
  for (const auto& f : former) EXPECT_EQ(Distortion::ShapeTypeFromName(f.first), f.second) << f.first;
  for (const char* text : {"linear", "", "Noise-Gate", "Noise-Gate 1 ", "MADDOG"})
    EXPECT_EQ(Distortion::ShapeTypeFromName(text), 0) << text;
  EXPECT_EQ(Distortion::ShapeTypeFromName(nullptr), 0);
}

TEST(DistortionInterpolation, SelectionRoundsWithoutClamping)
{
  Distortion d;
  const std::pair<double, const char*> cases[] = {{0.0, "no interp."}, {0.25, "linear"}, {0.6, "cosine"},
                                                  {0.625, "cubic"},    {1.0, "hermite"}, {1.5, "unknown"},
                                                  {-0.5, "unknown"}};
  for (const auto& c : cases) {
    d.SetInterpolation(c.first);
    EXPECT_STREQ(d.InterpolationName(), c.second) << c.first;
    EXPECT_EQ(d.TableForType(9)->mode, d.InterpolationMode());
    EXPECT_EQ(d.TableForType(28)->mode, d.InterpolationMode());
  }
  EXPECT_EQ(d.InterpolationMode(), -2);

  // Any mode outside 0..4 interpolates as cubic.
  const double x = 0.3337;
  d.SetInterpolation(0.75);
  const double cubic = ShapeOf(d, 17, x);
  d.SetInterpolation(1.5);
  EXPECT_EQ(ShapeOf(d, 17, x), cubic);
  d.SetInterpolation(1.0);
  EXPECT_NE(ShapeOf(d, 17, x), cubic);
}

TEST(DistortionShape, ZeroStaysZeroForEveryTypeAndMode)
{
  Distortion d;
  for (double mode : {0.0, 0.25, 0.5, 0.75, 1.0}) {
    d.SetInterpolation(mode);
    for (int type = 0; type < Distortion::kNumTypes; ++type) {
      EXPECT_EQ(ShapeOf(d, type, 0.0), 0.0) << type;
      EXPECT_EQ(ShapeOf(d, type, -0.0), 0.0) << type;
    }
  }
}

TEST(DistortionShape, ClosedFormulas)
{
  Distortion d;
  // The Hard-Overload constants sit six units in the last place below 100 and 99.
  double c100 = 100.0, c99 = 99.0;
  for (int i = 0; i < 6; ++i) {
    c100 = std::nextafter(c100, 0.0);
    c99 = std::nextafter(c99, 0.0);
  }
  EXPECT_EQ(ShapeOf(d, 2, 0.5), c100 * 0.5 / (c99 * 0.5 + 1.0));
  EXPECT_EQ(ShapeOf(d, 2, -0.5), -ShapeOf(d, 2, 0.5));
  EXPECT_EQ(ShapeOf(d, 12, 0.01), 0.0);
  EXPECT_EQ(ShapeOf(d, 12, 0.0101), 1.0);
  EXPECT_EQ(ShapeOf(d, 12, -0.0101), -1.0);
  EXPECT_EQ(ShapeOf(d, 21, 0.25), 0.75);
  EXPECT_EQ(ShapeOf(d, 21, -0.25), -0.75);
  EXPECT_EQ(ShapeOf(d, 0, 3.5), 3.5);
  d.SetShapeType(TypeValue(21));
  EXPECT_EQ(d.Shape(0.25, -1.0), std::make_pair(0.75, 0.0));
}

TEST(DistortionShape, NearestModeScalesByNMinusOne)
{
  Distortion d;
  d.SetInterpolation(0.0);
  const ShapeTable& t = *d.TableForType(8);
  EXPECT_EQ(ShapeOf(d, 8, 1.0), t.positive[255]);
  EXPECT_EQ(ShapeOf(d, 8, -1.0), -t.negative[255]);
  EXPECT_EQ(ShapeOf(d, 8, 0.5), t.positive[127]);  // trunc(127.5)
  EXPECT_EQ(ShapeOf(d, 8, 256 / 255.0 - 1e-12), t.positive[255]);
  EXPECT_EQ(ShapeOf(d, 8, 256 / 255.0), 0.0);
  EXPECT_EQ(ShapeOf(d, 8, 1e300), 0.0);
  EXPECT_EQ(ShapeOf(d, 8, -std::nan("")), 0.0);
}

TEST(DistortionShape, InterpolatingModes)
{
  Distortion d;
  const ShapeTable& t = *d.TableForType(10);
  const double mid = 10.5 / 256;
  d.SetInterpolation(0.25);
  EXPECT_EQ(ShapeOf(d, 10, mid), 0.5 * t.positive[10] + 0.5 * t.positive[11]);
  EXPECT_EQ(ShapeOf(d, 10, -mid), -(0.5 * t.negative[10] + 0.5 * t.negative[11]));
  // From magnitude 1 on the base index stays at N - 1.
  EXPECT_EQ(ShapeOf(d, 10, 1.0), t.positive[255]);
  EXPECT_EQ(ShapeOf(d, 10, 1.0 + 0.5 / 256), t.positive[255]);
  d.SetInterpolation(0.5);
  EXPECT_NEAR(ShapeOf(d, 10, mid), 0.5 * t.positive[10] + 0.5 * t.positive[11], 1e-15);
  // Cubic and hermite pass through the table points.
  for (double mode : {0.75, 1.0}) {
    d.SetInterpolation(mode);
    EXPECT_EQ(ShapeOf(d, 10, 10 / 256.0), t.positive[10]) << mode;
    EXPECT_EQ(ShapeOf(d, 10, 200 / 256.0), t.positive[200]) << mode;
  }
  // Hermite on the rising straight part of type 10 reproduces the line.
  EXPECT_NEAR(ShapeOf(d, 10, mid), 10.5 / 128 * 0.97, 1e-15);
  // Huge inputs stay on the last entry; non-finite ones read no entry outside the table.
  EXPECT_TRUE(std::isfinite(ShapeOf(d, 10, -1e300)));
  EXPECT_TRUE(std::isnan(ShapeOf(d, 10, std::nan(""))));
  EXPECT_TRUE(std::isnan(ShapeOf(d, 10, -HUGE_VAL)));
}

TEST(DistortionShape, NoiseGateSilencesQuietAndPassesLoudInputs)
{
  Distortion d;  // tables interpolate hermite from construction
  for (double x = 0.001; x < 0.25 - 2 / 256.0; x += 0.003) {
    EXPECT_EQ(ShapeOf(d, 28, x), 0.0) << x;
    EXPECT_EQ(ShapeOf(d, 28, -x), 0.0) << x;
  }
  // Up to where the last interpolation point is clamped to the table's end.
  for (double x = 0.5 + 2 / 256.0; x < 254 / 256.0; x += 0.0031) {
    EXPECT_NEAR(ShapeOf(d, 28, x), x, 1e-12) << x;
    EXPECT_NEAR(ShapeOf(d, 28, -x), -x, 1e-12) << x;
  }
}

TEST(DistortionShaping, ZeroDriveLeavesTheBlockAndTheSmoothingAlone)
{
  Distortion d, fresh;
  for (Distortion* u : {&d, &fresh}) u->SetShapeType(TypeValue(12));
  double l[3] = {0.3, -0.2, 0.0}, r[3] = {0.1, 0.5, -0.7};
  d.ProcessShaping(l, r, 3);
  EXPECT_EQ(l[0], 0.3);
  EXPECT_EQ(r[2], -0.7);

  for (Distortion* u : {&d, &fresh}) u->SetDrive(0.5);
  double a = 0.3, b = 0.3, c = 0.3, e = 0.3;
  d.ProcessShaping(&a, &b, 1);
  fresh.ProcessShaping(&c, &e, 1);
  EXPECT_EQ(a, c);
}

TEST(DistortionShaping, FullDriveOnLinearIsAHardClipperWithGain21)
{
  Distortion d;
  d.SetDrive(1.0);
  EXPECT_EQ(SettledShaping(d, 0.05), 1.0);
  EXPECT_NEAR(SettledShaping(d, 0.01), 0.21, 1e-12);
}

TEST(DistortionShaping, LowDriveCrossfadesDryAndShaped)
{
  Distortion d;
  d.SetShapeType(TypeValue(12));
  d.SetDrive(0.22);  // half dry, half shaped (tolerance: the smoothing settles to within ulps)
  EXPECT_NEAR(SettledShaping(d, 0.3), 0.5 * 0.3 + 0.5 * 1.0, 1e-12);
  d.SetDrive(0.45);  // from 0.44 on fully shaped
  EXPECT_EQ(SettledShaping(d, 0.3), 1.0);
}

TEST(DistortionShaping, LoudnessFoldsBackThroughASine)
{
  Distortion d;
  d.SetDrive(1.0);
  d.SetLoudness(true);
  EXPECT_EQ(SettledShaping(d, 0.05), 2.0);
  EXPECT_NEAR(SettledShaping(d, 1.0 / 84), 2.0 * std::sin(0.25 * 3.141592653589793 / 2), 1e-12);
}

TEST(DistortionShaping, SwitchingOffFadesTheShapingOut)
{
  Distortion d;
  d.SetShapeType(TypeValue(12));
  d.SetDrive(1.0);
  SettledShaping(d, 0.3);
  d.SetBypassed(true);
  std::vector<double> l(200, 0.3), r(200, 0.3);
  d.ProcessShaping(l.data(), r.data(), 200);
  EXPECT_EQ(l[0], 1.0);  // h = 0.995 is still a full clip
  EXPECT_NEAR(l[180], 0.3 + (1.0 - 0.3) * (0.995 - 0.005 * 180) / 0.44, 1e-9);
  EXPECT_EQ(d.FadeGain(), 0.0);
  double a = 0.3, b = 0.3;
  d.ProcessShaping(&a, &b, 1);
  EXPECT_EQ(a, 0.3);
}

TEST(DistortionCurves, RenderFromTheDriveTarget)
{
  Distortion d;
  const int n = Distortion::kCurvePoints;
  double wave[n], transfer[n];
  d.RenderCurves(wave, transfer);
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(wave[i], std::sin(2 * 3.141592653589793 * i / 98.0)) << i;
    EXPECT_EQ(transfer[i], (i / 98.0 - 0.5) * 2.0) << i;
  }

  d.SetShapeType(TypeValue(12));
  d.SetDrive(0.22);
  d.RenderCurves(wave, transfer);
  EXPECT_EQ(transfer[0], -1.0);
  EXPECT_EQ(transfer[49], 0.0);
  EXPECT_EQ(transfer[97], 1.0);
  EXPECT_NEAR(wave[10], 0.5 + 0.5 * std::sin(2 * 3.141592653589793 * 10 / 98.0), 1e-15);
  EXPECT_EQ(wave[0], 0.0);

  d.SetShapeType(0.0);
  d.SetDrive(0.5);
  d.RenderCurves(wave, nullptr);
  EXPECT_EQ(wave[1], 11 * std::sin(2 * 3.141592653589793 / 98.0));
  EXPECT_EQ(wave[10], 1.0);
  EXPECT_EQ(wave[60], -1.0);
  d.RenderCurves(nullptr, transfer);
}

// The shaping at a settled drive runs four values per step where the processor has AVX2: the
// same bits as the pair loop, for every table and interpolating mode, at the edges of the
// tables and of the fraction's fast form, with the crossfade and with the loudness fold-back,
// in odd lengths.
TEST(DistortionShaping, EveryPathShapesToTheSameBits)
{
  namespace BlockMath = Kernwave::BlockMath;
  const BlockMath::Path start = BlockMath::ActivePath();
  if (!BlockMath::UsePath(BlockMath::Path::Avx2)) GTEST_SKIP() << "no AVX2 here";
  std::vector<double> x = {0.0,      -0.0,      1.0,    -1.0, 0.5,   -0.25, 1e-300, -5e-324,   1.5,
                           -2.0,     1e300,     -1e300, 3e6,  -9e6,  1e10,  -1e10,  8388608.7, -3e7 - 0.55,
                           INFINITY, -INFINITY, NAN,    -NAN, 0.999, 0.001, 0.003,  -0.7};
  for (int i = 0; i < 101; ++i) x.push_back(std::sin(i * 0.37) * (1.0 + i % 3));
  for (int type = 0; type < Distortion::kNumTypes; ++type) {
    for (double mode : {0.25, 0.75, 1.0, 1.5}) {  // linear, cubic, hermite, unknown (cubic)
      for (double drive : {0.3, 1.0}) {
        std::vector<double> shaped[2];
        for (BlockMath::Path path : {BlockMath::Path::Sse2, BlockMath::Path::Avx2}) {
          Distortion d;
          d.SetShapeType(TypeValue(type));
          d.SetInterpolation(mode);
          d.SetDrive(drive);
          d.SetLoudness(drive == 1.0);
          std::vector<double> settle(4000, 0.1);
          d.ProcessShaping(settle.data(), settle.data(), 4000);
          BlockMath::UsePath(path);
          std::vector<double> l = x, r(x.rbegin(), x.rend());
          d.ProcessShaping(l.data(), r.data(), static_cast<int>(x.size()));
          l.insert(l.end(), r.begin(), r.end());
          shaped[path == BlockMath::Path::Avx2] = l;
        }
        // A NaN's sign and payload follow the operand order the compiler picks: NaN is enough.
        int differing = 0, first = -1;
        for (size_t i = 0; i < shaped[0].size(); ++i) {
          const double a = shaped[0][i], b = shaped[1][i];
          if (std::memcmp(&a, &b, sizeof a) != 0 && !(std::isnan(a) && std::isnan(b)) && differing++ == 0)
            first = static_cast<int>(i);
        }
        EXPECT_EQ(differing, 0) << "type " << type << ", mode " << mode << ", drive " << drive
                                << ", first at " << first;
      }
    }
  }
  BlockMath::UsePath(start);
}
