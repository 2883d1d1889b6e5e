#include "skarvel/Skarvel.h"
#include "tools/skarvel/Command.h"
#include "tools/skarvel/OutputFile.h"
#include "tools/skarvel/SessionSetup.h"

static const char kUsage[] =
  "usage: skarvel preset save FILE.kw [--preset N|NAME] [--preset-file FILE.kw] [--set KEY=VALUE ...]";

int RunPreset(const std::vector<std::string>& args)
{
  if (args.empty() || args[0] != "save") return Fail(kUsage);
  Options o;
  std::string error = ParseOptions({args.begin() + 1, args.end()}, SessionFlags(), {}, o);
  if (!error.empty()) return Fail(error);
  if (o.positional.size() != 1) return Fail(kUsage);
  const std::string& path = o.positional[0];
  if (!IsPresetFileName(path)) return Fail("preset file '" + path + "' must end in .kw or .bgp");

  error = OutputOverwritesPresetFile(o, path);
  if (!error.empty()) return Fail(error);

  EffectSession session(44100.0, 512);
  error = ConfigureSession(o, session);
  if (!error.empty()) return Fail(error);
  OutputFile file(path);
  if (!file.IsOpen() || !session.Effect().SavePresetFile(file.WritePath().c_str()) || !file.Commit())
    return Fail("cannot write '" + path + "'");
  return 0;
}
