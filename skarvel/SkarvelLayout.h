#pragma once

#include <vector>

#include "gui/EditorTypes.h"
#include "skarvel/PanelLayout.h"

class IGraphics;
class IKwCurve;
class IKwTabButton;
class ITextControl;
class Skarvel;

// The controls of the effect's editor that the effect itself updates, and the two pages.
struct SkarvelEditorControls
{
  static constexpr int kRoles = static_cast<int>(PanelLayout::Role::AboutTab) + 1;

  ITextControl* text[kRoles] = {};  // the text read-outs, by role
  IKwCurve* colouredCurve = nullptr;
  IKwCurve* whiteCurve = nullptr;
  IKwTabButton* effectTab = nullptr;
  IKwTabButton* aboutTab = nullptr;
  std::vector<int> effectPage;  // control indices
  std::vector<int> aboutPage;

  ITextControl* Text(PanelLayout::Role r) const { return text[static_cast<int>(r)]; }
};

// The effect's four text styles, T1 to T4.
struct SkarvelTextStyles
{
  TextStyle style[4];
  SkarvelTextStyles();
  const TextStyle& Get(PanelLayout::Style s) const;
};

// Builds the whole editor on the surface in the panel table's order (the background becomes
// index 0) and returns the controls the effect updates. The about page starts hidden and the
// effect tab selected. The coloured curve draws `waveform`, the white one `transfer`.
SkarvelEditorControls BuildSkarvelLayout(Skarvel* fx, IGraphics* g, const SkarvelTextStyles& styles,
                                         const double* waveform, const double* transfer, int curvePoints);
