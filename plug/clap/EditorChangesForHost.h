#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include <clap/events.h>

// The editor's knob moves on their way to a CLAP host. The editor (main thread) records them
// here without waiting; process or flush (never both at once) turns them into gesture-begin,
// value and gesture-end output events. Each parameter keeps only its latest value and whether
// a gesture is open, so nothing grows and nothing is lost when the host is slow to collect:
// gestures that began and ended between two collections reach the host as one, with the last
// value inside it.
class EditorChangesForHost
{
public:
  explicit EditorChangesForHost(int nParams);

  // Editor side.
  void Begin(int paramIdx);
  void Value(int paramIdx, double value);
  void End(int paramIdx);

  // Host side: pushes what changed since the last call. What the list refuses stays due.
  void Report(const clap_output_events_t* out);

private:
  struct Slot
  {
    std::atomic<bool> open{false};
    std::atomic<uint32_t> begun{0};
    std::atomic<bool> valueDue{false};
    std::atomic<double> value{0.0};
    // Only the host side touches these: what the host has been told.
    uint32_t begunReported = 0;
    bool reportedOpen = false;
  };

  Slot* Find(int paramIdx) const;
  void ReportSlot(int paramIdx, Slot& slot, const clap_output_events_t* out);

  int nParams;
  std::unique_ptr<Slot[]> slots;
};
