// The PNGs are compiled into the DLL by windres from resources/SkinBitmaps.rc under the type
// name "PNG"; resource memory stays mapped for the life of the module, so nothing is freed.
#include <windows.h>

#include "draw/Resources.h"

namespace {
HMODULE g_module = nullptr;
}

void SetResourceModule(void* module) { g_module = static_cast<HMODULE>(module); }

void* ResourceModule() { return g_module; }

bool FindPngResource(int id, ResourceData& out)
{
  HRSRC res = FindResourceA(g_module, MAKEINTRESOURCEA(id), "PNG");
  if (!res) return false;
  const DWORD size = SizeofResource(g_module, res);
  HGLOBAL handle = LoadResource(g_module, res);
  const void* bytes = handle ? LockResource(handle) : nullptr;
  if (!bytes) return false;
  out.bytes = static_cast<const unsigned char*>(bytes);
  out.size = size;
  return true;
}
