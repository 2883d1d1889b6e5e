#include "bench/SummaryReporter.h"

#include <algorithm>

namespace {

SummaryReporter::Timing Summarise(std::vector<double> v, double scale)
{
  SummaryReporter::Timing t;
  if (v.empty()) return t;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  t.median = (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0) * scale;
  t.best = v.front() * scale;
  t.valid = true;
  return t;
}

}  // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& reports)
{
  std::vector<Run> shown;
  for (const Run& run : reports) {
    if (run.run_type == Run::RT_Aggregate) {
      if (run.aggregate_name == "median") shown.push_back(run);
      continue;
    }
    if (run.error_occurred || run.iterations == 0) {
      shown.push_back(run);
      continue;
    }
    Repetitions& r = runs[run.run_name.function_name];
    const bool manual = run.run_name.time_type == "manual_time";
    const double total = manual ? run.real_accumulated_time : run.cpu_accumulated_time;
    r.seconds.push_back(total / static_cast<double>(run.iterations));
    const auto frames = run.counters.find("frames");
    if (frames != run.counters.end()) r.frames = frames->second.value;
    if (run.repetitions <= 1) shown.push_back(run);
  }
  if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
}

SummaryReporter::Timing SummaryReporter::PerIteration(const std::string& name) const
{
  const auto it = runs.find(name);
  return it == runs.end() ? Timing{} : Summarise(it->second.seconds, 1.0);
}

SummaryReporter::Timing SummaryReporter::NsPerFrame(const std::string& name) const
{
  const auto it = runs.find(name);
  if (it == runs.end() || it->second.frames <= 0.0) return Timing{};
  return Summarise(it->second.seconds, 1e9 / it->second.frames);
}
