#pragma once

#include <string>

// A file that appears under its name only when it is complete. The data go into an unnamed
// file in the target's folder (O_TMPFILE); Commit links it under the name, replacing an older
// file in one step, or, told to keep an existing file, failing when the name is taken even by
// a file made a moment before. A failure, an early return or a kill at any moment, even
// SIGKILL, leaves nothing behind and the older file untouched. Where the file system has no
// unnamed files a hidden temporary name is used instead, removed on failure (but not after
// SIGKILL).
//
// The name "-" is standard output: the data gather in an unnamed temporary file, so the
// writers may seek as in any file, and Commit copies them out; nothing reaches standard
// output from a write that failed.
class OutputFile
{
public:
  enum class Existing { Replace, Keep };

  explicit OutputFile(const std::string& path, Existing existing = Existing::Replace);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool IsOpen() const { return fd >= 0; }
  // Open for writing, positioned at the start; owned by this object.
  int Descriptor() const { return fd; }
  // A name that opens the same file, for code that insists on opening by name.
  const std::string& WritePath() const { return writePath; }
  // Closes the file and gives it its name (or copies it to standard output); "" on success,
  // else the error message, with nothing left behind.
  std::string Commit();
  // The message for a write that failed before Commit.
  std::string WriteFailure() const;

private:
  bool LinkUnderName();
  bool LinkKeepingExisting();
  bool CopyToStandardOutput();
  std::string path;
  Existing existing;
  std::string writePath;
  std::string tempPath;  // only when the file system has no unnamed files
  int fd = -1;
  bool nameTaken = false;
};

// True for "-", the name of standard input or output.
bool IsStandardStream(const std::string& path);

// The error for a file that exists at `path` and is to be kept, or "" when there is none.
std::string ExistingFileError(const std::string& path);
