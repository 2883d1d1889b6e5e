#pragma once

#include <cstdint>
#include <string>

#include "tools/skarvel/OutputFile.h"

class LICE_IBitmap;

// Writes a bitmap as an 8-bit RGBA PNG (to standard output for "-") that appears only when
// complete (OutputFile): a failed or killed write never leaves a partial file. Returns "" or
// the error message.
std::string SavePng(const std::string& path, LICE_IBitmap* bitmap, OutputFile::Existing existing);
// The same for 32-bit pixels (A<<24 | R<<16 | G<<8 | B, not premultiplied) in rows of rowSpan.
std::string SavePng(const std::string& path, const uint32_t* pixels, int width, int height, int rowSpan,
                    OutputFile::Existing existing);
