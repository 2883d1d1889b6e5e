#include "tools/skarvel/TemporaryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

int OpenUnnamedTemporaryFile()
{
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
  const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  // A file system without unnamed files: a fresh name, removed at once.
  std::string name = folder + "/skarvel-XXXXXX";
  const int named = mkostemp(&name[0], O_CLOEXEC);
  if (named >= 0) unlink(name.c_str());
  return named;
}

bool CopyAll(int from, int to)
{
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(to, buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno != EINTR) return false;
      if (put > 0) done += put;
    }
  }
}
