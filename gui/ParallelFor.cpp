#include "gui/ParallelFor.h"

#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

void ParallelFor(int count, int maxWorkers, const std::function<void(int)>& work)
{
  std::atomic<int> next{0};
  auto run = [&] {
    for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) work(i);
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
}

int ComputeWorkers()
{
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}
