// The LV2 plug-in and the VST2 module are one effect: the same settings make the same samples,
// and a state one format's host saved restores in the other's.
#include "tests/host/SkarvelUnderTest.h"
#include "tests/lv2/LV2Suite.h"

using namespace LV2Suite;

TEST(LV2Output, TheVST2ModulesSamplesForItsStateAndAutomation)
{
  auto vst = LoadSkarvel();
  ASSERT_TRUE(vst);
  vst->Start(EffectScenarios::kHostRate, kBlock);
  ASSERT_TRUE(EffectScenarios::EverythingOn(*vst));
  // Switched off and on after the settings, so both start from reset audio state.
  vst->Dispatch(effMainsChanged, 0, 0);
  vst->Dispatch(effMainsChanged, 0, 1);

  auto lv2 = InstantiateSkarvelLV2({true, kBlock}, EffectScenarios::kHostRate);
  ASSERT_TRUE(lv2);
  ASSERT_EQ(lv2->RestoreState(ChunkState(vst->GetChunk(true))), LV2_STATE_SUCCESS);
  for (int p = 0; p < kNumParams; ++p) lv2->Control(p) = vst->GetParameter(p);
  lv2->Activate();

  EffectScenarios::NoiseInput noise(7);
  for (int64_t frame = 0; frame < 40 * kBlock; frame += kBlock) {
    EffectScenarios::AutomateCutoff(*vst, frame);
    lv2->Control(kFilterCutoff) = EffectScenarios::CutoffSweep(frame);
    FloatBuffers in(2, std::vector<float>(kBlock));
    noise.Fill(in, kBlock);
    FloatBuffers expected(2, std::vector<float>(kBlock));
    vst->ProcessReplacing(in, expected, kBlock);
    ASSERT_EQ(lv2->Render(in, kBlock), expected) << "the block at frame " << frame;
  }
  LV2State state;
  ASSERT_EQ(lv2->SaveState(state), LV2_STATE_SUCCESS);
  EXPECT_EQ(state.at(LV2Identity::kStateKey).bytes, vst->GetChunk(true));
}
