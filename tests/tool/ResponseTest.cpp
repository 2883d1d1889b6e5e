#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "tests/tool/ToolRun.h"

namespace {

// The summary lines "   100 Hz    -0.02 dB", by frequency.
std::map<int, double> Summary(const std::string& output)
{
  std::map<int, double> gains;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    int hz = 0;
    double db = 0.0;
    if (std::sscanf(line.c_str(), "%d Hz %lf dB", &hz, &db) == 2) gains[hz] = db;
  }
  return gains;
}

long FileSize(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

const char* const kOpen = " --set BypassFX=0 --set Volume=1";

}  // namespace

TEST(Response, OpenChainIsFlatApartFromTheDumpExpandRipple)
{
  const std::string out = TempFolder() + "/flat.png";
  const ToolResult r = RunTool("response " + out + kOpen);
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_GT(FileSize(out), 1000);
  const std::map<int, double> g = Summary(r.output);
  ASSERT_EQ(g.size(), 5u) << r.output;
  for (const auto& [hz, db] : g) EXPECT_NEAR(db, -0.02, 0.015) << hz;
}

TEST(Response, RbjLowPassAt470HzWithResonance)
{
  const std::string out = TempFolder() + "/lp.png";
  const ToolResult r = RunTool("response " + out + kOpen +
                               " --set FilterType=0 --set FilterMode1=0 --set FilterCutoff=0.5"
                               " --set FilterResonance=0.75");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::map<int, double> g = Summary(r.output);
  EXPECT_NEAR(g.at(20), 0.0, 0.05);
  EXPECT_LT(g.at(10000), -50.0);  // two octave-and-a-bit decades of 12 dB per octave
}

TEST(Response, LowRateLimitsTheRangeAndStaysFinite)
{
  const std::string out = TempFolder() + "/low.png";
  const ToolResult r = RunTool("response " + out + kOpen +
                               " --set FilterCutoff=1 --set DumpExpand=1"
                               " --sample-rate 22050");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::map<int, double> g = Summary(r.output);
  EXPECT_EQ(g.count(20000), 0u);  // above Nyquist
  // The three filters that would sit above Nyquist (the unit's high-pass at 22040 Hz, the
  // sweep's pair at 21000 Hz) are designed at 0.49 * 22050 = 10804.5 Hz instead.
  EXPECT_GT(g.at(10000), -20.0);
  EXPECT_LT(g.at(10000), 3.0);
  EXPECT_LT(g.at(1000), -40.0);
}

TEST(Response, BadArguments)
{
  EXPECT_EQ(RunTool("response").exitCode, 1);
  const ToolResult rate = RunTool("response " + TempFolder() + "/x.png --sample-rate 12");
  EXPECT_EQ(rate.exitCode, 1);
  EXPECT_NE(rate.output.find("--sample-rate"), std::string::npos) << rate.output;
  EXPECT_EQ(RunTool("response " + TempFolder() + "/x.png --set NoSuchKey=1").exitCode, 1);
  EXPECT_EQ(RunTool("response /no/such/folder/x.png").exitCode, 2);
}
