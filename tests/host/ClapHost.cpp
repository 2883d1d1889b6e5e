#include "tests/host/ClapHost.h"

#include <clap/ext/latency.h>
#include <clap/ext/timer-support.h>

#include <cmath>

#include "tests/host/ClapStreams.h"

namespace {

// The host's events for one call, in the order given.
class InputEvents
{
public:
  explicit InputEvents(const std::vector<ClapParamEvent>& changes) : list{this, Size, Get}
  {
    for (const ClapParamEvent& c : changes) {
      clap_event_param_value_t e{};
      e.header.size = sizeof e;
      e.header.time = c.time;
      e.header.space_id = CLAP_CORE_EVENT_SPACE_ID;
      e.header.type = c.type;
      e.param_id = c.id;
      e.note_id = -1;
      e.port_index = e.channel = e.key = -1;
      e.value = c.value;
      events.push_back(e);
    }
  }
  const clap_input_events_t* List() const { return &list; }

private:
  static uint32_t Size(const clap_input_events_t* l)
  {
    return static_cast<uint32_t>(static_cast<const InputEvents*>(l->ctx)->events.size());
  }
  static const clap_event_header_t* Get(const clap_input_events_t* l, uint32_t i)
  {
    const auto& events = static_cast<const InputEvents*>(l->ctx)->events;
    return i < events.size() ? &events[i].header : nullptr;
  }
  clap_input_events_t list;
  std::vector<clap_event_param_value_t> events;
};

// Records the parameter events the plug-in pushes; anything else fails the test.
class OutputEvents
{
public:
  explicit OutputEvents(std::vector<ClapParamEvent>& sink) : list{this, Push}, sink(sink) {}
  const clap_output_events_t* List() const { return &list; }

private:
  static bool Push(const clap_output_events_t* l, const clap_event_header_t* e)
  {
    auto& sink = static_cast<OutputEvents*>(l->ctx)->sink;
    if (!e || e->space_id != CLAP_CORE_EVENT_SPACE_ID) return false;
    ClapParamEvent r;
    r.time = e->time;
    r.type = e->type;
    if (e->type == CLAP_EVENT_PARAM_VALUE && e->size >= sizeof(clap_event_param_value_t)) {
      const auto* v = reinterpret_cast<const clap_event_param_value_t*>(e);
      r.id = v->param_id;
      r.value = v->value;
    } else if ((e->type == CLAP_EVENT_PARAM_GESTURE_BEGIN || e->type == CLAP_EVENT_PARAM_GESTURE_END) &&
               e->size >= sizeof(clap_event_param_gesture_t)) {
      r.id = reinterpret_cast<const clap_event_param_gesture_t*>(e)->param_id;
    } else {
      return false;
    }
    sink.push_back(r);
    return true;
  }
  clap_output_events_t list;
  std::vector<ClapParamEvent>& sink;
};

template <typename Sample> void Point(clap_audio_buffer_t& port, std::vector<Sample*>& channels)
{
  if constexpr (sizeof(Sample) == sizeof(float))
    port.data32 = channels.data();
  else
    port.data64 = channels.data();
  port.channel_count = static_cast<uint32_t>(channels.size());
}

}  // namespace

ClapHost::ClapHost()
{
  host = clap_host_t{};
  host.clap_version = CLAP_VERSION;
  host.host_data = this;
  host.name = "Skarvel Test Host";
  host.vendor = "Kernwave Test";
  host.url = "";
  host.version = "1.0";
  host.get_extension = HostExtension;
  host.request_restart = [](const clap_host_t* h) {
    ClapHost* self = static_cast<ClapHost*>(h->host_data);
    ++self->restartRequests;
    if (self->latencyReaction) self->latencyReaction();
  };
  host.request_process = [](const clap_host_t*) {};
  host.request_callback = [](const clap_host_t*) {};
}

ClapHost::~ClapHost()
{
  Destroy();
  if (entryReady) entry->deinit();
}

bool ClapHost::Load(const std::string& path)
{
  module = PluginModule::Open(path, error);
  if (!module) return false;
  entry = static_cast<const clap_plugin_entry_t*>(module->Symbol("clap_entry"));
  if (!entry) {
    error = "no clap_entry";
    return false;
  }
  if (!clap_version_is_compatible(entry->clap_version) || !entry->init(path.c_str())) {
    error = "clap_entry refused";
    return false;
  }
  entryReady = true;
  factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  if (!factory) error = "no plug-in factory";
  return factory != nullptr;
}

bool ClapHost::Create(const char* id)
{
  if (!factory) return false;
  if (!id) {
    const clap_plugin_descriptor_t* d = factory->get_plugin_descriptor(factory, 0);
    if (!d) return false;
    id = d->id;
  }
  plugin = factory->create_plugin(factory, &host, id);
  if (!plugin) {
    error = "create_plugin failed";
    return false;
  }
  if (!plugin->init(plugin)) {
    error = "init failed";
    plugin->destroy(plugin);
    plugin = nullptr;
  }
  return plugin != nullptr;
}

bool ClapHost::Activate(double sampleRate, uint32_t maxFrames)
{
  if (!plugin || !plugin->activate(plugin, sampleRate, 1, maxFrames)) return false;
  active = true;
  return plugin->start_processing(plugin);
}

void ClapHost::Deactivate()
{
  if (!active) return;
  plugin->stop_processing(plugin);
  plugin->deactivate(plugin);
  active = false;
}

void ClapHost::Destroy()
{
  if (!plugin) return;
  Deactivate();
  plugin->destroy(plugin);
  plugin = nullptr;
  timers.clear();
}

template <typename Sample>
clap_process_status ClapHost::Run(std::vector<std::vector<Sample>>& in, std::vector<std::vector<Sample>>& out,
                                  int frames, const std::vector<ClapParamEvent>& events)
{
  std::vector<Sample*> inputs, outputs;
  for (auto& c : in) inputs.push_back(c.data());
  for (auto& c : out) outputs.push_back(c.data());
  clap_audio_buffer_t inPort{}, outPort{};
  Point(inPort, inputs);
  Point(outPort, outputs);
  InputEvents inEvents(events);
  OutputEvents outEvents(received);
  clap_process_t p{};
  p.steady_time = steadyTime;
  p.frames_count = static_cast<uint32_t>(frames);
  p.audio_inputs = &inPort;
  p.audio_outputs = &outPort;
  p.audio_inputs_count = 1;
  p.audio_outputs_count = 1;
  p.in_events = inEvents.List();
  p.out_events = outEvents.List();
  steadyTime += frames;
  return plugin->process(plugin, &p);
}

clap_process_status ClapHost::Process(FloatBuffers& in, FloatBuffers& out, int frames,
                                      const std::vector<ClapParamEvent>& events)
{
  return Run(in, out, frames, events);
}

clap_process_status ClapHost::Process(DoubleBuffers& in, DoubleBuffers& out, int frames,
                                      const std::vector<ClapParamEvent>& events)
{
  return Run(in, out, frames, events);
}

clap_process_status ClapHost::ProcessInPlace(FloatBuffers& io, int frames,
                                             const std::vector<ClapParamEvent>& events)
{
  return Run(io, io, frames, events);
}

clap_process_status ClapHost::ProcessInPlace(DoubleBuffers& io, int frames,
                                             const std::vector<ClapParamEvent>& events)
{
  return Run(io, io, frames, events);
}

void ClapHost::Flush(const std::vector<ClapParamEvent>& events)
{
  InputEvents inEvents(events);
  OutputEvents outEvents(received);
  Params()->flush(plugin, inEvents.List(), outEvents.List());
}

double ClapHost::Value(clap_id id) const
{
  double v = 0.0;
  return Params()->get_value(plugin, id, &v) ? v : std::nan("");
}

std::string ClapHost::Text(clap_id id, double value) const
{
  char text[CLAP_NAME_SIZE] = "";
  return Params()->value_to_text(plugin, id, value, text, sizeof text) ? text : "(refused)";
}

std::vector<uint8_t> ClapHost::SaveState(size_t chunk) const
{
  ClapOutputStream out(chunk);
  const auto* state = Get<clap_plugin_state_t>(CLAP_EXT_STATE);
  return state && state->save(plugin, out.Stream()) ? out.Bytes() : std::vector<uint8_t>();
}

bool ClapHost::LoadState(std::vector<uint8_t> bytes, size_t chunk) const
{
  ClapInputStream in(std::move(bytes), chunk);
  const auto* state = Get<clap_plugin_state_t>(CLAP_EXT_STATE);
  return state && state->load(plugin, in.Stream());
}

void ClapHost::RunTimers()
{
  const auto* support = Get<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
  if (!support) return;
  for (const auto& timer : std::map<clap_id, uint32_t>(timers)) support->on_timer(plugin, timer.first);
}

const void* ClapHost::HostExtension(const clap_host_t*, const char* id)
{
  static const clap_host_params_t params = {[](const clap_host_t*, clap_param_rescan_flags) {},
                                            [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
                                            RequestFlush};
  static const clap_host_timer_support_t timerSupport = {RegisterTimer, UnregisterTimer};
  static const clap_host_latency_t latency = {[](const clap_host_t* h) {
    ClapHost* self = static_cast<ClapHost*>(h->host_data);
    ++self->latencyChanges;
    if (self->latencyReaction) self->latencyReaction();
  }};
  if (!id) return nullptr;
  if (std::string(id) == CLAP_EXT_PARAMS) return &params;
  if (std::string(id) == CLAP_EXT_TIMER_SUPPORT) return &timerSupport;
  if (std::string(id) == CLAP_EXT_LATENCY) return &latency;
  return nullptr;
}

void ClapHost::RequestFlush(const clap_host_t* h) { ++static_cast<ClapHost*>(h->host_data)->flushRequests; }

bool ClapHost::RegisterTimer(const clap_host_t* h, uint32_t periodMs, clap_id* id)
{
  auto* self = static_cast<ClapHost*>(h->host_data);
  if (!id) return false;
  *id = self->nextTimer++;
  self->timers[*id] = periodMs;
  return true;
}

bool ClapHost::UnregisterTimer(const clap_host_t* h, clap_id id)
{
  return static_cast<ClapHost*>(h->host_data)->timers.erase(id) == 1;
}
