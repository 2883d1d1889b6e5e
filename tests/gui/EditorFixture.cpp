#include "tests/gui/EditorFixture.h"

namespace {
HostLog* g_log = nullptr;

VstIntPtr VSTCALLBACK RecordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
{
  if (!g_log) return 0;
  g_log->calls.emplace_back(opcode, index);
  if (opcode == audioMasterAutomate) g_log->automated.emplace_back(index, opt);
  return 0;
}
}  // namespace

int HostLog::Count(VstInt32 opcode) const
{
  int n = 0;
  for (const auto& c : calls) n += c.first == opcode;
  return n;
}

EditorTest::EditorTest()
{
  g_log = &host;
  fx = std::make_unique<Skarvel>(RecordingHost);
  host.Clear();
}

EditorTest::~EditorTest()
{
  fx.reset();
  g_log = nullptr;
}

int EditorTest::IndexOf(PanelLayout::Kind kind, int param, int arg) const
{
  for (int i = 0; i < PanelLayout::kControlCount; ++i) {
    const PanelLayout::Control& c = PanelLayout::kControls[i];
    if (c.kind == kind && c.param == param && (arg < 0 || c.arg == arg)) return i;
  }
  ADD_FAILURE() << "no such control in the panel table";
  return -1;
}

void EditorTest::Press(int index, MouseModifiers mod)
{
  const auto [x, y] = Centre(Control(index).GetRECT());
  Gui().OnMouseDown(x, y, mod);
}

void EditorTest::Release(int index, MouseModifiers mod)
{
  const auto [x, y] = Centre(Control(index).GetRECT());
  Gui().OnMouseUp(x, y, mod);
}

void EditorTest::Click(int index, MouseModifiers mod)
{
  Press(index, mod);
  Release(index, mod);
}

void EditorTest::DoubleClick(int index, MouseModifiers mod)
{
  const auto [x, y] = Centre(Control(index).GetRECT());
  Gui().OnMouseDoubleClick(x, y, mod);
  Gui().OnMouseUp(x, y, mod);
}

void EditorTest::Drag(int index, int dx, int dy, int steps, MouseModifiers mod)
{
  const auto [x, y] = Centre(Control(index).GetRECT());
  Gui().OnMouseDown(x, y, mod);
  for (int i = 1; i <= steps; ++i) Gui().OnMouseDrag(x + dx * i / steps, y + dy * i / steps, mod);
  Gui().OnMouseUp(x + dx, y + dy, mod);
}

void EditorTest::Wheel(int index, int notches, MouseModifiers mod)
{
  const auto [x, y] = Centre(Control(index).GetRECT());
  Gui().OnMouseWheel(x, y, mod, notches);
}

MouseModifiers EditorTest::Left()
{
  MouseModifiers m;
  m.L = true;
  return m;
}

MouseModifiers EditorTest::Right()
{
  MouseModifiers m;
  m.R = true;
  return m;
}

MouseModifiers EditorTest::LeftWithControl()
{
  MouseModifiers m = Left();
  m.C = true;
  return m;
}
