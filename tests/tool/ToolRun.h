#pragma once

#include <string>

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

// A fresh empty folder under the system temporary folder for one test.
std::string TempFolder();
