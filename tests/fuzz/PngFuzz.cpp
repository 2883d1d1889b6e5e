// LoadPngFromMemory on arbitrary bytes: null, or a bitmap whose every pixel can be read and
// whose size is the one ReadPngSize tells from the header alone, where that reads one.
#include <memory>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "tests/fuzz/FuzzEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  int width = 0, height = 0;
  const bool sized = ReadPngSize(data, size, width, height);
  std::unique_ptr<LICE_MemBitmap> bm(LoadPngFromMemory(data, size));
  if (!bm) return 0;
  // The header reader is stricter than the decoder (the header chunk must come first); where
  // it refuses, the editor decodes at once instead. Where both read, they agree.
  FUZZ_CHECK(!sized || (width == bm->getWidth() && height == bm->getHeight()));
  FUZZ_CHECK(bm->getWidth() > 0 && bm->getHeight() > 0 && bm->getBits());
  FUZZ_CHECK(bm->getRowSpan() >= bm->getWidth());
  LICE_pixel sum = 0;
  for (int y = 0; y < bm->getHeight(); ++y)
    for (int x = 0; x < bm->getWidth(); ++x)
      sum += bm->getBits()[static_cast<size_t>(y) * bm->getRowSpan() + x];
  volatile LICE_pixel keep = sum;  // every pixel read; memory checkers see a bad row
  (void)keep;
  return 0;
}
