#include "plug/vst3/VST3Text.h"

#include <cstring>

namespace {

// The next code point of UTF-8 text; malformed bytes read as U+FFFD, one byte each.
uint32_t NextCodePoint(const unsigned char*& p)
{
  const unsigned char lead = *p++;
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  uint32_t cp = lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  p += extra;
  return cp;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

namespace VST3Text {

void ToUtf16(const char* text, int16_t* out, int size)
{
  if (!out || size <= 0) return;
  int n = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text ? text : "");
  while (*p) {
    const uint32_t cp = NextCodePoint(p);
    const int units = cp >= 0x10000 ? 2 : 1;
    if (n + units > size - 1) break;
    if (units == 2) {
      out[n++] = static_cast<int16_t>(0xD800 | ((cp - 0x10000) >> 10));
      out[n++] = static_cast<int16_t>(0xDC00 | ((cp - 0x10000) & 0x3FF));
    } else {
      out[n++] = static_cast<int16_t>(cp);
    }
  }
  out[n] = 0;
}

std::string FromUtf16(const int16_t* text, int maxUnits)
{
  std::string out;
  if (!text) return out;
  for (int i = 0; i < maxUnits && text[i]; ++i) {
    uint32_t unit = static_cast<uint16_t>(text[i]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < maxUnits) {
      const uint32_t low = static_cast<uint16_t>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
  }
  return out;
}

void CopyUtf8(const char* text, char* out, int size)
{
  if (!out || size <= 0) return;
  std::strncpy(out, text ? text : "", static_cast<size_t>(size - 1));
  out[size - 1] = '\0';
}

}  // namespace VST3Text
