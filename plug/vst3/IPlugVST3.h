#pragma once

#include <atomic>
#include <vector>

#include "audio_processor.h"
#include "component.h"
#include "edit_controller.h"
#include "unit.h"

#include "plug/IPlugBase.h"

// Connects the plug-in to a VST3 host as one object: the component (buses, activation,
// state), the audio processor, the edit controller and the unit information with the factory
// programs. A host holds it through interface pointers (faces) that share one reference
// count. The functions the host calls live in the IPlugVST3*.cpp files; each catches
// whatever is thrown below it: nothing may unwind into the host.
//
// Threads. The host calls process on its audio thread, which holds the ParameterLock for the
// whole call, parameter changes included; everything else (setup, activation, state, the
// controller, the view) on its main thread.
class IPlugVST3 : public IPlugBase
{
public:
  static constexpr int kDefaultBlockSize = 1024;
  // Larger announcements are held to this; bigger host blocks are processed in slices.
  static constexpr int kMaxBlockSize = 65536;
  // The controller's program-change parameter comes after the effect's parameters.
  static constexpr int kProgramParamId = 1000;

  // The factory creates instances without any host context; initialize brings it later.
  struct HostHandle
  {};

  // What a host holds: the address of `vtable`, which is where every call lands.
  struct Face
  {
    const void* vtable;
    IPlugVST3* owner;
  };

  IPlugVST3(HostHandle host, int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID, int mfrID,
            bool isInst);
  ~IPlugVST3() override;

  // The owner of an interface pointer the host passes back as `self`; null for null.
  static IPlugVST3* FromFace(void* self) { return self ? static_cast<Face*>(self)->owner : nullptr; }

  // Reference counting and interface lookup, shared by every face.
  v3_result QueryInterface(const v3_tuid iid, void** obj);
  uint32_t AddRef();
  uint32_t Release();

  // The parameter values the host sees as defaults: those of the program a new instance
  // starts with. The entry point calls it once the instance is ready for the host.
  void RememberDefaults();

  // Component.
  // The plug-in asks its host for nothing, so it keeps no host context.
  v3_result Initialize() { return V3_OK; }
  v3_result Terminate();
  int32_t BusCount(int32_t mediaType, int32_t direction) const;
  v3_result BusInfo(int32_t mediaType, int32_t direction, int32_t index, v3_bus_info* info) const;
  v3_result ActivateBus(int32_t mediaType, int32_t direction, int32_t index, bool state);
  v3_result SetActive(bool state);
  v3_result SetState(v3_bstream** stream);
  v3_result GetState(v3_bstream** stream);

  // Audio processor.
  v3_result SetBusArrangements(const v3_speaker_arrangement* inputs, int32_t nInputs,
                               const v3_speaker_arrangement* outputs, int32_t nOutputs);
  v3_result BusArrangement(int32_t direction, int32_t index, v3_speaker_arrangement* arrangement) const;
  v3_result SetupProcessing(const v3_process_setup* setup);
  v3_result Process(v3_process_data* data);

  // Edit controller: parameters by id (the effect's index; the program change after them).
  int32_t ControllerParamCount() const { return NParams() + 1; }
  v3_result ParamInfo(int32_t index, v3_param_info* info);
  v3_result ParamText(v3_param_id id, double normalized, int16_t* text);
  v3_result ParamFromText(v3_param_id id, const int16_t* text, double* normalized);
  double NormalizedToPlain(v3_param_id id, double normalized);
  double PlainToNormalized(v3_param_id id, double plain);
  double ParamNormalized(v3_param_id id);
  v3_result SetParamNormalized(v3_param_id id, double normalized);
  v3_result SetComponentHandler(v3_component_handler** handler);
  v3_plugin_view** CreateView(const char* name);

  // Unit information: the root unit with the factory programs.
  v3_result UnitInfo(int32_t index, v3_unit_info* info) const;
  v3_result ProgramListInfo(int32_t index, v3_program_list_info* info) const;
  v3_result ProgramName(int32_t listId, int32_t index, int16_t* name) const;

  // Knob moves in the editor, to the host's component handler.
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void InformHostOfProgramChange() override;
  void InformHostOfLatencyChange() override;
  void SetBlockSize(int blockSize) override;

private:
  void ApplyParameterChanges(v3_param_changes** changes);
  // The program the program parameter's value picks; -1 for none.
  int ProgramOf(double normalized) const;
  double ProgramNormalized() const;
  static int ConnectedChannels(v3_speaker_arrangement arrangement);
  static v3_speaker_arrangement ArrangementOf(int nChannels);

  Face componentFace;
  Face processorFace;
  Face controllerFace;
  Face unitFace;
  std::atomic<uint32_t> refCount{1};
  v3_component_handler** componentHandler = nullptr;
  std::vector<double> defaults;
  int inputChannels = 2;
  int outputChannels = 2;
};
