#include "plug/clap/module/CLAPPluginRecord.h"

#include <cstring>

#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/timer-support.h>

#include "plug/clap/IPlugCLAP.h"

namespace {

// Runs call on the plug-in behind the record; fallback when there is none or it throws.
template <typename Result, typename Call>
Result Guarded(const clap_plugin_t* record, Result fallback, Call call)
{
  IPlugCLAP* plug = IPlugCLAP::FromRecord(record);
  if (!plug) return fallback;
  try {
    return call(*plug);
  } catch (...) {
    return fallback;
  }
}

template <typename Call> void Guarded(const clap_plugin_t* record, Call call)
{
  Guarded(record, 0, [&](IPlugCLAP& plug) {
    call(plug);
    return 0;
  });
}

// --- The plug-in -------------------------------------------------------------------------

bool Init(const clap_plugin_t* p)
{
  return Guarded(p, false, [](IPlugCLAP& plug) { return plug.Init(); });
}

void Destroy(const clap_plugin_t* p)
{
  Guarded(p, [](IPlugCLAP& plug) {
    plug.DestroyView();
    plug.Deactivate();
    delete &plug;
  });
}

bool Activate(const clap_plugin_t* p, double rate, uint32_t minFrames, uint32_t maxFrames)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.Activate(rate, minFrames, maxFrames); });
}

void Deactivate(const clap_plugin_t* p)
{
  Guarded(p, [](IPlugCLAP& plug) { plug.Deactivate(); });
}

bool StartProcessing(const clap_plugin_t* p)
{
  return Guarded(p, false, [](IPlugCLAP& plug) { return plug.IsActive(); });
}

void StopProcessing(const clap_plugin_t*) {}

void Reset(const clap_plugin_t* p)
{
  Guarded(p, [](IPlugCLAP& plug) { plug.Reset(); });
}

clap_process_status Process(const clap_plugin_t* p, const clap_process_t* process)
{
  return Guarded(p, clap_process_status(CLAP_PROCESS_ERROR),
                 [&](IPlugCLAP& plug) { return plug.Process(process); });
}

void OnMainThread(const clap_plugin_t*) {}

// --- Audio ports: one stereo input and one stereo output, the pair processed in place --------

uint32_t AudioPortCount(const clap_plugin_t*, bool) { return 1; }

bool AudioPortInfo(const clap_plugin_t*, uint32_t index, bool isInput, clap_audio_port_info_t* info)
{
  if (index != 0 || !info) return false;
  *info = clap_audio_port_info_t{};
  info->id = 0;
  std::strcpy(info->name, isInput ? "Stereo In" : "Stereo Out");
  info->flags =
    CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS | CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE;
  info->channel_count = 2;
  info->port_type = CLAP_PORT_STEREO;
  info->in_place_pair = 0;
  return true;
}

const clap_plugin_audio_ports_t kAudioPorts = {AudioPortCount, AudioPortInfo};

// --- Parameters ----------------------------------------------------------------------------

uint32_t ParamCount(const clap_plugin_t* p)
{
  return Guarded(p, 0u, [](IPlugCLAP& plug) { return static_cast<uint32_t>(plug.NParams()); });
}

bool ParamInfo(const clap_plugin_t* p, uint32_t index, clap_param_info_t* info)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.ParamInfo(index, info); });
}

bool ParamValue(const clap_plugin_t* p, clap_id id, double* value)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.ParamValue(id, value); });
}

bool ValueToText(const clap_plugin_t* p, clap_id id, double value, char* display, uint32_t size)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.ValueToText(id, value, display, size); });
}

bool TextToValue(const clap_plugin_t* p, clap_id id, const char* display, double* value)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.TextToValue(id, display, value); });
}

void Flush(const clap_plugin_t* p, const clap_input_events_t* in, const clap_output_events_t* out)
{
  Guarded(p, [&](IPlugCLAP& plug) { plug.Flush(in, out); });
}

const clap_plugin_params_t kParams = {ParamCount, ParamInfo, ParamValue, ValueToText, TextToValue, Flush};

// --- State ---------------------------------------------------------------------------------

bool SaveState(const clap_plugin_t* p, const clap_ostream_t* stream)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.SaveState(stream); });
}

bool LoadState(const clap_plugin_t* p, const clap_istream_t* stream)
{
  // A state may bring a new latency; the host hears of it once the lock is released.
  return Guarded(p, false, [&](IPlugCLAP& plug) {
    const bool loaded = plug.LoadState(stream);
    plug.SendPendingLatencyNotice();
    return loaded;
  });
}

const clap_plugin_state_t kState = {SaveState, LoadState};

// --- Latency: the oversampling's -----------------------------------------------------------

uint32_t Latency(const clap_plugin_t* p)
{
  return Guarded(p, 0u, [](IPlugCLAP& plug) { return static_cast<uint32_t>(plug.GetLatency()); });
}

const clap_plugin_latency_t kLatency = {Latency};

// --- The editor: embedded, fixed size --------------------------------------------------------

bool GuiApiSupported(const clap_plugin_t*, const char* api, bool floating)
{
  return IPlugCLAP::WindowApiSupported(api, floating);
}

bool GuiPreferredApi(const clap_plugin_t*, const char** api, bool* floating)
{
  if (!api || !floating) return false;
  *api = IPlugCLAP::WindowApi();
  *floating = false;
  return true;
}

bool GuiCreate(const clap_plugin_t* p, const char* api, bool floating)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.CreateView(api, floating); });
}

void GuiDestroy(const clap_plugin_t* p)
{
  Guarded(p, [](IPlugCLAP& plug) { plug.DestroyView(); });
}

// The editor is drawn at one size from its bitmaps.
bool GuiSetScale(const clap_plugin_t*, double) { return false; }

bool GuiGetSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.ViewSize(width, height); });
}

bool GuiCanResize(const clap_plugin_t*) { return false; }

bool GuiResizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*) { return false; }

bool GuiAdjustSize(const clap_plugin_t*, uint32_t*, uint32_t*) { return false; }

bool GuiSetSize(const clap_plugin_t* p, uint32_t width, uint32_t height)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) {
    uint32_t w = 0, h = 0;
    return plug.ViewSize(&w, &h) && w == width && h == height;
  });
}

bool GuiSetParent(const clap_plugin_t* p, const clap_window_t* window)
{
  return Guarded(p, false, [&](IPlugCLAP& plug) { return plug.SetViewParent(window); });
}

bool GuiSetTransient(const clap_plugin_t*, const clap_window_t*) { return false; }

void GuiSuggestTitle(const clap_plugin_t*, const char*) {}

bool GuiShow(const clap_plugin_t* p)
{
  return Guarded(p, false, [](IPlugCLAP& plug) { return plug.ShowView(true); });
}

bool GuiHide(const clap_plugin_t* p)
{
  return Guarded(p, false, [](IPlugCLAP& plug) { return plug.ShowView(false); });
}

const clap_plugin_gui_t kGui = {GuiApiSupported, GuiPreferredApi, GuiCreate,       GuiDestroy,    GuiSetScale,
                                GuiGetSize,      GuiCanResize,    GuiResizeHints,  GuiAdjustSize, GuiSetSize,
                                GuiSetParent,    GuiSetTransient, GuiSuggestTitle, GuiShow,       GuiHide};

void OnTimer(const clap_plugin_t* p, clap_id timer)
{
  Guarded(p, [&](IPlugCLAP& plug) { plug.OnTimer(timer); });
}

const clap_plugin_timer_support_t kTimerSupport = {OnTimer};

const void* GetExtension(const clap_plugin_t*, const char* id)
{
  if (!id) return nullptr;
  const struct
  {
    const char* id;
    const void* extension;
  } extensions[] = {{CLAP_EXT_AUDIO_PORTS, &kAudioPorts},
                    {CLAP_EXT_PARAMS, &kParams},
                    {CLAP_EXT_STATE, &kState},
                    {CLAP_EXT_LATENCY, &kLatency},
                    {CLAP_EXT_GUI, &kGui},
                    {CLAP_EXT_TIMER_SUPPORT, &kTimerSupport}};
  for (const auto& e : extensions)
    if (std::strcmp(id, e.id) == 0) return e.extension;
  return nullptr;
}

}  // namespace

void CLAPPluginRecord::Fill(clap_plugin_t& record, const clap_plugin_descriptor_t* descriptor)
{
  record.desc = descriptor;
  record.init = Init;
  record.destroy = Destroy;
  record.activate = Activate;
  record.deactivate = Deactivate;
  record.start_processing = StartProcessing;
  record.stop_processing = StopProcessing;
  record.reset = Reset;
  record.process = Process;
  record.get_extension = GetExtension;
  record.on_main_thread = OnMainThread;
}
