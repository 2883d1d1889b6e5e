// Windows: the editor is a Win32 child window of the host's.
#include "gui/EditorSurface.h"
#include "gui/IGraphicsWin.h"

IGraphics* MakeEditorSurface(IPlugBase* plug, int width, int height, int fps)
{
  return new IGraphicsWin(plug, width, height, fps);
}
