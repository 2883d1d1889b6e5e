#include <cmath>
#include <limits>
#include <random>

#include "tests/host/VST3UnderTest.h"

namespace {

constexpr int kBlock = 256;

std::unique_ptr<VST3TestHost> Started(int maxBlock = kBlock)
{
  auto host = CreateSkarvelVST3();
  if (host) {
    EXPECT_EQ(host->Start(44100.0, maxBlock), V3_OK);
  }
  return host;
}

bool AllFinite(const FloatBuffers& buffers)
{
  for (const auto& c : buffers)
    for (float v : c)
      if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

// Stray ids and NaN change nothing, whichever way they come; the stored state shows it.
TEST(VST3HostileHost, InvalidParameterIdsAndNaNValuesChangeNothing)
{
  auto host = Started();
  ASSERT_TRUE(host);
  v3_edit_controller** c = host->Controller();
  const std::vector<uint8_t> before = host->GetState();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (v3_param_id id : {30u, 999u, 1001u, 0xFFFFFFFFu}) {
    EXPECT_EQ(v3_cpp_obj(c)->set_parameter_normalised(c, id, 0.5), V3_INVALID_ARG);
    EXPECT_EQ(v3_cpp_obj(c)->get_parameter_normalised(c, id), 0.0);
    EXPECT_EQ(host->ParamText(id, 0.5), "<none>");
  }
  EXPECT_EQ(v3_cpp_obj(c)->set_parameter_normalised(c, kFilterCutoff, nan), V3_INVALID_ARG);
  EXPECT_EQ(v3_cpp_obj(c)->set_parameter_normalised(c, 1000, nan), V3_INVALID_ARG);
  EXPECT_EQ(host->ParamText(kFilterCutoff, nan), "<none>");

  ParameterChanges changes;
  changes.Add(999, 0, 0.5);
  changes.Add(kFilterCutoff, 0, nan);
  changes.Add(1000, 0, nan);
  changes.Add(kVolume, 0, std::numeric_limits<double>::infinity());
  FloatBuffers in(2, std::vector<float>(kBlock, 0.1f)), out = in;
  ASSERT_EQ(host->Process(in, out, kBlock, &changes), V3_OK);
  EXPECT_TRUE(AllFinite(out));
  EXPECT_EQ(host->GetState(), before);
}

// Zero frames and null buffers are answered without touching memory (the sanitizers see any
// touch); blocks beyond the announced maximum are processed whole, in slices.
TEST(VST3HostileHost, ZeroFramesNullBuffersAndOversizedBlocks)
{
  auto host = Started();
  ASSERT_TRUE(host);
  EXPECT_EQ(v3_cpp_obj(host->Processor())->process(host->Processor(), nullptr), V3_INVALID_ARG);

  v3_process_data data{};
  data.symbolic_sample_size = V3_SAMPLE_32;
  for (int32_t frames : {0, -5, kBlock}) {
    data.nframes = frames;
    EXPECT_EQ(host->Process(data), V3_OK) << frames;  // no buses at all: silence, written nowhere
  }
  v3_audio_bus_buffers nullBus{};
  nullBus.num_channels = 2;  // and no arrays behind them
  data.inputs = &nullBus;
  data.outputs = &nullBus;
  data.num_input_buses = data.num_output_buses = 1;
  EXPECT_EQ(host->Process(data), V3_OK);
  data.symbolic_sample_size = 3;
  EXPECT_EQ(host->Process(data), V3_INVALID_ARG);

  // Ten times the maximum in one call equals the same signal in maximum-sized calls.
  auto oneCall = Started();
  auto sliced = Started();
  ASSERT_TRUE(oneCall && sliced);
  const int frames = 10 * kBlock;
  FloatBuffers in(2, std::vector<float>(frames)), whole(2, std::vector<float>(frames, 9.0f));
  for (int i = 0; i < frames; ++i) in[0][i] = in[1][i] = static_cast<float>(std::sin(i * 0.05) * 0.5);
  ASSERT_EQ(oneCall->Process(in, whole, frames), V3_OK);
  for (int start = 0; start < frames; start += kBlock) {
    FloatBuffers blockIn(2), blockOut(2, std::vector<float>(kBlock));
    for (int ch = 0; ch < 2; ++ch)
      blockIn[ch].assign(in[ch].begin() + start, in[ch].begin() + start + kBlock);
    ASSERT_EQ(sliced->Process(blockIn, blockOut, kBlock), V3_OK);
    for (int ch = 0; ch < 2; ++ch)
      for (int i = 0; i < kBlock; ++i) ASSERT_EQ(whole[ch][start + i], blockOut[ch][i]) << start + i;
  }
}

// Process before any setup, setActive twice either way, setup while active, a second
// initialize and terminate: the effect keeps working and processes finite sound.
TEST(VST3HostileHost, CallsInTheWrongOrder)
{
  auto host = CreateSkarvelVST3();
  ASSERT_TRUE(host);
  FloatBuffers in(2, std::vector<float>(kBlock, 0.3f)), out(2, std::vector<float>(kBlock));
  EXPECT_EQ(host->Process(in, out, kBlock), V3_OK);
  EXPECT_TRUE(AllFinite(out));

  v3_component** c = host->Component();
  v3_audio_processor** p = host->Processor();
  EXPECT_EQ(v3_cpp_obj(c)->set_active(c, 1), V3_OK);
  EXPECT_EQ(v3_cpp_obj(c)->set_active(c, 1), V3_OK);
  v3_process_setup bad{V3_REALTIME, V3_SAMPLE_32, 0, 44100.0};
  EXPECT_EQ(v3_cpp_obj(p)->setup_processing(p, &bad), V3_INVALID_ARG);
  bad = {V3_REALTIME, V3_SAMPLE_32, 512, std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(v3_cpp_obj(p)->setup_processing(p, &bad), V3_INVALID_ARG);
  EXPECT_EQ(v3_cpp_obj(p)->setup_processing(p, nullptr), V3_INVALID_ARG);
  v3_process_setup good{V3_REALTIME, V3_SAMPLE_32, 2 * kBlock, 96000.0};
  EXPECT_EQ(v3_cpp_obj(p)->setup_processing(p, &good), V3_OK);
  EXPECT_EQ(v3_cpp_obj(c)->set_active(c, 0), V3_OK);
  EXPECT_EQ(v3_cpp_obj(c)->set_active(c, 0), V3_OK);
  EXPECT_EQ(v3_cpp_obj_initialize(c, nullptr), V3_OK);
  EXPECT_EQ(host->Process(in, out, kBlock), V3_OK);
  EXPECT_TRUE(AllFinite(out));
  EXPECT_EQ(v3_cpp_obj_terminate(c), V3_OK);
  EXPECT_EQ(host->Process(in, out, kBlock), V3_OK);
  EXPECT_TRUE(AllFinite(out));
}

// A state that is truncated, foreign, random or that breaks off while read changes nothing
// and answers false; the plug-in gives back the host's stream.
TEST(VST3HostileHost, BadStateStreamsChangeNothing)
{
  auto host = Started();
  ASSERT_TRUE(host);
  v3_cpp_obj(host->Controller())->set_parameter_normalised(host->Controller(), kDistortion, 0.75);
  const std::vector<uint8_t> good = host->GetState();
  ASSERT_GT(good.size(), 8u);

  // Another valid state to try, so that any partial load would show.
  auto other = Started();
  ASSERT_TRUE(other);
  const std::vector<uint8_t> different = other->GetState();
  ASSERT_NE(different, good);

  for (size_t n = 0; n < different.size(); ++n) {
    EXPECT_EQ(
      host->SetState(std::vector<uint8_t>(different.begin(), different.begin() + static_cast<long>(n))),
      V3_FALSE)
      << n;
  }
  std::mt19937 random(18);
  for (int i = 0; i < 500; ++i) {
    std::vector<uint8_t> bytes(random() % 600);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    EXPECT_EQ(host->SetState(bytes), V3_FALSE);
  }
  EXPECT_EQ(host->SetState(std::vector<uint8_t>(2 << 20, 0x74)), V3_FALSE);  // beyond any state
  MemoryStream breaking(different);
  breaking.failAfter = different.size() / 2;
  EXPECT_EQ(v3_cpp_obj(host->Component())->set_state(host->Component(), breaking.Ptr()), V3_FALSE);
  EXPECT_EQ(breaking.refs, 1);
  EXPECT_EQ(v3_cpp_obj(host->Component())->set_state(host->Component(), nullptr), V3_FALSE);
  MemoryStream full;
  full.failAfter = 4;
  EXPECT_EQ(v3_cpp_obj(host->Component())->get_state(host->Component(), full.Ptr()), V3_FALSE);
  EXPECT_EQ(host->GetState(), good);

  // The round trip: byte for byte.
  ASSERT_EQ(other->SetState(good), V3_OK);
  EXPECT_EQ(other->GetState(), good);
}
