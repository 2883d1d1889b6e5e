// Linux: the editor is an X11 child window of the host's window. Until a host opens it the
// surface draws headless like any other, so tests and screenshots need no display.
#include "gui/EditorSurface.h"
#include "gui/IGraphicsX11.h"

IGraphics* MakeEditorSurface(IPlugBase* plug, int width, int height, int fps)
{
  return new IGraphicsX11(plug, width, height, fps);
}
