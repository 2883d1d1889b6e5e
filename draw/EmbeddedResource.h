#pragma once

#include <cstddef>

// One entry of the resource table generated at build time from resources/SkinBitmaps.rc.
struct EmbeddedResource
{
  int id;
  const char* fileName;
  const unsigned char* bytes;
  size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;
