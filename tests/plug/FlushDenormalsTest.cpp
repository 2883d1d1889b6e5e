#include <gtest/gtest.h>

#include "plug/FlushDenormals.h"
#include "plug/module/VSTEntry.h"

#if defined(__SSE__) || defined(_M_X64)

namespace {

// A product that lands in the denormal range, computed where the compiler cannot fold it.
double TinyProduct()
{
  volatile double tiny = 1e-300, scale = 1e-10;
  return tiny * scale;
}

// The mode bits of MXCSR, without the sticky exception flags that arithmetic raises.
unsigned Mode() { return _mm_getcsr() & ~0x3Fu; }

VstIntPtr VSTCALLBACK SilentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

}  // namespace

TEST(FlushDenormals, FlushesWhileAliveAndRestoresTheModeAfter)
{
  const unsigned before = Mode();
  EXPECT_NE(TinyProduct(), 0.0);
  {
    FlushDenormals flush;
    EXPECT_EQ(TinyProduct(), 0.0);
    volatile double denormal = 1e-310;
    EXPECT_EQ(denormal * 1.0, 0.0);  // read as zero
  }
  EXPECT_EQ(Mode(), before);
  EXPECT_NE(TinyProduct(), 0.0);
}

TEST(FlushDenormals, ProcessingLeavesTheHostsModeAsItWas)
{
  AEffect* effect = VSTPluginMain(SilentHost);
  ASSERT_TRUE(effect);
  float in[2][64] = {}, out[2][64] = {};
  float* ins[2] = {in[0], in[1]};
  float* outs[2] = {out[0], out[1]};
  const unsigned before = Mode();
  for (unsigned mode : {before, before | FlushDenormals::kFlushToZero}) {
    _mm_setcsr(mode);
    effect->processReplacing(effect, ins, outs, 64);
    EXPECT_EQ(Mode(), mode);
  }
  _mm_setcsr(before);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

#endif
