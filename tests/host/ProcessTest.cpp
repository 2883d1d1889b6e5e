#include <cmath>

#include "tests/host/SkarvelUnderTest.h"

namespace {

// Settings that make the input stage, the DC offset and both gains do something.
std::unique_ptr<TestHost> Prepared(int blockSize)
{
  auto host = LoadSkarvel();
  if (!host) return nullptr;
  host->Start(44100.0f, blockSize);
  host->SetParameter(0, 0.9f);   // input volume
  host->SetParameter(1, 0.62f);  // DC offset
  host->SetParameter(2, 0.35f);  // input saturation
  host->SetParameter(28, 0.2f);  // output saturation
  host->SetParameter(29, 0.7f);  // output volume
  return host;
}

FloatBuffers Signal(int frames, int start = 0)
{
  FloatBuffers s(2, std::vector<float>(static_cast<size_t>(frames)));
  for (int i = 0; i < frames; ++i) {
    s[0][i] = static_cast<float>(0.8 * std::sin(0.05 * (start + i)));
    s[1][i] = static_cast<float>(0.5 * std::cos(0.031 * (start + i)) - 0.1);
  }
  return s;
}

DoubleBuffers Widened(const FloatBuffers& f)
{
  DoubleBuffers d;
  for (const auto& ch : f) d.emplace_back(ch.begin(), ch.end());
  return d;
}

FloatBuffers Silence(int frames, float fill = 0.0f)
{
  return FloatBuffers(2, std::vector<float>(static_cast<size_t>(frames), fill));
}

float Peak(const FloatBuffers& b)
{
  float p = 0.0f;
  for (const auto& ch : b)
    for (float x : ch) p = std::fabs(x) > p ? std::fabs(x) : p;
  return p;
}

}  // namespace

TEST(Process, TheThreeModesAgree)
{
  auto replacing = Prepared(128);
  auto doubles = Prepared(128);
  auto accumulating = Prepared(128);
  ASSERT_TRUE(replacing && doubles && accumulating);
  for (int block = 0; block < 3; ++block) {  // the smoothers carry state across blocks
    FloatBuffers in = Signal(128, block * 128);
    FloatBuffers out = Silence(128);
    replacing->ProcessReplacing(in, out, 128);
    DoubleBuffers din = Widened(in);
    DoubleBuffers dout(2, std::vector<double>(128));
    doubles->ProcessDoubleReplacing(din, dout, 128);
    FloatBuffers acc = Silence(128, 0.125f);
    accumulating->ProcessAccumulating(in, acc, 128);
    EXPECT_GT(Peak(out), 0.01f);
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < 128; ++i) {
        ASSERT_EQ(out[c][i], static_cast<float>(dout[c][i])) << c << " " << i;
        ASSERT_EQ(acc[c][i], static_cast<float>(static_cast<double>(out[c][i]) + 0.125f));
      }
  }
}

// Above the size the plug-in starts with, so an overrun leaves every allocation.
TEST(Process, ABlockLargerThanAnnouncedIsProcessedInSlices)
{
  constexpr int kAnnounced = 2048;
  constexpr int kPassed = 4 * kAnnounced;
  auto large = Prepared(kAnnounced);
  auto sliced = Prepared(kAnnounced);
  auto largeDouble = Prepared(kAnnounced);
  ASSERT_TRUE(large && sliced && largeDouble);
  FloatBuffers in = Signal(kPassed);
  FloatBuffers out = Silence(kPassed);
  large->ProcessReplacing(in, out, kPassed);
  DoubleBuffers din = Widened(in);
  DoubleBuffers dout(2, std::vector<double>(kPassed));
  largeDouble->ProcessDoubleReplacing(din, dout, kPassed);
  for (int block = 0; block < 4; ++block) {
    FloatBuffers part = Signal(kAnnounced, block * kAnnounced);
    FloatBuffers partOut = Silence(kAnnounced);
    sliced->ProcessReplacing(part, partOut, kAnnounced);
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < kAnnounced; ++i) {
        const int at = block * kAnnounced + i;
        ASSERT_EQ(out[c][at], partOut[c][i]) << c << " " << at;
        ASSERT_EQ(static_cast<float>(dout[c][at]), partOut[c][i]) << c << " " << at;
      }
  }
}

TEST(Process, MonoInputReadsOnlyTheFirstHostArray)
{
  auto mono = Prepared(64);
  auto stereo = Prepared(64);
  ASSERT_TRUE(mono && stereo);
  VstSpeakerArrangement in{};
  in.type = kSpeakerArrMono;
  in.numChannels = 1;
  VstSpeakerArrangement out{};
  out.type = kSpeakerArrStereo;
  out.numChannels = 2;
  EXPECT_EQ(mono->Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  VstSpeakerArrangement* nowIn = nullptr;
  mono->Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&nowIn), nullptr);
  ASSERT_TRUE(nowIn);
  EXPECT_EQ(nowIn->numChannels, 1);

  FloatBuffers signal = Signal(64);
  FloatBuffers monoOut = Silence(64);
  mono->ProcessReplacing(signal, monoOut, 64);  // the second host array must go unread
  FloatBuffers leftOnly = signal;
  leftOnly[1].assign(64, 0.0f);
  FloatBuffers stereoOut = Silence(64);
  stereo->ProcessReplacing(leftOnly, stereoOut, 64);
  EXPECT_EQ(monoOut, stereoOut);
  EXPECT_NE(signal[1], leftOnly[1]);
}

TEST(Process, AMonoOutputWritesOnlyTheFirstHostArray)
{
  auto host = Prepared(64);
  ASSERT_TRUE(host);
  VstSpeakerArrangement out{};
  out.type = kSpeakerArrMono;
  out.numChannels = 1;
  host->Dispatch(effSetSpeakerArrangement, 0, 0, &out);
  FloatBuffers in = Signal(64);
  FloatBuffers result = Silence(64, 7.0f);
  host->ProcessReplacing(in, result, 64);
  EXPECT_NE(result[0], std::vector<float>(64, 7.0f));
  EXPECT_EQ(result[1], std::vector<float>(64, 7.0f));
}

TEST(Process, NoFramesDoNothing)
{
  auto host = Prepared(64);
  ASSERT_TRUE(host);
  FloatBuffers in = Signal(64);
  for (int frames : {0, -5}) {
    FloatBuffers out = Silence(64, 3.0f);
    host->ProcessReplacing(in, out, frames);
    host->ProcessAccumulating(in, out, frames);
    EXPECT_EQ(out, Silence(64, 3.0f));
    DoubleBuffers din = Widened(in);
    DoubleBuffers dout(2, std::vector<double>(64, 3.0));
    host->ProcessDoubleReplacing(din, dout, frames);
    EXPECT_EQ(dout, DoubleBuffers(2, std::vector<double>(64, 3.0)));
  }
}

TEST(Process, MissingHostArraysAreSilenceOrSkipped)
{
  auto host = Prepared(64);
  ASSERT_TRUE(host);
  AEffect* e = host->Effect();
  std::vector<float> left(64, 9.0f);
  float* outs[] = {left.data(), nullptr};
  e->processReplacing(e, nullptr, outs, 64);
  e->process(e, nullptr, outs, 64);
  std::vector<double> dleft(64, 9.0);
  double* douts[] = {dleft.data(), nullptr};
  double* dins[] = {nullptr, nullptr};
  e->processDoubleReplacing(e, dins, douts, 64);
  e->processReplacing(e, nullptr, nullptr, 64);
  EXPECT_NE(left[0], 9.0f);
  EXPECT_NE(dleft[0], 9.0);
}

TEST(Process, NonsenseBlockSizesAreNotTaken)
{
  auto odd = Prepared(100);
  auto plain = Prepared(100);
  ASSERT_TRUE(odd && plain);
  odd->Dispatch(effSetBlockSize, 0, 0);
  odd->Dispatch(effSetBlockSize, 0, -64);
  FloatBuffers in = Signal(300);
  FloatBuffers a = Silence(300);
  FloatBuffers b = Silence(300);
  odd->ProcessReplacing(in, a, 300);
  plain->ProcessReplacing(in, b, 300);
  EXPECT_EQ(a, b);
  // A gigantic announcement is held to a size that can be allocated.
  odd->Dispatch(effSetBlockSize, 0, 0x7FFFFFFF);
  odd->ProcessReplacing(in, a, 300);
  for (const auto& ch : a)
    for (float x : ch) ASSERT_TRUE(std::isfinite(x));
}
