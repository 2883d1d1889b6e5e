#include "tests/tool/ToolRun.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

ToolResult Run(const std::string& prefix, const std::string& args)
{
  const std::string cmd = prefix + SKARVEL_TOOL + " " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) throw std::runtime_error("cannot start the tool");
  ToolResult r{0, ""};
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  const int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace

ToolResult RunTool(const std::string& args) { return Run("", args); }

ToolResult RunToolUnprivileged(const std::string& args)
{
  return Run("setpriv --reuid=65534 --regid=65534 --clear-groups ", args);
}

std::string TempFolder()
{
  char tmpl[] = "/tmp/skarvel-test-XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (!dir) throw std::runtime_error("cannot make a temporary folder");
  return dir;
}
