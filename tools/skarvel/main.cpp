// The `skarvel` command-line tool: renders audio through the effect and inspects it.
#include <cstdio>
#include <cstring>

#include "tools/skarvel/Command.h"

static const Command kCommands[] = {
  {"render",
   "render IN OUT | --demo OUT [--block N] [--preset N|NAME] [--preset-file FILE.kw]"
   " [--set KEY=VALUE ...] [--oversampling off|2|4]",
   RunRender},
  {"params", "params [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]", RunParams},
  {"presets", "presets", RunPresets},
  {"response",
   "response OUT.png [--sample-rate R] [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]",
   RunResponse},
  {"preset", "preset save FILE.kw [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]",
   RunPreset},
  {"curves", "curves OUT.png [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]", RunCurves},
  {"snapshot",
   "snapshot OUT.png [--page effect|about] [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]",
   RunSnapshot},
};

static void Usage(FILE* out)
{
  std::fprintf(out, "usage:\n");
  for (const Command& c : kCommands) std::fprintf(out, "  skarvel %s\n", c.usage);
}

int main(int argc, char** argv)
{
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    Usage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  for (const Command& c : kCommands)
    if (!std::strcmp(argv[1], c.name)) return c.run(std::vector<std::string>(argv + 2, argv + argc));
  Usage(stderr);
  return Fail(std::string("unknown command '") + argv[1] + "'");
}
