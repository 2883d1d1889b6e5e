#pragma once

#include <memory>
#include <string>
#include <vector>

#include "draw/LICE_MemBitmap.h"
#include "gui/IControl.h"
#include "gui/IGraphicsHeadless.h"
#include "plug/IPlugBase.h"

// A plug-in with a few plain parameters that records what the surface tells it.
class RecordingPlug : public IPlugBase
{
public:
  explicit RecordingPlug(int nParams = 3);
  void BeginInformHostOfParamChange(int i) override { log.push_back("begin " + std::to_string(i)); }
  void EndInformHostOfParamChange(int i) override { log.push_back("end " + std::to_string(i)); }
  void SetParameterFromEditor(int i, double v) override;

  std::vector<std::string> log;
  std::vector<std::pair<int, double>> fromEditor;
};

// A control that records the calls it receives, as "what x,y".
class ProbeControl : public IControl
{
public:
  ProbeControl(IPlugBase* plug, const EditorRect& r, int param = -1) : IControl(plug, r, param) {}

  void MouseDown(int x, int y, const MouseModifiers&) override { Note("down", x, y); }
  void MouseUp(int x, int y, const MouseModifiers&) override { Note("up", x, y); }
  void MouseDrag(int x, int y, int dX, int dY, const MouseModifiers&) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers&) override { Note("double", x, y); }
  void MouseWheel(int, int, const MouseModifiers&, int d) override { Note("wheel", d, 0); }
  bool KeyDown(int, int, int key) override { return Note("key", key, 0), takesKeys; }
  bool Paint(IGraphics*) override { return ++paints, true; }
  void IdleTick() override { ++idleTicks; }

  std::vector<std::string> calls;
  int paints = 0;
  int idleTicks = 0;
  bool takesKeys = true;

private:
  void Note(const char* what, int a, int b)
  {
    calls.push_back(what + (" " + std::to_string(a) + "," + std::to_string(b)));
  }
};

// A headless surface that answers the prompts as scripted and records them.
class ScriptedSurface : public IGraphicsHeadless
{
public:
  using IGraphicsHeadless::IGraphicsHeadless;

  IPopupMenu* CreatePopupMenu(IPopupMenu& menu, const EditorRect& r) override;
  void CreateTextEntry(IControl* control, const TextStyle&, const EditorRect& r, const char* text,
                       IPlugParam*) override;
  void PromptForFile(std::string& file, int action, std::string&, const char*) override;
  void PresentRect(const EditorRect& r) override { presented.push_back(r); }

  int menuChoice = -1;  // -1: the menu is dismissed
  std::vector<std::string> menuItems;
  std::vector<int> menuFlags;
  EditorRect promptRect;
  std::string entryText;
  IControl* entryControl = nullptr;
  std::string fileAnswer;  // "" cancels
  std::vector<int> fileActions;
  std::vector<EditorRect> presented;
};

// An opaque strip of n frames stacked vertically; frame k is `colour` + k in the blue channel.
std::unique_ptr<LICE_MemBitmap> MakeStrip(int w, int frameH, int frames, uint32_t colour);
SkinBitmap Skin(LICE_MemBitmap* bm, int frames);
MouseModifiers LeftButton();
