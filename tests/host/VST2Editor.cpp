#include "tests/host/VST2Editor.h"

bool VST2Editor::Size(int& width, int& height)
{
  ERect* rect = nullptr;
  if (!host.Dispatch(effEditGetRect, 0, 0, &rect) || !rect) return false;
  width = rect->right - rect->left;
  height = rect->bottom - rect->top;
  return true;
}
