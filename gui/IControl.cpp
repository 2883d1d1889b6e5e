#include "gui/IControl.h"

#include "gui/IGraphics.h"
#include "gui/ITextControl.h"
#include "plug/IPlugBase.h"

namespace {
// Aux bindings grow a page at a time.
constexpr size_t kAuxGrowBytes = 4096;
}  // namespace

IControl::IControl(IPlugBase* p, const EditorRect& r, int param, int blendMethod)
    : plug(p), rect(r), targetRect(r), paramIdx(param)
{
  blend.method = blendMethod;
}

IControl::~IControl() = default;

IGraphics* IControl::GetGUI() const { return plug ? plug->GetGUI() : nullptr; }

void IControl::MouseDown(int, int, const MouseModifiers& mod)
{
  if (mod.R) PromptForValue();
}

void IControl::MouseUp(int, int, const MouseModifiers&) {}
void IControl::MouseDrag(int, int, int, int, const MouseModifiers&) {}

void IControl::MouseDoubleClick(int, int, const MouseModifiers&)
{
  if (defaultValue >= 0.0) {
    value = defaultValue;
    MarkDirty(true);
  }
}

void IControl::MouseWheel(int, int, const MouseModifiers& mod, int d)
{
  value += d * (mod.C || mod.S ? 0.001 : 0.01);
  MarkDirty(true);
}

bool IControl::KeyDown(int, int, int) { return false; }
void IControl::MouseOver(int, int, const MouseModifiers&) {}
void IControl::MouseOut() {}

void IControl::ApplyValueFromPlug(double v)
{
  if (defaultValue < 0.0) defaultValue = value = v;
  if (value == v) return;
  value = v;
  MarkDirty(false);
  redrawRequested = true;
}

void IControl::ApplyEnteredText(const char*) {}

void IControl::SetHidden(bool hide)
{
  hidden = hide;
  redrawRequested = true;
  MarkDirty(false);
}

void IControl::SetGreyed(bool grey)
{
  greyed = grey;
  blend.weight = grey ? 0.25f : 1.0f;
  MarkDirty(false);
}

bool IControl::HitTest(int x, int y) { return !targetRect.Empty() && targetRect.Contains(x, y); }

void IControl::MarkDirty(bool push)
{
  // NaN fails both tests in the first comparison's favour: it becomes the low end.
  if (!(value >= clampLo)) value = clampLo;
  if (value > clampHi) value = clampHi;
  dirty = true;
  if (!push || !plug || paramIdx < 0) return;
  plug->SetParameterFromEditor(paramIdx, value);
  IPlugParam* param = plug->GetParam(paramIdx);
  if (!param) return;
  if (valueDisplay) {
    char display[IPlugParam::kTextLen];
    param->GetDisplayForHost(display);
    valueDisplay->SetTextFromPlug(display);
  }
  if (nameDisplay) nameDisplay->SetTextFromPlug(param->name);
}

void IControl::MarkClean()
{
  dirty = redrawRequested;
  redrawRequested = false;
}

bool IControl::NeedsRedraw() { return dirty; }
void IControl::IdleTick() {}

void IControl::ApplyAuxValueFromPlug(int auxIdx, double v)
{
  if (auxIdx < 0 || auxIdx >= NAuxBindings() || aux[auxIdx].value == v) return;
  aux[auxIdx].value = v;
  MarkDirty(false);
  redrawRequested = true;
}

void IControl::AddAuxBinding(int param)
{
  if (aux.size() == aux.capacity()) aux.reserve(aux.size() + kAuxGrowBytes / sizeof(AuxBinding));
  aux.push_back({0.0, param});
}

void IControl::PromptForValue()
{
  IGraphics* gui = GetGUI();
  IPlugParam* param = plug && paramIdx >= 0 ? plug->GetParam(paramIdx) : nullptr;
  if (!gui || !param || promptDisabled) return;
  EditorRect box = rect;
  if (param->NDisplayTexts() == 0) {
    const int cx = (rect.L + rect.R) / 2, cy = (rect.T + rect.B) / 2;
    box = {cx - 15, cy - 8, cx + 15, cy + 8};
  }
  gui->PromptUserInput(this, param, box);
}
