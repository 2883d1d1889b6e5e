#include "plug/vst3/IPlugVST3.h"

#include "plug/vst3/VST3Com.h"
#include "plug/vst3/VST3Identity.h"
#include "plug/vst3/VST3Stream.h"
#include "plug/vst3/VST3Text.h"

IPlugVST3::IPlugVST3(HostHandle, int nParams, const char* channelIOStr, int nPresets, const char* effect,
                     const char* product, const char* mfr, int vendorVersion, int uniqueID, int mfrID,
                     bool isInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effect, product, mfr, vendorVersion, uniqueID, mfrID,
                isInst),
      componentFace{&VST3Com::kComponentTable, this}, processorFace{&VST3Com::kProcessorTable, this},
      controllerFace{&VST3Com::kControllerTable, this}, unitFace{&VST3Com::kUnitTable, this}
{
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(kDefaultBlockSize);
}

IPlugVST3::~IPlugVST3() { VST3Com::Drop(componentHandler); }

v3_result IPlugVST3::QueryInterface(const v3_tuid iid, void** obj)
{
  if (!obj) return V3_INVALID_ARG;
  *obj = nullptr;
  if (!iid) return V3_NO_INTERFACE;
  Face* face = nullptr;
  if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_base_iid) ||
      v3_tuid_match(iid, v3_component_iid))
    face = &componentFace;
  else if (v3_tuid_match(iid, v3_audio_processor_iid))
    face = &processorFace;
  else if (v3_tuid_match(iid, v3_edit_controller_iid))
    face = &controllerFace;
  else if (v3_tuid_match(iid, v3_unit_information_iid))
    face = &unitFace;
  if (!face) return V3_NO_INTERFACE;
  AddRef();
  *obj = face;
  return V3_OK;
}

uint32_t IPlugVST3::AddRef() { return ++refCount; }

uint32_t IPlugVST3::Release()
{
  const uint32_t left = --refCount;
  if (left == 0) delete this;
  return left;
}

void IPlugVST3::RememberDefaults()
{
  LockGuard g(lock);
  defaults.clear();
  for (int i = 0; i < NParams(); ++i) defaults.push_back(params[i]->ToNormalized());
}

// --- component -------------------------------------------------------------------------

v3_result IPlugVST3::Terminate()
{
  LockGuard g(lock);
  VST3Com::Drop(componentHandler);
  return V3_OK;
}

int32_t IPlugVST3::BusCount(int32_t mediaType, int32_t direction) const
{
  return mediaType == V3_AUDIO && (direction == V3_INPUT || direction == V3_OUTPUT) ? 1 : 0;
}

v3_result IPlugVST3::BusInfo(int32_t mediaType, int32_t direction, int32_t index, v3_bus_info* info) const
{
  if (!info || index != 0 || BusCount(mediaType, direction) == 0) return V3_INVALID_ARG;
  info->media_type = V3_AUDIO;
  info->direction = direction;
  info->channel_count = direction == V3_INPUT ? inputChannels : outputChannels;
  VST3Text::ToUtf16(direction == V3_INPUT ? "Input" : "Output", info->bus_name, 128);
  info->bus_type = V3_MAIN;
  info->flags = V3_DEFAULT_ACTIVE;
  return V3_OK;
}

v3_result IPlugVST3::ActivateBus(int32_t mediaType, int32_t direction, int32_t index, bool)
{
  return index == 0 && BusCount(mediaType, direction) == 1 ? V3_OK : V3_INVALID_ARG;
}

v3_result IPlugVST3::SetActive(bool state)
{
  LockGuard g(lock);
  OnActivate(state);
  if (state) ResetAudioState();
  return V3_OK;
}

// The state is the program chunk the VST2 host stores, byte for byte, so a session moves
// between the formats with the same sound.
v3_result IPlugVST3::SetState(v3_bstream** stream)
{
  ByteChunk chunk;
  if (!VST3Stream::ReadAll(stream, chunk) || !LoadProgramState(chunk)) return V3_FALSE;
  return V3_OK;
}

v3_result IPlugVST3::GetState(v3_bstream** stream)
{
  ByteChunk chunk;
  SaveProgramState(chunk);
  return VST3Stream::WriteAll(stream, chunk) ? V3_OK : V3_FALSE;
}

// --- the editor's knob moves --------------------------------------------------------------

void IPlugVST3::BeginInformHostOfParamChange(int paramIdx)
{
  if (componentHandler && ValidParam(paramIdx))
    v3_cpp_obj(componentHandler)->begin_edit(componentHandler, static_cast<v3_param_id>(paramIdx));
}

void IPlugVST3::InformHostOfParamChange(int paramIdx, double normalizedValue)
{
  if (componentHandler && ValidParam(paramIdx))
    v3_cpp_obj(componentHandler)
      ->perform_edit(componentHandler, static_cast<v3_param_id>(paramIdx), normalizedValue);
}

void IPlugVST3::EndInformHostOfParamChange(int paramIdx)
{
  if (componentHandler && ValidParam(paramIdx))
    v3_cpp_obj(componentHandler)->end_edit(componentHandler, static_cast<v3_param_id>(paramIdx));
}

// The editor picked a program: every value may have changed.
void IPlugVST3::InformHostOfProgramChange()
{
  if (componentHandler)
    v3_cpp_obj(componentHandler)->restart_component(componentHandler, V3_RESTART_PARAM_VALUES_CHANGED);
}

void IPlugVST3::InformHostOfLatencyChange()
{
  if (componentHandler)
    v3_cpp_obj(componentHandler)->restart_component(componentHandler, V3_RESTART_LATENCY_CHANGED);
}

// --- the component's table ---------------------------------------------------------------

namespace VST3Com {

v3_result V3_API QueryInterface(void* self, const v3_tuid iid, void** obj)
{
  return Guarded(self, static_cast<v3_result>(V3_NO_INTERFACE),
                 [&](IPlugVST3& p) { return p.QueryInterface(iid, obj); });
}

uint32_t V3_API AddRef(void* self)
{
  return Guarded(self, 0u, [](IPlugVST3& p) { return p.AddRef(); });
}

uint32_t V3_API Release(void* self)
{
  return Guarded(self, 0u, [](IPlugVST3& p) { return p.Release(); });
}

v3_result V3_API Initialize(void* self, v3_funknown**)
{
  return Guarded(self, static_cast<v3_result>(V3_INTERNAL_ERR), [](IPlugVST3& p) { return p.Initialize(); });
}

v3_result V3_API Terminate(void* self)
{
  return Guarded(self, static_cast<v3_result>(V3_INTERNAL_ERR), [](IPlugVST3& p) { return p.Terminate(); });
}

namespace {

constexpr v3_result kFailed = V3_INTERNAL_ERR;

// The component is its own controller: no separate controller class.
v3_result V3_API GetControllerClassId(void*, v3_tuid) { return V3_NOT_IMPLEMENTED; }

v3_result V3_API SetIoMode(void*, int32_t) { return V3_OK; }

int32_t V3_API GetBusCount(void* self, int32_t mediaType, int32_t direction)
{
  return Guarded(self, 0, [&](IPlugVST3& p) { return p.BusCount(mediaType, direction); });
}

v3_result V3_API GetBusInfo(void* self, int32_t mediaType, int32_t direction, int32_t index,
                            v3_bus_info* info)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.BusInfo(mediaType, direction, index, info); });
}

v3_result V3_API GetRoutingInfo(void*, v3_routing_info*, v3_routing_info*) { return V3_NOT_IMPLEMENTED; }

v3_result V3_API ActivateBus(void* self, int32_t mediaType, int32_t direction, int32_t index, v3_bool state)
{
  return Guarded(self, kFailed,
                 [&](IPlugVST3& p) { return p.ActivateBus(mediaType, direction, index, state != 0); });
}

v3_result V3_API SetActive(void* self, v3_bool state)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.SetActive(state != 0); });
}

v3_result V3_API SetState(void* self, v3_bstream** stream)
{
  // A state may bring a new latency; the host hears of it once the lock is released.
  return Guarded(self, kFailed, [&](IPlugVST3& p) {
    const v3_result result = p.SetState(stream);
    p.SendPendingLatencyNotice();
    return result;
  });
}

v3_result V3_API GetState(void* self, v3_bstream** stream)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.GetState(stream); });
}

}  // namespace

const v3_component_cpp kComponentTable = {{QueryInterface, AddRef, Release},
                                          {Initialize, Terminate},
                                          {GetControllerClassId, SetIoMode, GetBusCount, GetBusInfo,
                                           GetRoutingInfo, ActivateBus, SetActive, SetState, GetState}};

}  // namespace VST3Com
