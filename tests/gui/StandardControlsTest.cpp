// The standard controls on a bare surface: stepping, dragging, the fader's travel, texts,
// captions and the file selector's states.
#include <gtest/gtest.h>

#include <limits>

#include "gui/ICaptionControl.h"
#include "gui/IFaderControl.h"
#include "gui/IFileSelectorControl.h"
#include "gui/ISwitchControl.h"
#include "tests/gui/SurfaceFixture.h"

namespace {

class Controls : public ::testing::Test
{
protected:
  Controls() { plug.AttachEditor(&g); }
  ~Controls() override { plug.AttachEditor(nullptr); }

  template <class C> C* Add(C* c)
  {
    g.AttachControl(c);
    return c;
  }

  RecordingPlug plug;
  ScriptedSurface g{&plug, 200, 100, 25};
  MouseModifiers none;
};

TEST(FilmstripFrames, ValueSelectsTheNearestFrame)
{
  EXPECT_EQ(IGraphics::FrameForValue(128, 0.0), 1);
  EXPECT_EQ(IGraphics::FrameForValue(128, 0.5), 65);
  EXPECT_EQ(IGraphics::FrameForValue(128, 1.0), 128);
  EXPECT_EQ(IGraphics::FrameForValue(2, 0.0), 1);
  EXPECT_EQ(IGraphics::FrameForValue(2, 0.49), 1);
  EXPECT_EQ(IGraphics::FrameForValue(2, 0.5), 2);
  EXPECT_EQ(IGraphics::FrameForValue(2, 1.0), 2);
  EXPECT_EQ(IGraphics::FrameForValue(2, 7.0), 2);
  EXPECT_EQ(IGraphics::FrameForValue(2, -3.0), 1);
  EXPECT_EQ(IGraphics::FrameForValue(2, std::numeric_limits<double>::quiet_NaN()), 1);
  EXPECT_EQ(IGraphics::FrameForValue(1, 1.0), 1);
}

TEST_F(Controls, AThreeFrameSwitchStepsAndWraps)
{
  auto three = MakeStrip(10, 10, 3, 0xFF000000);
  ISwitchControl* step = Add(new ISwitchControl(&plug, 20, 0, 1, Skin(three.get(), 3)));
  EXPECT_EQ(step->GetRECT(), EditorRect(20, 0, 30, 10));
  std::vector<double> seen;
  for (int i = 0; i < 4; ++i) {
    step->MouseDown(0, 0, none);
    seen.push_back(step->GetValue());
  }
  EXPECT_EQ(seen, (std::vector<double>{0.5, 1.0, 0.0, 0.5}));
  EXPECT_EQ(plug.fromEditor.back(), std::make_pair(1, 0.5));
}

TEST_F(Controls, TheFaderPutsItsHandleUnderTheMouse)
{
  auto handle = MakeStrip(14, 14, 1, 0xFF000000);
  IFaderControl* fader = Add(new IFaderControl(&plug, 104, 170, 82, 2, Skin(handle.get(), 1)));
  EXPECT_EQ(fader->GetRECT(), EditorRect(104, 170, 186, 184));

  fader->MouseDown(104, 175, none);
  EXPECT_EQ(fader->GetValue(), 0.0) << "clamped from -7 / 68";
  fader->MouseDown(104 + 7 + 34, 175, none);
  EXPECT_EQ(fader->GetValue(), 0.5);
  fader->MouseDrag(104 + 7 + 68, 175, 34, 0, none);
  EXPECT_EQ(fader->GetValue(), 1.0);
  EXPECT_EQ(fader->HandleRect(), EditorRect(104 + 68, 170, 104 + 68 + 14, 184));
  EXPECT_EQ(fader->HandleRect(0.25), EditorRect(104 + 17, 170, 104 + 17 + 14, 184));

  EXPECT_TRUE(fader->HitTest(110, 175));
  fader->SetHandleOnlyHit(true);
  EXPECT_FALSE(fader->HitTest(110, 175));
  EXPECT_TRUE(fader->HitTest(104 + 70, 175));
}

TEST_F(Controls, ATextRepaintsOnlyWhenItChanges)
{
  ITextControl* text = Add(new ITextControl(&plug, {0, 0, 50, 16}, TextStyle(), "abc"));
  g.DrawArea({0, 0, 200, 100});
  text->SetTextFromPlug("abc");
  EXPECT_FALSE(text->IsDirty());
  text->SetTextFromPlug("abcd");
  EXPECT_TRUE(text->IsDirty());
  EXPECT_STREQ(text->GetText(), "abcd");
  text->SetTextFromPlug(nullptr);
  EXPECT_STREQ(text->GetText(), "");
}

TEST_F(Controls, ACaptionShowsTheDisplayStringAndOptionallyTheLabel)
{
  IPlugParam* p = plug.GetParam(1);
  p->DefineDouble("freq", 0.0, 0.0, 1.0, 0.001, "Hz");
  p->displayPrecision = 1;
  p->value = 0.3;
  ICaptionControl* withLabel = Add(new ICaptionControl(&plug, {0, 0, 60, 16}, 1, TextStyle(), true));
  ICaptionControl* plain = Add(new ICaptionControl(&plug, {0, 20, 60, 36}, 1, TextStyle(), false));
  ICaptionControl* emptyLabel = Add(new ICaptionControl(&plug, {0, 40, 60, 56}, 2, TextStyle(), true));
  g.DrawArea({0, 0, 200, 100});
  EXPECT_STREQ(withLabel->GetText(), "0.3 Hz");
  EXPECT_STREQ(plain->GetText(), "0.3");
  char display[IPlugParam::kTextLen];
  plug.GetParam(2)->GetDisplayForHost(display);
  EXPECT_EQ(std::string(emptyLabel->GetText()), std::string(display) + " ");

  MouseModifiers left;
  left.L = true;
  withLabel->MouseDown(5, 5, left);
  EXPECT_EQ(g.entryControl, nullptr) << "prompting is off";
  withLabel->SetPromptDisabled(false);
  withLabel->MouseDown(5, 5, none);
  EXPECT_EQ(g.entryControl, nullptr) << "a caption prompts on a button press only";
  withLabel->MouseDoubleClick(5, 5, none);
  EXPECT_EQ(g.entryControl, withLabel);
}

TEST_F(Controls, TheFileSelectorAsksForAFileAndRepaintsOnceMoreAfterwards)
{
  auto strip = MakeStrip(48, 20, 2, 0xFF000000);
  IFileSelectorControl* load = Add(new IFileSelectorControl(&plug, {0, 0, 48, 20}, IGraphics::kFileOpen,
                                                            Skin(strip.get(), 2), "", "kw bgp"));
  g.DrawArea({0, 0, 200, 100});
  g.fileAnswer = "/presets/a.kw";
  load->MouseDown(1, 1, none);
  EXPECT_EQ(g.fileActions, (std::vector<int>{IGraphics::kFileOpen}));
  EXPECT_EQ(load->GetFile(), "/presets/a.kw");
  EXPECT_EQ(load->GetState(), IFileSelectorControl::kFinished);
  EXPECT_EQ(load->GetValue(), 1.0);
  EXPECT_TRUE(plug.fromEditor.empty()) << "bound to no parameter";

  g.DrawArea({0, 0, 200, 100});
  EXPECT_TRUE(load->NeedsRedraw()) << "the repaint after the dialog";
  EXPECT_EQ(load->GetState(), IFileSelectorControl::kIdle);
  EXPECT_FALSE(load->NeedsRedraw());
  load->MouseDown(1, 1, none);
  EXPECT_EQ(load->GetValue(), 0.0);
}

}  // namespace
