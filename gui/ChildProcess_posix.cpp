// posix_spawn rather than fork: the host process may have many threads and a large address
// space, and the child only needs to exec.
#include "gui/ChildProcess.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kWaitSliceMs = 40;

bool SpawnWithOutputPipe(const std::vector<std::string>& args, pid_t& pid, int& readEnd)
{
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return false;
  }
  readEnd = fds[0];
  return true;
}

// Reads until the child closes its output, giving the caller a turn between slices.
void CollectOutput(int fd, std::string& out, const std::function<void()>& whileWaiting)
{
  char buf[4096];
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, kWaitSliceMs);
    if (ready < 0 && errno != EINTR) return;
    if (ready <= 0) {
      if (whileWaiting) whileWaiting();
      continue;
    }
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    out.append(buf, static_cast<size_t>(n));
  }
}

int WaitForExit(pid_t pid)
{
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool ChildProcess::IsInstalled(const char* name)
{
  const char* path = std::getenv("PATH");
  if (!name || !*name || !path) return false;
  std::string dirs(path);
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    const std::string file = dir + "/" + name;
    struct stat st;
    if (stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(file.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

ChildProcess::Result ChildProcess::Run(const std::vector<std::string>& argv,
                                       const std::function<void()>& whileWaiting)
{
  Result r;
  pid_t pid = 0;
  int fd = -1;
  if (argv.empty() || !SpawnWithOutputPipe(argv, pid, fd)) return r;
  r.started = true;
  CollectOutput(fd, r.output, whileWaiting);
  close(fd);
  r.exitCode = WaitForExit(pid);
  return r;
}
