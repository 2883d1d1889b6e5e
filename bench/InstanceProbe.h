#pragma once

#include <string>

// What creating instances costs in a process that has never created one: the module load,
// the first VSTPluginMain and a second one, each with the heap it leaves in use, and opening
// the first editor (the art is decoded then) up to its first paint.
// Times are wall-clock; the CPU time (user and system, of every thread) of the first
// VSTPluginMain and of the first editor open is kept too, since on a shared machine the wall
// clock also counts other people's work.
struct InstanceCost
{
  double loadMs = 0.0;
  double firstMs = 0.0;
  double firstCpuMs = 0.0;
  double secondMs = 0.0;
  long long firstHeapBytes = 0;
  long long secondHeapBytes = 0;
  double firstEditorMs = -1.0;  // negative where no display was at hand
  double firstEditorCpuMs = -1.0;
};

// Measures in this process and prints one line for ProbeFreshProcess; returns the exit code.
// Only meaningful in a process that has not loaded the module yet.
int RunInstanceProbe(const std::string& pluginPath);

// Starts this program again with kProbeOption and reads what it measured.
constexpr const char* kProbeOption = "--instance-probe";
bool ProbeFreshProcess(InstanceCost& cost);

// Heap bytes in use by this process right now.
long long HeapInUse();
