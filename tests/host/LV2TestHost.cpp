#include "tests/host/LV2TestHost.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>

#include <algorithm>

LV2TestHost::LV2TestHost(std::vector<float> initial) : controls(std::move(initial)) {}

LV2TestHost::~LV2TestHost()
{
  if (!handle) return;
  if (active) descriptor->deactivate(handle);
  descriptor->cleanup(handle);
}

bool LV2TestHost::Instantiate(const std::string& bundlePath, const std::string& binary,
                              const std::string& pluginUri, double sampleRate, const LV2HostFeatures& offered)
{
  bundle = bundlePath;
  uri = pluginUri;
  module = PluginModule::Open(bundle + binary, error);
  if (!module) return false;
  const auto entry = reinterpret_cast<LV2_Descriptor_Function>(module->Symbol("lv2_descriptor"));
  if (!entry) {
    error = "no lv2_descriptor in " + binary;
    return false;
  }
  for (uint32_t i = 0; (descriptor = entry(i)) != nullptr; ++i)
    if (descriptor->URI && uri == descriptor->URI) break;
  if (!descriptor) {
    error = "the module has no plug-in " + uri;
    return false;
  }

  if (offered.uridMap) {
    features.push_back({LV2_URID__map, &map});
    if (offered.maxBlockLength > 0) {
      maxBlockLength = offered.maxBlockLength;
      options.push_back({LV2_OPTIONS_INSTANCE, 0, Map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
                         Map(LV2_ATOM__Int), &maxBlockLength});
      options.push_back({LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr});
      features.push_back({LV2_OPTIONS__options, options.data()});
    }
  }
  std::vector<const LV2_Feature*> list;
  for (const LV2_Feature& f : features) list.push_back(&f);
  list.push_back(nullptr);
  handle = descriptor->instantiate(descriptor, sampleRate, bundle.c_str(), list.data());
  if (!handle) {
    error = "instantiate failed";
    return false;
  }
  for (size_t i = 0; i < controls.size(); ++i)
    ConnectPort(kAudioPorts + static_cast<uint32_t>(i), &controls[i]);
  return true;
}

void LV2TestHost::ConnectPort(uint32_t port, void* data) { descriptor->connect_port(handle, port, data); }

void LV2TestHost::Activate()
{
  descriptor->activate(handle);
  active = true;
}

void LV2TestHost::Run(uint32_t frames) { descriptor->run(handle, frames); }

FloatBuffers LV2TestHost::Render(FloatBuffers in, int run)
{
  const size_t frames = in[0].size();
  FloatBuffers out(2, std::vector<float>(frames));
  for (size_t at = 0; at < frames; at += static_cast<size_t>(run)) {
    for (uint32_t c = 0; c < 2; ++c) {
      ConnectPort(c, &in[c][at]);
      ConnectPort(2 + c, &out[c][at]);
    }
    Run(static_cast<uint32_t>(std::min(frames - at, static_cast<size_t>(run))));
  }
  for (uint32_t port = 0; port < kAudioPorts; ++port) ConnectPort(port, nullptr);
  return out;
}

const LV2_State_Interface* LV2TestHost::StateInterface() const
{
  return descriptor->extension_data
           ? static_cast<const LV2_State_Interface*>(descriptor->extension_data(LV2_STATE__interface))
           : nullptr;
}

LV2_State_Status LV2TestHost::SaveState(LV2State& state)
{
  const LV2_State_Interface* iface = StateInterface();
  if (!iface) return LV2_STATE_ERR_UNKNOWN;
  state.clear();
  storing = &state;
  const LV2_Feature* none[] = {nullptr};
  const LV2_State_Status status =
    iface->save(handle, Store, this, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, none);
  storing = nullptr;
  return status;
}

LV2_State_Status LV2TestHost::RestoreState(const LV2State& state)
{
  const LV2_State_Interface* iface = StateInterface();
  if (!iface) return LV2_STATE_ERR_UNKNOWN;
  retrieving = &state;
  const LV2_Feature* none[] = {nullptr};
  const LV2_State_Status status = iface->restore(handle, Retrieve, this, 0, none);
  retrieving = nullptr;
  return status;
}

LV2_State_Status LV2TestHost::Store(LV2_State_Handle self, uint32_t key, const void* value, size_t size,
                                    uint32_t type, uint32_t flags)
{
  auto* host = static_cast<LV2TestHost*>(self);
  const char* keyUri = host->Unmap(key);
  const char* typeUri = host->Unmap(type);
  if (!host->storing || !keyUri || !typeUri || (size && !value)) return LV2_STATE_ERR_UNKNOWN;
  const auto* bytes = static_cast<const unsigned char*>(value);
  (*host->storing)[keyUri] = {typeUri, flags, std::vector<unsigned char>(bytes, bytes + size)};
  return LV2_STATE_SUCCESS;
}

const void* LV2TestHost::Retrieve(LV2_State_Handle self, uint32_t key, size_t* size, uint32_t* type,
                                  uint32_t* flags)
{
  auto* host = static_cast<LV2TestHost*>(self);
  const char* keyUri = host->Unmap(key);
  if (!host->retrieving || !keyUri) return nullptr;
  const auto found = host->retrieving->find(keyUri);
  if (found == host->retrieving->end()) return nullptr;
  const LV2StateValue& v = found->second;
  *size = v.bytes.size();
  *type = host->Map(v.type);
  *flags = v.flags;
  // An empty property is still there: null would read as missing.
  static const unsigned char kNothing = 0;
  return v.bytes.empty() ? &kNothing : v.bytes.data();
}

LV2_URID LV2TestHost::Map(const std::string& text)
{
  for (size_t i = 0; i < uris.size(); ++i)
    if (uris[i] == text) return static_cast<LV2_URID>(i + 1);
  uris.push_back(text);
  return static_cast<LV2_URID>(uris.size());
}

const char* LV2TestHost::Unmap(LV2_URID urid) const
{
  return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}

LV2_URID LV2TestHost::MapCallback(LV2_URID_Map_Handle self, const char* text)
{
  return text ? static_cast<LV2TestHost*>(self)->Map(text) : 0;
}
