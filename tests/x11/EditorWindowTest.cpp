#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"
#include "tests/x11/EditorWindowFixture.h"

// Last: Xlib's macros (Complex, None, ...) would clash with the project's names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using Kind = PanelLayout::Kind;

TEST_F(EditorWindowTest, OpensAsA512x480ChildOfTheHostWindowShowingTheHeadlessPicture)
{
  ASSERT_NE(EditorWindow(), 0u) << "the container holds exactly the editor's window";
  XWindowAttributes wa;
  ASSERT_TRUE(XGetWindowAttributes(X(), EditorWindow(), &wa));
  EXPECT_EQ(wa.x, 0);
  EXPECT_EQ(wa.y, 0);
  EXPECT_EQ(wa.width, 512);
  EXPECT_EQ(wa.height, 480);
  EXPECT_EQ(wa.map_state, IsViewable);
  EXPECT_EQ(Mismatches(WindowPixels(), ReferencePixels()), 0u);
}

TEST_F(EditorWindowTest, AnUncoveredAreaIsPaintedAgain)
{
  const std::vector<uint32_t> want = ReferencePixels();
  ASSERT_EQ(Mismatches(WindowPixels(), want), 0u);
  // A white window over part of the editor; the editor's window has no background of its own,
  // so only its repaint can take the white away again.
  XSetWindowAttributes a{};
  a.override_redirect = True;
  a.background_pixel = WhitePixel(X(), DefaultScreen(X()));
  const Window cover = XCreateWindow(X(), DefaultRootWindow(X()), 100, 100, 200, 150, 0, CopyFromParent,
                                     InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
  XMapRaised(X(), cover);
  XSync(X(), False);
  editor->Pump(50);
  XUnmapWindow(X(), cover);
  XDestroyWindow(X(), cover);
  XSync(X(), False);
  EXPECT_EQ(Mismatches(WindowPixels(), want), 0u);
}

TEST_F(EditorWindowTest, ClickingBypassFxSwitchesItTellsTheHostAndRepaints)
{
  const auto [x, y] = Centre(ControlRect(Kind::Switch, kBypassFX));
  const float before = host->GetParameter(kBypassFX);
  ClickAt(x, y);
  EXPECT_EQ(host->GetParameter(kBypassFX), 1.0f - before);
  const auto automated = CallsOf(audioMasterAutomate, kBypassFX);
  ASSERT_EQ(automated.size(), 1u);
  EXPECT_EQ(automated[0].opt, 1.0f - before);
  EXPECT_EQ(CallsOf(audioMasterBeginEdit, kBypassFX).size(), 1u);
  EXPECT_EQ(CallsOf(audioMasterEndEdit, kBypassFX).size(), 1u);

  Reference().GetGUI()->OnMouseDown(x, y, Left());
  Reference().GetGUI()->OnMouseUp(x, y, Left());
  EXPECT_EQ(Mismatches(WindowPixels(), ReferencePixels()), 0u);
}

TEST_F(EditorWindowTest, DraggingCutoffUpTurnsTheKnobAsTheSurfaceDoes)
{
  const auto [x, y] = Centre(ControlRect(Kind::Knob, kFilterCutoff));
  const float before = host->GetParameter(kFilterCutoff);
  MoveTo(x, y);
  Button(1, true);
  MoveTo(x, y - 40);
  Button(1, false);

  IGraphics* twin = Reference().GetGUI();
  twin->OnMouseDown(x, y, Left());
  twin->OnMouseDrag(x, y - 40, Left());
  twin->OnMouseUp(x, y - 40, Left());
  const float expected = Reference().GetParameterForHost(kFilterCutoff);
  ASSERT_GT(expected, before);
  EXPECT_EQ(host->GetParameter(kFilterCutoff), expected);
  const auto automated = CallsOf(audioMasterAutomate, kFilterCutoff);
  ASSERT_EQ(automated.size(), 1u);
  EXPECT_EQ(automated[0].opt, expected);
  EXPECT_EQ(CallsOf(audioMasterBeginEdit, kFilterCutoff).size(), 1u);
  EXPECT_EQ(CallsOf(audioMasterEndEdit, kFilterCutoff).size(), 1u);
  EXPECT_EQ(Mismatches(WindowPixels(), ReferencePixels()), 0u);
}

TEST_F(EditorWindowTest, TwoQuickPressesAreADoubleClickThatRestoresTheDefault)
{
  const auto [x, y] = Centre(ControlRect(Kind::Knob, kFilterCutoff));
  const float initial = host->GetParameter(kFilterCutoff);
  MoveTo(x, y);
  Button(1, true);
  MoveTo(x, y - 30);
  Button(1, false);
  const float turned = host->GetParameter(kFilterCutoff);
  ASSERT_NE(turned, initial);
  editor->Pump(500);

  // Presses further apart than the interval, then further apart than the distance.
  ClickAt(x, y);
  editor->Pump(500);
  ClickAt(x, y);
  EXPECT_EQ(host->GetParameter(kFilterCutoff), turned);
  editor->Pump(500);
  QuickClicks({{x, y}, {x + 6, y}});
  EXPECT_EQ(host->GetParameter(kFilterCutoff), turned);
  editor->Pump(500);

  QuickClicks({{x, y}, {x + 5, y}});
  EXPECT_EQ(host->GetParameter(kFilterCutoff), initial);
}

TEST_F(EditorWindowTest, AMiddleClickEndsItsGestureAndLetsGoOfTheControl)
{
  const auto [cx, cy] = Centre(ControlRect(Kind::Knob, kFilterCutoff));
  const float cutoff = host->GetParameter(kFilterCutoff);
  MoveTo(cx, cy);
  Button(2, true);
  Button(2, false);
  EXPECT_EQ(CallsOf(audioMasterBeginEdit, kFilterCutoff).size(),
            CallsOf(audioMasterEndEdit, kFilterCutoff).size());
  // Held, the knob would take the wheel wherever the pointer is.
  const auto [bx, by] = Centre(ControlRect(Kind::Knob, kBassAmount));
  const float bass = host->GetParameter(kBassAmount);
  MoveTo(bx, by);
  Button(4, true);
  Button(4, false);
  EXPECT_NE(host->GetParameter(kBassAmount), bass);
  EXPECT_EQ(host->GetParameter(kFilterCutoff), cutoff);
}

TEST_F(EditorWindowTest, WheelNotchesStepAKnobAndControlMakesThemFiner)
{
  const auto [x, y] = Centre(ControlRect(Kind::Knob, kBassAmount));
  IGraphics* twin = Reference().GetGUI();
  MoveTo(x, y);
  Button(4, true);
  Button(4, false);
  twin->OnMouseWheel(x, y, MouseModifiers(), 1);
  EXPECT_EQ(host->GetParameter(kBassAmount), Reference().GetParameterForHost(kBassAmount));

  MouseModifiers control;
  control.C = true;
  Key(XK_Control_L, true);
  Button(5, true);
  Button(5, false);
  Button(5, true);
  Button(5, false);
  Key(XK_Control_L, false);
  twin->OnMouseWheel(x, y, control, -1);
  twin->OnMouseWheel(x, y, control, -1);
  const float expected = Reference().GetParameterForHost(kBassAmount);
  EXPECT_EQ(host->GetParameter(kBassAmount), expected);
  EXPECT_NEAR(expected, 0.5 + 0.01 - 0.002, 1e-6) << "single precision of the host's value";
}

TEST_F(EditorWindowTest, KeysTheEditorDoesNotTakeGoOnToTheHostWindow)
{
  MoveTo(100, 100);
  Key(XK_a, true);
  Key(XK_a, false);
  Key(XK_F1, true);
  Key(XK_F1, false);
  editor->Pump(50);
  EXPECT_EQ(editor->ForwardedKeyTypes(), (std::vector<int>{KeyPress, KeyRelease, KeyPress, KeyRelease}));
}

TEST_F(EditorWindowTest, OpeningAgainWithoutClosingKeepsTheWindowWhereItWas)
{
  XMoveWindow(X(), EditorWindow(), 10, 20);
  XSync(X(), False);
  editor->Pump(50);
  ASSERT_TRUE(editor->Reopen());
  editor->Pump(100);
  const unsigned long second = EditorWindow();
  ASSERT_NE(second, 0u) << "the first window is gone";
  XWindowAttributes wa;
  ASSERT_TRUE(XGetWindowAttributes(X(), second, &wa));
  EXPECT_EQ(wa.x, 10);
  EXPECT_EQ(wa.y, 20);
  EXPECT_EQ(wa.width, 512);
  EXPECT_EQ(wa.height, 480);
}

TEST_F(EditorWindowTest, AHostDestroyingItsWindowFirstClosesTheEditorQuietly)
{
  XDestroyWindow(X(), editor->Container());
  XSync(X(), False);
  editor->Pump(100);
  EXPECT_EQ(host->Dispatch(effEditClose), 1);
  editor->Close();

  EditorHost again(*host);
  ASSERT_TRUE(again.Open()) << again.Error();
  again.Pump(100);
  EXPECT_NE(again.EditorWindow(), 0u);
}

TEST_F(EditorWindowTest, AParentThatIsNoWindowFailsTheOpen)
{
  host->Dispatch(effEditClose);
  EXPECT_EQ(host->Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t(0x7FFFFFF0))), 0);
  EXPECT_EQ(host->Dispatch(effEditOpen, 0, 0, nullptr), 0);
  host->Dispatch(effEditIdle);
  // The editor still opens where it can.
  EXPECT_TRUE(editor->Reopen());
  editor->Pump(100);
  EXPECT_NE(EditorWindow(), 0u);
}

TEST_F(EditorWindowTest, ResizingGrowsTheWindowAndItsContainerByTheDifference)
{
  // The twin, so the surface can be resized directly; it opens beside the module's editor.
  const unsigned long box = XCreateSimpleWindow(X(), editor->TopLevel(), 0, 0, 520, 490, 0, 0, 0);
  XMapWindow(X(), box);
  XSync(X(), False);
  IGraphics& gui = *Reference().GetGUI();
  ASSERT_EQ(Reference().Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t(box)), 0.0f), 1);
  const unsigned long own = reinterpret_cast<uintptr_t>(gui.GetWindow());
  gui.Resize(600, 500);
  XWindowAttributes wa;
  ASSERT_TRUE(XGetWindowAttributes(X(), own, &wa));
  EXPECT_EQ(wa.width, 600);
  EXPECT_EQ(wa.height, 500);
  ASSERT_TRUE(XGetWindowAttributes(X(), box, &wa));
  EXPECT_EQ(wa.width, 520 + 88);
  EXPECT_EQ(wa.height, 490 + 20);
  ASSERT_TRUE(XGetWindowAttributes(X(), editor->TopLevel(), &wa));
  EXPECT_EQ(wa.width, 512) << "the host's top-level window keeps its size";
}

// On a 16-bit server the window cannot take the bitmap's words as they are.
class EditorWindow16BitTest : public EditorWindowTest
{
protected:
  int Depth() const override { return 16; }
};

TEST_F(EditorWindow16BitTest, TheConvertedCopyKeepsTheTopBitsOfEveryChannel)
{
  editor->Pump(100);
  int w = 0, h = 0;
  const std::vector<unsigned long> raw = editor->GrabRaw(EditorWindow(), w, h);
  const std::vector<uint32_t> want = ReferencePixels();
  ASSERT_EQ(raw.size(), want.size());
  size_t wrong = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    const uint32_t p = want[i];
    const unsigned long rgb565 = ((p >> 19) & 0x1F) << 11 | ((p >> 10) & 0x3F) << 5 | ((p >> 3) & 0x1F);
    wrong += raw[i] != rgb565;
  }
  EXPECT_EQ(wrong, 0u);
}
