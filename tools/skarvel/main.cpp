// The `skarvel` command-line tool: renders audio through the effect and inspects it.
#include <cstdio>
#include <cstring>

#include "tools/skarvel/Command.h"

static void Usage(FILE* out)
{
  std::fprintf(out, "usage:\n");
  for (const Command& c : Commands()) std::fprintf(out, "  skarvel %s\n", c.usage.c_str());
  std::fprintf(out,
               "\n"
               "IN or OUT '-' is standard input or output (render; OUT of response, curves and snapshot).\n"
               "render writes OUT as --type says, else as its extension says (WAV for '-' or any other):\n"
               "  .wav 32-bit float, .aif/.aiff and .flac 24-bit, .ogg Vorbis; --bits 16 or 24 for\n"
               "  integer samples, 32 or 64 for float (FLAC takes 16 or 24, Ogg Vorbis none).\n"
               "--quiet (-q) prints no progress and no information, only errors; --no-clobber leaves\n"
               "  an existing OUT as it is and fails.\n"
               "Exit status: 0 done, 1 a usage error, 2 a failure while processing.\n");
}

int main(int argc, char** argv)
{
  if (argc < 2) {
    Usage(stderr);
    return kExitUsage;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    Usage(stdout);
    return 0;
  }
  for (const Command& c : Commands())
    if (!std::strcmp(argv[1], c.name)) return c.run(std::vector<std::string>(argv + 2, argv + argc));
  Usage(stderr);
  return UsageError(std::string("unknown command '") + argv[1] + "'");
}
