#include "draw/PngResource.h"

#include <cstring>
#include <cctype>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "draw/PngPlainRgba.h"
#include "draw/Resources.h"

namespace {
int Lower(char c) { return std::tolower(static_cast<unsigned char>(c)); }

bool HasPngExtension(const char* fileName)
{
  const char* dot = std::strrchr(fileName, '.');
  const char* ext = dot ? dot + 1 : fileName;
  return std::strlen(ext) == 3 && Lower(ext[0]) == 'p' && Lower(ext[1]) == 'n' && Lower(ext[2]) == 'g';
}
bool FindNamedPngResource(int resourceId, const char* fileName, ResourceData& res)
{
  return fileName && HasPngExtension(fileName) && FindPngResource(resourceId, res) && res.size > 7;
}
}  // namespace

LICE_MemBitmap* LoadPngResource(int resourceId, const char* fileName)
{
  ResourceData res;
  return FindNamedPngResource(resourceId, fileName, res) ? LoadPngFromMemory(res.bytes, res.size) : nullptr;
}

std::unique_ptr<PlainRgbaPngDecoder> StartPngResource(int resourceId, const char* fileName)
{
  ResourceData res;
  if (!FindNamedPngResource(resourceId, fileName, res)) return nullptr;
  return PlainRgbaPngDecoder::Start(res.bytes, res.size);
}

bool SamePngResource(int firstId, int secondId)
{
  ResourceData a, b;
  return FindPngResource(firstId, a) && FindPngResource(secondId, b) && a.size == b.size &&
         (a.bytes == b.bytes || std::memcmp(a.bytes, b.bytes, a.size) == 0);
}

bool ReadPngResourceSize(int resourceId, const char* fileName, int& width, int& height)
{
  ResourceData res;
  return FindNamedPngResource(resourceId, fileName, res) && ReadPngSize(res.bytes, res.size, width, height);
}
