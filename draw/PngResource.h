#pragma once

class LICE_MemBitmap;

// Loads the "PNG" resource with the id into a new bitmap. The file name only documents the
// resource and must end in ".png"; null when the name, the resource or the image is bad.
LICE_MemBitmap* LoadPngResource(int resourceId, const char* fileName);

// True when both ids name "PNG" resources with the same bytes: the same image.
bool SamePngResource(int firstId, int secondId);

// The size of that resource's image, read from its header without decoding; false where
// LoadPngResource would surely fail (a bad name, no resource, no PNG header).
bool ReadPngResourceSize(int resourceId, const char* fileName, int& width, int& height);
