#include <gtest/gtest.h>

#include <string>

#include "draw/EmbeddedResource.h"
#include "skarvel/PanelLayout.h"

using namespace PanelLayout;

TEST(Resources, TheEmbeddedTableIsTheLayoutsList)
{
  ASSERT_EQ(kEmbeddedResourceCount, size_t(kBitmapCount));
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const SkinBitmap* b = FindBitmap(kEmbeddedResources[i].id);
    ASSERT_NE(b, nullptr) << kEmbeddedResources[i].id;
    EXPECT_EQ(std::string(kEmbeddedResources[i].fileName), std::string("img/kernwave/") + b->fileName);
  }
}
