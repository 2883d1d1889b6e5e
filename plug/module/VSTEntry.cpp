// Kept out of the core library: the module links the core archives with their symbols
// hidden, so the exported entry point must come from an object of the module itself.
#include "plug/module/VSTEntry.h"

#include <memory>

#include "plug/CreateEffect.h"
#include "plug/CreationLock.h"

AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback hostCallback)
{
  try {
    LockGuard g(CreationLock());
    auto plug = CreateEffect(hostCallback);
    plug->ReadyForHost();
    AEffect* effect = plug->GetAEffect();
    if (effect->numPrograms < 1) effect->numPrograms = 1;
    plug.release();
    return effect;
  } catch (...) {
    return nullptr;
  }
}
