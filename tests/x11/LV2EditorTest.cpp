#include <cmath>
#include <cstring>

#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"
#include "tests/host/LV2UIHost.h"
#include "tests/host/SkarvelLV2UnderTest.h"
#include "tests/x11/EditorWindowFixture.h"

// Last: Xlib's macros (Complex, None, ...) would clash with the project's names.
#include <X11/Xlib.h>

using Kind = PanelLayout::Kind;

// The LV2 plug-in's editor through the LV2 UI interface, opened in the host's window with the
// plug-in instance it shows and driven by the UI's idle calls. The VST2 effect in-process is
// the picture it must show.
class LV2EditorTest : public EditorWindowTest
{
protected:
  void OpenEditor() override
  {
    plugin = InstantiateSkarvelLV2();
    ASSERT_TRUE(plugin);
    plugin->Activate();
    IGraphics* gui = Reference().GetGUI();
    ui = std::make_unique<LV2UIHost>(*plugin, LV2Identity::kUIUri, gui->Width(), gui->Height());
    editor = std::make_unique<EditorHost>(*ui);
    ASSERT_TRUE(editor->Open()) << editor->Error();
  }

  void TearDown() override
  {
    editor.reset();
    ui.reset();
    plugin.reset();
    EditorWindowTest::TearDown();
  }

  static uint32_t Port(int param) { return LV2Identity::kFirstControl + static_cast<uint32_t>(param); }

  std::unique_ptr<LV2TestHost> plugin;
  std::unique_ptr<LV2UIHost> ui;
};

TEST_F(LV2EditorTest, OpensInTheHostsWindowShowingWhatTheVST2EditorDraws)
{
  EXPECT_EQ(ui->RequestedWidth(), 512);
  EXPECT_EQ(ui->RequestedHeight(), 480);
  ASSERT_NE(EditorWindow(), 0u) << "the host's window holds exactly the UI's window";
  XWindowAttributes wa;
  ASSERT_TRUE(XGetWindowAttributes(X(), EditorWindow(), &wa));
  EXPECT_EQ(wa.x, 0);
  EXPECT_EQ(wa.y, 0);
  EXPECT_EQ(wa.width, 512);
  EXPECT_EQ(wa.height, 480);
  EXPECT_EQ(wa.map_state, IsViewable);
  EXPECT_EQ(Mismatches(WindowPixels(), ReferencePixels()), 0u);
}

TEST_F(LV2EditorTest, DraggingCutoffWritesItsPortInsideATouchGesture)
{
  const auto [x, y] = Centre(ControlRect(Kind::Knob, kFilterCutoff));
  const float before = plugin->Control(kFilterCutoff);
  ui->ClearCalls();
  MoveTo(x, y);
  Button(1, true);
  MoveTo(x, y - 40);
  Button(1, false);

  IGraphics* twin = Reference().GetGUI();
  twin->OnMouseDown(x, y, Left());
  twin->OnMouseDrag(x, y - 40, Left());
  twin->OnMouseUp(x, y - 40, Left());
  const float expected = Reference().GetParameterForHost(kFilterCutoff);
  ASSERT_NE(expected, before);

  const std::vector<LV2UICall>& calls = ui->Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front().kind, LV2UICall::Touch);
  EXPECT_TRUE(calls.front().grabbed);
  EXPECT_EQ(calls.back().kind, LV2UICall::Touch);
  EXPECT_FALSE(calls.back().grabbed);
  for (size_t i = 1; i + 1 < calls.size(); ++i) EXPECT_EQ(calls[i].kind, LV2UICall::Write) << "call " << i;
  for (const LV2UICall& c : calls) EXPECT_EQ(c.port, Port(kFilterCutoff));
  EXPECT_EQ(calls[calls.size() - 2].value, expected);
  EXPECT_EQ(plugin->Control(kFilterCutoff), expected) << "the host passed the write on to the port";
  EXPECT_EQ(Mismatches(WindowPixels(), ReferencePixels()), 0u);
}

TEST_F(LV2EditorTest, APortEventFromTheHostShowsAtTheNextIdleWithoutWritingBack)
{
  const std::vector<uint32_t> before = WindowPixels();
  const float bypass = 1.0f - plugin->Control(kBypassFX);
  ui->ClearCalls();
  ui->PortEvent(Port(kFilterCutoff), 0.8f);
  ui->PortEvent(Port(kBypassFX), bypass);
  ui->PortEvent(Port(kVolume), std::nanf(""));
  Reference().SetParameterFromHost(kFilterCutoff, 0.8f);
  Reference().SetParameterFromHost(kBypassFX, bypass);
  const std::vector<uint32_t> after = WindowPixels();
  EXPECT_NE(after, before);
  EXPECT_EQ(Mismatches(after, ReferencePixels()), 0u);
  EXPECT_TRUE(ui->Calls().empty());
}

// A state restored while the editor is open (as after LOAD of a preset file) changes values
// the host's ports do not hold: the UI writes them, once, so a session saved next holds the
// same in its ports as in its state.
TEST_F(LV2EditorTest, ValuesTheHostWasNotToldOfReachItsPortsOnce)
{
  LV2State saved;
  ASSERT_EQ(plugin->SaveState(saved), LV2_STATE_SUCCESS);
  LV2StateValue& chunk = saved.at(LV2Identity::kStateKey);
  const double cutoff = 0.3;
  std::memcpy(&chunk.bytes[8 + 8 * kFilterCutoff], &cutoff, sizeof cutoff);
  ui->ClearCalls();
  ASSERT_EQ(plugin->RestoreState(saved), LV2_STATE_SUCCESS);
  Settle();
  Settle();
  const std::vector<LV2UICall>& calls = ui->Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, LV2UICall::Write);
  EXPECT_EQ(calls[0].port, Port(kFilterCutoff));
  EXPECT_EQ(calls[0].value, static_cast<float>(cutoff));
  plugin->Run(64);
  LV2State again;
  ASSERT_EQ(plugin->SaveState(again), LV2_STATE_SUCCESS);
  EXPECT_EQ(again, saved) << "the port's single-precision value did not replace the exact one";
}
