// Windows: no window class yet, so the editor is drawn headless.
#include "gui/EditorSurface.h"
#include "gui/IGraphicsHeadless.h"

IGraphics* MakeEditorSurface(IPlugBase* plug, int width, int height, int fps)
{
  return new IGraphicsHeadless(plug, width, height, fps);
}
