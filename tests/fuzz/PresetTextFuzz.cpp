// A preset text file of arbitrary bytes loaded by the effect. The values it takes stay in
// range; the file the effect then saves reads back into a second effect and saves again to
// the very same bytes (after one pass every value is what %g prints). A load sets all 30
// values and the name whatever came before, so two effects serve the whole run.
#include "skarvel/Skarvel.h"
#include "tests/fuzz/FuzzEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static MemoryFile input, first, second;
  input.Write(data, size);
  static FuzzEffect fx, fresh;
  FUZZ_CHECK(fx.Plug().LoadPresetFile(input.Path()));
  fx.CheckState();
  FUZZ_CHECK(std::string(fx.Plug().GetPresetName(0)).size() <= 24);

  FUZZ_CHECK(fx.Plug().SavePresetFile(first.Path()));
  FUZZ_CHECK(fresh.Plug().LoadPresetFile(first.Path()));
  FUZZ_CHECK(fresh.Plug().SavePresetFile(second.Path()));
  FUZZ_CHECK(first.Read() == second.Read());
  fx.CheckProcessing();
  return 0;
}
