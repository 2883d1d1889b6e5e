#include <cstdio>

#include "skarvel/Skarvel.h"
#include "tools/skarvel/Command.h"
#include "tools/skarvel/SessionSetup.h"

int RunParams(const std::vector<std::string>& args)
{
  Options o;
  SessionOptions setup;
  std::string error = ParseOptions(args, SessionFlags(), {}, o);
  if (error.empty() && !o.positional.empty()) error = UsageOf("params");
  if (error.empty()) error = ParseSessionOptions(o, setup);
  if (!error.empty()) return UsageError(error);
  EffectSession session(44100.0, 512);
  error = ConfigureSession(setup, session);
  if (!error.empty()) return Fail(error);

  Skarvel& fx = session.Effect();
  std::printf("%-3s %-24s %-22s %-8s %s\n", "#", "key", "name", "default", "value");
  for (int i = 0; i < fx.NParams(); ++i) {
    const IPlugParam* p = fx.GetParam(i);
    char display[IPlugParam::kTextLen];
    fx.ParamValueText(i, p->value, display, sizeof display);
    std::printf("%-3d %-24s %-22s %-8g %s%s%s\n", i, kSkarvelParams[i].key, p->name, p->defaultValue, display,
                p->GetLabelForHost()[0] ? " " : "", p->GetLabelForHost());
  }
  return 0;
}
