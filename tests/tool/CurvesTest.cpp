#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/tool/ToolRun.h"

namespace {

std::string ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t BigEndian(const std::string& s, size_t at)
{
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

}  // namespace

TEST(Curves, DrawsBothCurvesSideBySideForTheSettings)
{
  const std::string dir = TempFolder();
  const ToolResult r = RunTool("curves " + dir +
                               "/a.png --set DistortionType=0.5 --set Distortion=0.5"
                               " --set DistortionInterpMode=1");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("15: Hardcore-Fuzz1, hermite"), std::string::npos) << r.output;
  const std::string png = ReadFile(dir + "/a.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian(png, 16), 840u);
  EXPECT_EQ(BigEndian(png, 20), 420u);

  ASSERT_EQ(RunTool("curves " + dir + "/b.png").exitCode, 0);
  EXPECT_NE(ReadFile(dir + "/b.png"), png);
}

TEST(Curves, UsageErrorsWriteNothing)
{
  const std::string dir = TempFolder();
  EXPECT_EQ(RunTool("curves").exitCode, 1);
  EXPECT_EQ(RunTool("curves " + dir + "/a.png " + dir + "/b.png").exitCode, 1);
  const ToolResult r = RunTool("curves " + dir + "/c.png --set NoSuchKey=1");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(ReadFile(dir + "/c.png"), "");
}
