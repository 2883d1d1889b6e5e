#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report with one line per benchmark (the median over the repetitions), keeping
// every repetition's time for the summary that follows the benchmarks.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
  struct Timing
  {
    double median = 0.0;
    double best = 0.0;
    bool valid = false;
  };

  void ReportRuns(const std::vector<Run>& reports) override;

  // Seconds per iteration: CPU time, or the benchmark's own time where it measures manually.
  Timing PerIteration(const std::string& name) const;
  // Nanoseconds of CPU time per audio frame.
  Timing NsPerFrame(const std::string& name) const;

private:
  struct Repetitions
  {
    std::vector<double> seconds;
    double frames = 0.0;
  };
  std::map<std::string, Repetitions> runs;
};
