#include "plug/clap/EditorChangesForHost.h"

namespace {

bool PushGesture(const clap_output_events_t* out, uint16_t type, int paramIdx)
{
  clap_event_param_gesture_t e{};
  e.header.size = sizeof e;
  e.header.time = 0;
  e.header.space_id = CLAP_CORE_EVENT_SPACE_ID;
  e.header.type = type;
  e.param_id = static_cast<clap_id>(paramIdx);
  return out->try_push(out, &e.header);
}

bool PushValue(const clap_output_events_t* out, int paramIdx, double value)
{
  clap_event_param_value_t e{};
  e.header.size = sizeof e;
  e.header.time = 0;
  e.header.space_id = CLAP_CORE_EVENT_SPACE_ID;
  e.header.type = CLAP_EVENT_PARAM_VALUE;
  e.param_id = static_cast<clap_id>(paramIdx);
  e.note_id = -1;
  e.port_index = -1;
  e.channel = -1;
  e.key = -1;
  e.value = value;
  return out->try_push(out, &e.header);
}

}  // namespace

EditorChangesForHost::EditorChangesForHost(int n)
    : nParams(n > 0 ? n : 0), slots(std::make_unique<Slot[]>(static_cast<size_t>(nParams)))
{}

EditorChangesForHost::Slot* EditorChangesForHost::Find(int paramIdx) const
{
  return paramIdx >= 0 && paramIdx < nParams ? &slots[paramIdx] : nullptr;
}

void EditorChangesForHost::Begin(int paramIdx)
{
  if (Slot* s = Find(paramIdx)) {
    s->open.store(true, std::memory_order_release);
    s->begun.fetch_add(1, std::memory_order_release);
  }
}

void EditorChangesForHost::Value(int paramIdx, double value)
{
  if (Slot* s = Find(paramIdx)) {
    s->value.store(value, std::memory_order_relaxed);
    s->valueDue.store(true, std::memory_order_release);
  }
}

void EditorChangesForHost::End(int paramIdx)
{
  if (Slot* s = Find(paramIdx)) s->open.store(false, std::memory_order_release);
}

void EditorChangesForHost::Report(const clap_output_events_t* out)
{
  if (!out || !out->try_push) return;
  for (int i = 0; i < nParams; ++i) ReportSlot(i, slots[i], out);
}

// The open flag is read first: a gesture seen ended has its last value already stored.
void EditorChangesForHost::ReportSlot(int paramIdx, Slot& s, const clap_output_events_t* out)
{
  const bool open = s.open.load(std::memory_order_acquire);
  const uint32_t begun = s.begun.load(std::memory_order_acquire);
  if (!s.reportedOpen && (open || begun != s.begunReported)) {
    if (!PushGesture(out, CLAP_EVENT_PARAM_GESTURE_BEGIN, paramIdx)) return;
    s.reportedOpen = true;
  }
  s.begunReported = begun;
  if (s.valueDue.exchange(false, std::memory_order_acq_rel) &&
      !PushValue(out, paramIdx, s.value.load(std::memory_order_relaxed))) {
    s.valueDue.store(true, std::memory_order_release);
    return;
  }
  if (s.reportedOpen && !open && PushGesture(out, CLAP_EVENT_PARAM_GESTURE_END, paramIdx))
    s.reportedOpen = false;
}
