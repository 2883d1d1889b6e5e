// Old hosts look for the entry point under the name `main`. A C++ function cannot carry
// that name in a shared object, so a differently named one takes it at assembler level.
#include "plug/module/VSTEntry.h"

extern "C" VST_EXPORT AEffect* VSTCALLBACK VSTPluginMainAlias(audioMasterCallback host) __asm__("main");

AEffect* VSTCALLBACK VSTPluginMainAlias(audioMasterCallback host) { return VSTPluginMain(host); }
