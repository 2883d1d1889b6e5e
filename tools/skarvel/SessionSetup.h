#pragma once

#include <string>
#include <vector>

#include "tools/skarvel/EffectSession.h"
#include "tools/skarvel/Options.h"

// The options every command that configures the effect accepts (e.g. --set KEY=VALUE).
const std::vector<std::string>& SessionFlags();

// Checks the configuring options without an effect; returns the error message or "".
std::string ValidateSessionOptions(const Options& options);

// Applies the configuring options to the session's effect; returns the error message or "".
std::string ConfigureSession(const Options& options, EffectSession& session);
