#include "tests/host/VST3HostObjects.h"

#include <algorithm>
#include <cstring>

namespace {

// The tables travesty declares only for the plug-in's side.
struct StreamTable : v3_funknown
{
  v3_bstream stream;
};
struct HandlerTable : v3_funknown
{
  v3_component_handler handler;
};

// Every object answers for its own interface and FUnknown, and counts references.
template <typename Object> Object& Self(void* self) { return *static_cast<Object*>(self); }

template <typename Object> uint32_t V3_API AddRef(void* self)
{
  return static_cast<uint32_t>(++Self<Object>(self).refs);
}

template <typename Object> uint32_t V3_API Release(void* self)
{
  return static_cast<uint32_t>(--Self<Object>(self).refs);
}

template <typename Object> v3_result Answer(void* self, const v3_tuid iid, const v3_tuid own, void** obj)
{
  if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, own)) {
    AddRef<Object>(self);
    *obj = self;
    return V3_OK;
  }
  *obj = nullptr;
  return V3_NO_INTERFACE;
}

// --- stream --------------------------------------------------------------------------------

v3_result V3_API StreamQuery(void* self, const v3_tuid iid, void** obj)
{
  return Answer<MemoryStream>(self, iid, v3_bstream_iid, obj);
}

v3_result V3_API StreamRead(void* self, void* buffer, int32_t n, int32_t* done)
{
  MemoryStream& s = Self<MemoryStream>(self);
  if (n < 0 || s.position >= s.failAfter) return V3_INTERNAL_ERR;
  const size_t count =
    std::min({static_cast<size_t>(n), s.bytes.size() - s.position, s.failAfter - s.position});
  if (count) std::memcpy(buffer, s.bytes.data() + s.position, count);
  s.position += count;
  if (done) *done = static_cast<int32_t>(count);
  return V3_OK;
}

v3_result V3_API StreamWrite(void* self, void* buffer, int32_t n, int32_t* done)
{
  MemoryStream& s = Self<MemoryStream>(self);
  if (n < 0 || s.position + static_cast<size_t>(n) > s.failAfter) return V3_INTERNAL_ERR;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  if (s.bytes.size() < s.position + static_cast<size_t>(n))
    s.bytes.resize(s.position + static_cast<size_t>(n));
  if (n) std::memcpy(s.bytes.data() + s.position, bytes, static_cast<size_t>(n));
  s.position += static_cast<size_t>(n);
  if (done) *done = n;
  return V3_OK;
}

v3_result V3_API StreamSeek(void* self, int64_t pos, int32_t mode, int64_t* result)
{
  MemoryStream& s = Self<MemoryStream>(self);
  const int64_t base = mode == V3_SEEK_SET   ? 0
                       : mode == V3_SEEK_CUR ? static_cast<int64_t>(s.position)
                                             : static_cast<int64_t>(s.bytes.size());
  if (base + pos < 0) return V3_INVALID_ARG;
  s.position = static_cast<size_t>(base + pos);
  if (result) *result = static_cast<int64_t>(s.position);
  return V3_OK;
}

v3_result V3_API StreamTell(void* self, int64_t* pos)
{
  if (pos) *pos = static_cast<int64_t>(Self<MemoryStream>(self).position);
  return V3_OK;
}

const StreamTable kStreamTable = {{StreamQuery, AddRef<MemoryStream>, Release<MemoryStream>},
                                  {StreamRead, StreamWrite, StreamSeek, StreamTell}};

// --- parameter changes ---------------------------------------------------------------------

v3_result V3_API QueueQuery(void* self, const v3_tuid iid, void** obj)
{
  return Answer<ParameterQueue>(self, iid, v3_param_value_queue_iid, obj);
}

v3_param_id V3_API QueueId(void* self) { return Self<ParameterQueue>(self).id; }

int32_t V3_API QueuePointCount(void* self)
{
  return static_cast<int32_t>(Self<ParameterQueue>(self).points.size());
}

v3_result V3_API QueuePoint(void* self, int32_t index, int32_t* offset, double* value)
{
  const ParameterQueue& q = Self<ParameterQueue>(self);
  if (index < 0 || static_cast<size_t>(index) >= q.points.size() || !offset || !value) return V3_INVALID_ARG;
  *offset = q.points[static_cast<size_t>(index)].first;
  *value = q.points[static_cast<size_t>(index)].second;
  return V3_OK;
}

v3_result V3_API QueueAddPoint(void*, int32_t, double, int32_t*) { return V3_NOT_IMPLEMENTED; }

const v3_param_value_queue_cpp kQueueTable = {{QueueQuery, AddRef<ParameterQueue>, Release<ParameterQueue>},
                                              {QueueId, QueuePointCount, QueuePoint, QueueAddPoint}};

v3_result V3_API ChangesQuery(void* self, const v3_tuid iid, void** obj)
{
  return Answer<ParameterChanges>(self, iid, v3_param_changes_iid, obj);
}

int32_t V3_API ChangesCount(void* self)
{
  return static_cast<int32_t>(Self<ParameterChanges>(self).queues.size());
}

v3_param_value_queue** V3_API ChangesData(void* self, int32_t index)
{
  ParameterChanges& c = Self<ParameterChanges>(self);
  if (index < 0 || static_cast<size_t>(index) >= c.queues.size()) return nullptr;
  return static_cast<v3_param_value_queue**>(
    static_cast<void*>(&c.queues[static_cast<size_t>(index)].vtable));
}

v3_param_value_queue** V3_API ChangesAdd(void*, v3_param_id*, int32_t*) { return nullptr; }

const v3_param_changes_cpp kChangesTable = {
  {ChangesQuery, AddRef<ParameterChanges>, Release<ParameterChanges>},
  {ChangesCount, ChangesData, ChangesAdd}};

// --- component handler ---------------------------------------------------------------------

v3_result V3_API HandlerQuery(void* self, const v3_tuid iid, void** obj)
{
  return Answer<ComponentHandler>(self, iid, v3_component_handler_iid, obj);
}

v3_result Record(void* self, char kind, v3_param_id id, double value)
{
  Self<ComponentHandler>(self).edits.push_back({kind, id, value});
  return V3_OK;
}

v3_result V3_API HandlerBegin(void* self, v3_param_id id) { return Record(self, 'b', id, 0.0); }
v3_result V3_API HandlerPerform(void* self, v3_param_id id, double v) { return Record(self, 'p', id, v); }
v3_result V3_API HandlerEnd(void* self, v3_param_id id) { return Record(self, 'e', id, 0.0); }

v3_result V3_API HandlerRestart(void* self, int32_t flags)
{
  ComponentHandler& handler = Self<ComponentHandler>(self);
  ++handler.restarts;
  handler.restartFlags |= flags;
  if (handler.onRestart) handler.onRestart();
  return V3_OK;
}

const HandlerTable kHandlerTable = {{HandlerQuery, AddRef<ComponentHandler>, Release<ComponentHandler>},
                                    {HandlerBegin, HandlerPerform, HandlerEnd, HandlerRestart}};

// --- frame and run loop --------------------------------------------------------------------

HostFrame& Frame(void* self) { return *static_cast<HostFrame::Face*>(self)->owner; }

uint32_t V3_API FrameAddRef(void* self) { return static_cast<uint32_t>(++Frame(self).refs); }
uint32_t V3_API FrameRelease(void* self) { return static_cast<uint32_t>(--Frame(self).refs); }

v3_result V3_API FrameQuery(void* self, const v3_tuid iid, void** obj)
{
  HostFrame& f = Frame(self);
  *obj = nullptr;
  if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_frame_iid))
    *obj = &f.frame;
  else if (f.offerRunLoop && v3_tuid_match(iid, v3_run_loop_iid))
    *obj = &f.runLoop;
  if (!*obj) return V3_NO_INTERFACE;
  ++f.refs;
  return V3_OK;
}

v3_result V3_API FrameResize(void*, v3_plugin_view**, v3_view_rect*) { return V3_OK; }

v3_result V3_API LoopRegisterHandler(void*, v3_event_handler**, int) { return V3_NOT_IMPLEMENTED; }
v3_result V3_API LoopUnregisterHandler(void*, v3_event_handler**) { return V3_NOT_IMPLEMENTED; }

v3_result V3_API LoopRegisterTimer(void* self, v3_timer_handler** handler, uint64_t)
{
  if (!handler) return V3_INVALID_ARG;
  Frame(self).timers.push_back(handler);
  return V3_OK;
}

v3_result V3_API LoopUnregisterTimer(void* self, v3_timer_handler** handler)
{
  auto& timers = Frame(self).timers;
  const auto it = std::find(timers.begin(), timers.end(), handler);
  if (it == timers.end()) return V3_INVALID_ARG;
  timers.erase(it);
  return V3_OK;
}

const v3_plugin_frame_cpp kFrameTable = {{FrameQuery, FrameAddRef, FrameRelease}, {FrameResize}};
const v3_run_loop_cpp kRunLoopTable = {
  {FrameQuery, FrameAddRef, FrameRelease},
  {LoopRegisterHandler, LoopUnregisterHandler, LoopRegisterTimer, LoopUnregisterTimer}};

}  // namespace

MemoryStream::MemoryStream(std::vector<uint8_t> bytes) : vtable(&kStreamTable), bytes(std::move(bytes)) {}

ParameterChanges::ParameterChanges() : vtable(&kChangesTable) {}

void ParameterChanges::Add(v3_param_id id, int32_t offset, double value)
{
  for (ParameterQueue& q : queues)
    if (q.id == id) {
      q.points.emplace_back(offset, value);
      return;
    }
  queues.push_back(ParameterQueue{&kQueueTable, id, {{offset, value}}});
}

ComponentHandler::ComponentHandler() : vtable(&kHandlerTable) {}

HostFrame::HostFrame() : frame{&kFrameTable, this}, runLoop{&kRunLoopTable, this} {}

void HostFrame::FireTimers()
{
  for (v3_timer_handler** t : std::vector<v3_timer_handler**>(timers)) v3_cpp_obj(t)->on_timer(t);
}
