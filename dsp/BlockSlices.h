#pragma once

namespace Kernwave {

// Runs process(left, right, count) over consecutive slices of at most capacity samples, so
// a block longer than a unit's work buffers is still processed whole.
template <class Process>
void ForEachSlice(double* left, double* right, int n, int capacity, Process&& process)
{
  if (!left || !right || capacity <= 0) return;
  for (int done = 0; done < n; done += capacity) {
    const int count = n - done < capacity ? n - done : capacity;
    process(left + done, right + done, count);
  }
}

}  // namespace Kernwave
