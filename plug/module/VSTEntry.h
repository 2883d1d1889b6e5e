#pragma once

#include "plug/vst2/aeffect.h"

#if defined(_WIN32)
#define VST_EXPORT __declspec(dllexport)
#else
#define VST_EXPORT __attribute__((visibility("default")))
#endif

// The entry point a host calls after loading the module: creates one effect and returns its
// record, or null when creation failed. Also linked directly into programs that drive the
// effect in-process the way a host does.
extern "C" VST_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback hostCallback);
