#include "tests/tool/ToolRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

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

// The two ends of a pipe, or of a pseudo-terminal: the tool's end and ours.
struct Channel
{
  int tool = -1;
  int ours = -1;
};

Channel Pipe(bool toolReads)
{
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  return toolReads ? Channel{fds[0], fds[1]} : Channel{fds[1], fds[0]};
}

Channel Terminal()
{
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
    throw std::runtime_error("cannot make a pseudo-terminal");
  const int slave = open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) throw std::runtime_error("cannot open the pseudo-terminal");
  return {slave, master};
}

// Reads what is there; false at the end (a pseudo-terminal answers EIO once the tool is gone).
bool Drain(int fd, std::string& into)
{
  char buf[65536];
  const ssize_t n = read(fd, buf, sizeof buf);
  if (n > 0) into.append(buf, static_cast<size_t>(n));
  return n > 0 || (n < 0 && errno == EINTR);
}

}  // namespace

ToolResult RunTool(const std::string& args) { return Run("", args); }

ToolResult RunToolUnprivileged(const std::string& args)
{
  return Run("setpriv --reuid=65534 --regid=65534 --clear-groups ", args);
}

StreamsResult RunToolWithStreams(const std::vector<std::string>& args, const std::string& input,
                                 bool stderrOnTerminal)
{
  signal(SIGPIPE, SIG_IGN);  // a tool that stops reading early must not end the test
  Channel streams[3] = {Pipe(true), Pipe(false), stderrOnTerminal ? Terminal() : Pipe(false)};
  std::vector<std::string> all = {SKARVEL_TOOL};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int i = 0; i < 3; ++i) posix_spawn_file_actions_adddup2(&actions, streams[i].tool, i);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  for (Channel& c : streams) close(c.tool);
  if (spawned != 0) throw std::runtime_error("cannot start the tool");

  // Input, output and errors all at once, so that no pipe fills up while we wait on another.
  StreamsResult r{-1, "", ""};
  int in = streams[0].ours;
  fcntl(in, F_SETFL, O_NONBLOCK);
  size_t written = 0;
  bool outOpen = true, errOpen = true;
  while (outOpen || errOpen) {
    if (in >= 0 && written == input.size()) {
      close(in);
      in = -1;
    }
    pollfd fds[3] = {{in, POLLOUT, 0},
                     {outOpen ? streams[1].ours : -1, POLLIN, 0},
                     {errOpen ? streams[2].ours : -1, POLLIN, 0}};
    if (poll(fds, 3, -1) < 0) continue;
    if (fds[0].revents) {
      const ssize_t n = write(in, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<size_t>(n);
      if (n < 0 && errno != EAGAIN && errno != EINTR) written = input.size();  // the tool stopped reading
    }
    if (fds[1].revents) outOpen = Drain(streams[1].ours, r.out);
    if (fds[2].revents) errOpen = Drain(streams[2].ours, r.err);
  }
  if (in >= 0) close(in);
  close(streams[1].ours);
  close(streams[2].ours);
  int status = 0;
  waitpid(pid, &status, 0);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string TempFolder()
{
  char tmpl[] = "/tmp/skarvel-test-XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (!dir) throw std::runtime_error("cannot make a temporary folder");
  return dir;
}
