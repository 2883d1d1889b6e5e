#include "gui/FontCache.h"

#include <cstdio>
#include <cstring>

#include "draw/LICE_CachedFont.h"
#include "gui/EditorTypes.h"

FontCache& FontCache::Instance()
{
  static FontCache cache;
  return cache;
}

LICE_CachedFont* FontCache::Find(const TextStyle& s)
{
  LockGuard g(lock);
  for (Entry& e : entries)
    if (e.size == s.size && e.orientation == s.orientation && e.style == s.style &&
        std::strncmp(e.face, s.face, sizeof e.face) == 0)
      return e.font.get();
  return nullptr;
}

void FontCache::Insert(const TextStyle& s, LICE_CachedFont* font)
{
  if (!font) return;
  LockGuard g(lock);
  Entry e{s.size, s.orientation, s.style, {}, std::unique_ptr<LICE_CachedFont>(font)};
  std::snprintf(e.face, sizeof e.face, "%s", s.face);
  entries.push_back(std::move(e));
}
