#include "skarvel/SkarvelLayout.h"

#include "gui/ICaptionControl.h"
#include "gui/IFaderControl.h"
#include "gui/IGraphics.h"
#include "gui/IKnobMultiControl.h"
#include "skarvel/IKwCurve.h"
#include "skarvel/IKwFileSelector.h"
#include "skarvel/IKwMaxLevelText.h"
#include "skarvel/IKwModeSwitch.h"
#include "skarvel/IKwOversamplingSwitch.h"
#include "skarvel/IKwPresetSwitch.h"
#include "skarvel/IKwResetButton.h"
#include "skarvel/IKwTabButton.h"
#include "gui/ISwitchControl.h"
#include "skarvel/Skarvel.h"

using namespace PanelLayout;

namespace {

TextStyle ReadoutStyle(const EditorColour& colour, int align)
{
  return TextStyle("Arial", 13, colour, TextStyle::kStyleNormal, align, 0, TextStyle::kQualityNonAntiAliased);
}

EditorRect ToEditorRect(const PanelLayout::Rect& r) { return {r.l, r.t, r.r, r.b}; }

struct Builder
{
  Skarvel* fx;
  IGraphics* g;
  const SkarvelTextStyles& styles;
  const double* waveform;
  const double* transfer;
  int curvePoints;
  SkarvelEditorControls out;

  ::SkinBitmap Bitmap(int id)
  {
    const PanelLayout::SkinBitmap* b = FindBitmap(id);
    return b ? g->LoadBitmap(b->id, b->fileName, b->frames) : ::SkinBitmap();
  }

  IControl* Make(const Control& c)
  {
    const int x = c.rect.l, y = c.rect.t;
    const EditorRect r = ToEditorRect(c.rect);
    switch (c.kind) {
      case Kind::Bitmap: return new IBitmapControl(fx, x, y, -1, Bitmap(c.bitmapId), c.arg);
      case Kind::Switch: return new ISwitchControl(fx, x, y, c.param, Bitmap(c.bitmapId));
      case Kind::Knob:
        return new IKnobMultiControl(fx, x, y, c.param, Bitmap(c.bitmapId), IKnobMultiControl::kVertical,
                                     4.0);
      case Kind::Fader:
        return new IFaderControl(fx, x, y, c.arg, c.param, Bitmap(c.bitmapId), IFaderControl::kHorizontal);
      case Kind::Text: return new ITextControl(fx, r, styles.Get(c.style), c.text);
      case Kind::Caption: return new ICaptionControl(fx, r, c.param, styles.Get(c.style), false);
      case Kind::PresetSwitch: return new IKwPresetSwitch(fx, x, y, Bitmap(c.bitmapId), c.arg);
      case Kind::ModeSwitch:
        return new IKwModeSwitch(fx, x, y, c.param, Bitmap(c.bitmapId), c.states, fx->MirrorOfParam(c.param),
                                 c.wrap, c.arg);
      case Kind::ResetButton: return new IKwResetButton(fx, x, y, Bitmap(c.bitmapId));
      case Kind::TabButton: return new IKwTabButton(fx, x, y, Bitmap(c.bitmapId), c.arg);
      case Kind::FileSelector: return new IKwFileSelector(fx, r, c.arg, Bitmap(c.bitmapId));
      case Kind::MaxLevelText: return new IKwMaxLevelText(fx, r, styles.Get(c.style), c.text);
      case Kind::Curve: return new IKwCurve(fx, r, c.arg != 0, c.arg ? waveform : transfer, curvePoints);
      case Kind::OversamplingSwitch: return new IKwOversamplingSwitch(fx, x, y, Bitmap(c.bitmapId));
    }
    return nullptr;
  }

  void Remember(const Control& c, IControl* control)
  {
    switch (c.role) {
      case Role::None: break;
      case Role::ColouredCurve: out.colouredCurve = static_cast<IKwCurve*>(control); break;
      case Role::WhiteCurve: out.whiteCurve = static_cast<IKwCurve*>(control); break;
      case Role::EffectTab: out.effectTab = static_cast<IKwTabButton*>(control); break;
      case Role::AboutTab: out.aboutTab = static_cast<IKwTabButton*>(control); break;
      default: out.text[static_cast<int>(c.role)] = static_cast<ITextControl*>(control); break;
    }
  }

  void Add(const Control& c)
  {
    // The table's first entry is the background.
    int index = 0;
    if (&c == &kControls[0])
      g->AttachBackground(Bitmap(c.bitmapId));
    else
      index = g->AttachControl(Make(c));
    IControl* control = g->GetControl(index);
    if (!control) return;
    Remember(c, control);
    if (c.page == Page::Effect) out.effectPage.push_back(index);
    if (c.page == Page::About) {
      out.aboutPage.push_back(index);
      control->SetHidden(true);
    }
  }
};

}  // namespace

SkarvelTextStyles::SkarvelTextStyles()
    : style{ReadoutStyle(kColourWhite, TextStyle::kAlignCentre),
            ReadoutStyle(kColourWhite, TextStyle::kAlignLeft),
            ReadoutStyle(kColourLightCyan, TextStyle::kAlignLeft),
            ReadoutStyle(kColourLightCyan, TextStyle::kAlignLeft)}
{}

const TextStyle& SkarvelTextStyles::Get(PanelLayout::Style s) const
{
  const int i = static_cast<int>(s) - static_cast<int>(PanelLayout::Style::T1);
  return style[i >= 0 && i < 4 ? i : 0];
}

SkarvelEditorControls BuildSkarvelLayout(Skarvel* fx, IGraphics* g, const SkarvelTextStyles& styles,
                                         const double* waveform, const double* transfer, int curvePoints)
{
  Builder b{fx, g, styles, waveform, transfer, curvePoints, {}};
  for (const Control& c : kControls) b.Add(c);
  if (b.out.effectTab) b.out.effectTab->SetValue(1.0);
  return b.out;
}
