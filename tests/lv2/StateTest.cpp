// A session an LV2 host saves comes back whole: every value bit for bit, and the same sound.
#include <cmath>
#include <fstream>
#include <iterator>

#include "tests/lv2/LV2Suite.h"

using namespace LV2Suite;

namespace {

// The host restores the ports' values with the state, as it saved them.
std::unique_ptr<LV2TestHost> Restored(const LV2State& state, const std::vector<float>& ports)
{
  auto host = InstantiateSkarvelLV2({true, kBlock});
  if (!host) return nullptr;
  for (int p = 0; p < kNumParams; ++p) host->Control(p) = ports[static_cast<size_t>(p)];
  EXPECT_EQ(host->RestoreState(state), LV2_STATE_SUCCESS);
  host->Activate();
  return host;
}

}  // namespace

TEST(LV2State, SavedAfterPlayingItRestoresIntoAFreshInstanceThatSoundsTheSame)
{
  auto source = InstantiateSkarvelLV2({true, kBlock});
  ASSERT_TRUE(source);
  const std::pair<SkarvelParam, float> settings[] = {
    {kDistortion, 0.8f},      {kDistortionType, 0.25f},      {kFilterCutoff, 0.4f},
    {kFilterResonance, 0.6f}, {kRingModulationAmount, 0.3f}, {kPhaserDepth, 0.5f},
    {kBassAmount, 0.7f},      {kSaturation, 0.2f},           {kVolume, 0.6f}};
  for (const auto& [param, value] : settings) source->Control(param) = value;
  source->Activate();
  const FloatBuffers first = Noise(4 * kBlock, 1);
  const FloatBuffers heard = source->Render(first, kBlock);

  LV2State saved;
  ASSERT_EQ(source->SaveState(saved), LV2_STATE_SUCCESS);
  ASSERT_EQ(saved.size(), 1u);
  const LV2StateValue& chunk = saved.begin()->second;
  EXPECT_EQ(saved.begin()->first, LV2Identity::kStateKey);
  EXPECT_EQ(chunk.type, LV2_ATOM__Chunk);
  EXPECT_EQ(chunk.flags, uint32_t(LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE));
  const std::vector<double> values = ChunkValues(saved);
  ASSERT_EQ(values.size(), size_t(kNumParams));
  for (int p = 0; p < kNumParams; ++p)
    EXPECT_EQ(float(values[p]), source->Control(p)) << "parameter " << p << " at the port's precision";
  for (const auto& [param, value] : settings) EXPECT_EQ(values[param], double(value));

  // The gain smoothers carry their history through activation, so the restored instance hears
  // what the source heard from its start, then both go on together.
  auto target = Restored(saved, source->Controls());
  ASSERT_TRUE(target);
  EXPECT_EQ(target->Render(first, kBlock), heard);
  const FloatBuffers then = Noise(16 * kBlock, 2);
  EXPECT_EQ(target->Render(then, kBlock), source->Render(then, kBlock));
  LV2State again;
  ASSERT_EQ(target->SaveState(again), LV2_STATE_SUCCESS);
  EXPECT_EQ(again, saved);
}

// The ports hold single precision; the state holds the doubles. A port holding its parameter's
// value rounded to single precision leaves the value alone; a port the host moves sets it.
TEST(LV2State, ValuesBetweenThePortsStepsSurviveAndAMovedPortStillTakesHold)
{
  LV2State fresh;
  auto first = InstantiateSkarvelLV2();
  ASSERT_TRUE(first);
  ASSERT_EQ(first->SaveState(fresh), LV2_STATE_SUCCESS);
  std::vector<double> values = ChunkValues(fresh);
  ASSERT_EQ(values.size(), size_t(kNumParams));
  const std::pair<SkarvelParam, double> between[] = {{kFilterCutoff, 0.1},
                                                     {kVolume, 1.0 / 3.0},
                                                     {kDistortion, std::nextafter(0.5, 1.0)},
                                                     {kInputVolume, std::nextafter(1.0, 0.0)},
                                                     {kBassAmount, 0.7}};
  for (const auto& [param, value] : between) {
    ASSERT_NE(double(float(value)), value);
    values[param] = value;
  }
  std::vector<float> ports;
  for (double v : values) ports.push_back(static_cast<float>(v));
  const LV2State state = ChunkState(ProgramChunk(values));

  auto host = Restored(state, ports);
  ASSERT_TRUE(host);
  host->Render(Noise(2 * kBlock, 3), kBlock);
  LV2State saved;
  ASSERT_EQ(host->SaveState(saved), LV2_STATE_SUCCESS);
  EXPECT_EQ(saved.at(LV2Identity::kStateKey).bytes, state.at(LV2Identity::kStateKey).bytes);

  auto copy = Restored(saved, host->Controls());
  ASSERT_TRUE(copy);
  copy->Render(Noise(kBlock, 4), kBlock);
  LV2State copied;
  ASSERT_EQ(copy->SaveState(copied), LV2_STATE_SUCCESS);
  EXPECT_EQ(copied, saved);

  copy->Control(kFilterCutoff) = 0.25f;
  copy->Render(Noise(kBlock, 5), kBlock);
  ASSERT_EQ(copy->SaveState(copied), LV2_STATE_SUCCESS);
  values[kFilterCutoff] = 0.25;
  EXPECT_EQ(ChunkValues(copied), values);
}

// A state with the oversampling on brings its latency to the port after the controls, which
// the bundle declares as the one that reports it; a state without the block sets it back.
TEST(LV2State, OversamplingBlockReportsItsLatencyOnThePortAfterTheControls)
{
  auto host = InstantiateSkarvelLV2({true, kBlock});
  ASSERT_TRUE(host);
  float latency = -1.0f;
  host->ConnectPort(LV2Identity::kFirstControl + kNumParams, &latency);
  host->Activate();
  LV2State state;
  ASSERT_EQ(host->SaveState(state), LV2_STATE_SUCCESS);
  const LV2State off = state;
  std::vector<unsigned char>& bytes = state[LV2Identity::kStateKey].bytes;
  const unsigned char block[12] = {'O', 'V', 'S', 'M', 1, 0, 0, 0, 4, 0, 0, 0};
  bytes.insert(bytes.end(), block, block + 12);
  for (const LV2State* s : {static_cast<const LV2State*>(&state), &off}) {
    ASSERT_EQ(host->RestoreState(*s), LV2_STATE_SUCCESS);
    host->Render(Noise(kBlock, 3), kBlock);
    EXPECT_EQ(latency, s == &state ? 67.0f : 0.0f);
    LV2State saved;
    ASSERT_EQ(host->SaveState(saved), LV2_STATE_SUCCESS);
    EXPECT_EQ(saved, *s);
  }
  std::ifstream in(SkarvelLV2Bundle() + "Skarvel.ttl");
  const std::string ttl((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(ttl.find("lv2:index " + std::to_string(LV2Identity::kFirstControl + kNumParams) +
                     " ;\n        lv2:symbol \"latency\""),
            std::string::npos);
  EXPECT_NE(ttl.find("lv2:portProperty lv2:reportsLatency"), std::string::npos);
}
