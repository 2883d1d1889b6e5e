#include "tools/skarvel/SessionSetup.h"

#include <cctype>

#include "skarvel/Skarvel.h"
#include "tools/skarvel/PresetLookup.h"

const std::vector<std::string>& SessionFlags()
{
  static const std::vector<std::string> flags = {"--set", "--preset", "--preset-file"};
  return flags;
}

bool IsPresetFileName(const std::string& path)
{
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "kw" || ext == "bgp";
}

std::string ParseSessionOptions(const Options& options, SessionOptions& out)
{
  std::string error = ParseSettings(options.All("--set"), out.settings);
  if (!error.empty()) return error;
  if (options.Has("--preset")) {
    const Skarvel programs(nullptr);
    error = FindPreset(programs, options.Value("--preset"), out.program);
    if (!error.empty()) return error;
  }
  if (options.Has("--preset-file")) {
    out.presetFile = options.Value("--preset-file");
    if (!IsPresetFileName(out.presetFile))
      return "preset file '" + out.presetFile + "' must end in .kw or .bgp";
  }
  return "";
}

std::string ConfigureSession(const SessionOptions& options, EffectSession& session)
{
  if (options.program >= 0) session.SelectProgram(options.program);
  if (!options.presetFile.empty() && !session.Effect().LoadPresetFile(options.presetFile.c_str()))
    return "cannot read preset file '" + options.presetFile + "'";
  session.Apply(options.settings);
  return "";
}
