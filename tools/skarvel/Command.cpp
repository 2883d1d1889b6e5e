#include "tools/skarvel/Command.h"

#include <cstdio>

const std::vector<Command>& Commands()
{
  const std::string session = " [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]";
  const std::string output = " [--quiet] [--no-clobber]";
  static const std::vector<Command> commands = {
    {"render",
     "render IN OUT | --demo OUT [--type wav|aiff|flac|ogg] [--bits 16|24|32|64] [--block N]"
     " [--oversampling off|2|4]" +
       session + output,
     RunRender},
    {"params", "params" + session, RunParams},
    {"presets", "presets", RunPresets},
    {"response", "response OUT.png [--sample-rate R]" + session + output, RunResponse},
    {"preset", "preset save FILE.kw" + session + " [--no-clobber]", RunPreset},
    {"curves", "curves OUT.png" + session + output, RunCurves},
    {"snapshot", "snapshot OUT.png [--page effect|about]" + session + output, RunSnapshot},
  };
  return commands;
}

int UsageError(const std::string& message)
{
  std::fprintf(stderr, "skarvel: %s\n", message.c_str());
  return kExitUsage;
}

std::string UsageOf(const std::string& command)
{
  for (const Command& c : Commands())
    if (command == c.name) return "usage: skarvel " + c.usage;
  return "usage: skarvel --help";
}

int Fail(const std::string& message)
{
  std::fprintf(stderr, "skarvel: %s\n", message.c_str());
  return kExitFailure;
}
