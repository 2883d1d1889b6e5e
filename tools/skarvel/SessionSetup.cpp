#include "tools/skarvel/SessionSetup.h"

#include <cctype>

#include "skarvel/Skarvel.h"
#include "tools/skarvel/AudioFile.h"
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

static std::string LoadPresetOptions(const Options& options, EffectSession& session)
{
  Skarvel& fx = session.Effect();
  if (options.Has("--preset")) {
    int index = 0;
    const std::string error = FindPreset(fx, options.Value("--preset"), index);
    if (!error.empty()) return error;
    session.SelectProgram(index);
  }
  if (options.Has("--preset-file")) {
    const std::string path = options.Value("--preset-file");
    if (!IsPresetFileName(path)) return "preset file '" + path + "' must end in .kw or .bgp";
    if (!fx.LoadPresetFile(path.c_str())) return "cannot read preset file '" + path + "'";
  }
  return "";
}

std::string OutputOverwritesPresetFile(const Options& options, const std::string& output)
{
  if (options.Has("--preset-file") && SameFile(options.Value("--preset-file"), output))
    return "the output '" + output + "' would overwrite the preset file it reads";
  return "";
}

std::string ValidateSessionOptions(const Options& options)
{
  EffectSession probe(44100.0, 1);
  return ConfigureSession(options, probe);
}

std::string ConfigureSession(const Options& options, EffectSession& session)
{
  std::vector<ParameterSetting> settings;
  std::string error = ParseSettings(options.All("--set"), settings);
  if (error.empty()) error = LoadPresetOptions(options, session);
  if (error.empty()) session.Apply(settings);
  return error;
}
