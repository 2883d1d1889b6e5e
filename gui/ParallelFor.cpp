#include "gui/ParallelFor.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

void ParallelFor(int count, int maxWorkers, const std::function<void(int)>& work)
{
  std::atomic<int> next{0};
  std::mutex failureLock;
  std::exception_ptr failure;
  // A call that throws (running out of memory, say) must not end the host's process from a
  // worker: the first exception is kept, the remaining indices are skipped, and it is thrown
  // again on the calling thread once every worker has stopped.
  auto run = [&] {
    try {
      for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) work(i);
    } catch (...) {
      next.store(count);
      std::lock_guard<std::mutex> g(failureLock);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  const int wanted = (maxWorkers < count ? maxWorkers : count) - 1;
  for (int i = 0; i < wanted; ++i) {
    try {
      helpers.emplace_back(run);
    } catch (const std::system_error&) {
      break;  // the calling thread and the helpers started so far take the rest
    }
  }
  run();
  for (std::thread& t : helpers) t.join();
  if (failure) std::rethrow_exception(failure);
}

int ComputeWorkers()
{
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}
