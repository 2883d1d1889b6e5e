// The editor as a host meets it: the DLL loaded with LoadLibrary, its window opened in a real
// top-level window through the dispatcher, used with the mouse, and what the window shows
// compared with the same editor state drawn without a window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draw/LICE_PNG.h"
#include "gui/IGraphics.h"
#include "skarvel/PanelLayout.h"
#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"
#include "tests/host/TestHost.h"
#include "tests/wineditor/WindowHarness.h"

namespace {

using namespace PanelLayout;

VstIntPtr VSTCALLBACK SilentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

const Control& ControlOf(Kind kind, int param)
{
  for (const Control& c : kControls)
    if (c.kind == kind && c.param == param) return c;
  ADD_FAILURE() << "no such control";
  return kControls[0];
}

POINT Centre(const Control& c)
{
  const Rect r = ControlRect(c);
  return {(r.l + r.r) / 2, (r.t + r.b) / 2};
}

bool InTextArea(int x, int y)
{
  for (const Control& c : kControls) {
    if (c.kind != Kind::Text && c.kind != Kind::Caption && c.kind != Kind::MaxLevelText) continue;
    const Rect r = ControlRect(c);
    if (x >= r.l && x < r.r && y >= r.t && y < r.b) return true;
  }
  return false;
}

LICE_pixel Rgb(LICE_IBitmap* bm, int x, int y) { return LICE_Row(bm, y)[x] & 0xFFFFFF; }

void WriteOpaquePng(const std::string& path, LICE_IBitmap* bm)
{
  for (int y = 0; y < bm->getHeight(); ++y)
    for (int x = 0; x < bm->getWidth(); ++x) LICE_Row(bm, y)[x] |= 0xFF000000u;
  WritePng(path.c_str(), bm);
}

}  // namespace

TEST(DllEditor, TheWindowShowsWhatTheSurfaceDraws)
{
  TestHost host;
  ASSERT_TRUE(host.Load(SKARVEL_PLUGIN_PATH)) << host.Error();
  host.Start(44100.0f, 512);
  ASSERT_TRUE(host.Effect()->flags & effFlagsHasEditor);
  ERect* size = nullptr;
  ASSERT_EQ(host.Dispatch(effEditGetRect, 0, 0, &size), 1);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->right, 512);
  EXPECT_EQ(size->bottom, 480);

  HostWindow& parent = HostWindow::Shared();
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, parent.Handle()), 1);
  HWND editor = parent.Editor();
  ASSERT_NE(editor, nullptr) << "no IPlugWndClass child in the host window";
  Pump(100);

  // Bypass FX switched, and the drive knob turned up by dragging it 30 pixels upwards.
  const float bypassBefore = host.GetParameter(kBypassFX);
  const float driveBefore = host.GetParameter(kDistortion);
  const POINT bypass = Centre(ControlOf(Kind::Switch, kBypassFX));
  PostClick(editor, bypass.x, bypass.y);
  const POINT drive = Centre(ControlOf(Kind::Knob, kDistortion));
  PostDrag(editor, drive.x, drive.y, 0, -30, 6);
  Pump(200);  // a few timer ticks repaint what changed
  EXPECT_EQ(host.GetParameter(kBypassFX), 1.0f - bypassBefore);
  EXPECT_GT(host.GetParameter(kDistortion), driveBefore);

  std::unique_ptr<LICE_SysBitmap> shown = Capture(editor);
  ASSERT_EQ(shown->getWidth(), 512);
  ASSERT_EQ(shown->getHeight(), 480);

  // The same state, carried over in a program chunk, drawn whole without a window by an effect
  // this program creates through its own copy of the entry point.
  AEffect* e = VSTPluginMain(SilentHost);
  ASSERT_NE(e, nullptr);
  e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
  const std::vector<unsigned char> chunk = host.GetChunk(true);
  ASSERT_FALSE(chunk.empty());
  ASSERT_EQ(
    e->dispatcher(e, effSetChunk, 1, VstIntPtr(chunk.size()), const_cast<unsigned char*>(chunk.data()), 0.0f),
    1);
  IGraphics* gui = static_cast<Skarvel*>(static_cast<IPlugVST*>(e->object))->GetGUI();
  gui->DrawArea(EditorRect(0, 0, 512, 480));
  LICE_IBitmap* drawn = gui->GetDrawBitmap();

  int outside = 0, inside = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 512; ++x)
      if (Rgb(shown.get(), x, y) != Rgb(drawn, x, y)) ++(InTextArea(x, y) ? inside : outside);
  EXPECT_EQ(outside, 0) << "pixels differ outside the text read-outs";
  std::printf("pixels differing inside the text read-outs: %d\n", inside);

  WriteOpaquePng(std::string(WINEDITOR_OUTPUT) + "/editor_window.png", shown.get());
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(host.Dispatch(effEditClose), 1);
  EXPECT_EQ(parent.Editor(), nullptr);
  host.Close();
}
