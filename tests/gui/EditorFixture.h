#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "gui/IControl.h"
#include "gui/IGraphics.h"
#include "skarvel/PanelLayout.h"
#include "skarvel/Skarvel.h"

// What the effect tells its host while the editor is used.
struct HostLog
{
  std::vector<std::pair<VstInt32, VstInt32>> calls;   // opcode, index
  std::vector<std::pair<VstInt32, float>> automated;  // index, value

  int Count(VstInt32 opcode) const;
  void Clear() { calls.clear(), automated.clear(); }
};

// One effect with its editor, driven through the surface's mouse entry points at the real
// positions of the controls.
class EditorTest : public ::testing::Test
{
protected:
  EditorTest();
  ~EditorTest() override;

  IGraphics& Gui() { return *fx->GetGUI(); }
  // The control built from the panel table's first entry of this kind and parameter (and arg).
  int IndexOf(PanelLayout::Kind kind, int param = -1, int arg = -1) const;
  IControl& Control(int index) { return *Gui().GetControl(index); }
  IControl& Bound(int param) { return Control(IndexOf(PanelLayout::Kind::Knob, param)); }

  void Press(int index, MouseModifiers mod = Left());
  void Release(int index, MouseModifiers mod = Left());
  void Click(int index, MouseModifiers mod = Left());
  void DoubleClick(int index, MouseModifiers mod = Left());
  // Presses the control, moves the mouse by (dx, dy) in `steps` equal moves, releases.
  void Drag(int index, int dx, int dy, int steps, MouseModifiers mod = Left());
  void Wheel(int index, int notches, MouseModifiers mod = MouseModifiers());
  double Param(int index) { return fx->GetParam(index)->value; }

  static MouseModifiers Left();
  static MouseModifiers Right();
  static MouseModifiers LeftWithControl();
  static std::pair<int, int> Centre(const EditorRect& r) { return {(r.L + r.R) / 2, (r.T + r.B) / 2}; }

  HostLog host;
  std::unique_ptr<Skarvel> fx;
};
