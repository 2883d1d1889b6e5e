#pragma once

#include "plug/IPlugBase.h"
#include "plug/vst2/aeffect.h"

// Connects the plug-in to a VST2 host: the AEffect record, the dispatcher, buffer conversion.
class IPlugVST : public IPlugBase
{
public:
  IPlugVST(audioMasterCallback hostCallback, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* mfrName,
           int vendorVersion, int uniqueID, int mfrID, bool isInst);

  AEffect* GetAEffect() { return &aEffect; }

protected:
  audioMasterCallback hostCallback;
  AEffect aEffect;
};
