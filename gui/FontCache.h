#pragma once

#include <memory>
#include <vector>

#include "plug/ParameterLock.h"

class LICE_CachedFont;
struct TextStyle;

// The editor fonts of the whole process, one per distinct (size, orientation, style, face);
// they live until the library is unloaded.
class FontCache
{
public:
  static FontCache& Instance();

  // The font for the style's size, orientation, style and face, or null.
  LICE_CachedFont* Find(const TextStyle& style);
  // Takes ownership; a null font is not entered.
  void Insert(const TextStyle& style, LICE_CachedFont* font);

  // The cached font, or the result of create() entered under the same lock.
  template <class Create> LICE_CachedFont* Acquire(const TextStyle& style, Create&& create)
  {
    LockGuard g(lock);
    if (LICE_CachedFont* cached = Find(style)) return cached;
    LICE_CachedFont* created = create();
    Insert(style, created);
    return created;
  }

private:
  struct Entry
  {
    int size;
    int orientation;
    int style;
    char face[32];
    std::unique_ptr<LICE_CachedFont> font;
  };

  FontCache() = default;

  ParameterLock lock;
  std::vector<Entry> entries;
};
