// The effect's editor driven with the mouse at the real control positions.
#include <cmath>
#include <cstdio>
#include <string>

#include "skarvel/IKwCurve.h"
#include "skarvel/IKwMaxLevelText.h"
#include "skarvel/IKwModeSwitch.h"
#include "skarvel/IKwTabButton.h"
#include "gui/ITextControl.h"
#include "tests/gui/EditorFixture.h"
#include "tests/gui/SurfaceFixture.h"

namespace {

using PanelLayout::Kind;
using PanelLayout::Role;

class Editor : public EditorTest
{
protected:
  std::string Text(Role r) { return fx->EditorControls().Text(r)->GetText(); }
  void Set(int param, double v) { fx->SetParameterFromEditor(param, v); }
  std::vector<double> Params()
  {
    std::vector<double> v;
    for (int i = 0; i < kNumParams; ++i) v.push_back(Param(i));
    return v;
  }
  std::vector<double> ProgramValues(int program)
  {
    std::vector<double> v;
    const ByteChunk* chunk = fx->PresetChunk(program);
    for (int i = 0; i < kNumParams; ++i) {
      double x = 0.0;
      chunk->Get(x, 8 * i);
      v.push_back(x);
    }
    return v;
  }
  // Runs the window's timer: repaints while anything is dirty, then four quiet ticks, after
  // which the controls have had their idle tick.
  void IdleTicks()
  {
    EditorRect r;
    int repaints = 0;
    for (; Gui().CollectDirtyArea(r) && repaints < 3; ++repaints) Gui().DrawArea(r), r = EditorRect();
    ASSERT_LT(repaints, 3);
    // The call that ended the repaints was the first quiet tick.
    for (int i = 0; i < 3; ++i) ASSERT_FALSE(Gui().CollectDirtyArea(r));
  }
};

TEST_F(Editor, DraggingTheVolumeKnob188PixelsUpSweepsItsRange)
{
  Set(kInputVolume, 0.0);
  const int knob = IndexOf(Kind::Knob, kInputVolume);
  ASSERT_EQ(Control(knob).GetRECT().H(), 47);
  ASSERT_EQ(Control(knob).GetValue(), 0.0);
  host.Clear();

  Drag(knob, 0, -188, 4);
  EXPECT_EQ(Param(kInputVolume), 1.0);
  EXPECT_EQ(Control(knob).GetValue(), 1.0);
  ASSERT_GE(host.calls.size(), 2u);
  EXPECT_EQ(host.calls.front(), std::make_pair(VstInt32(audioMasterBeginEdit), VstInt32(kInputVolume)));
  EXPECT_EQ(host.calls.back(), std::make_pair(VstInt32(audioMasterEndEdit), VstInt32(kInputVolume)));
  using A = std::pair<VstInt32, float>;
  EXPECT_EQ(host.automated, (std::vector<A>{{0, 0.25f}, {0, 0.5f}, {0, 0.75f}, {0, 1.0f}}));
  EXPECT_EQ(Text(Role::InputVolumeText), "0.0 dB");

  Drag(knob, 0, -50, 1);
  EXPECT_EQ(Param(kInputVolume), 1.0) << "no further than the end";

  Set(kInputVolume, 0.0);
  Drag(knob, 0, -188, 1, LeftWithControl());
  EXPECT_EQ(Param(kInputVolume), 0.1) << "ten times finer with control";
}

TEST_F(Editor, DoubleClickRestoresTheValueTheEditorWasBuiltWith)
{
  const int knob = IndexOf(Kind::Knob, kVolume);
  ASSERT_EQ(Control(knob).GetDefaultValue(), 1.0);
  Drag(knob, 0, 100, 2);
  ASSERT_LT(Param(kVolume), 1.0);
  host.Clear();
  DoubleClick(knob);
  EXPECT_EQ(Param(kVolume), 1.0);
  EXPECT_EQ(Control(knob).GetValue(), 1.0);
  EXPECT_EQ(host.automated.back(), std::make_pair(VstInt32(kVolume), 1.0f));
  EXPECT_EQ(host.Count(audioMasterBeginEdit), 1);
  EXPECT_EQ(host.Count(audioMasterEndEdit), 1);
}

TEST_F(Editor, TheWheelStepsAHundredthOrAThousandthWithControl)
{
  const int knob = IndexOf(Kind::Knob, kBassAmount);
  Wheel(knob, 1);
  EXPECT_EQ(Param(kBassAmount), 0.5 + 1 * 0.01);
  MouseModifiers ctrl;
  ctrl.C = true;
  Wheel(knob, -2, ctrl);
  EXPECT_EQ(Param(kBassAmount), 0.5 + 1 * 0.01 + -2 * 0.001);
  Wheel(knob, -300);
  EXPECT_EQ(Param(kBassAmount), 0.0);
}

TEST_F(Editor, SwitchesToggleTheirParameters)
{
  const int filter = IndexOf(Kind::Switch, kFilterOnOff);
  const int bypass = IndexOf(Kind::Switch, kBypassFX);
  Click(filter);
  EXPECT_EQ(Param(kFilterOnOff), 0.0);
  Click(filter);
  EXPECT_EQ(Param(kFilterOnOff), 1.0);
  DoubleClick(filter);
  EXPECT_EQ(Param(kFilterOnOff), 0.0) << "a double-click is one more click";
  Click(bypass);
  EXPECT_EQ(Param(kBypassFX), 1.0);
  EXPECT_EQ(fx->Mirror(mBypassFX), 1.0);
}

TEST_F(Editor, ModeSwitchesStepAndWrapOnlyWhereTheyShould)
{
  const int mode1Up = IndexOf(Kind::ModeSwitch, kFilterMode1);
  const int typeDown = IndexOf(Kind::ModeSwitch, kDistortionType, 0);
  const int typeUp = IndexOf(Kind::ModeSwitch, kDistortionType, 1);
  const int interp = IndexOf(Kind::ModeSwitch, kDistortionInterpMode);

  Set(kFilterMode1, 1.0);
  Press(mode1Up);
  EXPECT_EQ(Param(kFilterMode1), 0.0) << "four states, wrapping";
  EXPECT_EQ(Control(mode1Up).GetValue(), 1.0) << "pressed";
  Release(mode1Up);
  EXPECT_EQ(Control(mode1Up).GetValue(), 0.0);
  Click(mode1Up);
  EXPECT_EQ(Param(kFilterMode1), 1.0 / 3);

  Set(kDistortionType, 1.0);
  Click(typeUp);
  EXPECT_EQ(Param(kDistortionType), 1.0) << "29 states, no wrap";
  Set(kDistortionType, 13.0 / 28);
  Click(typeUp);
  EXPECT_EQ(Param(kDistortionType), 14.0 / 28);
  Set(kDistortionType, 0.0);
  Click(typeDown);
  EXPECT_EQ(Param(kDistortionType), 0.0);

  Set(kDistortionInterpMode, 0.0);
  Click(interp);
  DoubleClick(interp);
  EXPECT_EQ(Param(kDistortionInterpMode), 0.5) << "the double-click steps once more";
  Set(kDistortionInterpMode, 1.0);
  Click(interp);
  EXPECT_EQ(Param(kDistortionInterpMode), 0.0);
}

TEST(ModeSwitchSteps, DownWithWrapGoesFromTheFirstStateToTheLast)
{
  RecordingPlug plug;
  double p = 0.0;
  const SkinBitmap none;
  IKwModeSwitch down(&plug, 0, 0, 0, none, 4, &p, true, IKwModeSwitch::kDown);
  IKwModeSwitch downNoWrap(&plug, 0, 0, 0, none, 4, &p, false, IKwModeSwitch::kDown);
  EXPECT_EQ(down.Step(0.0), 1.0);
  EXPECT_EQ(downNoWrap.Step(0.0), 0.0);
  EXPECT_EQ(down.Step(0.4), 0.0) << "0.4 is state 1";
  EXPECT_EQ(down.Step(std::nan("")), 1.0) << "an unreadable value counts as the first state";
}

TEST_F(Editor, PresetButtonsStepProgramsAndStopAtTheEnds)
{
  const int prev = IndexOf(Kind::PresetSwitch, -1, 0);
  const int next = IndexOf(Kind::PresetSwitch, -1, 1);
  ASSERT_EQ(fx->GetCurrentPresetIdx(), 0);

  Click(next);
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 1);
  EXPECT_EQ(Text(Role::PresetNameText), std::string("2: ") + fx->GetPresetName(1));
  EXPECT_EQ(Params(), ProgramValues(1));
  EXPECT_EQ(Bound(kDistortion).GetValue(), ProgramValues(1)[kDistortion]);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1);
  EXPECT_EQ(host.Count(audioMasterAutomate), kNumParams);

  Click(prev);
  Click(prev);
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 0) << "no step before the first program";
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 3) << "the host hears of every press";

  Click(next, Right());
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 10) << "ten with the right button";
  DoubleClick(next);
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 11);

  ASSERT_TRUE(fx->ApplyPreset(50));
  Click(next, Right());
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 50) << "60 is past the last program";
  ASSERT_TRUE(fx->ApplyPreset(55));
  Click(next);
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 55);
}

TEST_F(Editor, TheAboutTabHidesTheEffectPage)
{
  const SkarvelEditorControls& ec = fx->EditorControls();
  ASSERT_EQ(ec.aboutPage.size(), 4u);
  for (int i : ec.aboutPage) EXPECT_TRUE(Control(i).IsHidden());
  EXPECT_EQ(ec.effectTab->GetValue(), 1.0);

  const int aboutTab = IndexOf(Kind::TabButton, -1, 1);
  Click(aboutTab);
  EXPECT_FALSE(fx->EffectPageShown());
  for (int i : ec.effectPage) EXPECT_TRUE(Control(i).IsHidden()) << i;
  for (int i : ec.aboutPage) EXPECT_FALSE(Control(i).IsHidden()) << i;
  EXPECT_EQ(ec.effectTab->GetValue(), 0.0);
  EXPECT_EQ(ec.aboutTab->GetValue(), 1.0);
  EXPECT_FALSE(Control(aboutTab).IsHidden());

  const double before = Param(kInputVolume);
  Drag(IndexOf(Kind::Knob, kInputVolume), 0, -100, 1);
  EXPECT_EQ(Param(kInputVolume), before) << "a hidden knob is not hit";

  Click(IndexOf(Kind::TabButton, -1, 0));
  EXPECT_TRUE(fx->EffectPageShown());
  for (int i : ec.effectPage) EXPECT_FALSE(Control(i).IsHidden()) << i;
  for (int i : ec.aboutPage) EXPECT_TRUE(Control(i).IsHidden()) << i;
  EXPECT_EQ(ec.aboutTab->GetValue(), 0.0);
}

// The OVERSAMPLE button steps the instance's setting, which is no parameter: off, 2x, 4x and
// round again; the read-out and the latency follow, and no parameter moves. The host hears of
// the latency on the idle call after the click, when the lock is free.
TEST_F(Editor, TheOversamplingButtonStepsTheSettingRoundWithItsReadout)
{
  const int button = IndexOf(Kind::OversamplingSwitch);
  ASSERT_GE(button, 0);
  EXPECT_EQ(Text(Role::OversamplingText), "off");
  host.Clear();
  const struct
  {
    const char* text;
    int latency;
  } steps[] = {{"2x", 54}, {"4x", 67}, {"off", 0}};
  int told = 0;
  for (const auto& step : steps) {
    Click(button);
    EXPECT_EQ(Text(Role::OversamplingText), step.text);
    EXPECT_EQ(fx->GetLatency(), step.latency);
    EXPECT_EQ(host.Count(audioMasterIOChanged), told);
    fx->EditorIdle();
    EXPECT_EQ(host.Count(audioMasterIOChanged), ++told);
  }
  DoubleClick(button);
  EXPECT_EQ(Text(Role::OversamplingText), "2x");  // a double click's second press steps once
  fx->EditorIdle();
  fx->EditorIdle();
  EXPECT_EQ(host.Count(audioMasterIOChanged), 4);
  EXPECT_TRUE(host.automated.empty());
}

TEST(MaxLevelText, DecibelsOfThePeakInCyanOrRed)
{
  char text[64];
  EXPECT_EQ(IKwMaxLevelText::LevelText(0.0, text, sizeof text), kColourLightCyan);
  EXPECT_STREQ(text, "Max. level: -oo dB");
  EXPECT_EQ(IKwMaxLevelText::LevelText(1.0, text, sizeof text), kColourLightCyan);
  EXPECT_STREQ(text, "Max. level: 0.0 dB");
  EXPECT_EQ(IKwMaxLevelText::LevelText(1.5, text, sizeof text), kColourRed);
  EXPECT_STREQ(text, "Max. level: 3.5 dB");
  EXPECT_EQ(IKwMaxLevelText::LevelText(std::nan(""), text, sizeof text), kColourLightCyan);
  EXPECT_STREQ(text, "Max. level: -oo dB");
}

TEST_F(Editor, TheLevelReadoutFollowsTheMeterOnIdleTicksAndResets)
{
  ITextControl* level = fx->EditorControls().Text(Role::MaxLevelText);
  EXPECT_STREQ(level->GetText(), "Max. level: -oo dB");
  Set(kBypassFX, 1.0);
  std::vector<double> loud(64, 1e9), left(64), right(64);
  double* in[2] = {loud.data(), loud.data()};
  double* out[2] = {left.data(), right.data()};
  fx->ProcessBlock(in, out, 64);  // clamped to 25 at the end of the chain
  IdleTicks();
  EXPECT_STREQ(level->GetText(), "Max. level: 28.0 dB");
  EXPECT_EQ(level->GetTextStyle().colour, kColourRed);

  Click(IndexOf(Kind::ResetButton));
  std::vector<double> silence(64, 0.0);
  double* quiet[2] = {silence.data(), silence.data()};
  fx->ProcessBlock(quiet, out, 64);
  IdleTicks();
  EXPECT_STREQ(level->GetText(), "Max. level: -oo dB");
  EXPECT_EQ(level->GetTextStyle().colour, kColourLightCyan);
}

// The host may automate from its audio thread: the editor follows at its next repaint, on
// its own thread, never from inside setParameter.
TEST_F(Editor, HostAutomationMovesTheBoundControlAndItsReadoutAtTheNextRepaint)
{
  AEffect* e = fx->GetAEffect();
  auto automate = [&](int param, float value) {
    e->setParameter(e, param, value);
    EditorRect r;
    Gui().CollectDirtyArea(r);
  };
  const double before = Bound(kFilterCutoff).GetValue();
  e->setParameter(e, kFilterCutoff, 0.5f);
  EXPECT_EQ(Bound(kFilterCutoff).GetValue(), before);
  EditorRect dirty;
  EXPECT_TRUE(Gui().CollectDirtyArea(dirty));
  EXPECT_EQ(Bound(kFilterCutoff).GetValue(), 0.5);
  char hz[32];
  std::snprintf(hz, sizeof hz, "%dHz", static_cast<int>(fx->GetFilterUnit().CurrentCutoffHz()));
  EXPECT_EQ(Text(Role::CutoffText), hz);

  automate(kVolume, 0.5f);
  EXPECT_EQ(Bound(kVolume).GetValue(), 0.5);
  EXPECT_EQ(Text(Role::OutputVolumeText), "-6.0 dB");
  automate(kVolume, 0.0f);
  EXPECT_EQ(Text(Role::OutputVolumeText), "-oo dB");
  automate(kRingModulationFrequency, 0.25f);
  EXPECT_EQ(Text(Role::RingFreqText), "500.0Hz");
  automate(kDistortionType, 0.5f);
  EXPECT_EQ(Text(Role::TypeNameText), "15: Hardcore-Fuzz1");
  automate(kDistortionInterpMode, 0.25f);
  EXPECT_EQ(Text(Role::InterpNameText), fx->GetDistortion().InterpolationName());

  // A program applied by the base reaches the controls the same way.
  ASSERT_TRUE(fx->ApplyPreset(3));
  EXPECT_EQ(Bound(kDistortion).GetValue(), ProgramValues(3)[kDistortion]);
  EXPECT_EQ(Text(Role::PresetNameText), std::string("4: ") + fx->GetPresetName(3));

  // A program the host picks on its audio thread changes the values there, and the controls
  // and the program's name at the next repaint.
  int program = 4;
  while (program < fx->NPresets() && ProgramValues(program)[kDistortion] == ProgramValues(3)[kDistortion])
    ++program;
  ASSERT_LT(program, fx->NPresets());
  const std::string shownBefore = Text(Role::PresetNameText);
  fx->SelectPresetFromHost(program);
  EXPECT_EQ(fx->GetCurrentPresetIdx(), program);
  EXPECT_EQ(Params(), ProgramValues(program));
  EXPECT_EQ(Bound(kDistortion).GetValue(), ProgramValues(3)[kDistortion]);
  EXPECT_EQ(Text(Role::PresetNameText), shownBefore);
  EXPECT_TRUE(Gui().CollectDirtyArea(dirty));
  EXPECT_EQ(Bound(kDistortion).GetValue(), ProgramValues(program)[kDistortion]);
  EXPECT_EQ(Text(Role::PresetNameText), std::to_string(program + 1) + ": " + fx->GetPresetName(program));
}

TEST_F(Editor, CurvesAreRedrawnWhenTheDistortionChanges)
{
  const SkarvelEditorControls& ec = fx->EditorControls();
  Gui().DrawArea({0, 0, 512, 480});
  ASSERT_FALSE(ec.colouredCurve->IsDirty());
  Set(kDistortion, 0.7);
  EXPECT_TRUE(ec.colouredCurve->IsDirty());
  EXPECT_TRUE(ec.whiteCurve->IsDirty());
  Gui().DrawArea({0, 0, 512, 480});
  Set(kBassAmount, 0.7);
  EXPECT_FALSE(ec.colouredCurve->IsDirty());
}

TEST_F(Editor, EveryControlLiesInsideTheEditorInTableOrder)
{
  ASSERT_EQ(Gui().NControls(), PanelLayout::kControlCount);
  EXPECT_EQ(Gui().Width(), 512);
  EXPECT_EQ(Gui().Height(), 480);
  const EditorRect editor(0, 0, 512, 480);
  for (int i = 0; i < Gui().NControls(); ++i) {
    const EditorRect& r = Control(i).GetRECT();
    EXPECT_FALSE(r.Empty()) << i;
    EXPECT_TRUE(r.L >= 0 && r.T >= 0 && r.R <= 512 && r.B <= 480) << i;
  }
  EXPECT_EQ(Control(0).GetRECT(), editor) << "the background";
  EXPECT_EQ(Control(1).GetRECT(), EditorRect(16, 65, 496, 445));
  const SkarvelEditorControls& ec = fx->EditorControls();
  EXPECT_EQ(ec.effectTab->GetRECT().Union(ec.aboutTab->GetRECT()), EditorRect(176, 445, 336, 470));
  EXPECT_EQ(ec.effectPage.size() + ec.aboutPage.size() + 3, size_t(PanelLayout::kControlCount));
  EXPECT_EQ(Bound(kInputVolume).GetRECT(), EditorRect(47, 367, 94, 414));
}

TEST_F(Editor, CancellingTheLoadDialogChangesNothing)
{
  const std::vector<double> before = Params();
  Click(IndexOf(Kind::FileSelector, -1, 0));
  Click(IndexOf(Kind::FileSelector, -1, 1));
  EXPECT_EQ(Params(), before);
  EXPECT_EQ(fx->GetCurrentPresetIdx(), 0);
}

}  // namespace
