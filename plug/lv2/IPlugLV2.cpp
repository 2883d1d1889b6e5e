#include "plug/lv2/IPlugLV2.h"

#include <climits>
#include <cmath>
#include <cstring>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

const void* IPlugLV2::FindFeature(const LV2_Feature* const* features, const char* uri)
{
  if (!features) return nullptr;
  for (; *features; ++features)
    if ((*features)->URI && std::strcmp((*features)->URI, uri) == 0) return (*features)->data;
  return nullptr;
}

IPlugLV2::IPlugLV2(HostHandle host, int nParams, const char* channelIOStr, int nPresets, const char* effect,
                   const char* product, const char* mfr, int vendorVersion, int uniqueID, int mfrID,
                   bool isInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effect, product, mfr, vendorVersion, uniqueID, mfrID,
                isInst),
      controlPorts(static_cast<size_t>(nParams), nullptr),
      lastControlValues(static_cast<size_t>(nParams), std::nanf("")),
      hostPortValues(static_cast<size_t>(nParams), std::nanf(""))
{
  // The units divide by the rate.
  if (std::isfinite(host.sampleRate) && host.sampleRate > 0.0) sampleRate = host.sampleRate;
  uridMap = static_cast<LV2_URID_Map*>(const_cast<void*>(FindFeature(host.features, LV2_URID__map)));
  if (uridMap && uridMap->map) {
    stateKey = uridMap->map(uridMap->handle, LV2Identity::kStateKey);
    chunkType = uridMap->map(uridMap->handle, LV2_ATOM__Chunk);
  } else {
    uridMap = nullptr;
  }
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(kDefaultBlockSize);
  ReadOptions(host.features);
}

// The largest run the host announces, where it says; runs beyond it are sliced all the same.
void IPlugLV2::ReadOptions(const LV2_Feature* const* features)
{
  const auto* options = static_cast<const LV2_Options_Option*>(FindFeature(features, LV2_OPTIONS__options));
  if (!options || !uridMap) return;
  const LV2_URID maxBlock = uridMap->map(uridMap->handle, LV2_BUF_SIZE__maxBlockLength);
  const LV2_URID atomInt = uridMap->map(uridMap->handle, LV2_ATOM__Int);
  for (; options->key || options->value; ++options)
    if (options->key == maxBlock && options->type == atomInt && options->size == sizeof(int32_t) &&
        options->value)
      SetBlockSize(*static_cast<const int32_t*>(options->value));
}

void IPlugLV2::SetBlockSize(int n)
{
  if (n <= 0) return;
  IPlugBase::SetBlockSize(n > kMaxBlockSize ? kMaxBlockSize : n);
}

void IPlugLV2::ConnectPort(uint32_t port, void* data)
{
  if (port < kFirstControl)
    audioPorts[port] = static_cast<float*>(data);
  else if (port < LatencyPort())
    controlPorts[port - kFirstControl] = static_cast<float*>(data);
  else if (port == LatencyPort())
    latencyPort = static_cast<float*>(data);
}

void IPlugLV2::Activate()
{
  OnActivate(true);
  ResetAudioState();
}

void IPlugLV2::Deactivate() { OnActivate(false); }

void IPlugLV2::Run(uint32_t nFrames)
{
  LockGuard g(lock);
  for (int i = 0; i < NParams(); ++i) {
    const float* port = controlPorts[static_cast<size_t>(i)];
    if (!port) continue;
    const float v = *port;
    float& last = lastControlValues[static_cast<size_t>(i)];
    if (v == last) continue;
    last = v;
    ControlPortChanged(i, v);
  }
  float* inputs[2] = {audioPorts[kFirstAudioInput], audioPorts[kFirstAudioInput + 1]};
  float* outputs[2] = {audioPorts[kFirstAudioOutput], audioPorts[kFirstAudioOutput + 1]};
  const int frames = nFrames > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(nFrames);
  ProcessFloat(inputs, outputs, frames, false);
  if (latencyPort) *latencyPort = static_cast<float>(GetLatency());
}

void IPlugLV2::ControlPortChanged(int paramIdx, float value)
{
  LockGuard g(lock);
  if (!ValidParam(paramIdx) || !std::isfinite(value)) return;
  const float wanted = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
  if (static_cast<float>(params[paramIdx]->ToNormalized()) == wanted) return;
  SetParameterFromHost(paramIdx, wanted);
}

void IPlugLV2::PortEventFromHost(int paramIdx, float value)
{
  LockGuard g(lock);
  if (!ValidParam(paramIdx)) return;
  if (std::isfinite(value)) hostPortValues[static_cast<size_t>(paramIdx)] = value;
  ControlPortChanged(paramIdx, value);
}

LV2_State_Status IPlugLV2::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle)
{
  if (!uridMap) return LV2_STATE_ERR_NO_FEATURE;
  if (!store) return LV2_STATE_ERR_UNKNOWN;
  ByteChunk chunk;
  SaveProgramState(chunk);
  return store(handle, stateKey, chunk.Data(), static_cast<size_t>(chunk.Size()), chunkType,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status IPlugLV2::RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
  if (!uridMap) return LV2_STATE_ERR_NO_FEATURE;
  if (!retrieve) return LV2_STATE_ERR_UNKNOWN;
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* data = retrieve(handle, stateKey, &size, &type, &flags);
  if (!data) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != chunkType || size > static_cast<size_t>(INT_MAX)) return LV2_STATE_ERR_BAD_TYPE;
  ByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));
  return LoadProgramState(chunk) ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}

void IPlugLV2::AttachUIHost(const UIHost& host)
{
  LockGuard g(lock);
  uiHost = host;
}

void IPlugLV2::DetachUIHost()
{
  LockGuard g(lock);
  uiHost = UIHost();
}

void IPlugLV2::Touch(int paramIdx, bool grabbed)
{
  if (uiHost.touch && uiHost.touch->touch && ValidParam(paramIdx))
    uiHost.touch->touch(uiHost.touch->handle, kFirstControl + static_cast<uint32_t>(paramIdx), grabbed);
}

void IPlugLV2::BeginInformHostOfParamChange(int paramIdx) { Touch(paramIdx, true); }

void IPlugLV2::EndInformHostOfParamChange(int paramIdx) { Touch(paramIdx, false); }

void IPlugLV2::InformHostOfParamChange(int paramIdx, double normalizedValue)
{
  if (!uiHost.write || !ValidParam(paramIdx)) return;
  const float value = static_cast<float>(normalizedValue);
  hostPortValues[static_cast<size_t>(paramIdx)] = value;
  uiHost.write(uiHost.controller, kFirstControl + static_cast<uint32_t>(paramIdx), sizeof(float), 0, &value);
}

// The port the last run found stays the reference until the host applies the write: a run in
// between must not take the old port value for a change.
void IPlugLV2::SendChangedValuesToHost()
{
  LockGuard g(lock);
  if (!uiHost.write) return;
  for (int i = 0; i < NParams(); ++i) {
    const size_t k = static_cast<size_t>(i);
    const float value = static_cast<float>(params[k]->ToNormalized());
    if (value == lastControlValues[k] || value == hostPortValues[k]) continue;
    InformHostOfParamChange(i, value);
  }
}
