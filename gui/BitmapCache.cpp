#include "gui/BitmapCache.h"

#include "draw/LICE_IBitmap.h"

BitmapCache& BitmapCache::Instance()
{
  static BitmapCache cache;
  return cache;
}

LICE_IBitmap* BitmapCache::Find(int id)
{
  LockGuard g(lock);
  for (auto& e : entries)
    if (e.first == id) return e.second.get();
  return nullptr;
}

void BitmapCache::Insert(int id, LICE_IBitmap* bitmap)
{
  if (!bitmap) return;
  LockGuard g(lock);
  entries.emplace_back(id, std::unique_ptr<LICE_IBitmap>(bitmap));
}
