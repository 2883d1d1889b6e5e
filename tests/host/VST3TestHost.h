#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio_processor.h"
#include "component.h"
#include "edit_controller.h"
#include "factory.h"
#include "unit.h"

#include "tests/host/PluginModule.h"
#include "tests/host/TestHost.h"
#include "tests/host/VST3HostObjects.h"

// A small VST3 host: loads a bundle's module the way a DAW does (ModuleEntry, the factory),
// creates the plug-in's component and asks it for its processor, controller and units, and
// drives them. Releases everything it holds, in a host's order, when destroyed.
class VST3TestHost
{
public:
  VST3TestHost() = default;
  ~VST3TestHost();
  VST3TestHost(const VST3TestHost&) = delete;
  VST3TestHost& operator=(const VST3TestHost&) = delete;

  // The module inside a bundle for this platform.
  static std::string ModuleInBundle(const std::string& bundle);
  // Loads the module and takes its factory; false with the reason in Error.
  bool Load(const std::string& modulePath);
  // Creates the first class's component and initializes it; its other interfaces follow.
  bool Create();
  const std::string& Error() const { return error; }

  v3_plugin_factory** Factory() const { return factory; }
  v3_component** Component() const { return component; }
  v3_audio_processor** Processor() const { return processor; }
  v3_edit_controller** Controller() const { return controller; }
  v3_unit_information** Units() const { return units; }

  // setupProcessing, then the component and processing switched on.
  v3_result Start(double sampleRate, int maxBlock, int32_t sampleSize = V3_SAMPLE_32);

  // One process call over `frames` samples of every buffer, with the changes (or none).
  v3_result Process(FloatBuffers& in, FloatBuffers& out, int frames, ParameterChanges* changes = nullptr);
  v3_result Process(DoubleBuffers& in, DoubleBuffers& out, int frames, ParameterChanges* changes = nullptr);
  v3_result Process(v3_process_data& data);

  // getState into fresh bytes (empty when it fails); setState from bytes.
  std::vector<uint8_t> GetState();
  v3_result SetState(const std::vector<uint8_t>& bytes);

  // The controller's text for a normalised value, and the value for a text.
  std::string ParamText(v3_param_id id, double normalized);
  v3_result ParamFromText(v3_param_id id, const std::string& text, double& normalized);
  v3_param_info ParamInfo(int32_t index);

  // The plug-in's text as UTF-8.
  static std::string Utf8(const int16_t* text, int size = 128);

private:
  template <typename Buffer>
  v3_result ProcessBuffers(std::vector<std::vector<Buffer>>& in, std::vector<std::vector<Buffer>>& out,
                           int frames, ParameterChanges* changes, int32_t sampleSize);

  std::unique_ptr<PluginModule> module;
  v3_plugin_factory** factory = nullptr;
  v3_component** component = nullptr;
  v3_audio_processor** processor = nullptr;
  v3_edit_controller** controller = nullptr;
  v3_unit_information** units = nullptr;
  bool active = false;
  std::string error;
};
