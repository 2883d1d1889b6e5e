#pragma once

#include <string>
#include <vector>

// Runs the skarvel tool with the given argument string (shell syntax); returns the exit code
// and collects stderr.
struct ToolResult
{
  int exitCode;
  std::string output;  // stdout and stderr together
};

ToolResult RunTool(const std::string& args);
// The same as the user nobody (for a caller running as root, whom permissions do not stop).
ToolResult RunToolUnprivileged(const std::string& args);

// A run with the standard streams apart, each a real pipe: `input` goes to stdin, stdout and
// stderr are collected. With `stderrOnTerminal` stderr is a pseudo-terminal instead, as when a
// user watches (which turns newlines into "\r\n").
struct StreamsResult
{
  int exitCode;
  std::string out;
  std::string err;
};
StreamsResult RunToolWithStreams(const std::vector<std::string>& args, const std::string& input = "",
                                 bool stderrOnTerminal = false);

// A fresh empty folder under the system temporary folder for one test.
std::string TempFolder();
