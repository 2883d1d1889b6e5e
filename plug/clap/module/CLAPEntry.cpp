// The CLAP module's entry point and its factory of one plug-in. Kept out of the libraries for
// the same reason as the other formats' entry points: the module's archives keep their
// symbols hidden. Nothing thrown below may unwind into the host.
#include <cstring>
#include <memory>

#include <clap/entry.h>
#include <clap/plugin-factory.h>

#include "plug/CreateEffect.h"
#include "plug/CreationLock.h"
#include "plug/EffectIdentity.h"
#include "plug/clap/module/CLAPPluginRecord.h"

namespace {

// Published: hosts store sessions under this id, so it never changes.
constexpr const char* kPluginId = "com.kernwave.skarvel";

const char* kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_DISTORTION,
                           CLAP_PLUGIN_FEATURE_STEREO, nullptr};

const clap_plugin_descriptor_t kDescriptor = {CLAP_VERSION_INIT,
                                              kPluginId,
                                              kEffectIdentity.name,
                                              kEffectIdentity.vendor,
                                              "",
                                              "",
                                              "",
                                              kEffectIdentity.version,
                                              kEffectIdentity.description,
                                              kFeatures};

uint32_t PluginCount(const clap_plugin_factory_t*) { return 1; }

const clap_plugin_descriptor_t* PluginDescriptor(const clap_plugin_factory_t*, uint32_t index)
{
  return index == 0 ? &kDescriptor : nullptr;
}

const clap_plugin_t* CreatePlugin(const clap_plugin_factory_t*, const clap_host_t* host, const char* id)
{
  if (!host || !clap_version_is_compatible(host->clap_version) || !id || std::strcmp(id, kPluginId) != 0)
    return nullptr;
  try {
    LockGuard g(CreationLock());
    auto plug = CreateEffect(host);
    plug->ReadyForHost();
    CLAPPluginRecord::Fill(*plug->Record(), &kDescriptor);
    return plug.release()->Record();
  } catch (...) {
    return nullptr;
  }
}

const clap_plugin_factory_t kFactory = {PluginCount, PluginDescriptor, CreatePlugin};

bool Init(const char*) { return true; }

void Deinit() {}

const void* GetFactory(const char* id)
{
  return id && std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION_INIT, Init, Deinit, GetFactory};
