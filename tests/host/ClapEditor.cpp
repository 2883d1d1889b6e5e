#include "tests/host/ClapEditor.h"

#include <clap/ext/gui.h>

namespace {

#ifdef _WIN32
constexpr const char* kWindowApi = CLAP_WINDOW_API_WIN32;
#else
constexpr const char* kWindowApi = CLAP_WINDOW_API_X11;
#endif

const clap_plugin_gui_t* Gui(const ClapHost& host) { return host.Get<clap_plugin_gui_t>(CLAP_EXT_GUI); }

}  // namespace

bool ClapEditor::Create()
{
  const clap_plugin_gui_t* gui = Gui(host);
  if (!created && gui && gui->is_api_supported(host.Plugin(), kWindowApi, false))
    created = gui->create(host.Plugin(), kWindowApi, false);
  return created;
}

bool ClapEditor::Size(int& width, int& height)
{
  uint32_t w = 0, h = 0;
  if (!Create() || !Gui(host)->get_size(host.Plugin(), &w, &h)) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool ClapEditor::Open(void* parent)
{
  if (!Create()) return false;
  clap_window_t window{};
  window.api = kWindowApi;
#ifdef _WIN32
  window.win32 = parent;
#else
  window.x11 = reinterpret_cast<clap_xwnd>(parent);
#endif
  return Gui(host)->set_parent(host.Plugin(), &window) && Gui(host)->show(host.Plugin());
}

void ClapEditor::Close()
{
  if (!created) return;
  Gui(host)->destroy(host.Plugin());
  created = false;
}
