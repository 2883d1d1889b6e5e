#include <unistd.h>

#include "skarvel/PanelLayout.h"
#include "tests/host/VST3UnderTest.h"
#include "tests/x11/XvfbServer.h"

// Last: X11's macros (None, Always) would clash with the names above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

// The host's side of the editor: its own display connection with a top-level window the
// view is attached to, and the frame whose run loop drives the editor.
class VST3EditorTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    server = std::make_unique<XvfbServer>();
    ASSERT_TRUE(server->Running());
    display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 600, 560, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    host = CreateSkarvelVST3();
    ASSERT_TRUE(host);
    ASSERT_EQ(host->Start(44100.0, 256), V3_OK);
    v3_edit_controller** c = host->Controller();
    ASSERT_EQ(v3_cpp_obj(c)->set_component_handler(c, handler.Ptr()), V3_OK);
  }

  void TearDown() override
  {
    host.reset();
    EXPECT_EQ(handler.refs, 1) << "the plug-in kept the component handler";
    if (display) XCloseDisplay(display);
  }

  v3_plugin_view** CreateView()
  {
    v3_edit_controller** c = host->Controller();
    return v3_cpp_obj(c)->create_view(c, "editor");
  }

  // The windows inside the host's window.
  std::vector<Window> Children()
  {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int n = 0;
    XQueryTree(display, parent, &root, &up, &children, &n);
    std::vector<Window> out(children, children + n);
    if (children) XFree(children);
    return out;
  }

  std::unique_ptr<XvfbServer> server;
  Display* display = nullptr;
  Window parent = 0;
  std::unique_ptr<VST3TestHost> host;
  ComponentHandler handler;
};

}  // namespace

// A hundred times: a view, its frame, attached as the X11 child of the host's window with a
// timer on the host's run loop where the frame has one, idled, removed; every reference and
// timer given back.
TEST_F(VST3EditorTest, OpensAndClosesInTheHostsWindowOnItsRunLoop)
{
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE(round);
    HostFrame frame;
    // Every other frame offers no run loop: the editor still opens, without a timer.
    frame.offerRunLoop = round % 2 == 0;
    v3_plugin_view** view = CreateView();
    ASSERT_TRUE(view);
    ASSERT_EQ(v3_cpp_obj(view)->is_platform_type_supported(view, "X11EmbedWindowID"), V3_TRUE);
    ASSERT_EQ(v3_cpp_obj(view)->is_platform_type_supported(view, "HWND"), V3_FALSE);
    v3_view_rect rect{};
    ASSERT_EQ(v3_cpp_obj(view)->get_size(view, &rect), V3_OK);
    ASSERT_EQ(rect.right - rect.left, 512);
    ASSERT_EQ(rect.bottom - rect.top, 480);
    ASSERT_EQ(v3_cpp_obj(view)->can_resize(view), V3_FALSE);
    ASSERT_EQ(v3_cpp_obj(view)->set_frame(view, frame.Ptr()), V3_OK);
    void* window = reinterpret_cast<void*>(static_cast<uintptr_t>(parent));
    ASSERT_EQ(v3_cpp_obj(view)->attached(view, window, "HWND"), V3_FALSE);
    ASSERT_EQ(v3_cpp_obj(view)->attached(view, window, "X11EmbedWindowID"), V3_OK);
    ASSERT_EQ(frame.timers.size(), frame.offerRunLoop ? 1u : 0u);
    if (round == 0) {
      XSync(display, False);
      EXPECT_EQ(Children().size(), 1u);
      // One editor per plug-in: a second view does not open while this one shows.
      v3_plugin_view** second = CreateView();
      ASSERT_TRUE(second);
      EXPECT_EQ(v3_cpp_obj(second)->attached(second, window, "X11EmbedWindowID"), V3_FALSE);
      EXPECT_EQ(v3_cpp_obj_unref(second), 0u);
    }
    frame.FireTimers();
    frame.FireTimers();
    ASSERT_EQ(v3_cpp_obj(view)->removed(view), V3_OK);
    ASSERT_EQ(frame.timers.size(), 0u);
    ASSERT_EQ(v3_cpp_obj(view)->removed(view), V3_FALSE);
    ASSERT_EQ(v3_cpp_obj_unref(view), 0u);
    ASSERT_EQ(frame.refs, 1) << "the view kept the frame or its run loop";
  }
}

// A knob dragged in the editor reaches the host as one gesture: begin, the new values, end.
TEST_F(VST3EditorTest, KnobMovesAreEditGesturesOnTheComponentHandler)
{
  HostFrame frame;
  v3_plugin_view** view = CreateView();
  ASSERT_TRUE(view);
  v3_cpp_obj(view)->set_frame(view, frame.Ptr());
  ASSERT_EQ(v3_cpp_obj(view)->attached(view, reinterpret_cast<void*>(static_cast<uintptr_t>(parent)),
                                       "X11EmbedWindowID"),
            V3_OK);
  XSync(display, False);
  const std::vector<Window> children = Children();
  ASSERT_EQ(children.size(), 1u);

  int x = -1, y = -1;
  for (const PanelLayout::Control& c : PanelLayout::kControls)
    if (c.kind == PanelLayout::Kind::Knob && c.param == kFilterCutoff) x = c.rect.l + 20, y = c.rect.t + 20;
  ASSERT_GE(x, 0);
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, children[0], DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  // Each step is handed to the editor through the run loop's timer; it may take the server a
  // moment to deliver, so the timer fires until the step has arrived (or a bound is hit).
  auto step = [&](auto&& send, size_t editsWanted) {
    send();
    XSync(display, False);
    for (int i = 0; i < 400 && handler.edits.size() < editsWanted; ++i) {
      frame.FireTimers();
      usleep(5000);
    }
  };
  step([&] { XTestFakeMotionEvent(display, -1, rootX, rootY, 0); }, 0);
  step([&] { XTestFakeButtonEvent(display, 1, True, 0); }, 1);
  step([&] { XTestFakeMotionEvent(display, -1, rootX, rootY - 40, 0); }, 2);
  step([&] { XTestFakeButtonEvent(display, 1, False, 0); }, 3);

  ASSERT_GE(handler.edits.size(), 3u);
  EXPECT_EQ(handler.edits.front().kind, 'b');
  EXPECT_EQ(handler.edits.back().kind, 'e');
  for (const ComponentHandler::Edit& e : handler.edits)
    EXPECT_EQ(e.id, static_cast<v3_param_id>(kFilterCutoff));
  const ComponentHandler::Edit& last = handler.edits[handler.edits.size() - 2];
  EXPECT_EQ(last.kind, 'p');
  v3_edit_controller** c = host->Controller();
  EXPECT_EQ(last.value, v3_cpp_obj(c)->get_parameter_normalised(c, kFilterCutoff));
  EXPECT_GT(last.value, 0.0);

  v3_cpp_obj(view)->removed(view);
  v3_cpp_obj_unref(view);
}
