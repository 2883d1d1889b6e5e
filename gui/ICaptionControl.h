#pragma once

#include "gui/ITextControl.h"

// Shows the bound parameter's display string, optionally followed by its label.
class ICaptionControl : public ITextControl
{
public:
  ICaptionControl(IPlugBase* plug, const EditorRect& rect, int paramIdx, const TextStyle& style,
                  bool showLabel);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;
  bool Paint(IGraphics* g) override;

private:
  bool showLabel;
};
