// The LV2 plug-in's entry point. Kept out of the libraries for the same reason as the VST2
// entry point: the module's archives keep their symbols hidden. Every function the host
// calls catches whatever is thrown below it: nothing may unwind into the host.
#include <cstring>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include "plug/CreateEffect.h"
#include "plug/CreationLock.h"

namespace {

IPlugLV2* Plug(LV2_Handle instance) { return static_cast<IPlugLV2*>(instance); }

LV2_Handle Instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features)
{
  try {
    LockGuard g(CreationLock());
    std::unique_ptr<IPlug> plug = CreateEffect(IPlugLV2::HostHandle{sampleRate, features});
    plug->ReadyForHost();
    return plug.release();
  } catch (...) {
    return nullptr;
  }
}

void ConnectPort(LV2_Handle instance, uint32_t port, void* data)
{
  if (instance) Plug(instance)->ConnectPort(port, data);
}

void Activate(LV2_Handle instance)
{
  if (instance) try {
      Plug(instance)->Activate();
    } catch (...) {}
}

void Run(LV2_Handle instance, uint32_t nFrames)
{
  if (instance) try {
      Plug(instance)->Run(nFrames);
    } catch (...) {}
}

void Deactivate(LV2_Handle instance)
{
  if (instance) try {
      Plug(instance)->Deactivate();
    } catch (...) {}
}

void Cleanup(LV2_Handle instance)
{
  try {
    delete Plug(instance);
  } catch (...) {}
}

LV2_State_Status Save(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle, uint32_t,
                      const LV2_Feature* const*)
{
  if (!instance) return LV2_STATE_ERR_UNKNOWN;
  try {
    return Plug(instance)->SaveState(store, handle);
  } catch (...) {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

LV2_State_Status Restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                         uint32_t, const LV2_Feature* const*)
{
  if (!instance) return LV2_STATE_ERR_UNKNOWN;
  try {
    return Plug(instance)->RestoreState(retrieve, handle);
  } catch (...) {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

const void* ExtensionData(const char* uri)
{
  static const LV2_State_Interface state = {Save, Restore};
  return uri && std::strcmp(uri, LV2_STATE__interface) == 0 ? &state : nullptr;
}

const LV2_Descriptor kDescriptor = {
  LV2Identity::kPluginUri, Instantiate, ConnectPort, Activate, Run, Deactivate, Cleanup, ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
  return index == 0 ? &kDescriptor : nullptr;
}
