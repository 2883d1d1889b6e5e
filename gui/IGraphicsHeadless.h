#pragma once

#include "gui/IGraphics.h"

// A surface without a window, for tests, screenshots and hosts without a display: presenting
// does nothing and every dialog, menu and text prompt answers "cancelled".
class IGraphicsHeadless : public IGraphics
{
public:
  using IGraphics::IGraphics;

  void PresentRect(const EditorRect&) override {}
  void CancelTextEntry() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  IPopupMenu* CreatePopupMenu(IPopupMenu&, const EditorRect&) override { return nullptr; }
  void CreateTextEntry(IControl*, const TextStyle&, const EditorRect&, const char*, IPlugParam*) override {}
  void HostPath(std::string& path) override { path.clear(); }
  void PluginPath(std::string& path) override { path.clear(); }
  void DesktopPath(std::string& path) override { path.clear(); }
  void PromptForFile(std::string& file, int, std::string&, const char*) override { file.clear(); }
  bool PromptForColour(EditorColour&, const char*) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
};
