#pragma once

#include <functional>

// Runs work(0) .. work(count - 1), each index once, on the calling thread and up to
// maxWorkers - 1 short-lived worker threads, taking the indices in order; returns when every
// call has returned. Where no thread can be started the calling thread does all of it. If a
// call throws, the indices not yet taken are skipped and the first exception is rethrown here.
void ParallelFor(int count, int maxWorkers, const std::function<void(int)>& work);

// The workers worth starting for work that only computes: one per processor core, at least 1.
int ComputeWorkers();
