#pragma once

#include <string>

#include <sys/types.h>

// An X server of the test's own: Xvfb picks a free display number and reports it, and does not
// reset when its last client leaves (a reset refuses new connections for a moment); the server
// is stopped when the object goes. DISPLAY points at it while it runs.
class XvfbServer
{
public:
  explicit XvfbServer(int depth = 24);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool Running() const { return pid > 0 && !name.empty(); }
  const std::string& Name() const { return name; }  // ":N"

private:
  pid_t pid = -1;
  std::string name;
  std::string previousDisplay;
  bool hadDisplay = false;
};
