#pragma once

#include <cstdint>

// Declarations of the VST2 binary interface used by the plug-in and by the test host.
#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

typedef int32_t VstInt32;
typedef intptr_t VstIntPtr;

struct AEffect;
typedef VstIntPtr(VSTCALLBACK* audioMasterCallback)(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float);
typedef VstIntPtr(VSTCALLBACK* AEffectDispatcherProc)(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float);
typedef void(VSTCALLBACK* AEffectProcessProc)(AEffect*, float**, float**, VstInt32);
typedef void(VSTCALLBACK* AEffectProcessDoubleProc)(AEffect*, double**, double**, VstInt32);
typedef void(VSTCALLBACK* AEffectSetParameterProc)(AEffect*, VstInt32, float);
typedef float(VSTCALLBACK* AEffectGetParameterProc)(AEffect*, VstInt32);

#pragma pack(push, 8)
struct AEffect
{
  VstInt32 magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;
  VstInt32 realQualities;
  VstInt32 offQualities;
  float ioRatio;
  void* object;
  void* user;
  VstInt32 uniqueID;
  VstInt32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};
#pragma pack(pop)
