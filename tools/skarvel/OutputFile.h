#pragma once

#include <string>

// A file that appears under its name only when it is complete. The data go into an unnamed
// file in the target's folder (O_TMPFILE); Commit links it under the name, replacing an older
// file in one step. A failure, an early return or a kill at any moment, even SIGKILL, leaves
// nothing behind and the older file untouched. Where the file system has no unnamed files a
// hidden temporary name is used instead, removed on failure (but not after SIGKILL).
class OutputFile
{
public:
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool IsOpen() const { return fd >= 0; }
  // Open for writing, positioned at the start; owned by this object.
  int Descriptor() const { return fd; }
  // A name that opens the same file, for code that insists on opening by name.
  const std::string& WritePath() const { return writePath; }
  // Closes the file and gives it its name; false (and nothing left behind) on failure.
  bool Commit();

private:
  bool LinkUnderName();
  std::string path;
  std::string writePath;
  std::string tempPath;  // only when the file system has no unnamed files
  int fd = -1;
};
