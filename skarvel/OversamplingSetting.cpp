#include "skarvel/OversamplingSetting.h"

#include <cstdint>
#include <cstring>

namespace OversamplingSetting {

namespace {

constexpr char kTag[4] = {'O', 'V', 'S', 'M'};
constexpr int32_t kBlockVersion = 1;
constexpr int kFactors[kNumSteps] = {1, 2, 4};
const char* const kNames[kNumSteps] = {"off", "2x", "4x"};

}  // namespace

int FactorOfStep(int step) { return step >= 0 && step < kNumSteps ? kFactors[step] : kOff; }

int StepOfFactor(int factor)
{
  for (int step = 0; step < kNumSteps; ++step)
    if (kFactors[step] == factor) return step;
  return 0;
}

const char* Name(int factor) { return kNames[StepOfFactor(factor)]; }

int FactorFromName(const char* text)
{
  for (int step = 0; text && step < kNumSteps; ++step)
    if (std::strcmp(kNames[step], text) == 0) return kFactors[step];
  return kOff;
}

void WriteStateBlock(ByteChunk& chunk, int factor)
{
  if (StepOfFactor(factor) == 0) return;
  chunk.PutBytes(kTag, sizeof kTag);
  chunk.Put(kBlockVersion);
  chunk.Put(static_cast<int32_t>(factor));
}

int ReadStateBlock(const ByteChunk& chunk, int pos)
{
  char tag[sizeof kTag] = {};
  int32_t version = 0;
  int32_t factor = kOff;
  pos = chunk.GetBytes(tag, sizeof tag, pos);
  if (pos < 0 || std::memcmp(tag, kTag, sizeof kTag) != 0) return kOff;
  pos = chunk.Get(version, pos);
  if (pos < 0 || version != kBlockVersion) return kOff;
  if (chunk.Get(factor, pos) < 0) return kOff;
  return StepOfFactor(factor) > 0 ? factor : kOff;
}

}  // namespace OversamplingSetting
