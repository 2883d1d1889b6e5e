#include "plug/IPlugVST.h"

#include <cstring>

IPlugVST::IPlugVST(audioMasterCallback host, int nParams, const char* channelIOStr, int nPresets,
                   const char* effect, const char* product, const char* mfr, int vendorVersion,
                   int uniqueID, int mfrID, bool isInst)
  : IPlugBase(nParams, channelIOStr, nPresets, effect, product, mfr, vendorVersion, uniqueID,
              mfrID, isInst),
    hostCallback(host)
{
  std::memset(&aEffect, 0, sizeof(aEffect));
  aEffect.magic = 0x56737450;
  aEffect.object = this;
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(1024);
}
