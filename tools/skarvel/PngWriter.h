#pragma once

#include <cstdint>
#include <string>

// Writes 32-bit pixels (A<<24 | R<<16 | G<<8 | B, not premultiplied) as an 8-bit RGBA PNG,
// appearing only when complete (OutputFile). Returns "" or the error message.
std::string WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
                     int rowSpan);
