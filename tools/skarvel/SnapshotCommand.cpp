// `skarvel snapshot`: the editor drawn headless, the whole surface in one repaint, as a PNG.
#include <cstdio>

#include "gui/IGraphics.h"
#include "skarvel/IKwTabButton.h"
#include "skarvel/Skarvel.h"
#include "tools/skarvel/Command.h"
#include "tools/skarvel/OutputOptions.h"
#include "tools/skarvel/PngWriter.h"
#include "tools/skarvel/SessionSetup.h"

// As the user switches pages: a left click on the tab.
static void ClickAboutTab(Skarvel& fx, IGraphics& gui)
{
  const IKwTabButton* tab = fx.EditorControls().aboutTab;
  if (!tab) return;
  const EditorRect& r = tab->GetRECT();
  MouseModifiers left;
  left.L = true;
  gui.OnMouseDown((r.L + r.R) / 2, (r.T + r.B) / 2, left);
  gui.OnMouseUp((r.L + r.R) / 2, (r.T + r.B) / 2, left);
}

int RunSnapshot(const std::vector<std::string>& args)
{
  std::vector<std::string> flags = SessionFlags();
  flags.push_back("--page");
  Options o;
  SessionOptions setup;
  std::string error = ParseOptions(args, flags, OutputSwitches(), o);
  if (error.empty() && o.positional.size() != 1) error = UsageOf("snapshot");
  const std::string page = o.Value("--page", "effect");
  if (error.empty() && page != "effect" && page != "about") error = "--page must be effect or about";
  if (error.empty()) error = ParseSessionOptions(o, setup);
  if (!error.empty()) return UsageError(error);
  const std::string& out = o.positional[0];
  error = OutputRefusal(o, out);
  if (!error.empty()) return Fail(error);

  EffectSession session(44100.0, 512);
  Skarvel& fx = session.Effect();
  // The editor as it shows the first program, unless the options pick another.
  fx.ApplyPreset(0);
  error = ConfigureSession(setup, session);
  if (!error.empty()) return Fail(error);
  IGraphics* gui = fx.GetGUI();
  if (!gui) return Fail("the effect has no editor");
  if (page == "about") ClickAboutTab(fx, *gui);

  gui->DrawArea(EditorRect(0, 0, gui->Width(), gui->Height()));
  error = SavePng(out, gui->GetDrawBitmap(), ExistingOutput(o));
  if (!error.empty()) return Fail(error);
  Inform(o, "%s: %dx%d, %s page, program %d: %s", out.c_str(), gui->Width(), gui->Height(), page.c_str(),
         fx.GetCurrentPresetIdx() + 1, fx.GetPresetName(fx.GetCurrentPresetIdx()));
  return 0;
}
