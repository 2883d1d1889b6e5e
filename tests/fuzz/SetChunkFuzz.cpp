// effSetChunk through the dispatcher. The first byte chooses a program (odd) or a bank (even)
// chunk; the rest is the chunk. Whatever the effect takes must leave it in range, survive a
// save and a reload into a fresh effect unchanged, and still process.
#include "tests/fuzz/FuzzEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1) return 0;
  const bool program = data[0] & 1;
  FuzzEffect fx;
  const VstIntPtr taken = fx.SetChunk(program, Bytes(data + 1, data + size));
  FUZZ_CHECK(taken == 0 || taken == 1);
  fx.CheckState();

  const Bytes bank = fx.GetChunk(false);
  FUZZ_CHECK(!bank.empty());
  FuzzEffect fresh;
  FUZZ_CHECK(fresh.SetChunk(false, bank) == 1);
  FUZZ_CHECK(fresh.GetChunk(false) == bank);
  FUZZ_CHECK(fresh.GetChunk(true) == fx.GetChunk(true));

  fx.CheckProcessing();
  return 0;
}
