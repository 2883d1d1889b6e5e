// A host that gets things wrong: out-of-range indices, missing pointers, broken and foreign
// chunks, odd sample rates and impossible samples. The effect answers soundly and keeps
// working afterwards.
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "tests/host/SkarvelUnderTest.h"

namespace {

using Bytes = std::vector<unsigned char>;
constexpr int kParams = 30;
constexpr int kPrograms = 56;

std::unique_ptr<TestHost> Started(float rate = 44100.0f, int block = 256)
{
  auto host = LoadSkarvel();
  if (host) host->Start(rate, block);
  return host;
}

FloatBuffers Sine(int frames, int start, double rate = 44100.0)
{
  FloatBuffers s(2, std::vector<float>(static_cast<size_t>(frames)));
  for (int i = 0; i < frames; ++i) {
    const double t = (start + i) / rate;
    s[0][i] = static_cast<float>(0.7 * std::sin(2 * M_PI * 220.0 * t));
    s[1][i] = static_cast<float>(0.6 * std::sin(2 * M_PI * 331.0 * t + 1.0));
  }
  return s;
}

// Every sample finite and inside the output clamp; returns the block's peak.
float CheckedPeak(const FloatBuffers& out)
{
  float peak = 0.0f;
  for (const auto& ch : out)
    for (float x : ch) {
      EXPECT_TRUE(std::isfinite(x));
      EXPECT_LE(std::fabs(x), 25.0f);
      peak = std::max(peak, std::fabs(x));
    }
  return peak;
}

float ProcessSine(TestHost& host, int frames, int start, double rate = 44100.0)
{
  FloatBuffers in = Sine(frames, start, rate);
  FloatBuffers out(2, std::vector<float>(static_cast<size_t>(frames)));
  host.ProcessReplacing(in, out, frames);
  return CheckedPeak(out);
}

// The effect is still whole: parameters in range, texts terminated, chunks and sound work.
void ExpectSound(TestHost& host)
{
  for (int k = 0; k < kParams; ++k) {
    const float v = host.GetParameter(k);
    EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << "parameter " << k << " is " << v;
    EXPECT_LT(host.DispatchText(effGetParamDisplay, k).size(), 32u);
  }
  for (int p = 0; p < kPrograms; ++p)
    EXPECT_LT(host.DispatchText(effGetProgramNameIndexed, p).size(), 64u);
  EXPECT_GT(host.GetChunk(false).size(), 8u);
  EXPECT_EQ(host.GetChunk(true).size(), 248u);
  ProcessSine(host, 256, 0);
}

Bytes ProgramChunk(const std::vector<double>& values)
{
  Bytes b = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  for (double v : values) {
    unsigned char raw[8];
    std::memcpy(raw, &v, 8);
    b.insert(b.end(), raw, raw + 8);
  }
  return b;
}

void PutInt(Bytes& b, int v)
{
  unsigned char raw[4];
  std::memcpy(raw, &v, 4);
  b.insert(b.end(), raw, raw + 4);
}

}  // namespace

TEST(HostileHost, EveryOpcodeWithInvalidIndicesAndNoPointer)
{
  auto host = Started();
  ASSERT_TRUE(host);
  const VstInt32 indices[] = {-1, kParams, kPrograms, 1000000, INT_MAX, INT_MIN};
  const VstIntPtr values[] = {-1, kPrograms, 1000000, INT_MIN, std::numeric_limits<VstIntPtr>::max()};
  const float opts[] = {-1.0f, std::nanf(""), HUGE_VALF, 1e30f};
  for (VstInt32 opcode = 0; opcode < 80; ++opcode) {
    // Closing ends the object; the editor opcodes have a test of their own; the speaker
    // arrangement opcodes take pointers in `value`, so only null is a fair test there.
    if (opcode == effClose || (opcode >= effEditGetRect && opcode <= effEditClose)) continue;
    const bool valueIsPointer = opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement;
    for (VstInt32 index : indices)
      for (VstIntPtr value : values)
        for (float opt : opts)
          host->Dispatch(opcode, index, valueIsPointer ? 0 : value, nullptr, opt);
  }
  ExpectSound(*host);
  EXPECT_EQ(host->Dispatch(effGetProgram), 0) << "no invalid program was taken";
}

TEST(HostileHost, InvalidIndicesWithBuffersWriteNothing)
{
  auto host = Started();
  ASSERT_TRUE(host);
  for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay,
                          effGetProgramNameIndexed, effGetInputProperties, effGetOutputProperties})
    for (VstInt32 index : {-1, kParams, kPrograms, INT_MAX, INT_MIN}) {
      if (opcode == effGetProgramNameIndexed && index == kParams) continue;  // a valid program
      char text[256];
      std::memset(text, 0x55, sizeof(text));
      const VstIntPtr r = host->Dispatch(opcode, index, 0, text);
      EXPECT_EQ(r, 0) << opcode << " " << index;
      const bool untouched = text[0] == 0x55;
      EXPECT_TRUE(untouched || text[0] == '\0') << opcode << " " << index;
    }
  for (VstInt32 index : {-1, kParams, INT_MAX, INT_MIN}) {
    char text[] = "0.5";
    EXPECT_EQ(host->Dispatch(effString2Parameter, index, 0, text), 0);
    char shown[64] = "";
    EXPECT_EQ(host->Dispatch(effVendorSpecific, 7, index, shown, 0.5f), 0);
  }
  ExpectSound(*host);
}

TEST(HostileHost, EveryTruncationOfAProgramAndABankChunkFailsWithinBounds)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->Dispatch(effSetProgram, 0, 22);
  const Bytes program = host->GetChunk(true);
  const Bytes bank = host->GetChunk(false);
  for (const Bytes* full : {&program, &bank}) {
    const bool isProgram = full == &program;
    for (size_t n = 1; n < full->size(); ++n) {
      const Bytes cut(full->begin(), full->begin() + static_cast<long>(n));
      ASSERT_EQ(host->SetChunk(isProgram, cut), 0) << (isProgram ? "program " : "bank ") << n;
    }
    ExpectSound(*host);
    // The whole chunk still restores everything.
    EXPECT_EQ(host->SetChunk(isProgram, *full), 1);
  }
  EXPECT_EQ(host->GetChunk(false), bank);
  EXPECT_EQ(host->GetChunk(true), program);
}

TEST(HostileHost, RandomChunksAreTakenOrRefusedButNeverBreakTheEffect)
{
  auto host = Started();
  ASSERT_TRUE(host);
  const Bytes bank = host->GetChunk(false);
  std::mt19937 random(2024);
  for (int round = 0; round < 600; ++round) {
    Bytes junk(random() % 700);
    for (auto& b : junk) b = static_cast<unsigned char>(random());
    if (round % 3 == 1) junk.insert(junk.begin(), bank.begin(), bank.begin() + 8);  // a header
    if (round % 3 == 2) {  // a real bank with some bytes scrambled
      junk = bank;
      for (int k = 0; k < 8; ++k) junk[random() % junk.size()] = static_cast<unsigned char>(random());
    }
    const VstIntPtr r = host->SetChunk(round % 2 == 0, junk);
    ASSERT_TRUE(r == 0 || r == 1) << round;
    ExpectSound(*host);
  }
}

TEST(HostileHost, NamesClaimingGigabytesAreRefused)
{
  auto host = Started();
  ASSERT_TRUE(host);
  const Bytes bank = host->GetChunk(false);
  for (int claimed : {0x40000000, INT_MAX, -1, INT_MIN}) {
    // At the first program, and after two whole programs.
    Bytes first(bank.begin(), bank.begin() + 8);
    PutInt(first, claimed);
    first.insert(first.end(), 64, 'x');
    EXPECT_EQ(host->SetChunk(false, first), 0) << claimed;

    Bytes later(bank.begin(), bank.begin() + 8);
    for (int p = 0; p < 2; ++p) {
      PutInt(later, 4);
      later.insert(later.end(), {'N', 'a', 'm', 'e', 1});
      const Bytes data = ProgramChunk(std::vector<double>(kParams, 0.25));
      later.insert(later.end(), data.begin() + 8, data.end());
    }
    PutInt(later, claimed);
    later.insert(later.end(), 16, 'y');
    EXPECT_EQ(host->SetChunk(false, later), 0) << claimed;
    EXPECT_EQ(host->DispatchText(effGetProgramNameIndexed, 1), "Name");
    ExpectSound(*host);
  }
}

// Not-a-number reads as the minimum; infinities and huge values are clamped to the ends.
TEST(HostileHost, NonFiniteValuesInChunksAreClamped)
{
  auto host = Started();
  ASSERT_TRUE(host);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> values(kParams, 0.5);
  values[kParams - 1] = 0.25;
  const double odd[] = {nan, -nan, HUGE_VAL, -HUGE_VAL, 1e300, -1e300, 4.9e-324, -0.0};
  for (int k = 0; k < 8; ++k) values[k * 3] = odd[k];
  ASSERT_EQ(host->SetChunk(true, ProgramChunk(values)), 1);
  const float expected[] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(host->GetParameter(k * 3), expected[k]) << k * 3;
  EXPECT_EQ(host->GetParameter(1), 0.5f);

  // The same inside a bank, for a program other than the current one.
  Bytes bank = host->GetChunk(false);
  const Bytes data = ProgramChunk(std::vector<double>(kParams, nan));
  size_t at = 8;
  for (int p = 0; p < 5; ++p) {
    int len;
    std::memcpy(&len, &bank[at], 4);
    at += 4 + static_cast<size_t>(len) + 1 + 240;
  }
  int len;
  std::memcpy(&len, &bank[at], 4);
  std::copy(data.begin() + 8, data.end(), bank.begin() + static_cast<long>(at + 4 + len + 1));
  ASSERT_EQ(host->SetChunk(false, bank), 1);
  host->Dispatch(effSetProgram, 0, 5);
  for (int k = 0; k < kParams; ++k) EXPECT_EQ(host->GetParameter(k), 0.0f) << k;
  ExpectSound(*host);
}

TEST(HostileHost, CloseRightAfterTheEntryPointWithoutOpening)
{
  std::string error;
  auto module = PluginModule::Open(SkarvelPath(), error);
  ASSERT_TRUE(module) << error;
  auto entry = reinterpret_cast<VstPluginMainProc>(module->Symbol("VSTPluginMain"));
  ASSERT_TRUE(entry);
  for (int i = 0; i < 3; ++i) {
    AEffect* e = entry(nullptr);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 0);
  }
  // Processing without effOpen or a sample rate works on the defaults, then close.
  AEffect* e = entry(nullptr);
  ASSERT_TRUE(e);
  std::vector<float> l(512, 0.5f), r(512, -0.5f);
  float* io[] = {l.data(), r.data()};
  e->processReplacing(e, io, io, 512);
  for (float x : l) ASSERT_TRUE(std::isfinite(x));
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

// The cutoff swept through its whole range at the rates furthest from 44.1 kHz, with every
// unit working: the filters meet the Nyquist frequency from both sides.
TEST(HostileHost, ExtremeSampleRatesStayFiniteAndAudible)
{
  for (float rate : {8000.0f, 384000.0f}) {
    auto host = Started(rate, 512);
    ASSERT_TRUE(host);
    host->Dispatch(effSetProgram, 0, 30);
    const std::pair<int, float> settings[] = {
      {10, 1.0f}, {16, 1.0f}, {22, 1.0f}, {27, 0.0f},  // every unit on, nothing bypassed
      {17, 0.5f}, {18, 0.9f}, {19, 0.75f}, {20, 1.0f}, {23, 0.8f}, {25, 0.2f}, {26, 0.9f},
      {13, 1.0f}};
    for (const auto& [index, value] : settings) host->SetParameter(index, value);
    float loudest = 0.0f;
    const int blocks = static_cast<int>(rate) * 2 / 512;
    for (int b = 0; b < blocks; ++b) {
      host->SetParameter(12, static_cast<float>(b) / blocks);
      host->SetParameter(11, static_cast<float>(b % 7) / 6.0f);
      loudest = std::max(loudest, ProcessSine(*host, 512, b * 512, rate));
    }
    EXPECT_GT(loudest, 0.01f) << rate;
    ExpectSound(*host);
  }
}
