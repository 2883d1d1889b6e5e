#include "skarvel/IKwPresetSwitch.h"

#include "plug/IPlugBase.h"

IKwPresetSwitch::IKwPresetSwitch(IPlugBase* plug, int x, int y, const SkinBitmap& b, int dir)
    : IBitmapControl(plug, x, y, -1, b), direction(dir)
{}

void IKwPresetSwitch::MouseDown(int, int, const MouseModifiers& mod)
{
  value = 1.0;
  if (plug) {
    const int step = mod.R ? 10 : 1;
    // ApplyPreset refuses an index outside the program list, so the ends do not wrap.
    plug->ApplyPreset(plug->GetCurrentPresetIdx() + (direction == kNext ? step : -step));
    plug->InformHostOfProgramChange();
    plug->InformHostOfAllParameters();
  }
  MarkDirty(true);
}

void IKwPresetSwitch::MouseUp(int, int, const MouseModifiers&)
{
  value = 0.0;
  MarkDirty(true);
}

void IKwPresetSwitch::MouseDoubleClick(int x, int y, const MouseModifiers& mod) { MouseDown(x, y, mod); }
