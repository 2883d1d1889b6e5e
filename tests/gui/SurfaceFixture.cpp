#include "tests/gui/SurfaceFixture.h"

#include "draw/LICE_IBitmap.h"
#include "gui/IPopupMenu.h"

RecordingPlug::RecordingPlug(int nParams)
    : IPlugBase(nParams, "2-2", 1, "Recorder", "", "Kernwave", 0x10000, 1, 1, false)
{
  for (int i = 0; i < nParams; ++i) GetParam(i)->DefineDouble("p", 0.0, 0.0, 1.0, 0.001, "");
}

void RecordingPlug::SetParameterFromEditor(int i, double v)
{
  fromEditor.emplace_back(i, v);
  IPlugBase::SetParameterFromEditor(i, v);
}

void ProbeControl::MouseDrag(int x, int y, int dX, int dY, const MouseModifiers&)
{
  Note("drag", x, y);
  Note("by", dX, dY);
}

IPopupMenu* ScriptedSurface::CreatePopupMenu(IPopupMenu& menu, const EditorRect& r)
{
  promptRect = r;
  for (int i = 0; i < menu.NItems(); ++i) {
    menuItems.push_back(menu.GetItem(i)->text);
    menuFlags.push_back(menu.GetItem(i)->flags);
  }
  if (menuChoice < 0) return nullptr;
  menu.SetChosenItemIdx(menuChoice);
  return &menu;
}

void ScriptedSurface::CreateTextEntry(IControl* control, const TextStyle&, const EditorRect& r,
                                      const char* text, IPlugParam*)
{
  promptRect = r;
  entryControl = control;
  entryText = text;
}

void ScriptedSurface::PromptForFile(std::string& file, int action, std::string&, const char*)
{
  fileActions.push_back(action);
  if (!fileAnswer.empty()) file = fileAnswer;
}

std::unique_ptr<LICE_MemBitmap> MakeStrip(int w, int frameH, int frames, uint32_t colour)
{
  auto bm = std::make_unique<LICE_MemBitmap>(w, frameH * frames);
  for (int y = 0; y < frameH * frames; ++y)
    for (int x = 0; x < w; ++x) LICE_Row(bm.get(), y)[x] = colour + uint32_t(y / frameH);
  return bm;
}

SkinBitmap Skin(LICE_MemBitmap* bm, int frames)
{
  SkinBitmap s;
  s.bitmap = bm;
  s.W = bm->getWidth();
  s.H = bm->getHeight();
  s.N = frames;
  return s;
}

MouseModifiers LeftButton()
{
  MouseModifiers m;
  m.L = true;
  return m;
}
