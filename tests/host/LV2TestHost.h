#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "tests/host/PluginModule.h"
#include "tests/host/TestHost.h"

// One property of a saved state, by the URIs a host writes into a session file.
struct LV2StateValue
{
  std::string type;
  uint32_t flags = 0;
  std::vector<unsigned char> bytes;
};
using LV2State = std::map<std::string, LV2StateValue>;

inline bool operator==(const LV2StateValue& a, const LV2StateValue& b)
{
  return a.type == b.type && a.flags == b.flags && a.bytes == b.bytes;
}

// What the host offers at instantiation. Without a map there can be no options either.
struct LV2HostFeatures
{
  bool uridMap = true;
  int maxBlockLength = 0;  // announced through options when above 0
};

// A small LV2 host for the project's plug-in: loads the bundle's binary the way a DAW does,
// instantiates the plug-in with features of its own (a URID map, buffer-size options), holds
// its control values and saves and restores its state through store and retrieve callbacks.
// The plug-in's ports are two audio inputs, two audio outputs, then the controls: the control
// ports are connected to the host's values at instantiation, the audio ports for each render.
class LV2TestHost
{
public:
  static constexpr uint32_t kAudioPorts = 4;

  // `controls` are the control ports' first values, in port order.
  explicit LV2TestHost(std::vector<float> controls);
  ~LV2TestHost();
  LV2TestHost(const LV2TestHost&) = delete;
  LV2TestHost& operator=(const LV2TestHost&) = delete;

  // Loads BUNDLE/binary, finds the plug-in with this URI and instantiates it.
  bool Instantiate(const std::string& bundle, const std::string& binary, const std::string& uri,
                   double sampleRate, const LV2HostFeatures& features = {});
  const std::string& Error() const { return error; }
  LV2_Handle Handle() const { return handle; }
  const std::string& Bundle() const { return bundle; }
  const std::string& Uri() const { return uri; }
  void* Symbol(const char* name) const { return module ? module->Symbol(name) : nullptr; }

  // The host's value of a control port, which the plug-in reads at its next run.
  float& Control(int index) { return controls[static_cast<size_t>(index)]; }
  const std::vector<float>& Controls() const { return controls; }

  void ConnectPort(uint32_t port, void* data);
  // Cleanup deactivates it first, as a host must.
  void Activate();
  void Run(uint32_t frames);
  // The stereo input through the plug-in in runs of `run` frames (the last may be shorter);
  // the audio ports are left unconnected afterwards, as the buffers go with the call.
  FloatBuffers Render(FloatBuffers in, int run);

  LV2_State_Status SaveState(LV2State& state);
  LV2_State_Status RestoreState(const LV2State& state);

private:
  LV2_URID Map(const std::string& uri);
  const char* Unmap(LV2_URID urid) const;
  static LV2_URID MapCallback(LV2_URID_Map_Handle self, const char* uri);
  static LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                                uint32_t type, uint32_t flags);
  static const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                              uint32_t* flags);
  const LV2_State_Interface* StateInterface() const;

  std::unique_ptr<PluginModule> module;
  const LV2_Descriptor* descriptor = nullptr;
  LV2_Handle handle = nullptr;
  bool active = false;
  std::string bundle;
  std::string uri;
  std::string error;
  std::vector<float> controls;
  std::vector<std::string> uris;  // URID n is uris[n - 1]

  // What the plug-in may keep pointers to for its whole life.
  LV2_URID_Map map{this, MapCallback};
  int32_t maxBlockLength = 0;
  std::vector<LV2_Options_Option> options;
  std::vector<LV2_Feature> features;

  // The state being saved or restored by the callbacks.
  LV2State* storing = nullptr;
  const LV2State* retrieving = nullptr;
};
