#include "plug/clap/IPlugCLAP.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gui/IGraphics.h"

namespace {

// A channel's samples from offset on, or null where the host gives none.
template <typename Sample>
Sample* ChannelAt(const clap_audio_buffer_t* port, Sample** clap_audio_buffer_t::*data, uint32_t c,
                  uint32_t offset)
{
  if (!port || !(port->*data) || c >= port->channel_count || !(port->*data)[c]) return nullptr;
  return (port->*data)[c] + offset;
}

// A port without channels or buffers takes either sample width.
bool HasSamples(const clap_audio_buffer_t* port)
{
  return port && port->channel_count > 0 && (port->data32 || port->data64);
}

bool Wide(const clap_audio_buffer_t* port) { return !port->data32 && port->data64; }

}  // namespace

IPlugCLAP::IPlugCLAP(HostHandle hostHandle, int nParams, const char* channelIOStr, int nPresets,
                     const char* effect, const char* product, const char* mfr, int vendorVersion,
                     int uniqueID, int mfrID, bool isInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effect, product, mfr, vendorVersion, uniqueID, mfrID,
                isInst),
      host(hostHandle), editorChanges(nParams)
{
  record.plugin_data = this;
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(kDefaultBlockSize);
}

IPlugCLAP* IPlugCLAP::FromRecord(const clap_plugin_t* plugin)
{
  return plugin ? static_cast<IPlugCLAP*>(plugin->plugin_data) : nullptr;
}

// The host's extensions may be asked for from here on, not while the factory creates us.
bool IPlugCLAP::Init()
{
  if (host && host->get_extension) {
    hostParams = static_cast<const clap_host_params_t*>(host->get_extension(host, CLAP_EXT_PARAMS));
    hostTimers =
      static_cast<const clap_host_timer_support_t*>(host->get_extension(host, CLAP_EXT_TIMER_SUPPORT));
    hostLatency = static_cast<const clap_host_latency_t*>(host->get_extension(host, CLAP_EXT_LATENCY));
  }
  LockGuard g(lock);
  defaults.clear();
  for (const auto& p : params) defaults.push_back(p->value);
  return true;
}

bool IPlugCLAP::Activate(double rate, uint32_t, uint32_t maxFrames)
{
  if (IsActive() || !std::isfinite(rate) || rate <= 0.0 || maxFrames < 1) return false;
  {
    LockGuard g(lock);
    sampleRate = rate;
    SetBlockSize(static_cast<int>(std::min<uint32_t>(maxFrames, kMaxBlockSize)));
    OnActivate(true);
    ResetAudioState();
  }
  active.store(true, std::memory_order_release);
  return true;
}

void IPlugCLAP::Deactivate()
{
  if (!IsActive()) return;
  active.store(false, std::memory_order_release);
  OnActivate(false);
}

void IPlugCLAP::InformHostOfLatencyChange()
{
  if (IsActive()) {
    if (host && host->request_restart) host->request_restart(host);
  } else if (hostLatency && hostLatency->changed) {
    hostLatency->changed(host);
  }
}

void IPlugCLAP::SetBlockSize(int n)
{
  if (n > 0) IPlugBase::SetBlockSize(std::min(n, kMaxBlockSize));
}

// The rate and block size stay those of the activation, so nothing is allocated here.
void IPlugCLAP::Reset()
{
  if (IsActive()) ResetAudioState();
}

clap_process_status IPlugCLAP::Process(const clap_process_t* process)
{
  if (!process || !IsActive()) return CLAP_PROCESS_ERROR;
  const clap_audio_buffer_t* in = process->audio_inputs_count ? process->audio_inputs : nullptr;
  clap_audio_buffer_t* out = process->audio_outputs_count ? process->audio_outputs : nullptr;
  // Both ports require one sample width; a host that mixes them gets no output.
  if (HasSamples(in) && HasSamples(out) && Wide(in) != Wide(out)) return CLAP_PROCESS_ERROR;
  const bool wide = HasSamples(out) ? Wide(out) : HasSamples(in) && Wide(in);
  const uint32_t frames = std::min<uint32_t>(process->frames_count, INT_MAX);

  LockGuard g(lock);
  editorChanges.Report(process->out_events);
  const clap_input_events_t* events = process->in_events;
  const uint32_t nEvents = events && events->size && events->get ? events->size(events) : 0;
  uint32_t done = 0;
  for (uint32_t i = 0; i < nEvents; ++i) {
    const clap_event_header_t* e = events->get(events, i);
    if (!e) continue;
    // Events out of order take effect where processing has got to; late ones at the end.
    const uint32_t at = std::min(std::max(e->time, done), frames);
    if (at > done) ProcessRange(in, out, wide, done, at - done);
    done = at;
    ApplyEvent(e);
  }
  if (frames > done) ProcessRange(in, out, wide, done, frames - done);
  return CLAP_PROCESS_CONTINUE;
}

void IPlugCLAP::ProcessRange(const clap_audio_buffer_t* in, clap_audio_buffer_t* out, bool wide,
                             uint32_t offset, uint32_t frames)
{
  auto pointers = [&](auto data, auto& inputs, auto& outputs) {
    for (uint32_t c = 0; c < 2; ++c) {
      inputs[c] = ChannelAt(in, data, c, offset);
      outputs[c] = ChannelAt(out, data, c, offset);
    }
  };
  if (wide) {
    double* inputs[2];
    double* outputs[2];
    pointers(&clap_audio_buffer_t::data64, inputs, outputs);
    ProcessDouble(inputs, outputs, static_cast<int>(frames));
  } else {
    float* inputs[2];
    float* outputs[2];
    pointers(&clap_audio_buffer_t::data32, inputs, outputs);
    ProcessFloat(inputs, outputs, static_cast<int>(frames), false);
  }
}

void IPlugCLAP::ApplyEvent(const clap_event_header_t* e)
{
  if (e->space_id != CLAP_CORE_EVENT_SPACE_ID || e->type != CLAP_EVENT_PARAM_VALUE ||
      e->size < sizeof(clap_event_param_value_t))
    return;
  const auto* change = reinterpret_cast<const clap_event_param_value_t*>(e);
  const int i = ParamIndex(change->param_id);
  if (i < 0 || !std::isfinite(change->value)) return;
  SetParameterFromHost(i, params[i]->ToNormalized(change->value));
}

void IPlugCLAP::Flush(const clap_input_events_t* in, const clap_output_events_t* out)
{
  LockGuard g(lock);
  const uint32_t n = in && in->size && in->get ? in->size(in) : 0;
  for (uint32_t i = 0; i < n; ++i)
    if (const clap_event_header_t* e = in->get(in, i)) ApplyEvent(e);
  editorChanges.Report(out);
}

bool IPlugCLAP::ParamInfo(uint32_t index, clap_param_info_t* info)
{
  const int i = ParamIndex(index);
  if (i < 0 || !info || defaults.size() != params.size()) return false;
  const IPlugParam& p = *params[i];
  *info = clap_param_info_t{};
  info->id = index;
  info->flags = CLAP_PARAM_IS_AUTOMATABLE | (p.step >= 1.0 ? CLAP_PARAM_IS_STEPPED : 0) |
                (i == BypassParamIdx() ? CLAP_PARAM_IS_BYPASS : 0);
  std::snprintf(info->name, sizeof info->name, "%s", p.name);
  info->min_value = p.minimum;
  info->max_value = p.maximum;
  info->default_value = defaults[i];
  return true;
}

bool IPlugCLAP::ParamValue(clap_id id, double* value)
{
  const int i = ParamIndex(id);
  if (i < 0 || !value) return false;
  LockGuard g(lock);
  *value = params[i]->value;
  return true;
}

bool IPlugCLAP::ValueToText(clap_id id, double value, char* display, uint32_t size)
{
  const int i = ParamIndex(id);
  if (i < 0 || !display || size == 0 || !std::isfinite(value)) return false;
  const IPlugParam& p = *params[i];
  char text[IPlugParam::kTextLen];
  ParamValueText(i, p.Clamp(value), text, sizeof text);
  std::snprintf(display, size, "%s%s%s", text, p.label[0] ? " " : "", p.label);
  return true;
}

// Text with no number in it names no value here; the VST2 call reads it as 0, as VST2 hosts
// have always been answered.
bool IPlugCLAP::TextToValue(clap_id id, const char* display, double* value)
{
  const int i = ParamIndex(id);
  double plain = 0.0;
  if (i < 0 || !value || !display) return false;
  char* end = nullptr;
  std::strtod(display, &end);
  if (end == display) return false;
  if (!ParamValueFromText(i, display, plain) || !std::isfinite(plain)) return false;
  *value = params[i]->Clamp(plain);
  return true;
}

bool IPlugCLAP::SaveState(const clap_ostream_t* stream)
{
  if (!stream || !stream->write) return false;
  ByteChunk chunk;
  SaveProgramState(chunk);
  const unsigned char* next = chunk.Data();
  uint64_t left = static_cast<uint64_t>(chunk.Size());
  while (left > 0) {
    const int64_t written = stream->write(stream, next, left);
    if (written <= 0 || static_cast<uint64_t>(written) > left) return false;
    next += written;
    left -= static_cast<uint64_t>(written);
  }
  return true;
}

bool IPlugCLAP::LoadState(const clap_istream_t* stream)
{
  if (!stream || !stream->read) return false;
  ByteChunk chunk;
  unsigned char buffer[4096];
  for (;;) {
    const int64_t n = stream->read(stream, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0 || n > static_cast<int64_t>(sizeof buffer) || chunk.Size() > kMaxStateBytes - n) return false;
    chunk.PutBytes(buffer, static_cast<int>(n));
  }
  return LoadProgramState(chunk);
}

const char* IPlugCLAP::WindowApi()
{
#ifdef _WIN32
  return CLAP_WINDOW_API_WIN32;
#else
  return CLAP_WINDOW_API_X11;
#endif
}

bool IPlugCLAP::WindowApiSupported(const char* api, bool floating)
{
  return api && !floating && std::strcmp(api, WindowApi()) == 0;
}

// On X11 the editor handles its events and repaints only when called, so it needs the
// host's timer; the Win32 editor runs on its own window timer.
bool IPlugCLAP::CreateView(const char* api, bool floating)
{
  if (viewCreated || !WindowApiSupported(api, floating) || !GetGUI()) return false;
#ifndef _WIN32
  if (!hostTimers || !hostTimers->register_timer ||
      !hostTimers->register_timer(host, kEditorTimerMs, &timerId))
    return false;
  timerRunning = true;
#endif
  viewCreated = true;
  return true;
}

void IPlugCLAP::DestroyView()
{
  if (!viewCreated) return;
  CloseEditor();
  if (timerRunning && hostTimers->unregister_timer) hostTimers->unregister_timer(host, timerId);
  timerRunning = false;
  viewCreated = false;
}

bool IPlugCLAP::SetViewParent(const clap_window_t* window)
{
  if (!viewCreated || !window || !WindowApiSupported(window->api, false)) return false;
#ifdef _WIN32
  void* parent = window->win32;
#else
  void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window->x11));
#endif
  return parent && OpenEditor(parent) != nullptr;
}

bool IPlugCLAP::ViewSize(uint32_t* width, uint32_t* height)
{
  IGraphics* gui = GetGUI();
  if (!width || !height || !gui) return false;
  *width = static_cast<uint32_t>(gui->Width());
  *height = static_cast<uint32_t>(gui->Height());
  return true;
}

bool IPlugCLAP::ShowView(bool shown)
{
  IGraphics* gui = GetGUI();
  if (!viewCreated || !gui || !gui->WindowIsOpen()) return false;
  gui->SetWindowShown(shown);
  return true;
}

void IPlugCLAP::OnTimer(clap_id timer)
{
  if (timerRunning && timer == timerId) EditorIdle();
}

void IPlugCLAP::RequestFlush()
{
  if (hostParams && hostParams->request_flush) hostParams->request_flush(host);
}

void IPlugCLAP::BeginInformHostOfParamChange(int paramIdx)
{
  editorChanges.Begin(paramIdx);
  RequestFlush();
}

// Called with the parameter just set from the editor's normalised value: its plain value is
// what the host knows the parameter by.
void IPlugCLAP::InformHostOfParamChange(int paramIdx, double)
{
  if (!ValidParam(paramIdx)) return;
  editorChanges.Value(paramIdx, params[paramIdx]->value);
  RequestFlush();
}

void IPlugCLAP::EndInformHostOfParamChange(int paramIdx)
{
  editorChanges.End(paramIdx);
  RequestFlush();
}
