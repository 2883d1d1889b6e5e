#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "audio_processor.h"
#include "bstream.h"
#include "edit_controller.h"
#include "view.h"

// The objects a VST3 host hands to a plug-in. They belong to the test, which keeps them alive;
// their reference counts show whether the plug-in gave back every reference it took (each
// starts at 1, the test's own).

// A stream over bytes in memory, as hosts pass for state.
struct MemoryStream
{
  explicit MemoryStream(std::vector<uint8_t> bytes = {});
  v3_bstream** Ptr() { return static_cast<v3_bstream**>(static_cast<void*>(&vtable)); }

  const void* vtable;
  std::vector<uint8_t> bytes;
  size_t position = 0;
  int refs = 1;
  // Reads and writes fail after this many bytes: a stream that breaks off.
  size_t failAfter = SIZE_MAX;
};

// One parameter's points for one block.
struct ParameterQueue
{
  const void* vtable;
  v3_param_id id;
  std::vector<std::pair<int32_t, double>> points;
  int refs = 1;
};

// The input parameter changes of one process call.
struct ParameterChanges
{
  ParameterChanges();
  void Add(v3_param_id id, int32_t offset, double value);
  v3_param_changes** Ptr() { return static_cast<v3_param_changes**>(static_cast<void*>(&vtable)); }

  const void* vtable;
  std::vector<ParameterQueue> queues;
  int refs = 1;
};

// Records what the plug-in reports of the editor's gestures.
struct ComponentHandler
{
  struct Edit
  {
    char kind;  // 'b'egin, 'p'erform, 'e'nd
    v3_param_id id;
    double value;
  };
  ComponentHandler();
  v3_component_handler** Ptr() { return static_cast<v3_component_handler**>(static_cast<void*>(&vtable)); }

  const void* vtable;
  std::vector<Edit> edits;
  int restarts = 0;
  int32_t restartFlags = 0;         // of every restart so far
  std::function<void()> onRestart;  // run inside each restart, after it is counted
  int refs = 1;
};

// The frame around a view with a run loop whose timers the test fires by hand.
struct HostFrame
{
  HostFrame();
  v3_plugin_frame** Ptr() { return static_cast<v3_plugin_frame**>(static_cast<void*>(&frame)); }
  // Calls every registered timer once.
  void FireTimers();

  struct Face
  {
    const void* vtable;
    HostFrame* owner;
  };
  Face frame;
  Face runLoop;
  std::vector<v3_timer_handler**> timers;
  int refs = 1;
  bool offerRunLoop = true;
};
