#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "dsp/Distortion.h"

using Kernwave::Distortion;
using Kernwave::ShapeTable;

namespace {

constexpr double kPi = 3.141592653589793;
const double kFade1 = std::sin(0.1 * kPi);  // fade-in factor of entry 1
const double kFade2 = std::sin(0.2 * kPi);  // and of entry 2

// FNV-1a over the bit patterns: pins every entry of one half exactly.
uint64_t Fingerprint(const std::vector<double>& half)
{
  uint64_t h = 1469598103934665603ull;
  for (double v : half) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int b = 0; b < 8; ++b) {
      h ^= (bits >> (8 * b)) & 0xFF;
      h *= 1099511628211ull;
    }
  }
  return h;
}

struct Pin
{
  int type;
  int points;
  uint64_t positive;
  uint64_t negative;
};

// Exact contents of every table as built; the hand-worked entries below check the formulas.
const Pin kPins[] = {
  {1, 256, 0x8c1055d1adddfc81ull, 0x8c1055d1adddfc81ull},
  {3, 256, 0xf24edda0b23dc42cull, 0xf24edda0b23dc42cull},
  {4, 256, 0xe6ffbb73c40e7444ull, 0xe6ffbb73c40e7444ull},
  {5, 256, 0xbf0b3b8ad9198e47ull, 0xbf0b3b8ad9198e47ull},
  {6, 256, 0x930c1b77b5508239ull, 0x930c1b77b5508239ull},
  {7, 256, 0x0eca74d63c385e62ull, 0x0eca74d63c385e62ull},
  {8, 256, 0x0eca74d63c385e62ull, 0x60fd014e6966a71aull},
  {9, 256, 0x8a0949b5baa109eaull, 0x8a0949b5baa109eaull},
  {10, 256, 0xedf869d1a5cd827bull, 0xedf869d1a5cd827bull},
  {11, 256, 0x606e7616f7126612ull, 0x606e7616f7126612ull},
  {13, 256, 0xbd11142eda331b12ull, 0xbd11142eda331b12ull},
  {14, 256, 0xbc3b044083d721c3ull, 0xae5384aa57046d28ull},
  {15, 256, 0xde105b6d50ce979bull, 0xa90a7d8c0c7cc71aull},
  {16, 256, 0x3f9c396d425d2287ull, 0xd34b653bb84eb88eull},
  {17, 256, 0xfa88e1a04a8fa0d7ull, 0xfa88e1a04a8fa0d7ull},
  {18, 256, 0x67facc7c7e58965aull, 0x67facc7c7e58965aull},
  {19, 64, 0xfc0876c17f60130cull, 0xecd8a939c46db5bdull},
  {20, 64, 0xecd8a939c46db5bdull, 0x7b158b0b03a929dfull},
  {22, 32, 0x0ff9dd846eaaf9beull, 0x0ff9dd846eaaf9beull},
  {23, 32, 0xcd83838a11be0617ull, 0xcd83838a11be0617ull},
  {24, 32, 0xc3687a43460abb20ull, 0xc3687a43460abb20ull},
  {25, 70, 0xb965df60590a0e51ull, 0xb1a45831e54103b6ull},
  {26, 80, 0xb83111b5fcc836f2ull, 0x0b7f4df178f572fbull},
  {27, 40, 0x55b17835ddf27926ull, 0x853fcbecc73fbe60ull},
  {28, 256, 0x5f273291620c6f7cull, 0x5f273291620c6f7cull},
};

class ShapeTables : public ::testing::Test
{
protected:
  const ShapeTable& T(int type) { return *unit.TableForType(type); }
  double P(int type, int i) { return T(type).positive[i]; }
  double N(int type, int i) { return T(type).negative[i]; }
  Distortion unit;
};

}  // namespace

TEST_F(ShapeTables, EveryTableMatchesItsFingerprint)
{
  for (const Pin& pin : kPins) {
    const ShapeTable& t = T(pin.type);
    EXPECT_EQ(t.Size(), pin.points) << pin.type;
    EXPECT_EQ(t.step, 1.0 / pin.points) << pin.type;
    EXPECT_EQ(t.mode, ShapeTable::kHermite) << pin.type;
    EXPECT_EQ(Fingerprint(t.positive), pin.positive)
      << "type " << pin.type << std::hex << " 0x" << Fingerprint(t.positive);
    EXPECT_EQ(Fingerprint(t.negative), pin.negative)
      << "type " << pin.type << std::hex << " 0x" << Fingerprint(t.negative);
  }
  for (int type : {0, 2, 12, 21, -1, 29}) EXPECT_EQ(unit.TableForType(type), nullptr) << type;
}

TEST_F(ShapeTables, SymmetricTypesHaveEqualHalves)
{
  for (int type : {1, 3, 4, 5, 6, 7, 9, 10, 11, 13, 17, 18, 22, 23, 24, 28})
    EXPECT_EQ(T(type).positive, T(type).negative) << type;
  for (int type : {8, 14, 15, 16, 19, 20, 25, 26, 27}) EXPECT_NE(T(type).positive, T(type).negative) << type;
}

TEST_F(ShapeTables, FadedTypesStartFromSilence)
{
  for (int type : {3, 4, 5, 6, 7, 8, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23}) {
    EXPECT_EQ(P(type, 0), 0.0) << type;
    EXPECT_EQ(N(type, 0), 0.0) << type;
  }
  EXPECT_NEAR(P(16, 1), (0.06542 + 1 / 256.0) * kFade1, 1e-12);
  EXPECT_NEAR(N(16, 1), (1 / 256.0) * kFade1, 1e-12);
}

// Entries worked out by hand from the formulas (x = i / N); the fingerprints pin the bits.
TEST_F(ShapeTables, HandWorkedEntries)
{
  const double e = 1e-12, r = std::sqrt(0.5);
  const double x74 = 74 / 256.0;
  const double a5at74 = x74 + 0.25 * std::sin(kPi * x74) + 0.15 * std::fabs(std::sin(10 * kPi * x74));
  const struct
  {
    int type, i;
    bool positive;
    double want;
  } cases[] = {
    {1, 192, true, 0.55},
    {3, 128, true, 0.5 - 0.05 * std::sin(0.115 * kPi)},
    {4, 128, true, 0.3777 * std::sin(1.0084512418023237) + 0.425},
    {5, 128, true, 1.0},  // 1.14 before the limit
    {6, 179, true, (179 - 0.288 * 77) / 256},
    {7, 32, true, 0.48277},
    {8, 64, false, 0.25 + 0.1777 * r},
    {9, 64, true, 0.25 + 0.75 * r},
    {10, 128, true, 0.97},
    {10, 255, true, 0.2425 / 128 + 0.7275},
    {11, 128, true, 0.5 - 0.2 * std::pow(std::sin(0.625 * kPi), 3)},
    {11, 205, true, 205 / 256.0 - (205 / 256.0 - 0.8) * 0.8},
    {13, 16, true, 0.5},
    {13, 128, true, 0.875},
    {17, 32, true, -0.3125},
    {18, 64, true, 0.625},
    {28, 63, true, 0.0},
    {28, 96, true, 0.375 * r},
    {28, 255, true, 255 / 256.0},
    // Hardcore-Fuzz: later edits overwrite earlier ones; A5 continues from its rewritten [74].
    {14, 50, true, 0.0},
    {14, 20, true, 1.0},
    {14, 100, true, 1.0},
    {14, 190, false, 1.0},
    {14, 210, false, 0.0},
    {15, 30, true, 0.005},
    {15, 74, true, 0.49},
    {15, 75, true, a5at74 + 0.19 + 0.20},
    {15, 30, false, 1.0},
    {15, 160, false, 0.0},
    // The zigzag walks after five steps.
    {16, 5, true, -0.05574 + 5 / 256.0},
    {16, 5, false, 0.024 + 5 / 256.0},
    // Normalised: type 24 peaks at 63/64, 25 at 69.5/70 + 0.2 and 69.5/70, 26 at 0.98765625.
    {24, 31, true, 1.0},
    {24, 0, true, -32 / 63.0},
    {25, 0, true, 0.7 / (69.5 / 70 + 0.2)},
    {25, 0, false, 0.5 / (69.5 / 70)},
    {26, 9, true, -0.775},
    {26, 5, false, 0.94140625 / 0.98765625},
    // Clamped, not normalised.
    {27, 5, true, 1.0},
    {27, 15, true, 0.375 - 1.25 * 0.625},
    {27, 5, false, 0.125},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(c.positive ? P(c.type, c.i) : N(c.type, c.i), c.want, e) << c.type << " " << c.i;
}

// The generator seeded with 35 draws 152, 23465, 23892, 25453, 9417, 18160 first, that is
// rnd = -0.9848, -0.6535, -0.6108, -0.4547, -0.0583, 0.816; entry 0 takes draws 1-3 (S, V, R),
// entry 1 draw 4 (R only), entry 2 draws 5 and 6 (V, R).
TEST_F(ShapeTables, NoiseTypesFollowTheSeededDrawOrder)
{
  const double e = 1e-12;
  const double s0 = 0.4 * -0.9848, v0 = 0.4 * -0.6535;
  const double s1 = 0.4 * s0 + 1 / 64.0 + 0.5;
  const double v1 = (0.4 * v0 + 1 / 64.0 + 0.25) * (63 / 64.0);
  const double r1 = 0.5 * -0.4547 + 1 / 64.0 + 0.5 * (63 / 64.0) * std::sin(10 * kPi / 64);
  const double v2 = (0.4 * -0.0583 + 2 / 64.0 + 0.5) * (62 / 64.0);
  const double r2 = 0.5 * 0.816 + 2 / 64.0 + 0.5 * (62 / 64.0) * std::sin(20 * kPi / 64);
  EXPECT_NEAR(P(19, 1), s1 * kFade1, e);
  EXPECT_NEAR(N(19, 1), v1 * kFade1, e);
  EXPECT_NEAR(P(20, 1), v1 * kFade1, e);
  EXPECT_NEAR(N(20, 1), r1 * kFade1, e);
  EXPECT_NEAR(N(19, 2), v2 * kFade2, e);
  EXPECT_NEAR(N(20, 2), r2 * kFade2, e);
  // The two drives after them are normalised to a peak of exactly 1.
  for (int type : {22, 23}) {
    double peak = 0.0;
    for (double v : T(type).positive) peak = std::fmax(peak, std::fabs(v));
    EXPECT_EQ(peak, 1.0) << type;
  }
  // Type 23 draws nothing: its peak is entry 20 (0.84375 + 0.25 + 0.25 cos(pi/4)).
  EXPECT_EQ(P(23, 20), 1.0);
  EXPECT_NEAR(P(23, 8), 0.9375 / (1.09375 + 0.25 * std::sqrt(0.5)), e);
}

TEST(ShapeTablesAcrossInstances, TwoUnitsBuildIdenticalTables)
{
  Distortion a;
  a.SetInterpolation(0.0);
  Distortion b;
  for (int type = 0; type < Distortion::kNumTypes; ++type) {
    const ShapeTable* ta = a.TableForType(type);
    const ShapeTable* tb = b.TableForType(type);
    if (!ta) continue;
    EXPECT_EQ(std::memcmp(ta->positive.data(), tb->positive.data(), ta->Size() * sizeof(double)), 0);
    EXPECT_EQ(std::memcmp(ta->negative.data(), tb->negative.data(), ta->Size() * sizeof(double)), 0);
  }
}
