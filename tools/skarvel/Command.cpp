#include "tools/skarvel/Command.h"

#include <cstdio>

int Fail(const std::string& message)
{
  std::fprintf(stderr, "skarvel: %s\n", message.c_str());
  return 1;
}
