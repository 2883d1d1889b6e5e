#pragma once

#include <cstdint>
#include <string>

class LICE_IBitmap;

// Writes a bitmap as an 8-bit RGBA PNG through a temporary file renamed at the end, so a
// failed write never leaves a partial file under the name. Returns "" or the error message.
std::string SavePng(const std::string& path, LICE_IBitmap* bitmap);
// The same for 32-bit pixels (A<<24 | R<<16 | G<<8 | B, not premultiplied) in rows of rowSpan.
std::string SavePng(const std::string& path, const uint32_t* pixels, int width, int height, int rowSpan);
