// The editor window of an effect in this process, driven with window messages: what reaches
// the surface, with which coordinates and modifiers, and the text entry.
#include "gui/KeyCodes.h"
#include "tests/wineditor/EditorWindowFixture.h"

TEST_F(EditorWindow, OpensAChildOfTheHostWindowAndClosesIt)
{
  ASSERT_NE(gui, nullptr) << "the Windows surface is not the editor's";
  const HINSTANCE exe = GetModuleHandleA(nullptr);
  WNDCLASSA wc;
  EXPECT_FALSE(GetClassInfoA(exe, IGraphicsWin::kWindowClass, &wc));
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(gui->GetWindow(), editor);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  ASSERT_TRUE(GetClassInfoA(exe, IGraphicsWin::kWindowClass, &wc));
  EXPECT_TRUE(wc.style & CS_DBLCLKS);
  EXPECT_EQ(wc.hbrBackground, nullptr);
  EXPECT_EQ(GetWindowLongA(editor, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_CAPTION),
            LONG(WS_CHILD | WS_VISIBLE));
  RECT r;
  GetClientRect(editor, &r);
  EXPECT_EQ(r.right, 512);
  EXPECT_EQ(r.bottom, 480);
  EXPECT_EQ(GetWindowLongPtrA(editor, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(gui));

  EXPECT_EQ(Dispatch(effEditClose), 1);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(gui->GetWindow(), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(GetClassInfoA(exe, IGraphicsWin::kWindowClass, &wc)) << "the class outlived its last window";
}

TEST_F(EditorWindow, OpeningAgainKeepsWhereTheWindowWas)
{
  HWND first = Open();
  ASSERT_NE(first, nullptr);
  MoveWindow(first, 30, 20, 512, 480, TRUE);
  HWND second = Open();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  RECT r;
  GetWindowRect(second, &r);
  POINT corner = {r.left, r.top};
  ScreenToClient(host.Handle(), &corner);
  EXPECT_EQ(corner.x, 30);
  EXPECT_EQ(corner.y, 20);
  EXPECT_EQ(r.right - r.left, 512);
}

TEST_F(EditorWindow, ButtonsAndMovesReachTheControlWithTheirModifiers)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  PostMouse(editor, WM_LBUTTONDOWN, 30, 15, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(GetCapture(), editor);
  PostMouse(editor, WM_MOUSEMOVE, 35, 12, MK_LBUTTON | MK_CONTROL);
  PostMouse(editor, WM_MOUSEMOVE, -4, 12, MK_LBUTTON);  // beyond the left edge while captured
  PostMouse(editor, WM_LBUTTONUP, -4, 12, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(probe->calls.size(), 4u);
  const Probe::Call& down = probe->calls[0];
  EXPECT_EQ(down.what, "down");
  EXPECT_EQ(down.x, 30);
  EXPECT_EQ(down.y, 15);
  EXPECT_TRUE(down.mod.L && down.mod.S && !down.mod.R && !down.mod.C);
  const Probe::Call& drag = probe->calls[1];
  EXPECT_EQ(drag.what, "drag");
  EXPECT_EQ(drag.a, 5);
  EXPECT_EQ(drag.b, -3);
  EXPECT_TRUE(drag.mod.L && drag.mod.C);
  EXPECT_EQ(probe->calls[2].what, "drag");
  EXPECT_EQ(probe->calls[2].x, -4) << "coordinates are signed";
  EXPECT_EQ(probe->calls[3].what, "up");

  // Moves with a button held but without the capture are not drags.
  probe->calls.clear();
  PostMouse(editor, WM_MOUSEMOVE, 40, 20, MK_LBUTTON);
  EXPECT_TRUE(probe->calls.empty());
}

TEST_F(EditorWindow, TheMiddleButtonsReleaseLetsGoLikeTheOthers)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  PostMouse(editor, WM_MBUTTONDOWN, 30, 15, MK_MBUTTON);
  EXPECT_EQ(GetCapture(), editor);
  PostMouse(editor, WM_MBUTTONUP, 30, 15, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(probe->calls.size(), 2u);
  EXPECT_EQ(probe->calls[0].what, "down");
  EXPECT_EQ(probe->calls[1].what, "up");
}

TEST_F(EditorWindow, DoubleClicksCaptureOnlyWhenTheControlTakesThemAsAPress)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  PostMouse(editor, WM_LBUTTONDBLCLK, 30, 15, MK_LBUTTON);
  ASSERT_EQ(probe->calls.size(), 1u);
  EXPECT_EQ(probe->calls[0].what, "double");
  EXPECT_EQ(GetCapture(), nullptr);
  probe->SetDoubleClickActsAsClick(true);
  PostMouse(editor, WM_LBUTTONDBLCLK, 30, 15, MK_LBUTTON);
  EXPECT_EQ(probe->calls.back().what, "down");
  EXPECT_EQ(GetCapture(), editor);
  PostMouse(editor, WM_LBUTTONUP, 30, 15, 0);
}

TEST_F(EditorWindow, WheelNotchesComeFromTheSignedDelta)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  PostWheel(editor, 50, 25, -120);
  PostWheel(editor, 50, 25, 240);
  PostWheel(editor, 50, 25, 60);  // less than a notch
  ASSERT_EQ(probe->calls.size(), 3u);
  EXPECT_EQ(probe->calls[0].what, "wheel");
  EXPECT_EQ(probe->calls[0].x, 50) << "screen position made local";
  EXPECT_EQ(probe->calls[0].y, 25);
  EXPECT_EQ(probe->calls[0].a, -1);
  EXPECT_EQ(probe->calls[1].a, 2);
  EXPECT_EQ(probe->calls[2].a, 0);
}

TEST_F(EditorWindow, KeysTheEditorDoesNotTakeGoToTheHostWindow)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  POINT p = {50, 25};
  ClientToScreen(editor, &p);
  SetCursorPos(p.x, p.y);
  host.ClearKeys();
  PostKey(editor, 'A');
  PostKey(editor, VK_LEFT);
  ASSERT_EQ(probe->calls.size(), 2u);
  EXPECT_EQ(probe->calls[0].a, kKeyA);
  EXPECT_EQ(probe->calls[0].x, 50) << "at the cursor";
  EXPECT_EQ(probe->calls[1].a, kKeyLeft);
  EXPECT_TRUE(host.KeysReceived().empty());

  PostKey(editor, VK_F1);
  PostKey(editor, VK_NUMPAD1);  // 0x61, not an 'a'
  EXPECT_EQ(probe->calls.size(), 2u);
  probe->takesKeys = false;
  PostKey(editor, 'Z');
  EXPECT_EQ(probe->calls.back().a, kKeyZ);
  EXPECT_EQ(host.KeysReceived(), (std::vector<WPARAM>{VK_F1, VK_NUMPAD1, 'Z'}));
}

TEST_F(EditorWindow, TheTimerRepaintsWhatIsDirty)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  Pump(150);
  probe->paints = 0;
  Pump(150);
  EXPECT_EQ(probe->paints, 0) << "nothing changed, nothing painted";
  probe->MarkDirty(false);
  Pump(150);
  EXPECT_EQ(probe->paints, 1);
}

TEST_F(EditorWindow, EnterCommitsTheTypedValueOnTheNextTick)
{
  ASSERT_EQ(fx->GetParam(kFilterCutoff)->kind, IPlugParam::kDouble);
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  probe->SetPromptDisabled(false);
  const double before = fx->GetParam(kFilterCutoff)->value;
  PostMouse(editor, WM_RBUTTONDOWN, 50, 25, MK_RBUTTON);
  PostMouse(editor, WM_RBUTTONUP, 50, 25, 0);
  HWND edit = Edit(editor);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(gui->TextEntryWindow(), edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  Type(edit, "0.x2a5");  // letters are dropped for a number
  EXPECT_EQ(Text(edit), "0.25");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(gui->TextEntryState(), IGraphicsWin::kEntryCommit);
  EXPECT_EQ(fx->GetParam(kFilterCutoff)->value, before) << "applied only by the timer";
  Pump(120);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(gui->TextEntryWindow(), nullptr);
  EXPECT_EQ(fx->GetParam(kFilterCutoff)->value, 0.25);
  EXPECT_EQ(probe->GetValue(), fx->GetParam(kFilterCutoff)->ToNormalized(0.25));
}

TEST_F(EditorWindow, ClickingElsewhereCancelsTheTextEntry)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  probe->SetPromptDisabled(false);
  const double before = fx->GetParam(kFilterCutoff)->value;
  PostMouse(editor, WM_RBUTTONDOWN, 50, 25, MK_RBUTTON);
  PostMouse(editor, WM_RBUTTONUP, 50, 25, 0);
  HWND edit = Edit(editor);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  Type(edit, "0.9");
  PostClick(editor, 5, 5);  // the bare background
  EXPECT_FALSE(IsWindow(edit));
  Pump(120);
  EXPECT_EQ(fx->GetParam(kFilterCutoff)->value, before);

  // While the box has the focus a click only asks the timer to cancel.
  PostMouse(editor, WM_RBUTTONDOWN, 50, 25, MK_RBUTTON);
  PostMouse(editor, WM_RBUTTONUP, 50, 25, 0);
  edit = Edit(editor);
  ASSERT_NE(edit, nullptr);
  SetFocus(editor);
  SetFocus(edit);
  EXPECT_EQ(gui->TextEntryState(), IGraphicsWin::kEntryEditing);
  probe->calls.clear();
  PostMouse(editor, WM_LBUTTONDOWN, 30, 15, MK_LBUTTON);
  EXPECT_TRUE(probe->calls.empty()) << "the press was consumed";
  EXPECT_EQ(gui->TextEntryState(), IGraphicsWin::kEntryCancel);
  Pump(120);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(fx->GetParam(kFilterCutoff)->value, before);
}
