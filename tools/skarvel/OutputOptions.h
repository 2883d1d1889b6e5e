#pragma once

#include <string>
#include <vector>

#include "tools/skarvel/Options.h"
#include "tools/skarvel/OutputFile.h"

// The switches of the commands that write a file: --quiet (-q), no progress bar and no
// information on stderr, only errors; --no-clobber, an existing output is left as it is and
// the command fails.
const std::vector<std::string>& OutputSwitches();

// What the output's commit does with an existing file, as --no-clobber says.
OutputFile::Existing ExistingOutput(const Options& options);

// The error for an output the command may not write, or "": the preset file the options read
// (no command writes over its own input), or, with --no-clobber, a file that exists.
std::string OutputRefusal(const Options& options, const std::string& output);

// Prints a line of information on stderr, unless --quiet: standard output carries only what
// the command was asked for.
void Inform(const Options& options, const char* format, ...) __attribute__((format(printf, 2, 3)));
