#pragma once

#include <memory>

class LICE_MemBitmap;
class PlainRgbaPngDecoder;

// Loads the "PNG" resource with the id into a new bitmap. The file name only documents the
// resource and must end in ".png"; null when the name, the resource or the image is bad.
LICE_MemBitmap* LoadPngResource(int resourceId, const char* fileName);

// A decoder for that resource's image, which decodes its rows as they are asked for; null
// where the image is not plain 8-bit RGBA (IsPlainRgbaPng) or LoadPngResource would fail at once.
std::unique_ptr<PlainRgbaPngDecoder> StartPngResource(int resourceId, const char* fileName);

// True when both ids name "PNG" resources with the same bytes: the same image.
bool SamePngResource(int firstId, int secondId);

// The size of that resource's image, read from its header without decoding; false where
// LoadPngResource would surely fail (a bad name, no resource, no PNG header).
bool ReadPngResourceSize(int resourceId, const char* fileName, int& width, int& height);
