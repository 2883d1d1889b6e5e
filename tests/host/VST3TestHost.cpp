#include "tests/host/VST3TestHost.h"

#include <type_traits>

namespace {

template <typename T> void ReleaseInterface(T**& object)
{
  if (object) v3_cpp_obj_unref(object);
  object = nullptr;
}

}  // namespace

VST3TestHost::~VST3TestHost()
{
  if (component) {
    if (active) {
      v3_cpp_obj(processor)->set_processing(processor, 0);
      v3_cpp_obj(component)->set_active(component, 0);
    }
    v3_cpp_obj_terminate(component);
  }
  ReleaseInterface(units);
  ReleaseInterface(controller);
  ReleaseInterface(processor);
  ReleaseInterface(component);
  if (module) {
#if defined(_WIN32)
    if (auto exitDll = reinterpret_cast<bool (*)()>(module->Symbol("ExitDll"))) exitDll();
#else
    if (auto moduleExit = reinterpret_cast<bool (*)()>(module->Symbol("ModuleExit"))) moduleExit();
#endif
  }
}

std::string VST3TestHost::ModuleInBundle(const std::string& bundle)
{
#if defined(_WIN32)
  return bundle +
         (sizeof(void*) == 8 ? "/Contents/x86_64-win/Skarvel.vst3" : "/Contents/x86-win/Skarvel.vst3");
#else
  return bundle + "/Contents/x86_64-linux/Skarvel.so";
#endif
}

bool VST3TestHost::Load(const std::string& modulePath)
{
  module = PluginModule::Open(modulePath, error);
  if (!module) return false;
#if defined(_WIN32)
  auto entry = reinterpret_cast<bool (*)()>(module->Symbol("InitDll"));
  if (!entry || !entry()) {
#else
  auto entry = reinterpret_cast<bool (*)(void*)>(module->Symbol("ModuleEntry"));
  if (!entry || !entry(nullptr)) {
#endif
    error = "the module's entry call failed";
    return false;
  }
  auto getFactory = reinterpret_cast<void*(V3_API*)()>(module->Symbol("GetPluginFactory"));
  factory = getFactory ? static_cast<v3_plugin_factory**>(getFactory()) : nullptr;
  if (!factory) error = "no plug-in factory";
  return factory != nullptr;
}

bool VST3TestHost::Create()
{
  v3_class_info info{};
  if (!factory || v3_cpp_obj(factory)->get_class_info(factory, 0, &info) != V3_OK) {
    error = "no class";
    return false;
  }
  void* object = nullptr;
  if (v3_cpp_obj(factory)->create_instance(factory, info.class_id, v3_component_iid, &object) != V3_OK ||
      !object) {
    error = "create_instance failed";
    return false;
  }
  component = static_cast<v3_component**>(object);
  if (v3_cpp_obj_initialize(component, nullptr) != V3_OK) {
    error = "initialize failed";
    return false;
  }
  v3_cpp_obj_query_interface(component, v3_audio_processor_iid, &processor);
  v3_cpp_obj_query_interface(component, v3_edit_controller_iid, &controller);
  v3_cpp_obj_query_interface(component, v3_unit_information_iid, &units);
  if (!processor || !controller || !units) error = "an interface is missing";
  return processor && controller && units;
}

v3_result VST3TestHost::Start(double sampleRate, int maxBlock, int32_t sampleSize)
{
  v3_process_setup setup{V3_REALTIME, sampleSize, maxBlock, sampleRate};
  const v3_result r = v3_cpp_obj(processor)->setup_processing(processor, &setup);
  if (r != V3_OK) return r;
  v3_cpp_obj(component)->set_active(component, 1);
  v3_cpp_obj(processor)->set_processing(processor, 1);
  active = true;
  return V3_OK;
}

template <typename Buffer>
v3_result VST3TestHost::ProcessBuffers(std::vector<std::vector<Buffer>>& in,
                                       std::vector<std::vector<Buffer>>& out, int frames,
                                       ParameterChanges* changes, int32_t sampleSize)
{
  std::vector<Buffer*> inPointers, outPointers;
  for (auto& c : in) inPointers.push_back(c.data());
  for (auto& c : out) outPointers.push_back(c.data());
  v3_audio_bus_buffers inBus{}, outBus{};
  inBus.num_channels = static_cast<int32_t>(inPointers.size());
  outBus.num_channels = static_cast<int32_t>(outPointers.size());
  if constexpr (std::is_same_v<Buffer, double>) {
    inBus.channel_buffers_64 = inPointers.data();
    outBus.channel_buffers_64 = outPointers.data();
  } else {
    inBus.channel_buffers_32 = inPointers.data();
    outBus.channel_buffers_32 = outPointers.data();
  }
  v3_process_data data{};
  data.process_mode = V3_REALTIME;
  data.symbolic_sample_size = sampleSize;
  data.nframes = frames;
  data.num_input_buses = 1;
  data.num_output_buses = 1;
  data.inputs = &inBus;
  data.outputs = &outBus;
  data.input_params = changes ? changes->Ptr() : nullptr;
  return Process(data);
}

v3_result VST3TestHost::Process(FloatBuffers& in, FloatBuffers& out, int frames, ParameterChanges* changes)
{
  return ProcessBuffers(in, out, frames, changes, V3_SAMPLE_32);
}

v3_result VST3TestHost::Process(DoubleBuffers& in, DoubleBuffers& out, int frames, ParameterChanges* changes)
{
  return ProcessBuffers(in, out, frames, changes, V3_SAMPLE_64);
}

v3_result VST3TestHost::Process(v3_process_data& data)
{
  return v3_cpp_obj(processor)->process(processor, &data);
}

std::vector<uint8_t> VST3TestHost::GetState()
{
  MemoryStream stream;
  if (v3_cpp_obj(component)->get_state(component, stream.Ptr()) != V3_OK) return {};
  return stream.bytes;
}

v3_result VST3TestHost::SetState(const std::vector<uint8_t>& bytes)
{
  MemoryStream stream(bytes);
  return v3_cpp_obj(component)->set_state(component, stream.Ptr());
}

std::string VST3TestHost::Utf8(const int16_t* text, int size)
{
  std::string s;
  for (int i = 0; i < size && text[i]; ++i) s += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  return s;
}

std::string VST3TestHost::ParamText(v3_param_id id, double normalized)
{
  v3_str_128 text{};
  if (v3_cpp_obj(controller)->get_parameter_string_for_value(controller, id, normalized, text) != V3_OK)
    return "<none>";
  return Utf8(text);
}

v3_result VST3TestHost::ParamFromText(v3_param_id id, const std::string& text, double& normalized)
{
  v3_str_128 utf16{};
  for (size_t i = 0; i < text.size() && i < 127; ++i) utf16[i] = static_cast<unsigned char>(text[i]);
  return v3_cpp_obj(controller)->get_parameter_value_for_string(controller, id, utf16, &normalized);
}

v3_param_info VST3TestHost::ParamInfo(int32_t index)
{
  v3_param_info info{};
  v3_cpp_obj(controller)->get_parameter_info(controller, index, &info);
  return info;
}
