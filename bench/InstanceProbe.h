#pragma once

#include <string>

// What creating instances costs in a process that has never created one: the module load,
// the first VSTPluginMain (the shared caches fill then) and a second one, each with the heap
// it leaves in use.
struct InstanceCost
{
  double loadMs = 0.0;
  double firstMs = 0.0;
  double secondMs = 0.0;
  long long firstHeapBytes = 0;
  long long secondHeapBytes = 0;
};

// Measures in this process and prints one line for ProbeFreshProcess; returns the exit code.
// Only meaningful in a process that has not loaded the module yet.
int RunInstanceProbe(const std::string& pluginPath);

// Starts this program again with kProbeOption and reads what it measured.
constexpr const char* kProbeOption = "--instance-probe";
bool ProbeFreshProcess(InstanceCost& cost);

// Heap bytes in use by this process right now.
long long HeapInUse();
