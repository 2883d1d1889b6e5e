#include "tools/skarvel/SessionSetup.h"

const std::vector<std::string>& SessionFlags()
{
  static const std::vector<std::string> flags = {"--set"};
  return flags;
}

std::string ValidateSessionOptions(const Options& options)
{
  std::vector<ParameterSetting> settings;
  return ParseSettings(options.All("--set"), settings);
}

std::string ConfigureSession(const Options& options, EffectSession& session)
{
  std::vector<ParameterSetting> settings;
  const std::string error = ParseSettings(options.All("--set"), settings);
  if (error.empty()) session.Apply(settings);
  return error;
}
