#include <cmath>

#include "tests/host/EffectScenarios.h"
#include "tests/host/VST3UnderTest.h"

namespace {

constexpr int kFrames = 4096;

// Values exact in float, distinct per parameter and per variant.
double Value(int param, int variant) { return ((param * 7 + variant * 13) % 61 + 1) / 64.0; }

// The VST3 host's changes for one variant: the values land at the block start.
void AddValues(ParameterChanges& changes, int variant, const std::vector<int>& params)
{
  for (int k : params) {
    // An earlier point in the same block: the last point is the one that counts.
    changes.Add(static_cast<v3_param_id>(k), 0, 1.0 - Value(k, variant));
    changes.Add(static_cast<v3_param_id>(k), 100, Value(k, variant));
  }
}

template <typename Buffers> double LargestDifference(const Buffers& a, const Buffers& b)
{
  double worst = 0.0;
  for (size_t c = 0; c < a.size(); ++c)
    for (size_t i = 0; i < a[c].size(); ++i)
      worst = std::max(worst, std::fabs(double(a[c][i]) - double(b[c][i])));
  return worst;
}

}  // namespace

// Same program, same values (the VST3 ones through the process call's queues), same input:
// the same output, in both sample sizes.
TEST_F(VST3BesideVST2, RendersWhatTheVST2ModuleRendersForTheSameProgramAndValues)
{
  const std::vector<int> automated = {kFilterCutoff,         kFilterResonance, kDistortion, kDistortionType,
                                      kRingModulationAmount, kPhaserDepth,     kBassAmount, kSaturation};
  int variant = 0;
  for (int program : {3, 21, 42}) {
    ++variant;
    vst2->Dispatch(effSetProgram, 0, program);
    for (int k : automated) vst2->SetParameter(k, static_cast<float>(Value(k, variant)));
    ParameterChanges changes;
    changes.Add(kProgramParam, 0, program / 55.0);
    AddValues(changes, variant, automated);

    EffectScenarios::NoiseInput noise2(static_cast<uint32_t>(program)),
      noise3(static_cast<uint32_t>(program));
    double worst = 0.0;
    for (int start = 0; start < kFrames; start += kBlock) {
      // Alternating sample sizes: the VST3 side in the same size as the VST2 side.
      if ((start / kBlock) % 2) {
        FloatBuffers in2(2, std::vector<float>(kBlock)), out2 = in2, in3 = in2, out3 = in2;
        noise2.Fill(in2, kBlock);
        noise3.Fill(in3, kBlock);
        vst2->ProcessReplacing(in2, out2, kBlock);
        ASSERT_EQ(vst3->Process(in3, out3, kBlock, start ? nullptr : &changes), V3_OK);
        worst = std::max(worst, LargestDifference(out2, out3));
      } else {
        DoubleBuffers in2(2, std::vector<double>(kBlock)), out2 = in2, in3 = in2, out3 = in2;
        noise2.Fill(in2, kBlock);
        noise3.Fill(in3, kBlock);
        vst2->ProcessDoubleReplacing(in2, out2, kBlock);
        ASSERT_EQ(vst3->Process(in3, out3, kBlock, start ? nullptr : &changes), V3_OK);
        worst = std::max(worst, LargestDifference(out2, out3));
      }
    }
    EXPECT_LE(worst, 1e-6) << "program " << program;
  }
}

// The state is the VST2 program chunk, byte for byte, both ways: a session moves between
// the formats with the same sound.
TEST_F(VST3BesideVST2, StateIsTheVST2ProgramChunkAndRestoresTheSameSound)
{
  vst2->Dispatch(effSetProgram, 0, 12);
  for (int k = 0; k < kParams; k += 3) vst2->SetParameter(k, static_cast<float>(Value(k, 5)));
  const std::vector<unsigned char> chunk = vst2->GetChunk(true);
  ASSERT_FALSE(chunk.empty());

  ASSERT_EQ(vst3->SetState(std::vector<uint8_t>(chunk.begin(), chunk.end())), V3_OK);
  const std::vector<uint8_t> state = vst3->GetState();
  EXPECT_EQ(std::vector<unsigned char>(state.begin(), state.end()), chunk);

  // A fresh VST3 instance restored from that state sounds as the VST2 module does.
  auto other = CreateSkarvelVST3();
  ASSERT_TRUE(other);
  ASSERT_EQ(other->Start(44100.0, kBlock, V3_SAMPLE_64), V3_OK);
  ASSERT_EQ(other->SetState(state), V3_OK);
  EXPECT_EQ(other->GetState(), state);
  vst2->Dispatch(effMainsChanged, 0, 0);
  vst2->Dispatch(effMainsChanged, 0, 1);
  EffectScenarios::NoiseInput noise2, noise3;
  double worst = 0.0;
  for (int start = 0; start < kFrames; start += kBlock) {
    DoubleBuffers in2(2, std::vector<double>(kBlock)), out2 = in2, in3 = in2, out3 = in2;
    noise2.Fill(in2, kBlock);
    noise3.Fill(in3, kBlock);
    vst2->ProcessDoubleReplacing(in2, out2, kBlock);
    ASSERT_EQ(other->Process(in3, out3, kBlock), V3_OK);
    worst = std::max(worst, LargestDifference(out2, out3));
  }
  EXPECT_LE(worst, 1e-6);

  // And the VST2 module takes the VST3 state back.
  auto fresh = LoadSkarvel();
  ASSERT_TRUE(fresh);
  fresh->Start(44100.0f, kBlock);
  EXPECT_EQ(fresh->SetChunk(true, std::vector<unsigned char>(state.begin(), state.end())), 1);
  EXPECT_EQ(fresh->GetChunk(true), chunk);
}
