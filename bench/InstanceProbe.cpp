#include "bench/InstanceProbe.h"

#include <X11/Xlib.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>

#include "tests/host/EditorHost.h"
#include "tests/host/PluginModule.h"
#include "tests/host/TestHost.h"
#include "tests/host/VST2Editor.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double CpuMs()
{
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

std::string OwnPath()
{
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return {};
  path[n] = '\0';
  return path;
}

// Creates one instance in host, returning the time VSTPluginMain took and the heap it kept.
bool CreateInstance(TestHost& host, const std::string& path, double& ms, double& cpuMs, long long& heap)
{
  const long long before = HeapInUse();
  const double cpuStart = CpuMs();
  const auto start = Clock::now();
  if (!host.Load(path)) return false;
  ms = MsSince(start);
  cpuMs = CpuMs() - cpuStart;
  heap = HeapInUse() - before;
  return true;
}

// Opens the first instance's editor in a window of the host's and gives it the idle call that
// paints it; the time both took and their CPU time, or false without a display.
bool FirstEditor(TestHost& host, double& ms, double& cpuMs)
{
  if (!std::getenv("DISPLAY")) return false;
  VST2Editor plugin(host);
  EditorHost editor(plugin);
  const double cpuStart = CpuMs();
  const auto start = Clock::now();
  if (!editor.Open()) return false;
  plugin.Idle();
  ms = MsSince(start);
  cpuMs = CpuMs() - cpuStart;
  editor.Close();
  return true;
}

}  // namespace

long long HeapInUse()
{
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long long>(m.uordblks + m.hblkhd);
}

int RunInstanceProbe(const std::string& pluginPath)
{
  InstanceCost c;
  std::string error;
  const auto start = Clock::now();
  auto module = PluginModule::Open(pluginPath, error);
  c.loadMs = MsSince(start);
  if (!module) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  TestHost first, second;
  double secondCpuMs = 0.0;
  if (!CreateInstance(first, pluginPath, c.firstMs, c.firstCpuMs, c.firstHeapBytes) ||
      !CreateInstance(second, pluginPath, c.secondMs, secondCpuMs, c.secondHeapBytes))
    return 1;
  FirstEditor(first, c.firstEditorMs, c.firstEditorCpuMs);
  std::printf("%.6f %.6f %.6f %.6f %lld %lld %.6f %.6f\n", c.loadMs, c.firstMs, c.firstCpuMs, c.secondMs,
              c.firstHeapBytes, c.secondHeapBytes, c.firstEditorMs, c.firstEditorCpuMs);
  return 0;
}

bool ProbeFreshProcess(InstanceCost& c)
{
  // An X server left without clients resets itself (Xvfb does unless told not to), which
  // takes tens of milliseconds; the next probe's host would wait for it in XOpenDisplay
  // inside the timed open. Under a desktop the server never resets while a host runs, so this
  // process stays connected for as long as it probes.
  static Display* const keepServerUp = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
  (void)keepServerUp;
  const std::string command = "'" + OwnPath() + "' " + kProbeOption;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return false;
  const int read =
    std::fscanf(p, "%lf %lf %lf %lf %lld %lld %lf %lf", &c.loadMs, &c.firstMs, &c.firstCpuMs, &c.secondMs,
                &c.firstHeapBytes, &c.secondHeapBytes, &c.firstEditorMs, &c.firstEditorCpuMs);
  return pclose(p) == 0 && read == 8;
}
