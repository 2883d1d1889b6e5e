// Linux has no resource section in shared objects, so the PNG files listed in
// resources/SkinBitmaps.rc are compiled into a table by cmake/EmbedResources.cpp and linked in.
#include "draw/EmbeddedResource.h"
#include "draw/Resources.h"

void SetResourceModule(void*) {}

void* ResourceModule() { return nullptr; }

bool FindPngResource(int id, ResourceData& out)
{
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    if (kEmbeddedResources[i].id == id) {
      out.bytes = kEmbeddedResources[i].bytes;
      out.size = kEmbeddedResources[i].size;
      return true;
    }
  }
  return false;
}
