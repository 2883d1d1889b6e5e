#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "plug/ParameterLock.h"

class LICE_IBitmap;

// The skin bitmaps of the whole process, decoded once by resource id and shared by every
// editor; they live until the library is unloaded.
class BitmapCache
{
public:
  static BitmapCache& Instance();

  // The cached bitmap, or null.
  LICE_IBitmap* Find(int id);
  // Takes ownership; a null bitmap is not entered.
  void Insert(int id, LICE_IBitmap* bitmap);
  // Takes ownership of a bitmap decoded outside the lock and answers the cached one: the
  // bitmap, or the one another thread entered for the id meanwhile (this one is deleted).
  // A null bitmap is not entered.
  LICE_IBitmap* Adopt(int id, LICE_IBitmap* bitmap);
  // Enters id for a bitmap the cache already holds under another id (the same art under two
  // ids) and answers the cached one: that bitmap, or the one entered for id meanwhile. A null
  // bitmap is not entered.
  LICE_IBitmap* Share(int id, LICE_IBitmap* cachedBitmap);

  // The cached bitmap, or the result of load() entered under the same lock, so two threads
  // never decode the same id twice. A failed load (null) is not cached.
  template <class Load> LICE_IBitmap* Acquire(int id, Load&& load)
  {
    LockGuard g(lock);
    if (LICE_IBitmap* cached = Find(id)) return cached;
    LICE_IBitmap* loaded = load();
    Insert(id, loaded);
    return loaded;
  }

private:
  BitmapCache() = default;

  ParameterLock lock;
  std::vector<std::pair<int, LICE_IBitmap*>> entries;
  std::vector<std::unique_ptr<LICE_IBitmap>> owned;
};
