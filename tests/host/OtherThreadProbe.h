#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <thread>
#include <utility>
#include <vector>

// Makes calls on threads of their own, as a host's audio thread would, and tells whether each
// came back: what a host that waits for its audio thread in a callback would see. A call that
// is still blocked (on a lock the caller holds) is waited for when the probe goes, by when the
// caller has let go.
class OtherThreadProbe
{
public:
  OtherThreadProbe() = default;
  ~OtherThreadProbe()
  {
    for (std::thread& t : threads) t.join();
  }
  OtherThreadProbe(const OtherThreadProbe&) = delete;
  OtherThreadProbe& operator=(const OtherThreadProbe&) = delete;

  // A deadlock detector, not a timing: a call that returns at all returns in microseconds.
  bool Returns(std::function<void()> call)
  {
    std::packaged_task<void()> task(std::move(call));
    std::future<void> done = task.get_future();
    threads.emplace_back(std::move(task));
    return done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  }

private:
  std::vector<std::thread> threads;
};
