#pragma once

#include <cstdint>
#include <string>

// VST3 carries text as UTF-16 in fixed arrays; the effect's text is UTF-8.
namespace VST3Text {
// Writes text into a UTF-16 array of `size` units, cut to fit and always terminated.
void ToUtf16(const char* text, int16_t* out, int size);
// The UTF-8 of a terminated UTF-16 text, read to at most `maxUnits` units.
std::string FromUtf16(const int16_t* text, int maxUnits);
// Copies UTF-8 text into a char array of `size` bytes, cut to fit and always terminated.
void CopyUtf8(const char* text, char* out, int size);
}  // namespace VST3Text
