// The audio path never touches the heap: processReplacing (and the automation a host sends
// between blocks) with everything on, before and after the host changes the block size or
// the sample rate.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"
#include "tests/alloc/AllocationCounter.h"
#include "tests/host/EffectScenarios.h"

namespace {

using namespace EffectScenarios;

// Input and output of one block, allocated before anything is counted.
struct Block
{
  explicit Block(int frames) : frames(frames), in(2, std::vector<float>(frames)), out(in)
  {
    NoiseInput(3).Fill(in, frames);
  }
  int frames;
  FloatBuffers in, out;
};

std::unique_ptr<TestHost> EverythingOnAt(float sampleRate, int blockSize)
{
  auto host = std::make_unique<TestHost>();
  if (!host->Create(VSTPluginMain)) return nullptr;
  host->Start(sampleRate, blockSize);
  if (!EverythingOn(*host)) return nullptr;
  return host;
}

// The host's own call, without the vectors of pointers that TestHost would build.
void Process(TestHost& host, Block& b)
{
  float* in[2] = {b.in[0].data(), b.in[1].data()};
  float* out[2] = {b.out[0].data(), b.out[1].data()};
  host.Effect()->processReplacing(host.Effect(), in, out, b.frames);
}

// Allocations while `blocks` blocks run, the cutoff automated before each one when asked.
// The span covers the 512-sample parameter glides and the 200-sample fades.
long AllocationsOver(TestHost& host, Block& b, int blocks, bool automate)
{
  int64_t frame = 0;
  return AllocationCounter::During([&] {
    for (int i = 0; i < blocks; ++i, frame += b.frames) {
      if (automate) AutomateCutoff(host, frame);
      Process(host, b);
    }
  });
}

// The program state with the oversampling block for this factor after the values.
void Oversample(TestHost& host, unsigned char factor)
{
  std::vector<unsigned char> state = host.GetChunk(true);
  const unsigned char block[12] = {'O', 'V', 'S', 'M', 1, 0, 0, 0, factor, 0, 0, 0};
  state.insert(state.end(), block, block + 12);
  EXPECT_EQ(host.SetChunk(true, state), 1);
}

// A host reconfiguring between runs: processing off, the new setting, processing on.
void Reconfigure(TestHost& host, VstInt32 opcode, VstIntPtr value, float opt)
{
  host.Dispatch(effMainsChanged, 0, 0);
  host.Dispatch(opcode, 0, value, nullptr, opt);
  host.Dispatch(effMainsChanged, 0, 1);
}

}  // namespace

TEST(ProcessAllocation, TheCounterSeesAllocations)
{
  // Volatile pointers: the compiler may not leave the allocations out.
  EXPECT_GE(AllocationCounter::During([] {
              int* volatile p = new int(1);
              delete p;
            }),
            1);
  if (AllocationCounter::kCountsMalloc) {
    EXPECT_GE(AllocationCounter::During([] {
                void* volatile p = std::malloc(16);
                std::free(p);
              }),
              1);
  }
  EXPECT_EQ(AllocationCounter::During([] {}), 0);
}

TEST(ProcessAllocation, EverythingOnAndAutomationAllocateNothing)
{
  auto host = EverythingOnAt(kHostRate, kHostBlockSize);
  ASSERT_TRUE(host);
  Block b(kHostBlockSize);
  EXPECT_EQ(AllocationsOver(*host, b, 200, false), 0);
  EXPECT_EQ(AllocationsOver(*host, b, 400, true), 0);
  // Every other parameter moved between blocks as well, including the switches.
  EXPECT_EQ(AllocationCounter::During([&] {
              for (int p = 0; p < kNumParams; ++p) {
                host->SetParameter(p, 0.25f);
                Process(*host, b);
                host->SetParameter(p, 0.8f);
                Process(*host, b);
              }
            }),
            0);
  // The oversampling switched on while audio runs: the fade, the change and the new rate.
  Oversample(*host, 2);
  EXPECT_EQ(AllocationsOver(*host, b, 20, true), 0);
}

TEST(ProcessAllocation, NothingAfterTheBlockSizeChanges)
{
  auto host = EverythingOnAt(kHostRate, kHostBlockSize);
  ASSERT_TRUE(host);
  Oversample(*host, 4);  // its filters work through the slices as well
  for (int blockSize : {1024, 64, 4096}) {
    Reconfigure(*host, effSetBlockSize, blockSize, 0.0f);
    for (int frames : {blockSize, blockSize / 2 + 1, 3 * blockSize + 7}) {
      Block b(frames);  // longer than announced: the adapter works through it in slices
      EXPECT_EQ(AllocationsOver(*host, b, 8, false), 0) << blockSize << " / " << frames;
      EXPECT_EQ(AllocationsOver(*host, b, 8, true), 0) << blockSize << " / " << frames;
    }
  }
}

TEST(ProcessAllocation, NothingAfterTheSampleRateChanges)
{
  auto host = EverythingOnAt(kHostRate, kHostBlockSize);
  ASSERT_TRUE(host);
  Block b(kHostBlockSize);
  for (float rate : {96000.0f, 22050.0f, 192000.0f}) {
    Reconfigure(*host, effSetSampleRate, 0, rate);
    EXPECT_EQ(AllocationsOver(*host, b, 100, false), 0) << rate;
    EXPECT_EQ(AllocationsOver(*host, b, 100, true), 0) << rate;
  }
}
