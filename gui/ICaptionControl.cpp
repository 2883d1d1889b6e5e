#include "gui/ICaptionControl.h"

#include "plug/IPlugBase.h"

ICaptionControl::ICaptionControl(IPlugBase* plug, const EditorRect& r, int param, const TextStyle& style,
                                 bool label)
    : ITextControl(plug, r, style), showLabel(label)
{
  paramIdx = param;
}

void ICaptionControl::MouseDown(int, int, const MouseModifiers& mod)
{
  if (mod.L || mod.R) PromptForValue();
}

void ICaptionControl::MouseDoubleClick(int, int, const MouseModifiers&) { PromptForValue(); }

bool ICaptionControl::Paint(IGraphics* g)
{
  const IPlugParam* param = plug ? plug->GetParam(paramIdx) : nullptr;
  if (param) {
    char display[IPlugParam::kTextLen];
    param->GetDisplayForHost(display);
    text = display;
    if (showLabel) (text += ' ') += param->GetLabelForHost();
  }
  return ITextControl::Paint(g);
}
