#include "skarvel/IKwFileSelector.h"

#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"

IKwFileSelector::IKwFileSelector(Skarvel* effect, const EditorRect& r, int fileAction, const SkinBitmap& b)
    : IFileSelectorControl(effect, r, fileAction, b, "", "kw bgp"), fx(effect)
{}

void IKwFileSelector::MouseDown(int x, int y, const MouseModifiers& mod)
{
  // A cancelled dialog leaves the file as it was; starting empty tells a cancel from a choice.
  file.clear();
  IFileSelectorControl::MouseDown(x, y, mod);
  if (!fx || file.empty()) return;
  if (action == IGraphics::kFileSave)
    fx->SavePresetFile(file.c_str());
  else
    fx->LoadPresetFile(file.c_str());
}

bool IKwFileSelector::Paint(IGraphics* g)
{
  g->DrawBitmapFrame(bitmap, rect, state == kPrompting ? 2 : 1);
  return true;
}
