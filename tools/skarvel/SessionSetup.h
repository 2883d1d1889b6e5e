#pragma once

#include <string>
#include <vector>

#include "tools/skarvel/EffectSession.h"
#include "tools/skarvel/Options.h"

// The options every command that configures the effect accepts: --preset N|NAME,
// --preset-file FILE.kw|FILE.bgp, then any number of --set KEY=VALUE, applied in that order.
const std::vector<std::string>& SessionFlags();

// Checks the configuring options on a throwaway effect; returns the error message or "".
std::string ValidateSessionOptions(const Options& options);

// Applies the configuring options to the session's effect; returns the error message or "".
std::string ConfigureSession(const Options& options, EffectSession& session);

// The error for an output that is the preset file the options read, or "": no command
// writes over its own input.
std::string OutputOverwritesPresetFile(const Options& options, const std::string& output);

// True for the preset file extensions the editor offers: .kw and .bgp, in any case.
bool IsPresetFileName(const std::string& path);
