// The DLL's own module handle is known only here; the art is found through it, since a host
// process holds many modules and the executable's resources are not ours.
#include <windows.h>

#include "draw/Resources.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
  if (reason == DLL_PROCESS_ATTACH) {
    SetResourceModule(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
