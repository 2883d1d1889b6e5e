#include "skarvel/Skarvel.h"
#include "tools/skarvel/Command.h"
#include "tools/skarvel/OutputFile.h"
#include "tools/skarvel/OutputOptions.h"
#include "tools/skarvel/SessionSetup.h"

int RunPreset(const std::vector<std::string>& args)
{
  if (args.empty() || args[0] != "save") return UsageError(UsageOf("preset"));
  Options o;
  SessionOptions setup;
  std::string error = ParseOptions({args.begin() + 1, args.end()}, SessionFlags(), {"--no-clobber"}, o);
  if (error.empty() && o.positional.size() != 1) error = UsageOf("preset");
  if (error.empty() && !IsPresetFileName(o.positional[0]))
    error = "preset file '" + o.positional[0] + "' must end in .kw or .bgp";
  if (error.empty()) error = ParseSessionOptions(o, setup);
  if (!error.empty()) return UsageError(error);
  const std::string& path = o.positional[0];
  error = OutputRefusal(o, path);
  if (!error.empty()) return Fail(error);

  EffectSession session(44100.0, 512);
  error = ConfigureSession(setup, session);
  if (!error.empty()) return Fail(error);
  OutputFile file(path, ExistingOutput(o));
  if (!file.IsOpen() || !session.Effect().SavePresetFile(file.WritePath().c_str()))
    return Fail(file.WriteFailure());
  error = file.Commit();
  if (!error.empty()) return Fail(error);
  return 0;
}
