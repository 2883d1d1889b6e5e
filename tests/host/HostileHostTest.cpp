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
  for (int p = 0; p < kPrograms; ++p) EXPECT_LT(host.DispatchText(effGetProgramNameIndexed, p).size(), 64u);
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
        for (float opt : opts) host->Dispatch(opcode, index, valueIsPointer ? 0 : value, nullptr, opt);
  }
  ExpectSound(*host);
  EXPECT_EQ(host->Dispatch(effGetProgram), 0) << "no invalid program was taken";
}

TEST(HostileHost, InvalidIndicesWithBuffersWriteNothing)
{
  auto host = Started();
  ASSERT_TRUE(host);
  for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay, effGetProgramNameIndexed,
                          effGetInputProperties, effGetOutputProperties})
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

// Fails, and the whole chunk still restores everything afterwards.
void ExpectTruncationsFail(TestHost& host, bool program, const Bytes& full,
                           const std::vector<size_t>& lengths)
{
  for (size_t n : lengths) {
    const Bytes cut(full.begin(), full.begin() + static_cast<long>(n));
    ASSERT_EQ(host.SetChunk(program, cut), 0) << (program ? "program cut to " : "bank cut to ") << n;
  }
  ExpectSound(host);
  EXPECT_EQ(host.SetChunk(program, full), 1);
  EXPECT_EQ(host.GetChunk(program), full);
}

std::vector<size_t> AllBelow(size_t size)
{
  std::vector<size_t> lengths;
  for (size_t n = 1; n < size; ++n) lengths.push_back(n);
  return lengths;
}

TEST(HostileHost, EveryTruncationOfAProgramChunkFails)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->Dispatch(effSetProgram, 0, 22);
  const Bytes program = host->GetChunk(true);
  ExpectTruncationsFail(*host, true, program, AllBelow(program.size()));
}

// Every length of a small bank (three programs with data, the rest named but empty), so
// every field is cut at every byte.
TEST(HostileHost, EveryTruncationOfABankChunkFails)
{
  auto host = Started();
  ASSERT_TRUE(host);
  Bytes bank = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  for (int p = 0; p < kPrograms; ++p) {
    const std::string name = "P" + std::to_string(p);
    PutInt(bank, static_cast<int>(name.size()));
    bank.insert(bank.end(), name.begin(), name.end());
    bank.push_back(p % 20 == 0 ? 1 : 0);
    if (p % 20 == 0) {
      const Bytes data = ProgramChunk(std::vector<double>(kParams, (p + 1) / 64.0));
      bank.insert(bank.end(), data.begin() + 8, data.end());
    }
  }
  ASSERT_EQ(host->SetChunk(false, bank), 1);
  ExpectTruncationsFail(*host, false, host->GetChunk(false), AllBelow(bank.size()));
}

// The factory bank cut inside and at the edges of every field of every program.
TEST(HostileHost, FactoryBankCutAtEveryFieldFails)
{
  auto host = Started();
  ASSERT_TRUE(host);
  const Bytes bank = host->GetChunk(false);
  std::vector<size_t> lengths = {1, 4, 7};
  for (size_t at = 8; at < bank.size();) {
    int len;
    std::memcpy(&len, &bank[at], 4);
    const size_t flag = at + 4 + static_cast<size_t>(len);
    const size_t next = flag + 1 + (bank[flag] ? 240 : 0);
    for (size_t n : {at, at + 2, at + 4, at + 5, flag, flag + 1, flag + 121, next - 1})
      if (n < bank.size()) lengths.push_back(n);
    at = next;
  }
  ExpectTruncationsFail(*host, false, bank, lengths);
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
      {10, 1.0f}, {16, 1.0f}, {22, 1.0f},  {27, 0.0f},  // every unit on, nothing bypassed
      {17, 0.5f}, {18, 0.9f}, {19, 0.75f}, {20, 1.0f}, {23, 0.8f}, {25, 0.2f}, {26, 0.9f}, {13, 1.0f}};
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

namespace {

// Two instances of one program fed the same sine, except where the victim gets a hostile
// block and the reference gets `substitute` in its place.
class HostilePair
{
public:
  explicit HostilePair(int program) : victim(Started()), reference(Started())
  {
    if (!victim || !reference) return;
    victim->Dispatch(effSetProgram, 0, program);
    reference->Dispatch(effSetProgram, 0, program);
  }
  bool Ready() const { return victim && reference; }

  // The largest difference between the two outputs of the block.
  double Block(float hostile = 0.0f, float substitute = 0.0f, bool hostileBlock = false)
  {
    FloatBuffers in = Sine(256, at);
    FloatBuffers other = in;
    if (hostileBlock) {
      for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 256; ++i) {
          in[c][i] = i % 3 == 2 ? in[c][i] : hostile;  // mixed with ordinary samples
          other[c][i] = i % 3 == 2 ? other[c][i] : substitute;
        }
    }
    at += 256;
    FloatBuffers a(2, std::vector<float>(256)), b(2, std::vector<float>(256));
    victim->ProcessReplacing(in, a, 256);
    reference->ProcessReplacing(other, b, 256);
    CheckedPeak(a);
    double worst = 0.0;
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < 256; ++i) worst = std::max(worst, std::fabs(double(a[c][i]) - b[c][i]));
    return worst;
  }

private:
  std::unique_ptr<TestHost> victim, reference;
  int at = 0;
};

}  // namespace

// Not-a-number and infinities enter the chain as silence, so the output is exactly that of
// silence in their place, in the block itself and every block after; a denormal is as good
// as silence.
TEST(HostileSamples, NonFiniteAndDenormalInputIsSilenceInEveryProgram)
{
  for (int program = 0; program < kPrograms; ++program) {
    HostilePair pair(program);
    ASSERT_TRUE(pair.Ready());
    for (int b = 0; b < 8; ++b) pair.Block();
    for (float hostile : {std::nanf(""), -std::nanf(""), HUGE_VALF, -HUGE_VALF}) {
      ASSERT_EQ(pair.Block(hostile, 0.0f, true), 0.0) << "program " << program << " " << hostile;
      for (int b = 0; b < 3; ++b) ASSERT_EQ(pair.Block(), 0.0) << "program " << program;
    }
    EXPECT_LT(pair.Block(1e-40f, 0.0f, true), 1e-6) << "program " << program;
    for (int b = 0; b < 3; ++b) EXPECT_LT(pair.Block(), 1e-6) << "program " << program;
  }
}

// A huge finite sample is signal: the output stays finite and inside the clamp from the
// block itself on, and the effect comes back to what it would have played. The dump/expand
// high-pass (10 Hz at the neutral setting) rings the longest: about 20 s from 1e30.
TEST(HostileSamples, HugeSamplesRingOutAndTheEffectRecovers)
{
  for (int program : {1, 30}) {
    HostilePair pair(program);
    ASSERT_TRUE(pair.Ready());
    for (int b = 0; b < 8; ++b) pair.Block();
    pair.Block(1e30f, 0.0f, true);
    pair.Block(-1e30f, 0.0f, true);
    double last = 0.0;
    for (int b = 0; b < 30 * 44100 / 256; ++b) last = pair.Block();
    EXPECT_LT(last, 1e-6) << "program " << program;
  }
}

// Hosts open and close the editor in every order, with and without a parent window; a
// parent that does not exist must not take the process down either.
TEST(HostileHost, EditorOpenAndCloseInAnyOrder)
{
  auto host = Started();
  ASSERT_TRUE(host);
  ASSERT_TRUE(host->Effect()->flags & effFlagsHasEditor);
  ERect* rect = nullptr;
  ASSERT_EQ(host->Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, 512);
  EXPECT_EQ(rect->bottom - rect->top, 480);

  EXPECT_EQ(host->Dispatch(effEditClose), 1) << "closing what was never opened";
  EXPECT_EQ(host->Dispatch(effEditOpen, 0, 0, nullptr), 0) << "no parent, no window";
  EXPECT_EQ(host->Dispatch(effEditOpen, 0, 0, nullptr), 0);
  host->Dispatch(effEditIdle);
  const VstIntPtr bogus = 0x7FFF0001;  // no such window
  for (int i = 0; i < 2; ++i) {
    const VstIntPtr opened = host->Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(bogus));
    EXPECT_TRUE(opened == 0 || opened == 1);
    host->Dispatch(effEditIdle);
  }
  for (int i = 0; i < 2; ++i) EXPECT_EQ(host->Dispatch(effEditClose), 1);
  host->Dispatch(effEditIdle);
  ExpectSound(*host);
}
