#include "tests/host/ReferenceRenderCheck.h"
#include "tests/host/SkarvelUnderTest.h"

// The DLL under Wine renders what the Linux module rendered at build time.
TEST(Render, TheDllMatchesTheLinuxModule)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  ExpectTheLinuxRender(ReferenceRender::Render(*host));
}

// The CLAP module too: each program arrives as its state (the VST2 module's program chunk),
// and a deactivation clears the units' history.
TEST(Render, TheClapModuleMatchesTheLinuxModule)
{
  auto vst2 = LoadSkarvel();
  auto clap = LoadSkarvelClap();
  ASSERT_TRUE(vst2 && clap);
  ReferenceRender::Player player;
  player.programs = vst2->Effect()->numPrograms;
  player.selectProgram = [&](int p) {
    vst2->Dispatch(effSetProgram, 0, p);
    const std::vector<unsigned char> chunk = vst2->GetChunk(true);
    clap->Deactivate();
    return clap->LoadState({chunk.begin(), chunk.end()}) &&
           clap->Activate(ReferenceRender::kSampleRate, ReferenceRender::kBlockSize);
  };
  player.process = [&](DoubleBuffers& in, DoubleBuffers& out, int frames) {
    ASSERT_EQ(clap->Process(in, out, frames), CLAP_PROCESS_CONTINUE);
  };
  ExpectTheLinuxRender(ReferenceRender::Render(player));
}
