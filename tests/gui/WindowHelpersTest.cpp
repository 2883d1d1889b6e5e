// The platform-neutral pieces the editor windows share: double-click timing, popup menus laid
// out as lists, the text entry's rules, and the workers that decode the art.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <vector>

#include "gui/DoubleClickDetector.h"
#include "gui/IPopupMenu.h"
#include "gui/ParallelFor.h"
#include "gui/PopupMenuList.h"
#include "gui/TextEntryRules.h"
#include "plug/IPlugParam.h"
#include "tests/gui/SurfaceFixture.h"

TEST(DoubleClickDetector, PairsTwoPressesWithinTheIntervalAndTheSquare)
{
  DoubleClickDetector d;
  EXPECT_FALSE(d.Press(1, 100, 100, 1000));
  EXPECT_TRUE(d.Press(1, 105, 95, 1400)) << "400 ms and 5 pixels are still a double-click";
  EXPECT_FALSE(d.Press(1, 105, 95, 1450)) << "a third press starts afresh";
  EXPECT_TRUE(d.Press(1, 105, 95, 1500));

  EXPECT_FALSE(d.Press(1, 0, 0, 5000));
  EXPECT_FALSE(d.Press(1, 0, 0, 5401)) << "too slow";
  EXPECT_FALSE(d.Press(1, 6, 0, 5500)) << "too far";
  EXPECT_FALSE(d.Press(3, 6, 0, 5600)) << "another button";
  EXPECT_FALSE(d.Press(1, 6, 0, 5700)) << "the right press broke the pair";
  EXPECT_TRUE(d.Press(1, 6, 0, 5800));
}

TEST(DoubleClickDetector, MeasuresAcrossTheServerClockWrapping)
{
  DoubleClickDetector d;
  EXPECT_FALSE(d.Press(1, 0, 0, 0xFFFFFF00ul));
  EXPECT_TRUE(d.Press(1, 0, 0, 0x10ul));  // 272 ms later
  d.Reset();
  EXPECT_FALSE(d.Press(1, 0, 0, 0x20ul)) << "a reset forgets the last press";
}

TEST(PopupMenuList, NumbersItemsPrefixesSubmenusAndLeavesOutWhatCannotBeChosen)
{
  IPopupMenu menu;
  menu.SetPrefix(IPopupMenu::kTwoDigits);
  menu.AddItem("Low");
  menu.AddItem("", IPopupMenu::kSeparator);
  menu.AddItem("High", IPopupMenu::kChecked);
  IPopupMenu* more = new IPopupMenu;
  more->AddItem("Wide");
  more->AddItem("Off", IPopupMenu::kGreyed);
  more->AddItem("Narrow", IPopupMenu::kDisabled);
  more->AddItem("Tight");
  menu.AddItem("More", 0, more);

  PopupMenuList list(menu);
  EXPECT_EQ(list.Labels(),
            (std::vector<std::string>{"  01: Low", "* 03: High", "  04: More > Wide", "  04: More > Tight"}));
  EXPECT_EQ(list.Choose(3), more);
  EXPECT_EQ(more->GetChosenItemIdx(), 3);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_EQ(list.Choose(1), &menu);
  EXPECT_EQ(menu.GetChosenItemIdx(), 2);
  EXPECT_EQ(list.Choose(4), nullptr);
  EXPECT_EQ(list.Choose(-1), nullptr);
}

namespace {

IPlugParam Choice()
{
  IPlugParam p;
  p.kind = IPlugParam::kEnum;
  p.minimum = 0.0;
  p.maximum = 2.0;
  p.SetDisplayText(0, "Off");
  p.SetDisplayText(1, "12");
  p.SetDisplayText(2, "24");
  return p;
}

}  // namespace

TEST(TextEntryRules, KeepsWhatTheEntryWouldHaveTakenUpToItsLength)
{
  IPlugParam decimal;
  decimal.DefineDouble("d", 0.0, -10.0, 10.0, 0.01, "");
  const IPlugParam choice = Choice();
  EXPECT_EQ(TextEntryRules::Filter("-1.5 dB", &decimal, 7), "-1.5");
  EXPECT_EQ(TextEntryRules::Filter("+1.5", &choice, 7), "+15");
  EXPECT_EQ(TextEntryRules::Filter("123456789", &choice, 7), "1234567");
  EXPECT_EQ(TextEntryRules::Filter("any text", nullptr, 3), "any");
}

TEST(TextEntryRules, CommitsAChoiceByItsTextAndANumberNegatedWhereItShowsNegated)
{
  RecordingPlug plug(1);
  ProbeControl control(&plug, EditorRect(0, 0, 10, 10), 0);
  IPlugParam choice = Choice();
  TextEntryRules::Commit(&control, &choice, "24");
  EXPECT_EQ(control.GetValue(), 1.0);
  ASSERT_EQ(plug.fromEditor.size(), 1u);
  TextEntryRules::Commit(&control, &choice, "36");
  EXPECT_EQ(control.GetValue(), 0.0) << "no matching text is the first value";

  IPlugParam decimal;
  decimal.DefineDouble("d", 0.0, -10.0, 10.0, 0.01, "");
  decimal.displayNegated = true;
  TextEntryRules::Commit(&control, &decimal, "5");
  EXPECT_EQ(control.GetValue(), 0.25);
  const size_t pushes = plug.fromEditor.size();
  TextEntryRules::Commit(&control, &decimal, "5.0");
  EXPECT_EQ(plug.fromEditor.size(), pushes) << "an unchanged value is not pushed again";
}

// Every index runs once across the workers; a call that throws ends the run on the calling
// thread with that exception instead of ending the process from a worker.
TEST(ParallelFor, RunsEachIndexOnceAndHandsAThrowBackToTheCaller)
{
  std::vector<std::atomic<int>> runs(1000);
  ParallelFor(1000, 4, [&](int i) { runs[i].fetch_add(1); });
  for (const std::atomic<int>& r : runs) ASSERT_EQ(r.load(), 1);

  const auto throwAt10 = [](std::atomic<int>& started) {
    return [&started](int i) {
      started.fetch_add(1);
      if (i == 10) throw std::bad_alloc();
    };
  };
  std::atomic<int> started{0};
  EXPECT_THROW(ParallelFor(1000, 4, throwAt10(started)), std::bad_alloc);
  std::atomic<int> alone{0};
  EXPECT_THROW(ParallelFor(1000, 1, throwAt10(alone)), std::bad_alloc);
  EXPECT_EQ(alone.load(), 11) << "the indices after a throw are skipped";
}
