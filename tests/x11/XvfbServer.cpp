#include "tests/x11/XvfbServer.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

// The display number Xvfb writes once it accepts connections; empty after a timeout.
std::string ReadDisplayNumber(int fd)
{
  std::string digits;
  char c;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 10000) <= 0 || read(fd, &c, 1) != 1) return "";
    if (c == '\n') return digits;
    digits += c;
  }
}

}  // namespace

XvfbServer::XvfbServer(int depth)
{
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  // The child gets the write end as fd 3, without close-on-exec.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string screen = "1024x768x" + std::to_string(depth);
  std::vector<const char*> argv = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                                   screen.c_str(), "-nolisten",  "tcp", "-noreset", nullptr};
  const int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv.data()), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    pid = -1;
    close(fds[0]);
    return;
  }
  const std::string number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (number.empty()) return;
  name = ":" + number;
  if (const char* d = std::getenv("DISPLAY")) {
    hadDisplay = true;
    previousDisplay = d;
  }
  setenv("DISPLAY", name.c_str(), 1);
}

XvfbServer::~XvfbServer()
{
  if (hadDisplay)
    setenv("DISPLAY", previousDisplay.c_str(), 1);
  else
    unsetenv("DISPLAY");
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status;
  waitpid(pid, &status, 0);
}
