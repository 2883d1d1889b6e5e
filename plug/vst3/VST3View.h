#pragma once

#include <atomic>

#include "view.h"

#include "plug/vst3/IPlugVST3.h"

// The editor in a host's window: fixed in size, opened as a child of the host's window
// ("X11EmbedWindowID" on Linux, "HWND" on Windows). On Linux the editor handles its events
// and repaints on a timer of the host's run loop, which the host's frame offers; without
// one it is still shown, but changes only when the host idles it otherwise. On Windows the
// editor's window has its own timer. The view keeps the plug-in alive while a host holds it.
class VST3View
{
public:
  // A new view with one reference, for the host.
  static v3_plugin_view** Create(IPlugVST3& plug);

private:
  struct Face
  {
    const void* vtable;
    VST3View* owner;
  };

  explicit VST3View(IPlugVST3& plug);
  ~VST3View();

  static VST3View* FromFace(void* self) { return self ? static_cast<Face*>(self)->owner : nullptr; }
  template <typename R, typename Call> static R Guarded(void* self, R failure, Call&& call);

  v3_result QueryInterface(const v3_tuid iid, void** obj);
  uint32_t AddRef() { return ++refCount; }
  uint32_t Release();
  v3_result Attached(void* parent, const char* platformType);
  v3_result Removed();
  v3_result GetSize(v3_view_rect* rect) const;
  v3_result SetFrame(v3_plugin_frame** frame);
  void StartTimer();
  void StopTimer();

  static bool PlatformSupported(const char* platformType);

  // The interface tables' functions.
  static v3_result V3_API QueryInterfaceCall(void* self, const v3_tuid iid, void** obj);
  static uint32_t V3_API AddRefCall(void* self);
  static uint32_t V3_API ReleaseCall(void* self);
  static v3_result V3_API IsPlatformTypeSupported(void* self, const char* platformType);
  static v3_result V3_API AttachedCall(void* self, void* parent, const char* platformType);
  static v3_result V3_API RemovedCall(void* self);
  static v3_result V3_API OnWheel(void* self, float distance);
  static v3_result V3_API OnKey(void* self, int16_t keyChar, int16_t keyCode, int16_t modifiers);
  static v3_result V3_API GetSizeCall(void* self, v3_view_rect* rect);
  static v3_result V3_API OnSize(void* self, v3_view_rect* rect);
  static v3_result V3_API OnFocus(void* self, v3_bool state);
  static v3_result V3_API SetFrameCall(void* self, v3_plugin_frame** frame);
  static v3_result V3_API CanResize(void* self);
  static v3_result V3_API CheckSizeConstraint(void* self, v3_view_rect* rect);
  static void V3_API OnTimer(void* self);

  static const v3_plugin_view_cpp kViewTable;
  static const v3_timer_handler_cpp kTimerTable;

  Face viewFace;
  Face timerFace;
  std::atomic<uint32_t> refCount{1};
  IPlugVST3& plug;
  v3_plugin_frame** frame = nullptr;
  v3_run_loop** runLoop = nullptr;
  bool attached = false;
};
