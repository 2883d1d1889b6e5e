#pragma once

#include "gui/IFileSelectorControl.h"

class Skarvel;

// The preset file buttons: the open action loads the chosen preset file into the effect, the
// save action writes the current settings to it. A cancelled dialog changes nothing.
class IKwFileSelector : public IFileSelectorControl
{
public:
  IKwFileSelector(Skarvel* fx, const EditorRect& rect, int action, const SkinBitmap& bitmap);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  // The pressed frame while the dialog is open, else the released one.
  bool Paint(IGraphics* g) override;

private:
  Skarvel* fx;
};
