#pragma once

#include <string>
#include <vector>

// One subcommand of the `skarvel` tool.
struct Command
{
  const char* name;
  const char* usage;
  int (*run)(const std::vector<std::string>& args);
};

// Prints "skarvel: <message>" on stderr and returns the tool's failure exit code.
int Fail(const std::string& message);

int RunRender(const std::vector<std::string>& args);
int RunParams(const std::vector<std::string>& args);
int RunPresets(const std::vector<std::string>& args);
int RunPreset(const std::vector<std::string>& args);
int RunCurves(const std::vector<std::string>& args);
int RunResponse(const std::vector<std::string>& args);
int RunSnapshot(const std::vector<std::string>& args);
