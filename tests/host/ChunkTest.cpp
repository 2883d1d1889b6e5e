#include <algorithm>
#include <cstdint>
#include <cstring>

#include "tests/host/OtherThreadProbe.h"
#include "tests/host/SkarvelUnderTest.h"

namespace {

constexpr int kParams = 30;
using Bytes = std::vector<unsigned char>;

// Values exact in float and double, distinct per parameter and per variant.
double Value(int param, int variant) { return ((param + variant) % 61 + 1) / 64.0; }

void SetAll(TestHost& host, int variant)
{
  for (int k = 0; k < kParams; ++k) host.SetParameter(k, static_cast<float>(Value(k, variant)));
}

void ExpectAll(TestHost& host, int variant)
{
  for (int k = 0; k < kParams; ++k)
    EXPECT_EQ(host.GetParameter(k), static_cast<float>(Value(k, variant))) << "parameter " << k;
}

Bytes Doubles(int count, int variant)
{
  Bytes b(static_cast<size_t>(count) * 8);
  for (int k = 0; k < count; ++k) {
    const double v = Value(k, variant);
    std::memcpy(&b[static_cast<size_t>(k) * 8], &v, 8);
  }
  return b;
}

Bytes WithHeader(const Bytes& body)
{
  const unsigned char header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  Bytes b(header, header + 8);
  b.resize(8 + body.size());
  std::copy(body.begin(), body.end(), b.begin() + 8);
  return b;
}

std::unique_ptr<TestHost> Started()
{
  auto host = LoadSkarvel();
  if (host) host->Start(44100.0f, 256);
  return host;
}

}  // namespace

TEST(Chunks, ProgramChunkIsTheHeaderAndThirtyDoubles)
{
  auto host = Started();
  ASSERT_TRUE(host);
  SetAll(*host, 3);
  EXPECT_EQ(host->GetChunk(true), WithHeader(Doubles(kParams, 3)));
}

TEST(Chunks, BankChunkRestoresAllProgramsByteForByte)
{
  auto host = Started();
  ASSERT_TRUE(host);
  auto build = [&](int variant) {
    for (int p = 0; p < 56; ++p) {
      host->Dispatch(effSetProgram, 0, p);
      SetAll(*host, p + variant);
      std::string name = "Program " + std::to_string(p + variant);
      host->Dispatch(effSetProgramName, 0, 0, &name[0]);
    }
  };
  build(0);
  host->Dispatch(effSetProgram, 0, 7);
  const Bytes saved = host->GetChunk(false);
  ASSERT_GT(saved.size(), 8u);
  EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 8), WithHeader({}));

  build(100);  // every program and name different now; program 55 is current
  ASSERT_NE(host->GetChunk(false), saved);
  EXPECT_EQ(host->SetChunk(false, saved), 1);
  // The current program is re-applied from the restored bank.
  EXPECT_EQ(host->Dispatch(effGetProgram), 55);
  ExpectAll(*host, 55);
  EXPECT_EQ(host->DispatchText(effGetProgramNameIndexed, 7), "Program 7");
  EXPECT_EQ(host->GetChunk(false), saved);
}

TEST(Chunks, ProgramChunkWithOrWithoutHeaderSetsEveryParameter)
{
  auto host = Started();
  ASSERT_TRUE(host);
  EXPECT_EQ(host->SetChunk(true, WithHeader(Doubles(kParams, 5))), 1);
  ExpectAll(*host, 5);
  // Without the magic the data is read from byte 0.
  EXPECT_EQ(host->SetChunk(true, Doubles(kParams, 9)), 1);
  ExpectAll(*host, 9);
  // A bank chunk without a header is bare parameter data as well.
  EXPECT_EQ(host->SetChunk(false, Doubles(kParams, 11)), 1);
  ExpectAll(*host, 11);
  // The loaded values became the current program's.
  host->Dispatch(effSetProgram, 0, 1);
  host->Dispatch(effSetProgram, 0, 0);
  ExpectAll(*host, 11);
}

TEST(Chunks, TruncatedProgramChunkSetsWhatItHoldsAndFails)
{
  auto host = Started();
  ASSERT_TRUE(host);
  SetAll(*host, 20);
  Bytes cut = WithHeader(Doubles(kParams, 1));
  cut.resize(100);  // eleven doubles and half of the twelfth
  EXPECT_EQ(host->SetChunk(true, cut), 0);
  for (int k = 0; k <= 10; ++k) EXPECT_EQ(host->GetParameter(k), static_cast<float>(Value(k, 1)));
  EXPECT_EQ(host->GetParameter(11), 0.0f) << "the short read stores the minimum";
  for (int k = 12; k < kParams; ++k) EXPECT_EQ(host->GetParameter(k), static_cast<float>(Value(k, 20)));
}

TEST(Chunks, TruncatedBankChunkFails)
{
  auto host = Started();
  ASSERT_TRUE(host);
  Bytes bank = host->GetChunk(false);
  bank.resize(bank.size() / 2);
  EXPECT_EQ(host->SetChunk(false, bank), 0);
}

TEST(Chunks, ChunksWithoutDataChangeNothing)
{
  auto host = Started();
  ASSERT_TRUE(host);
  SetAll(*host, 4);
  const Bytes program = host->GetChunk(true);
  const Bytes bank = host->GetChunk(false);
  Bytes data = WithHeader(Doubles(kParams, 8));
  for (bool isProgram : {true, false}) {
    const VstInt32 index = isProgram ? 1 : 0;
    EXPECT_EQ(host->Dispatch(effSetChunk, index, 248, nullptr), 0);
    EXPECT_EQ(host->Dispatch(effSetChunk, index, -1, data.data()), 0);
    EXPECT_EQ(host->Dispatch(effSetChunk, index, 0, data.data()), 0);
    EXPECT_EQ(host->SetChunk(isProgram, {0x74, 0x66, 0x66, 0x70}), 0) << "magic only";
  }
  EXPECT_EQ(host->GetChunk(true), program);
  EXPECT_EQ(host->GetChunk(false), bank);
  EXPECT_EQ(host->Dispatch(effGetChunk, 0, 0, nullptr), 0);
}

namespace {

// The oversampling settings block: tag "OVSM", block version 1, the factor (all 32-bit).
Bytes OversamplingBlock(int32_t factor, int32_t version = 1, const char* tag = "OVSM")
{
  Bytes b(tag, tag + 4);
  for (int32_t v : {version, factor})
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
  return b;
}

Bytes Joined(Bytes a, const Bytes& b)
{
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

// The block after the values switches the oversampling and its latency, which the host is
// told of; it comes back in both chunks and only while the setting is not off. A tail that is
// not such a block leaves the setting off and the values loaded.
TEST(Chunks, OversamplingBlockAfterTheDataRoundTripsAndHostileTailsReadAsOff)
{
  auto host = Started();
  ASSERT_TRUE(host);
  const Bytes values = WithHeader(Doubles(kParams, 2));
  for (int factor : {4, 2}) {
    host->ClearCalls();
    const Bytes program = Joined(values, OversamplingBlock(factor));
    EXPECT_EQ(host->SetChunk(true, program), 1);
    ExpectAll(*host, 2);
    EXPECT_EQ(host->Effect()->initialDelay, factor == 4 ? 67 : 54);
    EXPECT_EQ(host->CountCalls(audioMasterIOChanged), 1);
    EXPECT_EQ(host->GetChunk(true), program);
    const Bytes bank = host->GetChunk(false);
    EXPECT_EQ(Bytes(bank.end() - 12, bank.end()), OversamplingBlock(factor));
  }
  const Bytes bank = host->GetChunk(false);

  Bytes cut = OversamplingBlock(4);
  cut.pop_back();
  const Bytes hostile[] = {OversamplingBlock(4, 1, "OVSX"),
                           OversamplingBlock(4, 2),
                           cut,
                           OversamplingBlock(3),
                           OversamplingBlock(1),
                           OversamplingBlock(-4),
                           Bytes{0x4F}};
  for (const Bytes& tail : hostile) {
    EXPECT_EQ(host->SetChunk(true, WithHeader(Doubles(kParams, 2))), 1);  // off
    EXPECT_EQ(host->SetChunk(true, Joined(values, OversamplingBlock(4))), 1);
    EXPECT_EQ(host->SetChunk(true, Joined(WithHeader(Doubles(kParams, 6)), tail)), 1);
    ExpectAll(*host, 6);
    EXPECT_EQ(host->Effect()->initialDelay, 0);
    EXPECT_EQ(host->GetChunk(true), WithHeader(Doubles(kParams, 6)));
  }
  // The bank brings its block back with it; a bank without one is off.
  EXPECT_EQ(host->SetChunk(false, bank), 1);
  EXPECT_EQ(host->Effect()->initialDelay, 54);
  EXPECT_EQ(host->SetChunk(false, Bytes(bank.begin(), bank.end() - 12)), 1);
  EXPECT_EQ(host->Effect()->initialDelay, 0);
}

// A host may stop its audio when it hears of a new latency and wait for its audio thread. The
// notice comes once the effect's lock is free, so a block processed on another thread meanwhile
// goes through, and the host already reads the new delay.
TEST(Chunks, LatencyNoticeComesWithTheLockFree)
{
  auto host = Started();
  ASSERT_TRUE(host);
  OtherThreadProbe audioThread;
  std::vector<int> delaysWhileTheBlockWentThrough;
  host->ReactToCalls([&](VstInt32 opcode) {
    if (opcode != audioMasterIOChanged) return;
    const bool processed = audioThread.Returns([&] {
      FloatBuffers in(2, std::vector<float>(256, 0.25f)), out(2, std::vector<float>(256));
      host->ProcessReplacing(in, out, 256);
    });
    delaysWhileTheBlockWentThrough.push_back(processed ? host->Effect()->initialDelay : -1);
  });
  const Bytes values = WithHeader(Doubles(kParams, 2));
  for (const Bytes& tail : {OversamplingBlock(4), OversamplingBlock(2), Bytes{}})
    EXPECT_EQ(host->SetChunk(true, Joined(values, tail)), 1);
  EXPECT_EQ(delaysWhileTheBlockWentThrough, (std::vector<int>{67, 54, 0}));
  host->ReactToCalls(nullptr);
}
