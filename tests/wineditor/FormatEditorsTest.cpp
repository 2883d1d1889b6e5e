// The VST3 and CLAP modules' editors as Windows hosts embed them: a Win32 child of the host's
// window, at the editor's one size, used with the mouse, and gone when the host closes it.
#include <gtest/gtest.h>

#include <clap/ext/gui.h>

#include "skarvel/PanelLayout.h"
#include "tests/host/ClapEditor.h"
#include "tests/host/SkarvelUnderTest.h"
#include "tests/host/VST3UnderTest.h"
#include "tests/wineditor/WindowHarness.h"

namespace {

using namespace PanelLayout;

POINT KnobCentre(int param)
{
  for (const Control& c : kControls)
    if (c.kind == Kind::Knob && c.param == param) {
      const Rect r = ControlRect(c);
      return {(r.l + r.r) / 2, (r.t + r.b) / 2};
    }
  ADD_FAILURE() << "no knob for parameter " << param;
  return {0, 0};
}

// The editor's window in the host's: the only editor child, visible, 512 x 480.
HWND ExpectEditorChild(HostWindow& parent)
{
  HWND editor = parent.Editor();
  EXPECT_NE(editor, nullptr) << "no editor child in the host window";
  if (!editor) return nullptr;
  EXPECT_EQ(FindWindowExA(parent.Handle(), editor, "IPlugWndClass", nullptr), nullptr) << "a second editor";
  EXPECT_TRUE(IsWindowVisible(editor));
  RECT r;
  GetClientRect(editor, &r);
  EXPECT_EQ(r.right, 512);
  EXPECT_EQ(r.bottom, 480);
  return editor;
}

}  // namespace

// Twice: a view attached to the host's HWND, a knob dragged (one gesture on the component
// handler), the view removed and released with every reference given back.
TEST(FormatEditors, VST3ViewAttachesToTheHostsWindowAndReportsEdits)
{
  auto host = CreateSkarvelVST3();
  ASSERT_TRUE(host);
  ASSERT_EQ(host->Start(44100.0, 256), V3_OK);
  ComponentHandler handler;
  v3_edit_controller** c = host->Controller();
  ASSERT_EQ(v3_cpp_obj(c)->set_component_handler(c, handler.Ptr()), V3_OK);
  HostWindow& parent = HostWindow::Shared();
  const POINT knob = KnobCentre(kFilterCutoff);

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    HostFrame frame;
    v3_plugin_view** view = v3_cpp_obj(c)->create_view(c, "editor");
    ASSERT_TRUE(view);
    EXPECT_EQ(v3_cpp_obj(view)->is_platform_type_supported(view, "HWND"), V3_TRUE);
    EXPECT_EQ(v3_cpp_obj(view)->is_platform_type_supported(view, "X11EmbedWindowID"), V3_FALSE);
    v3_view_rect rect{};
    ASSERT_EQ(v3_cpp_obj(view)->get_size(view, &rect), V3_OK);
    EXPECT_EQ(rect.right - rect.left, 512);
    EXPECT_EQ(rect.bottom - rect.top, 480);
    ASSERT_EQ(v3_cpp_obj(view)->set_frame(view, frame.Ptr()), V3_OK);
    EXPECT_EQ(v3_cpp_obj(view)->attached(view, parent.Handle(), "X11EmbedWindowID"), V3_FALSE);
    EXPECT_EQ(parent.Editor(), nullptr);
    ASSERT_EQ(v3_cpp_obj(view)->attached(view, parent.Handle(), "HWND"), V3_OK);
    EXPECT_TRUE(frame.timers.empty()) << "the Win32 editor runs on its own window timer";
    HWND editor = ExpectEditorChild(parent);
    ASSERT_NE(editor, nullptr);

    handler.edits.clear();
    PostDrag(editor, knob.x, knob.y, 0, -30, 6);
    Pump(100);
    ASSERT_GE(handler.edits.size(), 3u);
    EXPECT_EQ(handler.edits.front().kind, 'b');
    EXPECT_EQ(handler.edits.back().kind, 'e');
    for (const ComponentHandler::Edit& e : handler.edits) EXPECT_EQ(e.id, v3_param_id(kFilterCutoff));
    const ComponentHandler::Edit& last = handler.edits[handler.edits.size() - 2];
    EXPECT_EQ(last.kind, 'p');
    EXPECT_EQ(last.value, v3_cpp_obj(c)->get_parameter_normalised(c, kFilterCutoff));

    ASSERT_EQ(v3_cpp_obj(view)->removed(view), V3_OK);
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(parent.Editor(), nullptr);
    EXPECT_EQ(v3_cpp_obj_unref(view), 0u);
    EXPECT_EQ(frame.refs, 1) << "the view kept the frame";
  }
  host.reset();
  EXPECT_EQ(handler.refs, 1) << "the plug-in kept the component handler";
}

// Embedded through the gui extension in the host's HWND: a drag reaches the host as one
// gesture at its next process call; hide and show keep the window; destroy removes it.
TEST(FormatEditors, ClapGuiEmbedsInTheHostsWindowAndReportsEdits)
{
  auto clap = LoadSkarvelClap();
  ASSERT_TRUE(clap);
  ASSERT_TRUE(clap->Activate(44100.0, 512));
  const auto* gui = clap->Get<clap_plugin_gui_t>(CLAP_EXT_GUI);
  ASSERT_NE(gui, nullptr);
  HostWindow& parent = HostWindow::Shared();
  ClapEditor editorOfHost(*clap);
  int width = 0, height = 0;
  ASSERT_TRUE(editorOfHost.Size(width, height));
  EXPECT_EQ(width, 512);
  EXPECT_EQ(height, 480);
  ASSERT_TRUE(editorOfHost.Open(parent.Handle()));
  EXPECT_EQ(clap->TimerCount(), 0u) << "the Win32 editor runs on its own window timer";
  HWND editor = ExpectEditorChild(parent);
  ASSERT_NE(editor, nullptr);

  const double before = clap->Value(kFilterCutoff);
  const POINT knob = KnobCentre(kFilterCutoff);
  PostDrag(editor, knob.x, knob.y, 0, -30, 6);
  Pump(100);
  EXPECT_GT(clap->FlushRequests(), 0);
  FloatBuffers in(2, std::vector<float>(64)), out = in;
  ASSERT_EQ(clap->Process(in, out, 64), CLAP_PROCESS_CONTINUE);
  const std::vector<ClapParamEvent>& sent = clap->Received();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(sent[1].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(sent[1].value, clap->Value(kFilterCutoff));
  EXPECT_GT(sent[1].value, before);
  EXPECT_EQ(sent[2].type, CLAP_EVENT_PARAM_GESTURE_END);
  for (const ClapParamEvent& e : sent) EXPECT_EQ(e.id, clap_id(kFilterCutoff));

  ASSERT_TRUE(gui->hide(clap->Plugin()));
  EXPECT_FALSE(IsWindowVisible(editor));
  EXPECT_EQ(parent.Editor(), editor) << "hidden, not closed";
  ASSERT_TRUE(gui->show(clap->Plugin()));
  EXPECT_TRUE(IsWindowVisible(editor));

  editorOfHost.Close();
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(parent.Editor(), nullptr);
}
