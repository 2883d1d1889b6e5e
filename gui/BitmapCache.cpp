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
    if (e.first == id) return e.second;
  return nullptr;
}

LICE_IBitmap* BitmapCache::Adopt(int id, LICE_IBitmap* bitmap)
{
  std::unique_ptr<LICE_IBitmap> owned(bitmap);
  LockGuard g(lock);
  if (LICE_IBitmap* cached = Find(id)) return cached;
  Insert(id, owned.release());
  return bitmap;
}

LICE_IBitmap* BitmapCache::Share(int id, LICE_IBitmap* cachedBitmap)
{
  LockGuard g(lock);
  if (LICE_IBitmap* cached = Find(id)) return cached;
  if (cachedBitmap) entries.emplace_back(id, cachedBitmap);
  return cachedBitmap;
}

void BitmapCache::Insert(int id, LICE_IBitmap* bitmap)
{
  if (!bitmap) return;
  LockGuard g(lock);
  owned.emplace_back(bitmap);
  entries.emplace_back(id, bitmap);
}
