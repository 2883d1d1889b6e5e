// Nothing is lost when a host saves the state and restores it into a new instance: every
// value comes back bit for bit (the chunk bytes hold the doubles) and every program name.
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "tests/host/SkarvelUnderTest.h"

namespace {

using Bytes = std::vector<unsigned char>;
constexpr int kParams = 30;
constexpr int kPrograms = 56;

std::unique_ptr<TestHost> Fresh()
{
  auto host = LoadSkarvel();
  if (host) host->Start(44100.0f, 256);
  return host;
}

Bytes ProgramChunk(const std::vector<double>& values)
{
  Bytes b = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  b.resize(8 + 8 * values.size());
  std::memcpy(&b[8], values.data(), 8 * values.size());
  return b;
}

// Any double of 0..1, with the ends and the awkward values in between turning up often.
double RandomValue(std::mt19937_64& random)
{
  const double awkward[] = {
    0.0, -0.0, 1.0, 0.5, std::nextafter(1.0, 0.0), std::numeric_limits<double>::denorm_min(), 1.0 / 3.0, 0.1};
  if (random() % 8 == 0) return awkward[random() % 8];
  return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

std::string RandomName(std::mt19937_64& random)
{
  std::string name(1 + random() % 60, ' ');
  for (char& c : name) c = static_cast<char>(' ' + random() % 95);
  return name;
}

// Both hosts list the same names and, program by program, the same values.
void ExpectSamePrograms(TestHost& a, TestHost& b)
{
  for (int p = 0; p < kPrograms; ++p) {
    EXPECT_EQ(b.DispatchText(effGetProgramNameIndexed, p), a.DispatchText(effGetProgramNameIndexed, p));
    a.Dispatch(effSetProgram, 0, p);
    b.Dispatch(effSetProgram, 0, p);
    ASSERT_EQ(b.GetChunk(true), a.GetChunk(true)) << "program " << p;
  }
}

}  // namespace

TEST(RoundTrip, EveryFactoryProgramIntoAFreshInstance)
{
  auto source = Fresh();
  ASSERT_TRUE(source);
  for (int p = 0; p < kPrograms; ++p) {
    source->Dispatch(effSetProgram, 0, p);
    const Bytes program = source->GetChunk(true);
    auto target = Fresh();
    ASSERT_TRUE(target);
    ASSERT_EQ(target->SetChunk(true, program), 1);
    EXPECT_EQ(target->GetChunk(true), program) << "program " << p;
  }
  source->Dispatch(effSetProgram, 0, 0);
  const Bytes bank = source->GetChunk(false);
  auto target = Fresh();
  ASSERT_TRUE(target);
  ASSERT_EQ(target->SetChunk(false, bank), 1);
  EXPECT_EQ(target->GetChunk(false), bank);
  ExpectSamePrograms(*source, *target);
}

// A thousand random states, 56 at a time as the programs of one bank, each with a random
// name; every bank goes into a fresh instance.
TEST(RoundTrip, ThousandRandomStatesThroughBanksAndPrograms)
{
  std::mt19937_64 random(1234);
  int states = 0;
  while (states < 1000) {
    auto source = Fresh();
    ASSERT_TRUE(source);
    std::vector<Bytes> expected;
    for (int p = 0; p < kPrograms; ++p, ++states) {
      std::vector<double> values(kParams);
      for (double& v : values) v = RandomValue(random);
      const Bytes chunk = ProgramChunk(values);
      source->Dispatch(effSetProgram, 0, p);
      ASSERT_EQ(source->SetChunk(true, chunk), 1);
      std::string name = RandomName(random);
      source->Dispatch(effSetProgramName, 0, 0, &name[0]);
      ASSERT_EQ(source->GetChunk(true), chunk) << "state " << states;
      expected.push_back(chunk);
    }
    const Bytes bank = source->GetChunk(false);
    auto target = Fresh();
    ASSERT_TRUE(target);
    ASSERT_EQ(target->SetChunk(false, bank), 1);
    ASSERT_EQ(target->GetChunk(false), bank);
    for (int p = 0; p < kPrograms; ++p) {
      target->Dispatch(effSetProgram, 0, p);
      ASSERT_EQ(target->GetChunk(true), expected[p]) << "program " << p;
    }
    ExpectSamePrograms(*source, *target);
  }
}
