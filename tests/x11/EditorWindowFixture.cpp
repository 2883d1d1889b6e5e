#include "tests/x11/EditorWindowFixture.h"

#include <algorithm>
#include <cstdio>

#include "draw/LICE_IBitmap.h"
#include "gui/IControl.h"
#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"
#include "tests/host/SkarvelUnderTest.h"

// Last: Xlib's macros (Complex, None, ...) would clash with the project's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

std::pair<int, int> Centre(const EditorRect& r) { return {(r.L + r.R) / 2, (r.T + r.B) / 2}; }

size_t Mismatches(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  size_t n = 0;
  int l = 9999, t = 9999, r = -1, btm = -1;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) {
      ++n;
      const int x = int(i % 512), y = int(i / 512);
      l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), btm = std::max(btm, y);
    }
  if (n) std::printf("mismatch box %d %d %d %d\n", l, t, r, btm);
  return n;
}

void EditorWindowTest::SetUp()
{
  server = std::make_unique<XvfbServer>(Depth());
  ASSERT_TRUE(server->Running()) << "Xvfb did not start";
  // Created through the entry point as the module's effect is, so it starts on the same program.
  AEffect* twin = VSTPluginMain(nullptr);
  ASSERT_TRUE(twin);
  reference = static_cast<Skarvel*>(IPlugVST::FromAEffect(twin));
  reference->Dispatch(effOpen, 0, 0, nullptr, 0.0f);
  reference->Dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  reference->Dispatch(effSetBlockSize, 0, 512, nullptr, 0.0f);
  reference->Dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
  OpenEditor();
  if (HasFatalFailure()) return;
  editor->Pump(150);
  if (host) host->ClearCalls();
}

void EditorWindowTest::OpenEditor()
{
  host = LoadSkarvel();
  ASSERT_TRUE(host);
  host->Start(44100.0f, 512);
  editor = std::make_unique<EditorHost>(*host);
  ASSERT_TRUE(editor->Open()) << editor->Error();
}

void EditorWindowTest::TearDown()
{
  editor.reset();
  if (host) host->Close();
  if (reference) {
    // Through the record, as a host closes it: that is where the object is deleted.
    AEffect* twin = reference->GetAEffect();
    twin->dispatcher(twin, effClose, 0, 0, nullptr, 0.0f);
  }
  host.reset();
  server.reset();
}

std::vector<uint32_t> EditorWindowTest::ReferencePixels()
{
  IGraphics* gui = reference->GetGUI();
  gui->DrawArea(EditorRect(0, 0, gui->Width(), gui->Height()));
  LICE_IBitmap* bm = gui->GetDrawBitmap();
  std::vector<uint32_t> rgb;
  for (int y = 0; y < bm->getHeight(); ++y)
    for (int x = 0; x < bm->getWidth(); ++x) rgb.push_back(LICE_Row(bm, y)[x] & 0xFFFFFFu);
  return rgb;
}

std::vector<uint32_t> EditorWindowTest::WindowPixels()
{
  editor->Pump(100);
  int w = 0, h = 0;
  return editor->Grab(EditorWindow(), w, h);
}

EditorRect EditorWindowTest::ControlRect(PanelLayout::Kind kind, int param, int arg) const
{
  for (int i = 0; i < PanelLayout::kControlCount; ++i) {
    const PanelLayout::Control& c = PanelLayout::kControls[i];
    if (c.kind == kind && c.param == param && (arg < 0 || c.arg == arg))
      return reference->GetGUI()->GetControl(i)->GetRECT();
  }
  ADD_FAILURE() << "no such control in the panel table";
  return EditorRect();
}

void EditorWindowTest::MoveTo(int x, int y)
{
  int rx = 0, ry = 0;
  Window child;
  XTranslateCoordinates(X(), InputWindow(), DefaultRootWindow(X()), x, y, &rx, &ry, &child);
  XTestFakeMotionEvent(X(), -1, rx, ry, 0);
  XSync(X(), False);
  Settle();
}

void EditorWindowTest::Button(unsigned int button, bool press)
{
  XTestFakeButtonEvent(X(), button, press, 0);
  XSync(X(), False);
  Settle();
}

void EditorWindowTest::ClickAt(int x, int y, unsigned int button)
{
  MoveTo(x, y);
  Button(button, true);
  Button(button, false);
}

void EditorWindowTest::QuickClicks(const std::vector<std::pair<int, int>>& points)
{
  for (const auto& [x, y] : points) {
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(X(), InputWindow(), DefaultRootWindow(X()), x, y, &rx, &ry, &child);
    XTestFakeMotionEvent(X(), -1, rx, ry, 0);
    XTestFakeButtonEvent(X(), 1, True, 0);
    XTestFakeButtonEvent(X(), 1, False, 0);
  }
  XSync(X(), False);
  Settle();
}

void EditorWindowTest::Key(unsigned long keysym, bool press)
{
  XTestFakeKeyEvent(X(), XKeysymToKeycode(X(), keysym), press, 0);
  XSync(X(), False);
  Settle();
}

std::vector<HostCallRecord> EditorWindowTest::CallsOf(VstInt32 opcode, VstInt32 index) const
{
  std::vector<HostCallRecord> out;
  for (const HostCallRecord& c : host->Calls())
    if (c.opcode == opcode && c.index == index) out.push_back(c);
  return out;
}
