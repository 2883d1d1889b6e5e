#pragma once

#include <string>

#include "gui/IControl.h"

// A button that asks the user for a file through the surface's file dialog and remembers the
// choice and its folder.
class IFileSelectorControl : public IControl
{
public:
  enum State { kIdle = 0, kPrompting = 1, kFinished = 2 };

  IFileSelectorControl(IPlugBase* plug, const EditorRect& rect, int action, const SkinBitmap& bitmap,
                       const char* directory = "", const char* extensions = "");
  ~IFileSelectorControl() override;

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  bool Paint(IGraphics* g) override;
  const SkinBitmap* DrawnBitmap() const override { return &bitmap; }
  // One more repaint once the dialog has closed.
  bool NeedsRedraw() override;

  const std::string& GetFile() const { return file; }
  const std::string& GetDirectory() const { return directory; }
  int GetState() const { return state; }

protected:
  SkinBitmap bitmap;
  std::string directory;
  std::string file;
  std::string extensions;
  int action;
  int state = kIdle;
};
