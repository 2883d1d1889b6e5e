#pragma once

#include <string>
#include <vector>

#include "tools/skarvel/EffectSession.h"
#include "tools/skarvel/Options.h"

// The options every command that configures the effect accepts: --preset N|NAME,
// --preset-file FILE.kw|FILE.bgp, then any number of --set KEY=VALUE, applied in that order.
const std::vector<std::string>& SessionFlags();

// The configuring options, read and checked.
struct SessionOptions
{
  int program = -1;        // -1 for none
  std::string presetFile;  // "" for none
  std::vector<ParameterSetting> settings;
};

// Reads the configuring options; returns "" or the usage error (an unknown key, a value outside
// 0..1, a program that does not exist, a preset file name that is not one).
std::string ParseSessionOptions(const Options& options, SessionOptions& out);

// Applies them to the session's effect; returns "" or the error of a preset file that cannot
// be read.
std::string ConfigureSession(const SessionOptions& options, EffectSession& session);

// True for the preset file extensions the editor offers: .kw and .bgp, in any case.
bool IsPresetFileName(const std::string& path);
