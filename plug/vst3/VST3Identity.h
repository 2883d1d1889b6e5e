#pragma once

#include "base.h"

// The VST3 plug-in's identity. The class id is the plug-in's name to every host and in every
// saved session: it never changes once published. The names the factory shows come from the
// effect (EffectIdentity).
namespace VST3Identity {
// 'Krnw' 'Skrv' 'VST3' 'Fx01'.
constexpr v3_tuid kClassId = V3_ID(0x4B726E77, 0x536B7276, 0x56535433, 0x46783031);
constexpr const char* kCategory = "Audio Module Class";
constexpr const char* kSubCategories = "Fx|Distortion";
constexpr const char* kSdkVersion = "VST 3.7.0";
// The root unit's program list: the factory programs.
constexpr int32_t kProgramListId = 1;
}  // namespace VST3Identity
