#include "plug/vst3/VST3View.h"

#include <cstdint>
#include <cstring>

#include "gui/IGraphics.h"
#include "plug/vst3/VST3Com.h"

namespace {
// How often the host's run loop hands the editor its events and repaints.
constexpr uint64_t kTimerMilliseconds = 20;
}  // namespace

v3_plugin_view** VST3View::Create(IPlugVST3& plug)
{
  auto* view = new VST3View(plug);
  return reinterpret_cast<v3_plugin_view**>(&view->viewFace);
}

VST3View::VST3View(IPlugVST3& plug) : viewFace{&kViewTable, this}, timerFace{&kTimerTable, this}, plug(plug)
{
  plug.AddRef();
}

VST3View::~VST3View()
{
  if (attached) Removed();
  VST3Com::Drop(frame);
  plug.Release();
}

template <typename R, typename Call> R VST3View::Guarded(void* self, R failure, Call&& call)
{
  try {
    VST3View* view = FromFace(self);
    return view ? call(*view) : failure;
  } catch (...) {
    return failure;
  }
}

v3_result VST3View::QueryInterface(const v3_tuid iid, void** obj)
{
  if (!obj) return V3_INVALID_ARG;
  *obj = nullptr;
  if (!iid) return V3_NO_INTERFACE;
  Face* face = nullptr;
  if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_view_iid))
    face = &viewFace;
  else if (v3_tuid_match(iid, v3_timer_handler_iid))
    face = &timerFace;
  if (!face) return V3_NO_INTERFACE;
  AddRef();
  *obj = face;
  return V3_OK;
}

uint32_t VST3View::Release()
{
  const uint32_t left = --refCount;
  if (left == 0) delete this;
  return left;
}

bool VST3View::PlatformSupported(const char* platformType)
{
#if defined(_WIN32)
  return platformType && std::strcmp(platformType, V3_VIEW_PLATFORM_TYPE_HWND) == 0;
#else
  return platformType && std::strcmp(platformType, V3_VIEW_PLATFORM_TYPE_X11) == 0;
#endif
}

// One editor per plug-in: a second view cannot open while another one shows it.
v3_result VST3View::Attached(void* parent, const char* platformType)
{
  if (attached || !parent || !PlatformSupported(platformType)) return V3_FALSE;
  IGraphics* editor = plug.GetGUI();
  if (!editor || editor->WindowIsOpen() || !plug.OpenEditor(parent)) return V3_FALSE;
  attached = true;
  StartTimer();
  return V3_OK;
}

v3_result VST3View::Removed()
{
  if (!attached) return V3_FALSE;
  StopTimer();
  plug.CloseEditor();
  attached = false;
  return V3_OK;
}

void VST3View::StartTimer()
{
#if !defined(_WIN32)
  if (!frame || runLoop) return;
  if (v3_cpp_obj_query_interface(frame, v3_run_loop_iid, &runLoop) != V3_OK || !runLoop) {
    runLoop = nullptr;
    return;
  }
  auto** handler = reinterpret_cast<v3_timer_handler**>(&timerFace);
  if (v3_cpp_obj(runLoop)->register_timer(runLoop, handler, kTimerMilliseconds) != V3_OK)
    VST3Com::Drop(runLoop);
#endif
}

void VST3View::StopTimer()
{
  if (!runLoop) return;
  v3_cpp_obj(runLoop)->unregister_timer(runLoop, reinterpret_cast<v3_timer_handler**>(&timerFace));
  VST3Com::Drop(runLoop);
}

v3_result VST3View::GetSize(v3_view_rect* rect) const
{
  IGraphics* editor = plug.GetGUI();
  if (!rect || !editor) return V3_INVALID_ARG;
  rect->left = 0;
  rect->top = 0;
  rect->right = editor->Width();
  rect->bottom = editor->Height();
  return V3_OK;
}

// A frame set while the editor shows brings its run loop's timer at once.
v3_result VST3View::SetFrame(v3_plugin_frame** newFrame)
{
  StopTimer();
  v3_plugin_frame** previous = frame;
  frame = VST3Com::Retain(newFrame);
  VST3Com::Drop(previous);
  if (attached) StartTimer();
  return V3_OK;
}

// --- the interface tables ------------------------------------------------------------------

namespace {
constexpr v3_result kFailed = V3_INTERNAL_ERR;
}  // namespace

v3_result V3_API VST3View::QueryInterfaceCall(void* self, const v3_tuid iid, void** obj)
{
  return Guarded(self, static_cast<v3_result>(V3_NO_INTERFACE),
                 [&](VST3View& v) { return v.QueryInterface(iid, obj); });
}

uint32_t V3_API VST3View::AddRefCall(void* self)
{
  return Guarded(self, 0u, [](VST3View& v) { return v.AddRef(); });
}

uint32_t V3_API VST3View::ReleaseCall(void* self)
{
  return Guarded(self, 0u, [](VST3View& v) { return v.Release(); });
}

v3_result V3_API VST3View::IsPlatformTypeSupported(void*, const char* platformType)
{
  return PlatformSupported(platformType) ? V3_TRUE : V3_FALSE;
}

v3_result V3_API VST3View::AttachedCall(void* self, void* parent, const char* platformType)
{
  return Guarded(self, kFailed, [&](VST3View& v) { return v.Attached(parent, platformType); });
}

v3_result V3_API VST3View::RemovedCall(void* self)
{
  return Guarded(self, kFailed, [](VST3View& v) { return v.Removed(); });
}

v3_result V3_API VST3View::OnWheel(void*, float) { return V3_FALSE; }

v3_result V3_API VST3View::OnKey(void*, int16_t, int16_t, int16_t) { return V3_FALSE; }

v3_result V3_API VST3View::GetSizeCall(void* self, v3_view_rect* rect)
{
  return Guarded(self, kFailed, [&](VST3View& v) { return v.GetSize(rect); });
}

// The editor has one size; whatever the host makes of its window, the editor keeps it.
v3_result V3_API VST3View::OnSize(void*, v3_view_rect* rect) { return rect ? V3_OK : V3_INVALID_ARG; }

v3_result V3_API VST3View::OnFocus(void*, v3_bool) { return V3_OK; }

v3_result V3_API VST3View::SetFrameCall(void* self, v3_plugin_frame** frame)
{
  return Guarded(self, kFailed, [&](VST3View& v) { return v.SetFrame(frame); });
}

v3_result V3_API VST3View::CanResize(void*) { return V3_FALSE; }

v3_result V3_API VST3View::CheckSizeConstraint(void* self, v3_view_rect* rect)
{
  return Guarded(self, kFailed, [&](VST3View& v) { return v.GetSize(rect); });
}

void V3_API VST3View::OnTimer(void* self)
{
  Guarded(self, 0, [](VST3View& v) {
    v.plug.EditorIdle();
    return 0;
  });
}

const v3_plugin_view_cpp VST3View::kViewTable = {{QueryInterfaceCall, AddRefCall, ReleaseCall},
                                                 {IsPlatformTypeSupported, AttachedCall, RemovedCall, OnWheel,
                                                  OnKey, OnKey, GetSizeCall, OnSize, OnFocus, SetFrameCall,
                                                  CanResize, CheckSizeConstraint}};

const v3_timer_handler_cpp VST3View::kTimerTable = {{QueryInterfaceCall, AddRefCall, ReleaseCall}, {OnTimer}};
