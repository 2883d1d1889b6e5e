#pragma once

#include <string>
#include <vector>

// One subcommand of the `skarvel` tool.
struct Command
{
  const char* name;
  std::string usage;
  int (*run)(const std::vector<std::string>& args);
};

// Every subcommand, in the order --help lists them.
const std::vector<Command>& Commands();

// The tool's exit status, as sox and libsndfile's tools have it: 0 for success, 1 for a command
// line the tool does not take, 2 for work that failed (a file, the audio, a preset file).
constexpr int kExitUsage = 1;
constexpr int kExitFailure = 2;

// Prints "skarvel: <message>" on stderr and returns the exit status of a usage error.
int UsageError(const std::string& message);
// "usage: skarvel <the command's usage line>".
std::string UsageOf(const std::string& command);
// Prints "skarvel: <message>" on stderr and returns the exit status of a failure while
// processing.
int Fail(const std::string& message);

int RunRender(const std::vector<std::string>& args);
int RunParams(const std::vector<std::string>& args);
int RunPresets(const std::vector<std::string>& args);
int RunPreset(const std::vector<std::string>& args);
int RunCurves(const std::vector<std::string>& args);
int RunResponse(const std::vector<std::string>& args);
int RunSnapshot(const std::vector<std::string>& args);
