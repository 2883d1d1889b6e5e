#include "tools/skarvel/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "tools/skarvel/TemporaryFile.h"

namespace {

std::string FolderOf(const std::string& path)
{
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string HiddenNameNextTo(const std::string& path)
{
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + ".part" + std::to_string(getpid());
}

std::string KeptFileMessage(const std::string& path)
{
  return "'" + path + "' exists; --no-clobber leaves it as it is";
}

}  // namespace

bool IsStandardStream(const std::string& path) { return path == "-"; }

std::string ExistingFileError(const std::string& path)
{
  struct stat st;
  return IsStandardStream(path) || lstat(path.c_str(), &st) != 0 ? "" : KeptFileMessage(path);
}

OutputFile::OutputFile(const std::string& target, Existing existing) : path(target), existing(existing)
{
  fd = IsStandardStream(path) ? OpenUnnamedTemporaryFile()
                              : open(FolderOf(path).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
  if (fd >= 0) {
    writePath = "/proc/self/fd/" + std::to_string(fd);
    return;
  }
  if (IsStandardStream(path) || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return;
  tempPath = HiddenNameNextTo(path);
  fd = open(tempPath.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
  if (fd >= 0)
    writePath = tempPath;
  else
    tempPath.clear();
}

OutputFile::~OutputFile()
{
  if (fd >= 0) close(fd);
  if (!tempPath.empty()) unlink(tempPath.c_str());
}

std::string OutputFile::WriteFailure() const
{
  return IsStandardStream(path) ? "cannot write standard output" : "cannot write '" + path + "'";
}

std::string OutputFile::Commit()
{
  if (fd < 0) return WriteFailure();
  const bool placed = IsStandardStream(path) ? CopyToStandardOutput() : fsync(fd) == 0 && LinkUnderName();
  const bool closed = close(fd) == 0;
  fd = -1;
  if (!tempPath.empty()) unlink(tempPath.c_str());
  tempPath.clear();
  if (nameTaken) return KeptFileMessage(path);
  return placed && closed ? "" : WriteFailure();
}

bool OutputFile::CopyToStandardOutput()
{
  return std::fflush(stdout) == 0 && lseek(fd, 0, SEEK_SET) == 0 && CopyAll(fd, STDOUT_FILENO);
}

// An unnamed file is linked under its name; over an older file it is linked under a hidden
// name and renamed over it, so the older file is replaced in one step. A named temporary is
// just renamed.
bool OutputFile::LinkUnderName()
{
  if (existing == Existing::Keep) return LinkKeepingExisting();
  if (!tempPath.empty()) {
    if (rename(tempPath.c_str(), path.c_str()) != 0) return false;
    tempPath.clear();
    return true;
  }
  if (linkat(AT_FDCWD, writePath.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno != EEXIST) return false;
  const std::string hidden = HiddenNameNextTo(path);
  unlink(hidden.c_str());
  if (linkat(AT_FDCWD, writePath.c_str(), AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) != 0) return false;
  if (rename(hidden.c_str(), path.c_str()) != 0) {
    unlink(hidden.c_str());
    return false;
  }
  return true;
}

// A link never replaces what has the name: the check and the naming are one step.
bool OutputFile::LinkKeepingExisting()
{
  const bool linked = linkat(AT_FDCWD, writePath.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
  nameTaken = !linked && errno == EEXIST;
  return linked;
}
