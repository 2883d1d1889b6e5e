#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "skarvel/PanelLayout.h"

using namespace PanelLayout;

namespace {
BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids)
{
  // Named (non-numeric) resources would be a mistake in the .rc file; record them as -1.
  reinterpret_cast<std::set<int>*>(ids)->insert(IS_INTRESOURCE(name) ? int(reinterpret_cast<ULONG_PTR>(name))
                                                                     : -1);
  return TRUE;
}
}  // namespace

// The executable carries the same resource script as the DLL: its "PNG" resources are exactly
// the layout's bitmaps, under their numeric ids.
TEST(Resources, TheResourceSectionIsTheLayoutsList)
{
  std::set<int> ids;
  ASSERT_TRUE(EnumResourceNamesA(nullptr, "PNG", CollectId, reinterpret_cast<LONG_PTR>(&ids)));
  std::set<int> expected;
  for (const SkinBitmap& b : kBitmaps) expected.insert(b.id);
  EXPECT_EQ(ids, expected);
}
