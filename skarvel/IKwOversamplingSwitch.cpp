#include "skarvel/IKwOversamplingSwitch.h"

#include "skarvel/OversamplingSetting.h"
#include "skarvel/Skarvel.h"

IKwOversamplingSwitch::IKwOversamplingSwitch(Skarvel* effect, int x, int y, const SkinBitmap& b)
    : IBitmapControl(effect, x, y, -1, b), fx(effect)
{}

void IKwOversamplingSwitch::MouseDown(int, int, const MouseModifiers&)
{
  value = 1.0;
  MarkDirty(true);
  if (!fx) return;
  const int next =
    (OversamplingSetting::StepOfFactor(fx->GetOversampling()) + 1) % OversamplingSetting::kNumSteps;
  fx->SetOversampling(OversamplingSetting::FactorOfStep(next));
}

void IKwOversamplingSwitch::MouseUp(int, int, const MouseModifiers&)
{
  value = 0.0;
  MarkDirty(true);
}

void IKwOversamplingSwitch::MouseDoubleClick(int x, int y, const MouseModifiers& mod)
{
  MouseDown(x, y, mod);
}
