#include <cstdio>

#include "skarvel/Skarvel.h"
#include "tools/skarvel/Command.h"

int RunPresets(const std::vector<std::string>& args)
{
  if (!args.empty()) return UsageError(UsageOf("presets"));
  const Skarvel fx(nullptr);
  for (int i = 0; i < fx.NPresets(); ++i) std::printf("%2d  %s\n", i, fx.GetPresetName(i));
  return 0;
}
