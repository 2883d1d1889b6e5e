#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/timer-support.h>
#include <clap/plugin.h>
#include <clap/stream.h>

#include "plug/IPlugBase.h"
#include "plug/clap/EditorChangesForHost.h"

// Connects the plug-in to a CLAP host: activation, processing with the host's parameter
// events, and what the extensions ask of it (parameters, state, editor). Parameter values are
// the parameters' plain values; the parameter index is the CLAP id, stable forever.
//
// Threads. The host calls process, reset and (while active) params flush on its audio
// thread, everything else on its main thread. The audio thread holds the ParameterLock for
// each block, as every format's processing does. The main thread takes it only for short,
// bounded work: one parameter's change from the editor, reading a value, the values of a
// state, activation (when no audio runs), opening or closing the editor window, reading a
// small preset file. It never holds it while waiting for the host or the user (the editor's
// file dialogs run without it), so the audio thread never waits long. The editor's knob
// moves reach the host through EditorChangesForHost, for which neither thread waits.
//
// Parameter events are applied at their sample positions: process splits the block there.
class IPlugCLAP : public IPlugBase
{
public:
  // Until the host activates with its own maximum.
  static constexpr int kDefaultBlockSize = 1024;
  // Activation with a larger maximum is held to this; bigger blocks are processed in slices.
  static constexpr int kMaxBlockSize = 65536;
  // A state this large is no state of ours; reading stops there.
  static constexpr int kMaxStateBytes = 1 << 24;
  // The editor's repaint and event tick on X11, driven by the host's timer.
  static constexpr uint32_t kEditorTimerMs = 40;

  // What the effect's constructor receives from the factory.
  using HostHandle = const clap_host_t*;

  IPlugCLAP(HostHandle host, int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID, int mfrID,
            bool isInst);

  // The record the host holds; the module fills in its functions and descriptor.
  clap_plugin_t* Record() { return &record; }
  static IPlugCLAP* FromRecord(const clap_plugin_t* plugin);

  // Main thread.
  bool Init();
  bool Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
  void Deactivate();
  bool IsActive() const { return active.load(std::memory_order_acquire); }

  // Audio thread.
  void Reset();
  clap_process_status Process(const clap_process_t* process);
  // Audio thread while active, main thread otherwise.
  void Flush(const clap_input_events_t* in, const clap_output_events_t* out);

  // Parameters.
  bool ParamInfo(uint32_t index, clap_param_info_t* info);
  bool ParamValue(clap_id id, double* value);
  bool ValueToText(clap_id id, double value, char* display, uint32_t size);
  bool TextToValue(clap_id id, const char* display, double* value);

  // State: the program state chunk.
  bool SaveState(const clap_ostream_t* stream);
  bool LoadState(const clap_istream_t* stream);

  // The editor, embedded in a host window of the platform's own kind at a fixed size.
  static bool WindowApiSupported(const char* api, bool floating);
  static const char* WindowApi();
  bool CreateView(const char* api, bool floating);
  void DestroyView();
  bool SetViewParent(const clap_window_t* window);
  bool ViewSize(uint32_t* width, uint32_t* height);
  // Maps or unmaps the open editor window; false while none is open.
  bool ShowView(bool shown);
  void OnTimer(clap_id timer);

  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  // While inactive the host is told of the new latency; while active it is asked to restart us.
  void InformHostOfLatencyChange() override;
  void SetBlockSize(int blockSize) override;

private:
  int ParamIndex(clap_id id) const
  {
    return id < static_cast<uint32_t>(NParams()) ? static_cast<int>(id) : -1;
  }
  void ApplyEvent(const clap_event_header_t* event);
  void ProcessRange(const clap_audio_buffer_t* in, clap_audio_buffer_t* out, bool wide, uint32_t offset,
                    uint32_t frames);
  void RequestFlush();

  const clap_host_t* host;
  const clap_host_params_t* hostParams = nullptr;
  const clap_host_timer_support_t* hostTimers = nullptr;
  const clap_host_latency_t* hostLatency = nullptr;
  clap_plugin_t record{};
  std::vector<double> defaults;  // the values the instance starts with
  EditorChangesForHost editorChanges;
  std::atomic<bool> active{false};
  bool viewCreated = false;
  bool timerRunning = false;
  clap_id timerId = CLAP_INVALID_ID;
};
