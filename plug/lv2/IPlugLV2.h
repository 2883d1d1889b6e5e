#pragma once

#include <cstdint>
#include <vector>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include "plug/IPlugBase.h"
#include "plug/lv2/LV2Identity.h"

// Connects the plug-in to an LV2 host: ports (see LV2Identity), run, activation, the state
// interface, and the host's UI callbacks for the editor.
//
// Threads. run comes on the host's audio thread and holds the ParameterLock for the whole
// call, control ports included; instantiation, activation and the state interface on its
// main thread; the UI's calls (its instantiation, port events, idle) on its user-interface
// thread.
class IPlugLV2 : public IPlugBase
{
public:
  static constexpr int kDefaultBlockSize = 1024;
  // Larger announcements are held to this; bigger runs are processed in slices.
  static constexpr int kMaxBlockSize = 65536;
  static constexpr uint32_t kFirstAudioInput = LV2Identity::kFirstAudioInput;
  static constexpr uint32_t kFirstAudioOutput = LV2Identity::kFirstAudioOutput;
  static constexpr uint32_t kFirstControl = LV2Identity::kFirstControl;

  // What the effect's constructor receives from instantiate.
  struct HostHandle
  {
    double sampleRate;
    const LV2_Feature* const* features;  // may be null
  };

  // Where the editor's knob moves go while the host's UI for this instance is open.
  struct UIHost
  {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr;  // null where the host offers no gestures
  };

  IPlugLV2(HostHandle host, int nParams, const char* channelIOStr, int nPresets, const char* effectName,
           const char* productName, const char* mfrName, int vendorVersion, int uniqueID, int mfrID,
           bool isInst);

  // The data of the feature with this URI in a host's null-terminated list, or null.
  static const void* FindFeature(const LV2_Feature* const* features, const char* uri);

  // The latency output comes after the controls, so their indices stay what they were.
  uint32_t LatencyPort() const { return kFirstControl + static_cast<uint32_t>(NParams()); }
  uint32_t NPorts() const { return LatencyPort() + 1; }
  // A port the plug-in does not have is ignored; null is allowed until run.
  void ConnectPort(uint32_t port, void* data);
  void Activate();
  void Deactivate();
  // Reads the control ports, then processes the audio ports.
  void Run(uint32_t nFrames);

  LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle);
  LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

  // The host's value of a parameter's control port, from run or from the UI's port events.
  // Applied through host automation unless it is the value the parameter already holds at
  // the port's precision, so values between the ports' steps that a state restored survive.
  void ControlPortChanged(int paramIdx, float value);
  // The same from the host's port event to the UI, which also learns what the port holds.
  void PortEventFromHost(int paramIdx, float value);

  void AttachUIHost(const UIHost& host);
  void DetachUIHost();
  // Writes to the host's ports the parameters the editor changed without telling the host (a
  // preset file loaded through LOAD): otherwise a saved session would keep the old port
  // values beside the new state, and the ports would win when it is loaded again. For the
  // UI's idle calls.
  void SendChangedValuesToHost();

  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void SetBlockSize(int blockSize) override;

private:
  void ReadOptions(const LV2_Feature* const* features);
  void Touch(int paramIdx, bool grabbed);

  LV2_URID_Map* uridMap = nullptr;
  LV2_URID stateKey = 0;
  LV2_URID chunkType = 0;
  float* audioPorts[4] = {};
  std::vector<float*> controlPorts;
  float* latencyPort = nullptr;
  std::vector<float> lastControlValues;  // as the last run found the ports
  std::vector<float> hostPortValues;     // as the UI last wrote them or heard them from the host
  UIHost uiHost;
};
