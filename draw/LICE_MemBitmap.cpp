#include "draw/LICE_MemBitmap.h"

#include <cstdint>
#include <cstdlib>

namespace {
constexpr size_t kAlign = 64;
// Anything larger cannot be addressed by a 32-bit build; treat it as an allocation failure.
constexpr long long kMaxBytes = 0x7FFFFFFFLL - 2 * kAlign;
}  // namespace

LICE_MemBitmap::LICE_MemBitmap(int w, int h) { resize(w, h); }

LICE_MemBitmap::LICE_MemBitmap(int w, int h, size_t capacity)
{
  if (capacity <= size_t(kMaxBytes)) Reserve(capacity);
  resize(w, h);
}

LICE_MemBitmap::~LICE_MemBitmap() { Release(); }

LICE_pixel* LICE_MemBitmap::getBits()
{
  if (!buffer) return nullptr;
  const uintptr_t start = (reinterpret_cast<uintptr_t>(buffer) + kAlign - 1) & ~uintptr_t(kAlign - 1);
  return reinterpret_cast<LICE_pixel*>(start);
}

bool LICE_MemBitmap::resize(int w, int h)
{
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w == width && h == height) return false;
  width = w;
  height = h;
  const long long bytes = (((long long)w + rowAlignMask) & ~(long long)rowAlignMask) * 4 * h;
  if (bytes > kMaxBytes)
    Release();
  else if (bytes > 0)
    Reserve(size_t(bytes));
  else
    Release();
  if (!buffer) width = height = 0;
  return true;
}

void LICE_MemBitmap::Reserve(size_t bytes)
{
  if (!buffer) {
    buffer = static_cast<unsigned char*>(std::malloc(bytes + kAlign - 1));
    allocated = buffer ? bytes : 0;
    return;
  }
  if (allocated >= bytes) return;
  const size_t grown = bytes * 5 / 4;
  if (void* p = std::realloc(buffer, grown + kAlign - 1)) {
    buffer = static_cast<unsigned char*>(p);
    allocated = grown;
    return;
  }
  std::free(buffer);
  buffer = static_cast<unsigned char*>(std::malloc(bytes + kAlign - 1));
  allocated = buffer ? bytes : 0;
}

void LICE_MemBitmap::Release()
{
  std::free(buffer);
  buffer = nullptr;
  allocated = 0;
}
