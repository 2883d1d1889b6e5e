#include <clap/ext/gui.h>

#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"
#include "tests/host/ClapEditor.h"
#include "tests/host/SkarvelUnderTest.h"
#include "tests/x11/EditorWindowFixture.h"

// Last: Xlib's macros (Complex, None, ...) would clash with the project's names.
#include <X11/Xlib.h>

using Kind = PanelLayout::Kind;

// The CLAP module's editor embedded in a host window of its own through the gui extension,
// living on the host's timer; input goes to it. The VST2 host window of the fixture is
// unmapped, its in-process twin gives the control positions and the expected values.
class ClapEditorTest : public EditorWindowTest
{
protected:
  void SetUp() override
  {
    EditorWindowTest::SetUp();
    if (HasFatalFailure()) return;
    XUnmapWindow(X(), editor->TopLevel());
    clap = LoadSkarvelClap();
    ASSERT_TRUE(clap);
    ASSERT_TRUE(clap->Activate(44100.0, 512));
    clapEditor = std::make_unique<ClapEditor>(*clap);
    clapWindow = std::make_unique<EditorHost>(*clapEditor);
    ASSERT_TRUE(clapWindow->Open(0, "clap host")) << clapWindow->Error();
    clapWindow->Pump(150);
  }

  void TearDown() override
  {
    clapWindow.reset();
    clapEditor.reset();
    clap.reset();
    EditorWindowTest::TearDown();
  }

  unsigned long InputWindow() const override { return clapWindow->EditorWindow(); }
  void Settle() override { clapWindow->Pump(60); }

  // One block, as the host's next process call collects what the plug-in has to say.
  void ProcessBlock()
  {
    FloatBuffers in(2, std::vector<float>(64)), out = in;
    ASSERT_EQ(clap->Process(in, out, 64), CLAP_PROCESS_CONTINUE);
  }

  std::unique_ptr<ClapHost> clap;
  std::unique_ptr<ClapEditor> clapEditor;
  std::unique_ptr<EditorHost> clapWindow;
};

TEST_F(ClapEditorTest, ADragOnTheEmbeddedEditorReachesTheHostAsOneGesture)
{
  ASSERT_NE(InputWindow(), 0u) << "the container holds exactly the editor's window";
  XWindowAttributes wa;
  ASSERT_TRUE(XGetWindowAttributes(X(), InputWindow(), &wa));
  EXPECT_EQ(wa.width, 512);
  EXPECT_EQ(wa.height, 480);
  EXPECT_EQ(wa.map_state, IsViewable);
  EXPECT_EQ(clap->TimerCount(), 1u);

  const auto [x, y] = Centre(ControlRect(Kind::Knob, kFilterCutoff));
  const double before = clap->Value(kFilterCutoff);
  MoveTo(x, y);
  Button(1, true);
  MoveTo(x, y - 40);
  Button(1, false);
  EXPECT_GT(clap->FlushRequests(), 0);
  ProcessBlock();

  IGraphics* twin = Reference().GetGUI();
  twin->OnMouseDown(x, y, Left());
  twin->OnMouseDrag(x, y - 40, Left());
  twin->OnMouseUp(x, y - 40, Left());
  const double expected = Reference().GetParam(kFilterCutoff)->value;
  ASSERT_GT(expected, before);
  EXPECT_EQ(clap->Value(kFilterCutoff), expected);

  const std::vector<ClapParamEvent>& sent = clap->Received();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(sent[1].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(sent[1].value, expected);
  EXPECT_EQ(sent[2].type, CLAP_EVENT_PARAM_GESTURE_END);
  for (const ClapParamEvent& e : sent) EXPECT_EQ(e.id, clap_id(kFilterCutoff));

  clap->ClearReceived();
  ProcessBlock();
  EXPECT_TRUE(clap->Received().empty()) << "told once";

  clapWindow->Close();
  EXPECT_EQ(clap->TimerCount(), 0u);
}

// A host may hide the embedded editor without destroying it: its window is unmapped, and
// mapped again, in the same place, when shown.
TEST_F(ClapEditorTest, HideAndShowUnmapAndMapTheEditorsWindow)
{
  const auto* gui = clap->Get<clap_plugin_gui_t>(CLAP_EXT_GUI);
  ASSERT_NE(gui, nullptr);
  const unsigned long window = InputWindow();
  ASSERT_NE(window, 0u);
  auto mapState = [&] {
    Settle();
    XWindowAttributes wa{};
    return XGetWindowAttributes(X(), window, &wa) ? wa.map_state : -1;
  };
  ASSERT_TRUE(gui->hide(clap->Plugin()));
  EXPECT_EQ(mapState(), IsUnmapped);
  EXPECT_EQ(InputWindow(), window) << "hidden, not closed";
  ASSERT_TRUE(gui->show(clap->Plugin()));
  EXPECT_EQ(mapState(), IsViewable);
  clapWindow->Close();
  EXPECT_FALSE(gui->show(clap->Plugin())) << "nothing to show once closed";
}

// While the knob is held, the host hears of the gesture and its values at each block; the end
// follows when the button goes up. Between blocks, flush does the same.
TEST_F(ClapEditorTest, AHeldKnobIsReportedAsItMoves)
{
  const auto [x, y] = Centre(ControlRect(Kind::Knob, kFilterResonance));
  MoveTo(x, y);
  Button(1, true);
  MoveTo(x, y - 20);
  ProcessBlock();
  ASSERT_EQ(clap->Received().size(), 2u);
  EXPECT_EQ(clap->Received()[0].type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(clap->Received()[1].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(clap->Received()[1].value, clap->Value(kFilterResonance));
  clap->ClearReceived();

  MoveTo(x, y - 30);
  Button(1, false);
  clap->Deactivate();
  clap->Flush();
  ASSERT_EQ(clap->Received().size(), 2u);
  EXPECT_EQ(clap->Received()[0].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(clap->Received()[0].value, clap->Value(kFilterResonance));
  EXPECT_EQ(clap->Received()[1].type, CLAP_EVENT_PARAM_GESTURE_END);
}
