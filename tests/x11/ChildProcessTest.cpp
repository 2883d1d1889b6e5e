#include <gtest/gtest.h>

#include "gui/ChildProcess.h"
#include "gui/DesktopDialogs.h"

TEST(ChildProcess, CollectsTheOutputAndTheExitCode)
{
  const ChildProcess::Result r = ChildProcess::Run({"/bin/sh", "-c", "printf 'a\\nb'; read x; exit 3"});
  EXPECT_TRUE(r.started);
  EXPECT_EQ(r.output, "a\nb");
  EXPECT_EQ(r.exitCode, 3) << "standard input is empty, so read returns at once";

  const ChildProcess::Result killed = ChildProcess::Run({"/bin/sh", "-c", "kill -9 $$"});
  EXPECT_TRUE(killed.started);
  EXPECT_EQ(killed.exitCode, -1);
}

TEST(ChildProcess, AMissingProgramDoesNotStart)
{
  EXPECT_FALSE(ChildProcess::Run({"skarvel-no-such-program"}).started);
  EXPECT_FALSE(ChildProcess::Run({}).started);
  EXPECT_FALSE(ChildProcess::IsInstalled("skarvel-no-such-program"));
  EXPECT_FALSE(ChildProcess::IsInstalled(""));
  EXPECT_TRUE(ChildProcess::IsInstalled("sh"));
}

TEST(ChildProcess, TheCallerGetsTurnsWhileTheProgramRuns)
{
  int turns = 0;
  const ChildProcess::Result r =
    ChildProcess::Run({"/bin/sh", "-c", "sleep 0.3; echo done"}, [&] { ++turns; });
  EXPECT_EQ(r.output, "done\n");
  EXPECT_GE(turns, 3) << "about one turn every 40 ms";
}

TEST(DesktopDialogs, ExtensionListsBecomePatterns)
{
  EXPECT_EQ(DesktopDialogs::ExtensionPatterns("kw bgp", ";"), "*.kw;*.bgp");
  EXPECT_EQ(DesktopDialogs::ExtensionPatterns("  kw   bgp ", " "), "*.kw *.bgp");
  EXPECT_EQ(DesktopDialogs::ExtensionPatterns("", ";"), "");
}
