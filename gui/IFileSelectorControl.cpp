#include "gui/IFileSelectorControl.h"

#include "gui/IGraphics.h"

IFileSelectorControl::IFileSelectorControl(IPlugBase* plug, const EditorRect& r, int fileAction,
                                           const SkinBitmap& b, const char* dir, const char* ext)
    : IControl(plug, r), bitmap(b), directory(dir ? dir : ""), extensions(ext ? ext : ""), action(fileAction)
{}

IFileSelectorControl::~IFileSelectorControl() = default;

void IFileSelectorControl::MouseDown(int, int, const MouseModifiers&)
{
  IGraphics* gui = GetGUI();
  if (!gui) return;
  state = kPrompting;
  MarkDirty(false);
  gui->PromptForFile(file, action, directory, extensions.c_str());
  value += 1.0;
  if (value > 1.0) value = 0.0;
  state = kFinished;
  MarkDirty(true);
}

bool IFileSelectorControl::Paint(IGraphics* g)
{
  if (state == kPrompting) g->DrawBitmapFrame(bitmap, rect, 1);
  return true;
}

bool IFileSelectorControl::NeedsRedraw()
{
  if (dirty) return true;
  if (state != kFinished) return false;
  state = kIdle;
  return true;
}
