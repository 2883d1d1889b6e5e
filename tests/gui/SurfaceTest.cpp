// The surface on its own: which control the mouse reaches, capture, keys, value binding,
// prompts, dirty areas and idle ticks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "draw/LICE_CachedFont.h"
#include "gui/BitmapCache.h"
#include "gui/EditorRect.h"
#include "gui/FontCache.h"
#include "gui/KeyCodes.h"
#include "tests/gui/SurfaceFixture.h"

namespace {

using Calls = std::vector<std::string>;

class Surface : public ::testing::Test
{
protected:
  Surface() { plug.AttachEditor(&g); }
  ~Surface() override { plug.AttachEditor(nullptr); }

  ProbeControl* Add(const EditorRect& r, int param = -1)
  {
    ProbeControl* c = new ProbeControl(&plug, r, param);
    g.AttachControl(c);
    return c;
  }
  static MouseModifiers Left() { return LeftButton(); }

  RecordingPlug plug;
  ScriptedSurface g{&plug, 200, 100, 25};
};

TEST(EditorRectOps, UnionIntersectionAndOverlap)
{
  const EditorRect a(0, 0, 10, 10), b(5, 5, 20, 20), c(10, 0, 20, 10), far(30, 30, 40, 40), empty;
  EXPECT_EQ(a.Union(b), EditorRect(0, 0, 20, 20));
  EXPECT_EQ(empty.Union(b), b);
  EXPECT_EQ(b.Union(empty), b);
  EXPECT_EQ(a.Intersect(b), EditorRect(5, 5, 10, 10));
  EXPECT_TRUE(a.Intersect(far).Empty());
  EXPECT_TRUE(a.Intersect(empty).Empty());
  // Touching along the right edge counts as overlapping; along the left it does not.
  EXPECT_TRUE(a.Overlaps(c));
  EXPECT_FALSE(c.Overlaps(EditorRect(0, 0, 9, 10)));
  EXPECT_FALSE(a.Overlaps(empty));
  EXPECT_FALSE(empty.Overlaps(empty));
}

TEST_F(Surface, TheTopmostVisibleEnabledControlTakesTheClick)
{
  ProbeControl* below = Add({0, 0, 100, 100});
  ProbeControl* above = Add({50, 0, 150, 100});
  g.OnMouseDown(60, 10, Left());
  g.OnMouseUp(60, 10, Left());
  EXPECT_EQ(above->calls, (Calls{"down 60,10", "up 60,10"}));
  EXPECT_TRUE(below->calls.empty());

  above->SetHidden(true);
  g.OnMouseDown(60, 10, Left());
  above->SetHidden(false);
  above->SetGreyed(true);
  g.OnMouseDown(61, 10, Left());
  EXPECT_EQ(below->calls, (Calls{"down 60,10", "down 61,10"}));
  EXPECT_EQ(above->GetBlend().weight, 0.25f);

  g.OnMouseDown(160, 10, Left());  // nothing there
  EXPECT_EQ(g.CapturedControl(), -1);
}

TEST_F(Surface, ThePressedControlKeepsTheMouseUntilRelease)
{
  ProbeControl* a = Add({0, 0, 50, 50}, 1);
  ProbeControl* b = Add({50, 0, 100, 50});
  g.OnMouseDown(10, 10, Left());
  g.OnMouseDrag(10, 10, Left());  // no movement
  g.OnMouseDrag(70, 5, Left());
  g.OnMouseDrag(75, 8, Left());
  g.OnMouseUp(75, 8, Left());
  EXPECT_EQ(a->calls, (Calls{"down 10,10", "drag 70,5", "by 60,-5", "drag 75,8", "by 5,3", "up 75,8"}));
  EXPECT_TRUE(b->calls.empty());
  EXPECT_EQ(plug.log, (Calls{"begin 1", "end 1"}));
  g.OnMouseDrag(80, 8, Left());  // released: nothing captured
  EXPECT_EQ(a->calls.size(), 6u);
}

TEST_F(Surface, DoubleClickIsAClickOnlyForControlsThatSaySo)
{
  ProbeControl* c = Add({0, 0, 50, 50});
  EXPECT_FALSE(g.OnMouseDoubleClick(5, 5, Left()));
  EXPECT_EQ(g.CapturedControl(), -1);
  c->SetDoubleClickActsAsClick(true);
  EXPECT_TRUE(g.OnMouseDoubleClick(6, 6, Left()));
  EXPECT_EQ(g.CapturedControl(), 0);
  g.OnMouseDrag(9, 6, Left());
  EXPECT_EQ(c->calls, (Calls{"double 5,5", "down 6,6", "drag 9,6", "by 3,0"}));
}

TEST_F(Surface, WheelAndKeysGoToTheControlUnderTheMouse)
{
  ProbeControl* background = Add({0, 0, 200, 100});
  ProbeControl* knob = Add({10, 10, 20, 20});
  g.OnMouseWheel(15, 15, {}, -2);
  EXPECT_EQ(knob->calls, (Calls{"wheel -2,0"}));

  knob->takesKeys = false;
  EXPECT_FALSE(g.OnKeyDown(15, 15, kKeyUp));
  EXPECT_EQ(knob->calls.back(), "key 1,0");
  // Over the background (index 0) or nothing: the key catcher, or the key is passed on.
  EXPECT_FALSE(g.OnKeyDown(100, 50, kKeySpace));
  EXPECT_FALSE(g.OnKeyDown(300, 50, kKeySpace));
  ProbeControl* catcher = new ProbeControl(&plug, {});
  g.SetKeyCatcher(catcher);
  EXPECT_TRUE(g.OnKeyDown(100, 50, kKeyA));
  EXPECT_EQ(catcher->calls, (Calls{"key 15,0"}));
  EXPECT_TRUE(background->calls.empty());
}

TEST_F(Surface, ValuesFromThePlugInAreNormalisedAndTheFirstIsTheDefault)
{
  IPlugParam* p = plug.GetParam(2);
  p->DefineDouble("wide", 0.0, -10.0, 10.0, 0.1, "");
  p->SetShape(2.0);
  ProbeControl* c = Add({0, 0, 10, 10}, 2);
  ProbeControl* other = Add({0, 0, 10, 10}, 1);
  other->AddAuxBinding(0);
  other->AddAuxBinding(2);

  g.UpdateControlsFromPlug(2, 5.0, false);
  const double expected = std::pow(15.0 / 20.0, 1.0 / 2.0);
  EXPECT_EQ(c->GetValue(), expected);
  EXPECT_EQ(c->GetDefaultValue(), expected);
  EXPECT_EQ(other->GetAuxBinding(1).value, expected);
  EXPECT_EQ(other->GetAuxBinding(0).value, 0.0);
  EXPECT_EQ(other->GetValue(), 0.0);

  g.UpdateControlsFromPlug(2, 99.0, false);  // clamped to the maximum
  EXPECT_EQ(c->GetValue(), 1.0);
  EXPECT_EQ(c->GetDefaultValue(), expected);
  g.UpdateControlsFromPlug(7, 0.5, false);  // no such parameter
  EXPECT_EQ(c->GetValue(), 1.0);
}

TEST_F(Surface, MarkDirtyClampsAndPushesToTheParameter)
{
  ProbeControl* c = Add({0, 0, 10, 10}, 1);
  c->SetValue(1.7);
  c->MarkDirty(false);
  EXPECT_EQ(c->GetValue(), 1.0);
  EXPECT_TRUE(plug.fromEditor.empty());
  c->SetValue(std::numeric_limits<double>::quiet_NaN());
  c->MarkDirty(true);
  EXPECT_EQ(c->GetValue(), 0.0);
  ASSERT_EQ(plug.fromEditor.size(), 1u);
  EXPECT_EQ(plug.fromEditor[0], std::make_pair(1, 0.0));
}

TEST_F(Surface, PromptingIsOffUnlessAControlEnablesIt)
{
  ProbeControl* c = Add({40, 20, 60, 60}, 1);
  plug.GetParam(1)->displayPrecision = 3;
  plug.GetParam(1)->value = 0.5;
  c->PromptForValue();
  EXPECT_EQ(g.entryControl, nullptr);
  c->SetPromptDisabled(false);
  c->PromptForValue();
  EXPECT_EQ(g.entryControl, c);
  EXPECT_EQ(g.entryText, "0.500");
  EXPECT_EQ(g.promptRect, EditorRect(35, 32, 65, 48)) << "30 x 16 around the centre";
}

TEST_F(Surface, AParameterWithDisplayTextsIsPromptedWithAMenu)
{
  IPlugParam* p = plug.GetParam(0);
  p->DefineDouble("mode", 0.0, 0.0, 2.0, 1.0, "");
  p->kind = IPlugParam::kEnum;
  for (int i = 0; i < 3; ++i) p->SetDisplayText(i, i == 0 ? "low" : i == 1 ? "mid" : "high");
  p->value = 1.0;
  ProbeControl* c = Add({40, 20, 60, 60}, 0);
  c->SetPromptDisabled(false);

  c->PromptForValue();  // dismissed
  EXPECT_EQ(g.menuItems, (Calls{"low", "mid", "high"}));
  EXPECT_EQ(g.menuFlags, (std::vector<int>{0, 4, 0})) << "the current text is checked";
  EXPECT_EQ(g.promptRect, c->GetRECT());
  EXPECT_TRUE(plug.fromEditor.empty());

  g.menuChoice = 2;
  c->PromptForValue();
  EXPECT_EQ(c->GetValue(), 1.0);
  EXPECT_EQ(plug.fromEditor.back(), std::make_pair(0, 1.0));
  EXPECT_EQ(p->value, 2.0);
}

TEST_F(Surface, DirtyControlsGiveTheAreaAndIdleTicksFollowFourQuietOnes)
{
  ProbeControl* a = Add({0, 0, 10, 10});
  ProbeControl* b = Add({50, 20, 60, 40});
  EditorRect r;
  ASSERT_TRUE(g.CollectDirtyArea(r)) << "new controls are dirty";
  EXPECT_EQ(r, EditorRect(0, 0, 60, 40));
  g.DrawArea(r);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(g.CollectDirtyArea(r));
  EXPECT_EQ(a->idleTicks, 0);
  EXPECT_FALSE(g.CollectDirtyArea(r));
  EXPECT_EQ(a->idleTicks, 1);
  EXPECT_EQ(b->idleTicks, 1);

  for (int i = 0; i < 2; ++i) g.CollectDirtyArea(r);
  b->MarkDirty(false);  // a dirty tick starts the count again
  EditorRect only;
  EXPECT_TRUE(g.CollectDirtyArea(only));
  EXPECT_EQ(only, b->GetRECT());
  g.DrawArea(only);
  for (int i = 0; i < 3; ++i) g.CollectDirtyArea(r);
  EXPECT_EQ(b->idleTicks, 1);
}

TEST_F(Surface, RepaintVisitsVisibleOverlappingControlsAndCleansWhatItCovers)
{
  g.PrepDraw();
  ProbeControl* inside = Add({0, 0, 10, 10});
  ProbeControl* outside = Add({100, 50, 120, 60});
  ProbeControl* straddling = Add({15, 15, 30, 30});
  ProbeControl* hidden = Add({0, 0, 10, 10});
  hidden->SetHidden(true);
  g.DrawArea({0, 0, 20, 20});
  EXPECT_EQ(inside->paints, 1);
  EXPECT_EQ(straddling->paints, 1);
  EXPECT_EQ(outside->paints, 0);
  EXPECT_EQ(hidden->paints, 0);
  EXPECT_FALSE(inside->IsDirty());
  EXPECT_TRUE(outside->IsDirty()) << "never painted";
  EXPECT_TRUE(straddling->IsDirty()) << "painted only in part";
  EXPECT_TRUE(hidden->IsDirty()) << "hiding asked for one more repaint";
  g.DrawArea({0, 0, 20, 20});
  EXPECT_FALSE(hidden->IsDirty());
  // The next tick repaints what was left, whole.
  EditorRect r;
  ASSERT_TRUE(g.CollectDirtyArea(r));
  EXPECT_EQ(r, EditorRect(15, 15, 120, 60));
  g.DrawArea(r);
  EXPECT_FALSE(outside->IsDirty());
  EXPECT_FALSE(straddling->IsDirty());
  EXPECT_EQ(g.presented, (std::vector<EditorRect>{{0, 0, 20, 20}, {0, 0, 20, 20}, r}));
}

TEST(EditorCaches, EachBitmapIsDecodedOnce)
{
  int loads = 0;
  auto load = [&] {
    ++loads;
    return new LICE_MemBitmap(3, 4);
  };
  LICE_IBitmap* first = BitmapCache::Instance().Acquire(990001, load);
  LICE_IBitmap* second = BitmapCache::Instance().Acquire(990001, load);
  EXPECT_EQ(first, second);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(BitmapCache::Instance().Find(990001), first);
  EXPECT_EQ(BitmapCache::Instance().Acquire(990002, [] { return static_cast<LICE_IBitmap*>(nullptr); }),
            nullptr);
  EXPECT_EQ(BitmapCache::Instance().Find(990002), nullptr) << "a failed load is not cached";
  EXPECT_EQ(BitmapCache::Instance().Share(990003, first), first) << "the same art under another id";
  EXPECT_EQ(BitmapCache::Instance().Find(990003), first);
  LICE_MemBitmap other(1, 1);
  EXPECT_EQ(BitmapCache::Instance().Share(990001, &other), first) << "the id's own stays";

  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 10, 10, 25);
  const SkinBitmap skin = g.LoadBitmap(990001, "unused.png", 2);
  EXPECT_EQ(skin.bitmap, first);
  EXPECT_EQ(skin.W, 3);
  EXPECT_EQ(skin.H, 4);
  EXPECT_EQ(skin.FrameHeight(), 2);
}

TEST(EditorCaches, FontsAreSharedBySizeOrientationStyleAndFace)
{
  TextStyle a("Cache Test Face", 13, kColourWhite, TextStyle::kStyleNormal, TextStyle::kAlignLeft, 0, 1);
  TextStyle sameKeys = a;
  sameKeys.colour = kColourRed;
  sameKeys.quality = 2;  // not part of the key
  TextStyle bigger = a;
  bigger.size = 14;
  TextStyle otherFace = a;
  std::snprintf(otherFace.face, sizeof otherFace.face, "Other Test Face");

  LICE_CachedFont* font = FontCache::Instance().Acquire(a, [] { return new LICE_CachedFont; });
  EXPECT_EQ(FontCache::Instance().Find(sameKeys), font);
  EXPECT_EQ(FontCache::Instance().Find(bigger), nullptr);
  EXPECT_EQ(FontCache::Instance().Find(otherFace), nullptr);
}

}  // namespace
