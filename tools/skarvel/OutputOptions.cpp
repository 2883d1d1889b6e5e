#include "tools/skarvel/OutputOptions.h"

#include <cstdarg>
#include <cstdio>

#include "tools/skarvel/AudioFile.h"

const std::vector<std::string>& OutputSwitches()
{
  static const std::vector<std::string> switches = {"--quiet", "--no-clobber"};
  return switches;
}

OutputFile::Existing ExistingOutput(const Options& options)
{
  return options.Has("--no-clobber") ? OutputFile::Existing::Keep : OutputFile::Existing::Replace;
}

std::string OutputRefusal(const Options& options, const std::string& output)
{
  if (options.Has("--preset-file") && SameFile(options.Value("--preset-file"), output))
    return "the output '" + output + "' would overwrite the preset file it reads";
  return ExistingOutput(options) == OutputFile::Existing::Keep ? ExistingFileError(output) : "";
}

void Inform(const Options& options, const char* format, ...)
{
  if (options.Has("--quiet")) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
}
