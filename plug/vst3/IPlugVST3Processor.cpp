#include <cmath>

#include "plug/vst3/IPlugVST3.h"
#include "plug/vst3/VST3Com.h"

namespace {
constexpr v3_speaker_arrangement kMono = V3_SPEAKER_M;
constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;
}  // namespace

int IPlugVST3::ConnectedChannels(v3_speaker_arrangement arrangement)
{
  return arrangement == kStereo ? 2 : arrangement == kMono ? 1 : 0;
}

v3_speaker_arrangement IPlugVST3::ArrangementOf(int nChannels) { return nChannels == 1 ? kMono : kStereo; }

// Mono or stereo on either side, as the VST2 adapter allows; anything else is refused and
// the arrangement stays what it was, which the host then reads back.
v3_result IPlugVST3::SetBusArrangements(const v3_speaker_arrangement* inputs, int32_t nInputs,
                                        const v3_speaker_arrangement* outputs, int32_t nOutputs)
{
  if (nInputs != 1 || nOutputs != 1 || !inputs || !outputs) return V3_FALSE;
  const int in = ConnectedChannels(inputs[0]);
  const int out = ConnectedChannels(outputs[0]);
  if (in == 0 || out == 0) return V3_FALSE;
  LockGuard g(lock);
  inputChannels = in;
  outputChannels = out;
  SetInputChannelConnections(0, in, true);
  SetInputChannelConnections(in, NInChannels() - in, false);
  SetOutputChannelConnections(0, out, true);
  SetOutputChannelConnections(out, NOutChannels() - out, false);
  return V3_OK;
}

v3_result IPlugVST3::BusArrangement(int32_t direction, int32_t index,
                                    v3_speaker_arrangement* arrangement) const
{
  if (!arrangement || index != 0 || (direction != V3_INPUT && direction != V3_OUTPUT)) return V3_INVALID_ARG;
  *arrangement = ArrangementOf(direction == V3_INPUT ? inputChannels : outputChannels);
  return V3_OK;
}

v3_result IPlugVST3::SetupProcessing(const v3_process_setup* setup)
{
  if (!setup || !(std::isfinite(setup->sample_rate) && setup->sample_rate > 0.0) ||
      setup->max_block_size <= 0 ||
      (setup->symbolic_sample_size != V3_SAMPLE_32 && setup->symbolic_sample_size != V3_SAMPLE_64))
    return V3_INVALID_ARG;
  LockGuard g(lock);
  sampleRate = setup->sample_rate;
  SetBlockSize(setup->max_block_size);
  ResetAudioState();
  return V3_OK;
}

void IPlugVST3::SetBlockSize(int n)
{
  // A non-positive size would leave nothing to process into; keep the one we have.
  if (n <= 0) return;
  IPlugBase::SetBlockSize(n > kMaxBlockSize ? kMaxBlockSize : n);
}

// Parameter changes take effect at the start of the block, each at the last value its queue
// names: the effect smooths its level parameters itself, and a block is short against any
// change a listener follows.
void IPlugVST3::ApplyParameterChanges(v3_param_changes** changes)
{
  if (!changes || !*changes) return;
  const int32_t count = v3_cpp_obj(changes)->get_param_count(changes);
  for (int32_t i = 0; i < count; ++i) {
    v3_param_value_queue** queue = v3_cpp_obj(changes)->get_param_data(changes, i);
    if (!queue || !*queue) continue;
    const int32_t points = v3_cpp_obj(queue)->get_point_count(queue);
    int32_t offset = 0;
    double value = 0.0;
    if (points <= 0 || v3_cpp_obj(queue)->get_point(queue, points - 1, &offset, &value) != V3_OK) continue;
    const v3_param_id id = v3_cpp_obj(queue)->get_param_id(queue);
    if (id == kProgramParamId)
      SelectPresetFromHost(ProgramOf(value));
    else if (id < static_cast<v3_param_id>(NParams()))
      SetParameterFromHost(static_cast<int>(id), value);
  }
}

v3_result IPlugVST3::Process(v3_process_data* data)
{
  if (!data) return V3_INVALID_ARG;
  LockGuard g(lock);
  ApplyParameterChanges(data->input_params);
  if (data->nframes <= 0) return V3_OK;

  // Up to two channels of each side's first bus; a missing bus or array reads as silence
  // and is not written.
  void* inputs[2] = {};
  void* outputs[2] = {};
  auto pick = [](const v3_audio_bus_buffers* bus, int32_t nBuses, void*(&arrays)[2]) {
    if (!bus || nBuses < 1 || !bus->channel_buffers_32) return;
    for (int32_t c = 0; c < bus->num_channels && c < 2; ++c) arrays[c] = bus->channel_buffers_32[c];
  };
  pick(data->inputs, data->num_input_buses, inputs);
  pick(data->outputs, data->num_output_buses, outputs);
  if (data->outputs && data->num_output_buses > 0) data->outputs[0].channel_silence_bitset = 0;

  if (data->symbolic_sample_size == V3_SAMPLE_64) {
    double* in[2] = {static_cast<double*>(inputs[0]), static_cast<double*>(inputs[1])};
    double* out[2] = {static_cast<double*>(outputs[0]), static_cast<double*>(outputs[1])};
    ProcessDouble(in, out, data->nframes);
  } else if (data->symbolic_sample_size == V3_SAMPLE_32) {
    float* in[2] = {static_cast<float*>(inputs[0]), static_cast<float*>(inputs[1])};
    float* out[2] = {static_cast<float*>(outputs[0]), static_cast<float*>(outputs[1])};
    ProcessFloat(in, out, data->nframes, false);
  } else {
    return V3_INVALID_ARG;
  }
  return V3_OK;
}

// --- the audio processor's table ---------------------------------------------------------

namespace VST3Com {
namespace {

constexpr v3_result kFailed = V3_INTERNAL_ERR;

v3_result V3_API SetBusArrangements(void* self, v3_speaker_arrangement* inputs, int32_t nInputs,
                                    v3_speaker_arrangement* outputs, int32_t nOutputs)
{
  return Guarded(self, kFailed,
                 [&](IPlugVST3& p) { return p.SetBusArrangements(inputs, nInputs, outputs, nOutputs); });
}

v3_result V3_API GetBusArrangement(void* self, int32_t direction, int32_t index, v3_speaker_arrangement* arr)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.BusArrangement(direction, index, arr); });
}

v3_result V3_API CanProcessSampleSize(void*, int32_t size)
{
  return size == V3_SAMPLE_32 || size == V3_SAMPLE_64 ? V3_OK : V3_FALSE;
}

uint32_t V3_API GetLatencySamples(void* self)
{
  return Guarded(self, 0u, [](IPlugVST3& p) { return static_cast<uint32_t>(p.GetLatency()); });
}

v3_result V3_API SetupProcessing(void* self, v3_process_setup* setup)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.SetupProcessing(setup); });
}

v3_result V3_API SetProcessing(void*, v3_bool) { return V3_OK; }

v3_result V3_API Process(void* self, v3_process_data* data)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.Process(data); });
}

uint32_t V3_API GetTailSamples(void*) { return 0; }

}  // namespace

const v3_audio_processor_cpp kProcessorTable = {{QueryInterface, AddRef, Release},
                                                {SetBusArrangements, GetBusArrangement, CanProcessSampleSize,
                                                 GetLatencySamples, SetupProcessing, SetProcessing, Process,
                                                 GetTailSamples}};

}  // namespace VST3Com
