// effString2Parameter through the dispatcher. The first byte chooses the parameter index
// (including invalid ones), the rest is the text.
#include <string>

#include "tests/fuzz/FuzzEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1) return 0;
  static FuzzEffect fx;
  const int index = static_cast<int8_t>(data[0]) % 34;                  // -33..33: both ends invalid
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);  // terminated copy
  const VstIntPtr taken = fx.Dispatch(effString2Parameter, index, 0, &text[0]);
  FUZZ_CHECK(taken == 0 || taken == 1);
  if (index < 0 || index >= 30) FUZZ_CHECK(taken == 0);
  fx.CheckState();
  fx.CheckProcessing();
  return 0;
}
