#pragma once

#include "draw/LICE_IFont.h"

// What the editor asks of the platform's font system.
struct LICE_FontDesc
{
  int height = 12;      // cell height in pixels (ascent + descent)
  int escapement = 0;   // tenths of a degree
  int orientation = 0;  // tenths of a degree
  int weight = 400;     // 400 normal, 700 bold
  bool italic = false;
  int quality = 0;  // 0 default, 1 non-antialiased, 2 antialiased, 3 ClearType
  const char* face = "Verdana";
};

// Readies the font system for the first LICE_CreateFont (Linux: fontconfig reads its
// configuration, milliseconds of work); any thread may call it, any number of times.
void LICE_PrepareFontSystem();

// A new platform font (null when none can be made); destroyed with LICE_DestroyFont.
LICE_FontHandle LICE_CreateFont(const LICE_FontDesc& desc);
void LICE_DestroyFont(LICE_FontHandle font);
