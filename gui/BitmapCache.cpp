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

LICE_IBitmap* BitmapCache::Adopt(int id, LICE_IBitmap* bitmap)
{
  std::unique_ptr<LICE_IBitmap> owned(bitmap);
  LockGuard g(lock);
  if (LICE_IBitmap* cached = Find(id)) return cached;
  Insert(id, owned.release());
  return bitmap;
}

void BitmapCache::Insert(int id, LICE_IBitmap* bitmap)
{
  if (!bitmap) return;
  LockGuard g(lock);
  entries.emplace_back(id, std::unique_ptr<LICE_IBitmap>(bitmap));
}
