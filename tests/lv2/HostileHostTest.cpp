// An LV2 host that gets things wrong: impossible control values, ports left unconnected or
// unknown, runs longer than it announced, broken and foreign states, no features at all. The
// plug-in neither crashes nor loses what it holds.
#include <cmath>
#include <limits>
#include <random>

#include "tests/lv2/LV2Suite.h"

using namespace LV2Suite;

namespace {

std::unique_ptr<LV2TestHost> Active(const LV2HostFeatures& features = {true, kBlock})
{
  auto host = InstantiateSkarvelLV2(features);
  if (host) host->Activate();
  return host;
}

std::vector<double> SavedValues(LV2TestHost& host)
{
  LV2State state;
  EXPECT_EQ(host.SaveState(state), LV2_STATE_SUCCESS);
  return ChunkValues(state);
}

void ExpectFinite(const FloatBuffers& out)
{
  for (const auto& channel : out)
    for (float x : channel) ASSERT_TRUE(std::isfinite(x));
}

bool Silent(const FloatBuffers& out)
{
  for (const auto& channel : out)
    for (float x : channel)
      if (x != 0.0f) return false;
  return true;
}

}  // namespace

TEST(LV2HostileHost, NonFiniteControlValuesAreIgnoredAndOutOfRangeOnesClamped)
{
  auto host = Active();
  ASSERT_TRUE(host);
  std::vector<double> expected = SavedValues(*host);
  ASSERT_EQ(expected.size(), size_t(kNumParams));
  const float inf = std::numeric_limits<float>::infinity();
  for (SkarvelParam p : {kDistortion, kFilterCutoff, kVolume, kBypassFX}) host->Control(p) = std::nanf("");
  host->Control(kPhaserDepth) = inf;
  host->Control(kDumpExpand) = -inf;
  host->Control(kBassAmount) = -3.0f;
  host->Control(kHighAmount) = 7.0f;
  host->Control(kFilterResonance) = std::numeric_limits<float>::max();
  host->Control(kInputVolume) = -std::numeric_limits<float>::denorm_min();
  expected[kBassAmount] = 0.0;
  expected[kHighAmount] = 1.0;
  expected[kFilterResonance] = 1.0;
  expected[kInputVolume] = 0.0;
  for (int run = 0; run < 3; ++run) ExpectFinite(host->Render(Noise(kBlock, 10 + run), kBlock));
  EXPECT_EQ(SavedValues(*host), expected);

  host->Control(kDistortion) = 0.75f;
  host->Render(Noise(kBlock, 13), kBlock);
  expected[kDistortion] = 0.75;
  EXPECT_EQ(SavedValues(*host), expected) << "a port that held NaN takes its next value";
}

TEST(LV2HostileHost, UnconnectedNullAndUnknownPortsAreSurvived)
{
  // A host that connects nothing at all, not even the controls.
  LV2TestHost bare({});
  ASSERT_TRUE(bare.Instantiate(SkarvelLV2Bundle(), LV2Identity::kBinary, LV2Identity::kPluginUri, 44100.0))
    << bare.Error();
  bare.Activate();
  bare.Run(kBlock);

  auto host = Active();
  auto twin = Active();
  ASSERT_TRUE(host && twin);
  // No audio port connected yet, then every port connected to null.
  host->Run(kBlock);
  // The last port is the latency output, after the controls.
  const uint32_t ports = LV2TestHost::kAudioPorts + kNumParams + 1;
  for (uint32_t port = 0; port < ports; ++port) host->ConnectPort(port, nullptr);
  host->Run(kBlock);
  // Ports the plug-in does not have: it must not take the buffer.
  float untouched[kBlock];
  for (float& x : untouched) x = 0.125f;
  for (uint32_t port : {ports, 1000u, 0xFFFFFFFFu}) host->ConnectPort(port, untouched);
  host->Run(kBlock);
  for (float x : untouched) ASSERT_EQ(x, 0.125f);

  // Inputs null: read as silence, as the twin hears it.
  FloatBuffers out(2, std::vector<float>(kBlock, 9.0f));
  FloatBuffers silence(2, std::vector<float>(kBlock, 0.0f));
  for (uint32_t c = 0; c < 2; ++c) host->ConnectPort(2 + c, out[c].data());
  for (int p = 0; p < kNumParams; ++p)
    host->ConnectPort(LV2TestHost::kAudioPorts + uint32_t(p), &host->Control(p));
  for (int run = 0; run < 3; ++run) twin->Render(silence, kBlock);  // as many as the host has had
  host->Run(kBlock);
  EXPECT_EQ(out, twin->Render(silence, kBlock));

  // Outputs null: nothing to write to.
  FloatBuffers in = Noise(kBlock, 20);
  for (uint32_t c = 0; c < 2; ++c) {
    host->ConnectPort(c, in[c].data());
    host->ConnectPort(2 + c, nullptr);
  }
  host->Run(kBlock);
  EXPECT_FALSE(Silent(host->Render(Noise(kBlock, 21), kBlock))) << "all connected again, it plays";
}

// The host announced 256 frames; runs four times as long play as runs of the announced
// length, and a run of no frames takes the controls as the next run would.
TEST(LV2HostileHost, RunsLongerThanAnnouncedAndRunsOfNoFramesPlayAsAnnouncedRuns)
{
  auto announced = Active();
  auto longer = Active();
  ASSERT_TRUE(announced && longer);
  for (LV2TestHost* host : {announced.get(), longer.get()}) {
    host->Control(kDistortion) = 0.9f;
    host->Control(kPhaserDepth) = 0.6f;
    host->Control(kFilterCutoff) = 0.3f;
  }
  longer->Run(0);
  const FloatBuffers in = Noise(12 * kBlock, 30);
  EXPECT_EQ(longer->Render(in, 4 * kBlock), announced->Render(in, kBlock));

  announced->Control(kFilterCutoff) = 0.7f;
  longer->Control(kFilterCutoff) = 0.7f;
  longer->Run(0);
  const FloatBuffers next = Noise(8 * kBlock, 31);
  EXPECT_EQ(longer->Render(next, 4 * kBlock), announced->Render(next, kBlock));
}

TEST(LV2HostileHost, BrokenAndForeignStatesAreRefusedAndChangeNothing)
{
  auto host = Active();
  ASSERT_TRUE(host);
  host->Control(kDistortion) = 0.6f;
  host->Control(kVolume) = 0.4f;
  host->Render(Noise(kBlock, 40), kBlock);
  LV2State good;
  ASSERT_EQ(host->SaveState(good), LV2_STATE_SUCCESS);
  const Bytes chunk = good.at(LV2Identity::kStateKey).bytes;

  // Each restore must leave the state as it was; the answer is the caller's to check.
  auto restore = [&](const LV2State& state, const char* what) {
    const LV2_State_Status status = host->RestoreState(state);
    LV2State now;
    EXPECT_EQ(host->SaveState(now), LV2_STATE_SUCCESS);
    EXPECT_EQ(now, good) << what;
    return status;
  };
  EXPECT_EQ(restore({}, "no program chunk"), LV2_STATE_ERR_NO_PROPERTY);
  EXPECT_EQ(restore({{"urn:example:other#chunk", {LV2_ATOM__Chunk, 0, chunk}}}, "another plug-in's key"),
            LV2_STATE_ERR_NO_PROPERTY);
  EXPECT_EQ(restore(ChunkState(chunk, LV2_ATOM__Int), "typed as an integer"), LV2_STATE_ERR_BAD_TYPE);
  EXPECT_EQ(restore(ChunkState(chunk, LV2_ATOM__String), "typed as a string"), LV2_STATE_ERR_BAD_TYPE);
  Bytes noMagic = chunk;
  noMagic[0] ^= 0xFF;
  EXPECT_NE(restore(ChunkState(noMagic), "without the magic"), LV2_STATE_SUCCESS);
  Bytes older = chunk;
  older[6] = 0;
  EXPECT_NE(restore(ChunkState(older), "of an older version"), LV2_STATE_SUCCESS);
  for (size_t n = 0; n < chunk.size(); ++n)
    ASSERT_NE(restore(ChunkState(Bytes(chunk.begin(), chunk.begin() + long(n))), "truncated"),
              LV2_STATE_SUCCESS)
      << "cut to " << n;
  std::mt19937 random(41);
  for (int i = 0; i < 200; ++i) {
    Bytes blob(random() % (2 * chunk.size()));
    for (unsigned char& b : blob) b = static_cast<unsigned char>(random());
    ASSERT_NE(restore(ChunkState(blob), "random"), LV2_STATE_SUCCESS) << "blob " << i;
  }
  ExpectFinite(host->Render(Noise(kBlock, 42), kBlock));
}

TEST(LV2HostileHost, WithoutAnyFeatureItPlaysButHasNoState)
{
  auto host = Active({false, 0});
  ASSERT_TRUE(host);
  host->Control(kDistortion) = 0.7f;
  const FloatBuffers out = host->Render(Noise(8 * kBlock, 50), 8 * kBlock);
  ExpectFinite(out);
  EXPECT_FALSE(Silent(out));
  LV2State state;
  EXPECT_EQ(host->SaveState(state), LV2_STATE_ERR_NO_FEATURE);
  EXPECT_TRUE(state.empty());
  EXPECT_EQ(host->RestoreState(ChunkState(ProgramChunk(std::vector<double>(kNumParams, 0.5)))),
            LV2_STATE_ERR_NO_FEATURE);
}
