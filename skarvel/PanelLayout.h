#pragma once

// The editor's panel as data: every bitmap with its size and frame count, every control with
// its kind, parameter, bitmap, position and printed label, and the framed sections of the
// panel. The editor builds its controls from this table in table order (the order is the
// control index order; the background is first) and the skin generator places its printed
// labels and section frames from the same coordinates, so art and controls cannot drift.

#include "skarvel/SkarvelParameters.h"

namespace PanelLayout {
constexpr int kWidth = 512;
constexpr int kHeight = 480;
constexpr int kFramesPerSecond = 25;

struct Rect
{
  int l = 0, t = 0, r = 0, b = 0;  // right and bottom exclusive
};

// A PNG resource: id, file name under resources/img/kernwave/, frame count and one frame's
// size. Frames are stacked vertically, so the whole image is frameWidth x frameHeight * frames.
struct SkinBitmap
{
  int id;
  const char* fileName;
  int frames;
  int frameWidth;
  int frameHeight;
};

enum class Kind {
  Bitmap,              // IBitmapControl (arg: blend method)
  Switch,              // ISwitchControl
  Knob,                // IKnobMultiControl, vertical, gearing 4
  Fader,               // IFaderControl, horizontal (arg: length)
  Text,                // ITextControl
  Caption,             // ICaptionControl without label
  PresetSwitch,        // IKwPresetSwitch (arg: 0 previous, 1 next)
  ModeSwitch,          // IKwModeSwitch (arg: 1 up, 0 down; states; wrap)
  ResetButton,         // IKwResetButton
  TabButton,           // IKwTabButton (arg: page 0 effect, 1 about)
  FileSelector,        // IKwFileSelector (arg: 0 load, 1 save)
  MaxLevelText,        // IKwMaxLevelText
  Curve,               // IKwCurve (arg: 1 coloured)
  OversamplingSwitch,  // IKwOversamplingSwitch
};

enum class Page {
  Always,
  Effect,
  About,
};

// Panel sections; each has its own accent colour in the art.
enum class Section {
  Frame,  // background, tabs, brand plaque
  InOut,
  Presets,
  Filter,
  Modulation,
  Distortion,
  Equalizer,
  Status,  // sample rate, level meter and its reset
  About,
};

// Controls the effect keeps a pointer to, to rewrite their text or curve.
enum class Role {
  None,
  InputVolumeText,
  OutputVolumeText,
  PresetNameText,
  CutoffText,
  Mode1Text,
  Mode2Text,
  RingFreqText,
  TypeNameText,
  InterpNameText,
  SampleRateText,
  MaxLevelText,
  ColouredCurve,
  WhiteCurve,
  OversamplingText,
  EffectTab,
  AboutTab,
};

// Where the art prints a control's label: beside the control, or inside its own bitmap.
enum class LabelAt {
  None,
  Above,
  Below,
  Right,
  OnBitmap,
};

// Text styles of the read-outs (all Arial 13, non-antialiased).
enum class Style {
  None,
  T1,  // white, centred
  T2,  // white, left
  T3,  // light cyan, left
  T4,  // light cyan, left
};

struct Control
{
  Kind kind;
  Section section;
  Page page;
  Role role;
  int param;     // bound parameter index, -1 for none
  int bitmapId;  // 0 for none
  Rect rect;     // bitmap controls give only l, t; the rest comes from the bitmap's frame
  Style style;
  const char* text;   // initial text of text controls
  const char* label;  // printed by the art
  LabelAt labelAt;
  int arg;     // see Kind
  int states;  // mode switches
  bool wrap;   // mode switches
};

// A framed, titled area of the controls background (coordinates of the whole editor).
struct Frame
{
  Section section;
  Rect rect;
  const char* title;  // printed at the top left inside the frame; "" when a switch label titles it
  bool display;       // a dark screen rather than a panel
};

// clang-format off
inline constexpr SkinBitmap kBitmaps[] = {
    {1103, "GUI_background_512x480.png", 1, 512, 480},
    {1102, "Controls_Background_480x380.png", 1, 480, 380},
    {1101, "KW_Version_1_3_Free.png", 1, 140, 56},
    {301, "buttons/tab_skarvel_80x50.png", 2, 80, 25},
    {302, "buttons/tab_about_80x50.png", 2, 80, 25},
    {129, "buttons/reset_on_off_48x40.png", 2, 48, 20},
    {132, "buttons/bypass_fx_button_84x60.png", 2, 84, 30},
    {1105, "Free_Version_1_3.png", 1, 320, 56},
    {401, "Kernwave_Mirrored_480.png", 1, 480, 56},
    {1104, "KW_About_Text_Free.png", 1, 400, 132},
    {403, "VST_Logo.png", 1, 96, 56},
    {101, "knobs/KW_Volume_Knob_47px.png", 128, 47, 47},
    {103, "knobs/KW_Saturation_Knob_32px.png", 128, 32, 32},
    {104, "knobs/KW_Offset_Knob_32px.png", 128, 32, 32},
    {201, "displays/preset_display_162x20.png", 1, 162, 20},
    {127, "switches/Prev_left_20px.png", 2, 16, 20},
    {128, "switches/Next_right_20px.png", 2, 16, 20},
    {130, "buttons/load_on_off_48x40.png", 2, 48, 20},
    {131, "buttons/save_on_off_48x40.png", 2, 48, 20},
    {119, "switches/KW_on_off_18.png", 2, 18, 16},
    {122, "switches/mode_on_off_48px_40px.png", 2, 48, 20},
    {120, "slider_handle_14px_14px.png", 1, 14, 14},
    {121, "slider_background_82px_14px.png", 1, 82, 14},
    {105, "knobs/KW_Filter_Knob_40px.png", 128, 40, 40},
    {106, "knobs/KW_Resonance_Knob_40px.png", 128, 40, 40},
    {107, "knobs/KW_ModFx_Knob_27px.png", 128, 27, 27},
    {108, "knobs/KW_ModFx_Knob_40px.png", 128, 40, 40},
    {118, "knobs/KW_Disto_Knob_40px.png", 128, 40, 40},
    {133, "knobs/KW_Disto_BitCrash_27px.png", 128, 27, 27},
    {134, "knobs/KW_Disto_SmpRate_27px.png", 128, 27, 27},
    {135, "knobs/KW_Disto_Gate_27px.png", 128, 27, 27},
    {125, "switches/Prev_up_18px.png", 2, 18, 16},
    {126, "switches/Next_down_18px.png", 2, 18, 16},
    {123, "switches/disto_mode_on_off_48px_40px.png", 2, 48, 20},
    {124, "switches/loud_on_off_48px_40px.png", 2, 48, 20},
    {202, "displays/disto_display_110x38.png", 1, 110, 38},
    {111, "knobs/KW_EQ_Low_Knob_30px.png", 128, 30, 30},
    {110, "knobs/KW_EQ_Mid_Knob_30px.png", 128, 30, 30},
    {109, "knobs/KW_EQ_High_Knob_30px.png", 128, 30, 30},
    {112, "knobs/KW_DumpExp_Knob_30px.png", 128, 30, 30},
    {136, "buttons/oversampling_on_off_72x40.png", 2, 72, 20},
};
// clang-format on

using K = Kind;
using S = Section;
using P = Page;
using R = Role;
using L = LabelAt;

// In construction order.
// clang-format off
inline constexpr Control kControls[] = {
    {K::Bitmap, S::Frame, P::Always, R::None, -1, 1103, {0, 0}, Style::None, "", "", L::None, 1, 0, false},
    {K::Bitmap, S::Frame, P::Effect, R::None, -1, 1102, {16, 65}, Style::None, "", "", L::None, 0, 0, false},
    {K::TabButton, S::Frame, P::Always, R::EffectTab, -1, 301, {176, 445}, Style::None, "", "SKARVEL", L::OnBitmap, 0, 0, false},
    {K::TabButton, S::Frame, P::Always, R::AboutTab, -1, 302, {256, 445}, Style::None, "", "ABOUT", L::OnBitmap, 1, 0, false},
    // input / output
    {K::Knob, S::InOut, P::Effect, R::None, kInputVolume, 101, {47, 367}, Style::None, "", "INPUT", L::Above, 0, 0, false},
    {K::Knob, S::InOut, P::Effect, R::None, kInputDCOffset, 104, {102, 375}, Style::None, "", "DC OFS", L::Above, 0, 0, false},
    {K::Knob, S::InOut, P::Effect, R::None, kInputSaturation, 103, {139, 375}, Style::None, "", "SAT", L::Above, 0, 0, false},
    {K::Knob, S::InOut, P::Effect, R::None, kSaturation, 103, {384, 375}, Style::None, "", "SAT", L::Above, 0, 0, false},
    {K::Knob, S::InOut, P::Effect, R::None, kVolume, 101, {422, 367}, Style::None, "", "OUTPUT", L::Above, 0, 0, false},
    {K::Text, S::InOut, P::Effect, R::InputVolumeText, -1, 0, {47, 414, 97, 430}, Style::T1, "-oo dB", "", L::None, 0, 0, false},
    {K::Text, S::InOut, P::Effect, R::OutputVolumeText, -1, 0, {422, 414, 472, 430}, Style::T1, "-oo dB", "", L::None, 0, 0, false},
    // presets
    {K::Bitmap, S::Presets, P::Effect, R::None, -1, 201, {55, 313}, Style::None, "", "", L::None, 0, 0, false},
    {K::Text, S::Presets, P::Effect, R::PresetNameText, -1, 0, {55, 317, 215, 333}, Style::T1, "Current Preset", "", L::None, 0, 0, false},
    {K::PresetSwitch, S::Presets, P::Effect, R::None, -1, 127, {38, 313}, Style::None, "", "", L::OnBitmap, 0, 0, false},
    {K::PresetSwitch, S::Presets, P::Effect, R::None, -1, 128, {214, 313}, Style::None, "", "", L::OnBitmap, 1, 0, false},
    {K::FileSelector, S::Presets, P::Effect, R::None, -1, 130, {249, 313, 297, 333}, Style::None, "", "LOAD", L::OnBitmap, 0, 0, false},
    {K::FileSelector, S::Presets, P::Effect, R::None, -1, 131, {297, 313, 345, 333}, Style::None, "", "SAVE", L::OnBitmap, 1, 0, false},
    // filter
    {K::Switch, S::Filter, P::Effect, R::None, kFilterOnOff, 119, {47, 91}, Style::None, "", "FILTER", L::Right, 0, 0, false},
    {K::Knob, S::Filter, P::Effect, R::None, kFilterCutoff, 105, {103, 122}, Style::None, "", "CUTOFF", L::Above, 0, 0, false},
    {K::Knob, S::Filter, P::Effect, R::None, kFilterResonance, 106, {150, 122}, Style::None, "", "RESO", L::Above, 0, 0, false},
    {K::Bitmap, S::Filter, P::Effect, R::None, -1, 121, {104, 170}, Style::None, "", "MIX", L::Above, 0, 0, false},
    {K::Fader, S::Filter, P::Effect, R::None, kFilterType, 120, {104, 170, 186, 184}, Style::None, "", "", L::None, 82, 0, false},
    {K::ModeSwitch, S::Filter, P::Effect, R::None, kFilterMode1, 122, {44, 147}, Style::None, "", "MODE", L::OnBitmap, 1, 4, true},
    {K::ModeSwitch, S::Filter, P::Effect, R::None, kFilterMode2, 122, {200, 147}, Style::None, "", "MODE", L::OnBitmap, 1, 4, true},
    {K::Text, S::Filter, P::Effect, R::CutoffText, -1, 0, {38, 131, 98, 147}, Style::T1, "cutoff", "", L::None, 0, 0, false},
    {K::Text, S::Filter, P::Effect, R::Mode1Text, -1, 0, {38, 169, 98, 185}, Style::T1, "fmode1", "", L::None, 0, 0, false},
    {K::Text, S::Filter, P::Effect, R::Mode2Text, -1, 0, {194, 169, 254, 185}, Style::T1, "fmode2", "", L::None, 0, 0, false},
    {K::Caption, S::Filter, P::Effect, R::None, kFilterResonance, 0, {198, 131, 258, 147}, Style::T1, "", "", L::None, 0, 0, false},
    // modulation
    {K::Switch, S::Modulation, P::Effect, R::None, kModulationOnOff, 119, {267, 91}, Style::None, "", "MODULATION", L::Right, 0, 0, false},
    {K::Knob, S::Modulation, P::Effect, R::None, kRingModulationAmount, 108, {273, 119}, Style::None, "", "RING", L::Above, 0, 0, false},
    {K::Knob, S::Modulation, P::Effect, R::None, kRingModulationFrequency, 108, {317, 119}, Style::None, "", "FREQ", L::Above, 0, 0, false},
    {K::Knob, S::Modulation, P::Effect, R::None, kPhaserDepth, 108, {424, 126}, Style::None, "", "PHASER", L::Above, 0, 0, false},
    {K::Knob, S::Modulation, P::Effect, R::None, kPhaserRate, 107, {367, 111}, Style::None, "", "RATE", L::Right, 0, 0, false},
    {K::Knob, S::Modulation, P::Effect, R::None, kPhaserFeedback, 107, {367, 145}, Style::None, "", "FDBK", L::Right, 0, 0, false},
    {K::Text, S::Modulation, P::Effect, R::RingFreqText, -1, 0, {309, 158, 369, 174}, Style::T1, "freq.", "", L::None, 0, 0, false},
    {K::Caption, S::Modulation, P::Effect, R::None, kRingModulationAmount, 0, {263, 158, 323, 174}, Style::T1, "", "", L::None, 0, 0, false},
    // distortion
    {K::Switch, S::Distortion, P::Effect, R::None, kDistortionOnOff, 119, {47, 191}, Style::None, "", "DISTORTION", L::Right, 0, 0, false},
    {K::Bitmap, S::Distortion, P::Effect, R::None, -1, 202, {40, 208}, Style::None, "", "", L::None, 0, 0, false},
    {K::Curve, S::Distortion, P::Effect, R::ColouredCurve, -1, 0, {228, 213, 326, 286}, Style::None, "", "", L::None, 1, 0, false},
    {K::Curve, S::Distortion, P::Effect, R::WhiteCurve, -1, 0, {46, 214, 144, 241}, Style::None, "", "", L::None, 0, 0, false},
    {K::Text, S::Distortion, P::Effect, R::TypeNameText, -1, 0, {45, 245, 155, 261}, Style::T2, "distortion", "", L::None, 0, 0, false},
    {K::Text, S::Distortion, P::Effect, R::InterpNameText, -1, 0, {231, 211, 341, 227}, Style::T2, "interpolation", "", L::None, 0, 0, false},
    {K::Knob, S::Distortion, P::Effect, R::None, kDistortion, 118, {173, 265}, Style::None, "", "DRIVE", L::Above, 0, 0, false},
    {K::ModeSwitch, S::Distortion, P::Effect, R::None, kDistortionType, 125, {148, 209}, Style::None, "", "", L::OnBitmap, 0, 29, false},
    {K::ModeSwitch, S::Distortion, P::Effect, R::None, kDistortionType, 126, {148, 226}, Style::None, "", "", L::OnBitmap, 1, 29, false},
    {K::ModeSwitch, S::Distortion, P::Effect, R::None, kDistortionInterpMode, 123, {169, 209}, Style::None, "", "INTERP", L::OnBitmap, 1, 5, true},
    {K::Switch, S::Distortion, P::Effect, R::None, kDistortionLoudness, 124, {169, 230}, Style::None, "", "LOUD", L::OnBitmap, 0, 0, false},
    {K::Knob, S::Distortion, P::Effect, R::None, kQuantization, 133, {47, 278}, Style::None, "", "CRUSH", L::Above, 0, 0, false},
    {K::Knob, S::Distortion, P::Effect, R::None, kSampleRate, 134, {86, 278}, Style::None, "", "RATE", L::Above, 0, 0, false},
    {K::Knob, S::Distortion, P::Effect, R::None, kGate, 135, {125, 278}, Style::None, "", "GATE", L::Above, 0, 0, false},
    {K::OversamplingSwitch, S::Distortion, P::Effect, R::None, -1, 136, {351, 200}, Style::None, "", "OVERSAMPLE", L::OnBitmap, 0, 0, false},
    {K::Text, S::Distortion, P::Effect, R::OversamplingText, -1, 0, {427, 202, 487, 218}, Style::T1, "off", "", L::None, 0, 0, false},
    // equaliser
    {K::Knob, S::Equalizer, P::Effect, R::None, kBassAmount, 111, {234, 375}, Style::None, "", "BASS", L::Above, 0, 0, false},
    {K::Knob, S::Equalizer, P::Effect, R::None, kMidAmount, 110, {267, 375}, Style::None, "", "MID", L::Above, 0, 0, false},
    {K::Knob, S::Equalizer, P::Effect, R::None, kHighAmount, 109, {300, 375}, Style::None, "", "HIGH", L::Above, 0, 0, false},
    {K::Knob, S::Equalizer, P::Effect, R::None, kDumpExpand, 112, {336, 375}, Style::None, "", "DUMP", L::Above, 0, 0, false},
    // status row, bypass, brand
    {K::Text, S::Status, P::Effect, R::SampleRateText, -1, 0, {112, 412, 247, 428}, Style::T3, "Host smp. rate: %6.1fHz", "", L::None, 0, 0, false},
    {K::MaxLevelText, S::Status, P::Effect, R::MaxLevelText, -1, 0, {297, 412, 417, 428}, Style::T4, "Max. level: -oo dB", "", L::None, 0, 0, false},
    {K::ResetButton, S::Status, P::Effect, R::None, -1, 129, {247, 409}, Style::None, "", "RESET", L::OnBitmap, 0, 0, false},
    {K::Switch, S::InOut, P::Effect, R::None, kBypassFX, 132, {402, 308}, Style::None, "", "BYPASS FX", L::OnBitmap, 0, 0, false},
    {K::Bitmap, S::Frame, P::Effect, R::None, -1, 1101, {342, 230}, Style::None, "", "", L::None, 0, 0, false},
    // about page, centred
    {K::Bitmap, S::About, P::About, R::None, -1, 1105, {96, 85}, Style::None, "", "", L::None, 0, 0, false},
    {K::Bitmap, S::About, P::About, R::None, -1, 401, {16, 150}, Style::None, "", "", L::None, 0, 0, false},
    {K::Bitmap, S::About, P::About, R::None, -1, 1104, {56, 210}, Style::None, "", "", L::None, 0, 0, false},
    {K::Bitmap, S::About, P::About, R::None, -1, 403, {208, 350}, Style::None, "", "", L::None, 0, 0, false},
};
// clang-format on

// clang-format off
inline constexpr Frame kFrames[] = {
    {S::Filter, {30, 84, 261, 189}, "", false},
    {S::Modulation, {263, 84, 493, 184}, "", false},
    {S::Distortion, {30, 190, 341, 309}, "", false},
    {S::Distortion, {224, 208, 339, 291}, "", true},
    {S::Distortion, {343, 190, 493, 228}, "", false},
    {S::Presets, {30, 310, 353, 337}, "", false},
    {S::InOut, {30, 341, 181, 437}, "", false},
    {S::Equalizer, {224, 341, 373, 407}, "EQUALIZER", false},
    {S::InOut, {376, 341, 493, 437}, "", false},
    {S::Status, {108, 408, 422, 432}, "", true},
};
// clang-format on

inline constexpr int kBitmapCount = int(sizeof(kBitmaps) / sizeof(kBitmaps[0]));
inline constexpr int kControlCount = int(sizeof(kControls) / sizeof(kControls[0]));

// The bitmap with the id, or null.
inline const SkinBitmap* FindBitmap(int id)
{
  for (const SkinBitmap& b : kBitmaps)
    if (b.id == id) return &b;
  return nullptr;
}

// The control's drawing rectangle: given for text, curve and fader controls, otherwise the
// bitmap's frame at the control's position.
inline Rect ControlRect(const Control& c)
{
  const SkinBitmap* b = c.kind == Kind::Fader ? nullptr : FindBitmap(c.bitmapId);
  if (!b || c.kind == Kind::FileSelector) return c.rect;
  return {c.rect.l, c.rect.t, c.rect.l + b->frameWidth, c.rect.t + b->frameHeight};
}
}  // namespace PanelLayout
