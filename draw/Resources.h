#pragma once

#include <cstddef>

// The plug-in's "PNG" resources: on Windows the DLL's own resource section, elsewhere a table
// linked into the library at build time from the same files.

struct ResourceData
{
  const unsigned char* bytes = nullptr;  // read-only, owned by the module
  size_t size = 0;
};

// Records the module whose resources are searched (the Windows HMODULE the plug-in got when it
// was loaded); the linked-in table needs none.
void SetResourceModule(void* module);
// The recorded module; null when none was recorded (the executable itself, or the linked-in table).
void* ResourceModule();

// Finds the "PNG" resource with the numeric id; false when there is none.
bool FindPngResource(int id, ResourceData& out);
