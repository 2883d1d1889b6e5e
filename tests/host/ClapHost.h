#pragma once

#include <clap/entry.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin-factory.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/host/PluginModule.h"
#include "tests/host/TestHost.h"

// A parameter event: what the host sends (a value at a sample of the block), or what the
// plug-in sent (a value or a gesture's begin or end, at time 0 of the block or flush).
struct ClapParamEvent
{
  uint32_t time = 0;
  clap_id id = 0;
  double value = 0.0;
  uint16_t type = CLAP_EVENT_PARAM_VALUE;
};

// A small CLAP host: loads a module as a DAW does (dlopen with RTLD_NOW), creates its
// plug-in, and drives it through the plug-in's functions and extensions. It offers the
// plug-in parameter flush requests and timers, and records what the plug-in sends.
class ClapHost
{
public:
  ClapHost();
  ~ClapHost();
  ClapHost(const ClapHost&) = delete;
  ClapHost& operator=(const ClapHost&) = delete;

  // The module's clap_entry, initialised, and its plug-in factory.
  bool Load(const std::string& path);
  const std::string& Error() const { return error; }
  const clap_plugin_entry_t* Entry() const { return entry; }
  const clap_plugin_factory_t* Factory() const { return factory; }
  const clap_host_t* Host() const { return &host; }

  // Creates the plug-in with that id (the factory's first when null) and initialises it.
  bool Create(const char* id = nullptr);
  const clap_plugin_t* Plugin() const { return plugin; }
  template <typename Extension> const Extension* Get(const char* id) const
  {
    return plugin ? static_cast<const Extension*>(plugin->get_extension(plugin, id)) : nullptr;
  }
  const clap_plugin_params_t* Params() const { return Get<clap_plugin_params_t>(CLAP_EXT_PARAMS); }

  // activate(rate, 1, maxFrames), then start_processing; stop_processing, then deactivate.
  bool Activate(double sampleRate, uint32_t maxFrames);
  void Deactivate();
  // Deactivated if active, then destroyed.
  void Destroy();

  // One process call over `frames` samples of every buffer, with these input events.
  clap_process_status Process(FloatBuffers& in, FloatBuffers& out, int frames,
                              const std::vector<ClapParamEvent>& events = {});
  clap_process_status Process(DoubleBuffers& in, DoubleBuffers& out, int frames,
                              const std::vector<ClapParamEvent>& events = {});
  // The same buffers as input and output.
  clap_process_status ProcessInPlace(FloatBuffers& io, int frames,
                                     const std::vector<ClapParamEvent>& events = {});
  clap_process_status ProcessInPlace(DoubleBuffers& io, int frames,
                                     const std::vector<ClapParamEvent>& events = {});
  // params flush with these input events.
  void Flush(const std::vector<ClapParamEvent>& events = {});

  // What the plug-in sent in process and flush, in order.
  const std::vector<ClapParamEvent>& Received() const { return received; }
  void ClearReceived() { received.clear(); }
  int FlushRequests() const { return flushRequests; }
  // How often the plug-in asked for a restart, and told of a new latency.
  int RestartRequests() const { return restartRequests; }
  int LatencyChanges() const { return latencyChanges; }
  // Run inside both of those calls, after they are counted.
  void ReactToLatencyNotices(std::function<void()> reaction) { latencyReaction = std::move(reaction); }

  // The parameter's value; NaN when the plug-in refuses.
  double Value(clap_id id) const;
  std::string Text(clap_id id, double value) const;

  // The state through streams that move at most `chunk` bytes a call; empty when save fails.
  std::vector<uint8_t> SaveState(size_t chunk = SIZE_MAX) const;
  bool LoadState(std::vector<uint8_t> bytes, size_t chunk = SIZE_MAX) const;

  // Calls on_timer for every timer the plug-in registered.
  void RunTimers();
  size_t TimerCount() const { return timers.size(); }

private:
  template <typename Sample>
  clap_process_status Run(std::vector<std::vector<Sample>>& in, std::vector<std::vector<Sample>>& out,
                          int frames, const std::vector<ClapParamEvent>& events);
  static const void* HostExtension(const clap_host_t* host, const char* id);
  static void RequestFlush(const clap_host_t* host);
  static bool RegisterTimer(const clap_host_t* host, uint32_t periodMs, clap_id* id);
  static bool UnregisterTimer(const clap_host_t* host, clap_id id);

  clap_host_t host;
  std::unique_ptr<PluginModule> module;
  const clap_plugin_entry_t* entry = nullptr;
  bool entryReady = false;
  const clap_plugin_factory_t* factory = nullptr;
  const clap_plugin_t* plugin = nullptr;
  bool active = false;
  int64_t steadyTime = 0;
  std::vector<ClapParamEvent> received;
  int flushRequests = 0;
  int restartRequests = 0;
  int latencyChanges = 0;
  std::function<void()> latencyReaction;
  std::map<clap_id, uint32_t> timers;
  clap_id nextTimer = 7;
  std::string error;
};
