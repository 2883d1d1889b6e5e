// Rendering stays what it was before the processing paths were optimised: the same
// arithmetic gives the same samples. SKARVEL_WRITE_REFERENCE=<file> writes the current
// render there instead, to renew the reference after an intended change of sound.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "dsp/BlockMath.h"
#include "tests/render/ReferenceScenarios.h"

namespace {
const char* const kReferencePath = "tests/render/data/reference_render.txt";
// Renders with many samples each, made with the C library's sin and atan before the effect
// computed them itself; SKARVEL_WRITE_SAMPLES=<file> writes the current ones.
const char* const kSamplesPath = "tests/render/data/reference_samples.txt";
// The reference comes from the C library's maths functions; the effect now computes every
// transcendental function itself, the same bits on every platform, within an ulp of glibc's.
// The resonant filters carry those last-bit differences to at most 5.9e-10 of a value in the
// linear renders (the EQ bands and dump/expand gliding).
constexpr double kRelativeTolerance = 1e-9;
// The distortion, the saturations and the modulation carry them further: at most 4.3e-9 of
// a value (the 100 Hz ring modulation's left sum against the channel's level).
constexpr double kNonLinearTolerance = 1e-6;

// The four sums that lead every digest (sum and sum of squares per channel); the samples follow.
constexpr size_t kSums = 4;

// As LargestRelativeDifference, except that a channel's sum, which may cancel to almost
// nothing, is measured against the channel's level (the square root of its sum of squares)
// when that is larger.
double LargestDifferenceToLevel(const RenderDigest& value, const RenderDigest& reference, size_t& where)
{
  double largest = 0.0;
  where = 0;
  for (size_t i = 0; i < value.values.size() && i < reference.values.size(); ++i) {
    const double ref = reference.values[i];
    double scale = std::fabs(ref) > DBL_MIN ? std::fabs(ref) : DBL_MIN;
    if (i < kSums && i % 2 == 0) scale = std::fmax(scale, std::sqrt(reference.values[i + 1]));
    const double diff = std::fabs(value.values[i] - ref) / scale;
    if (!(diff <= largest)) {  // NaN counts as the largest of all
      largest = diff;
      where = i;
    }
  }
  return largest;
}
}  // namespace

TEST(ReferenceRender, MatchesTheStoredRender)
{
  const std::vector<RenderDigest> rendered = RenderReferenceScenarios();
  if (const char* out = std::getenv("SKARVEL_WRITE_REFERENCE")) {
    ASSERT_TRUE(WriteDigests(out, rendered));
    GTEST_SKIP() << "reference written to " << out;
  }
  const std::vector<RenderDigest> stored = ReadDigests(kReferencePath);
  ASSERT_EQ(stored.size(), rendered.size()) << kReferencePath;
  for (size_t i = 0; i < stored.size(); ++i) {
    const RenderDigest& r = rendered[i];
    ASSERT_EQ(r.name, stored[i].name);
    ASSERT_EQ(r.values.size(), stored[i].values.size()) << r.name;
    size_t where = 0;
    const double d = LargestDifferenceToLevel(r, stored[i], where);
    EXPECT_LE(d, r.nonLinear ? kNonLinearTolerance : kRelativeTolerance)
      << r.name << ", value " << where << ": " << r.values[where] << " instead of "
      << stored[i].values[where];
  }
}

namespace {

struct SampleDifference
{
  double rms = 0.0;
  double referenceRms = 0.0;
  int beyondMicro = 0;  // samples that differ by more than 1e-6
  int samples = 0;
};

SampleDifference CompareSamples(const RenderDigest& value, const RenderDigest& reference)
{
  SampleDifference d;
  double squares = 0.0, referenceSquares = 0.0;
  for (size_t i = kSums; i < reference.values.size() && i < value.values.size(); ++i) {
    const double diff = value.values[i] - reference.values[i];
    squares += diff * diff;
    referenceSquares += reference.values[i] * reference.values[i];
    if (!(std::fabs(diff) <= 1e-6)) ++d.beyondMicro;
    ++d.samples;
  }
  d.rms = std::sqrt(squares / d.samples);
  d.referenceRms = std::sqrt(referenceSquares / d.samples);
  return d;
}

std::vector<RenderDigest> Rendered(std::vector<RenderDigest> (*render)(), const char* variable)
{
  std::vector<RenderDigest> rendered = render();
  if (const char* out = std::getenv(variable)) EXPECT_TRUE(WriteDigests(out, rendered)) << out;
  return rendered;
}

}  // namespace

// A linear configuration runs no transcendental function on the signal: it stays as it was
// to far below anything audible whatever maths the other stages use.
TEST(ReferenceRender, LinearStagesMatchTheSampledRender)
{
  const std::vector<RenderDigest> rendered = Rendered(RenderLinearScenarios, "SKARVEL_WRITE_LINEAR");
  const std::vector<RenderDigest> stored = ReadDigests("tests/render/data/reference_linear.txt");
  ASSERT_EQ(stored.size(), rendered.size());
  for (size_t i = 0; i < stored.size(); ++i) {
    ASSERT_EQ(rendered[i].name, stored[i].name);
    ASSERT_EQ(rendered[i].values.size(), stored[i].values.size()) << rendered[i].name;
    size_t where = 0;
    EXPECT_LE(LargestRelativeDifference(rendered[i], stored[i], where), 1e-9)
      << rendered[i].name << ", value " << where;
  }
}

// The effect's own sine and arctangent differ from the C library's by at most an ulp: the
// renders stay within 1e-7 of the signal (RMS), and only where a threshold stage (bit-crush,
// gate) flips on a last-bit difference does a sample move by more than 1e-6.
TEST(ReferenceRender, SampledRendersStayWithinBounds)
{
  const std::vector<RenderDigest> rendered = Rendered(RenderSampledScenarios, "SKARVEL_WRITE_SAMPLES");
  const std::vector<RenderDigest> stored = ReadDigests(kSamplesPath);
  ASSERT_EQ(stored.size(), rendered.size()) << kSamplesPath;
  int beyondMicro = 0, samples = 0;
  double worstRatio = 0.0;
  for (size_t i = 0; i < stored.size(); ++i) {
    ASSERT_EQ(rendered[i].name, stored[i].name);
    ASSERT_EQ(rendered[i].values.size(), stored[i].values.size()) << rendered[i].name;
    const SampleDifference d = CompareSamples(rendered[i], stored[i]);
    EXPECT_LE(d.rms, 1e-7 * d.referenceRms) << rendered[i].name;
    if (d.referenceRms > 0.0 && d.rms / d.referenceRms > worstRatio) worstRatio = d.rms / d.referenceRms;
    beyondMicro += d.beyondMicro;
    samples += d.samples;
  }
  EXPECT_LE(beyondMicro * 10000, samples) << beyondMicro << " of " << samples << " samples";
  std::printf("largest RMS of the difference / RMS: %.3g; samples beyond 1e-6: %d of %d\n", worstRatio,
              beyondMicro, samples);
}

// The AVX2 and the SSE2 block maths give the same bits, so the effect sounds the same on any
// processor.
TEST(ReferenceRender, BothInstructionSetsRenderTheSameBits)
{
  namespace BlockMath = Kernwave::BlockMath;
  const BlockMath::Path start = BlockMath::ActivePath();
  if (!BlockMath::UsePath(BlockMath::Path::Avx2)) GTEST_SKIP() << "no AVX2 here";
  const std::vector<RenderDigest> avx2 = RenderSampledScenarios();
  BlockMath::UsePath(BlockMath::Path::Sse2);
  const std::vector<RenderDigest> sse2 = RenderSampledScenarios();
  // The AVX-512 path too, where there is one.
  std::vector<RenderDigest> avx512 = sse2;
  if (BlockMath::UsePath(BlockMath::Path::Avx512)) avx512 = RenderSampledScenarios();
  BlockMath::UsePath(start);
  ASSERT_EQ(avx2.size(), sse2.size());
  ASSERT_EQ(avx512.size(), sse2.size());
  for (size_t i = 0; i < avx2.size(); ++i) {
    EXPECT_TRUE(avx2[i].values == sse2[i].values) << avx2[i].name;
    EXPECT_TRUE(avx512[i].values == sse2[i].values) << avx512[i].name << " (AVX-512)";
  }
}
