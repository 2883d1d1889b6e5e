#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plug/vst2/aeffect.h"
#include "tests/host/PluginModule.h"

// One call the plug-in made to the host.
struct HostCallRecord
{
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  float opt;
};

// A MIDI event the plug-in sent to the host.
struct ReceivedMidi
{
  VstInt32 deltaFrames;
  VstInt32 flags;
  unsigned char bytes[3];
};

// What the host answers; each test sets what it needs.
struct HostConfig
{
  VstIntPtr version = 2400;
  std::string productString = "Test Host";
  std::string vendorString = "Kernwave Test";
  VstIntPtr vendorVersion = 100;
  VstIntPtr processLevel = kVstProcessLevelRealtime;
  VstIntPtr sampleRate = 44100;
  VstIntPtr blockSize = 512;
  VstIntPtr processEventsAnswer = 1;
  bool answerTime = true;
  VstTimeInfo time{};
};

using FloatBuffers = std::vector<std::vector<float>>;
using DoubleBuffers = std::vector<std::vector<double>>;

// A small VST2 host: loads a plug-in module the way a DAW does, records every host call
// the plug-in makes, and drives the effect through its dispatcher and process entry points.
class TestHost
{
public:
  explicit TestHost(HostConfig config = {});
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  // Loads the module and creates the effect: VSTPluginMain, else main (or only `entry`).
  bool Load(const std::string& path, const char* entry = nullptr);
  // Creates the effect through an entry point linked into this program.
  bool Create(VstPluginMainProc entry);
  const std::string& Error() const { return error; }
  AEffect* Effect() const { return effect; }
  HostConfig& Config() { return config; }

  // effOpen, sample rate, block size, then processing switched on.
  void Start(float sampleRate, int blockSize);
  // Processing off, then effClose; the effect is gone afterwards.
  void Close();

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // Dispatches with a zeroed 256-byte text buffer and returns the text written into it.
  std::string DispatchText(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, float opt = 0.0f,
                           VstIntPtr* result = nullptr);
  void SetParameter(VstInt32 index, float value);
  float GetParameter(VstInt32 index);

  // The chunk effGetChunk hands out, copied; empty when it answers 0.
  std::vector<unsigned char> GetChunk(bool program);
  VstIntPtr SetChunk(bool program, const std::vector<unsigned char>& bytes);

  // The three process modes over `frames` samples of every buffer.
  void ProcessReplacing(FloatBuffers& in, FloatBuffers& out, int frames);
  void ProcessAccumulating(FloatBuffers& in, FloatBuffers& out, int frames);
  void ProcessDoubleReplacing(DoubleBuffers& in, DoubleBuffers& out, int frames);

  // Run inside every host call the plug-in makes, after it is recorded, with its opcode.
  void ReactToCalls(std::function<void(VstInt32 opcode)> reaction) { callReaction = std::move(reaction); }

  const std::vector<HostCallRecord>& Calls() const { return calls; }
  int CountCalls(VstInt32 opcode) const;
  void ClearCalls() { calls.clear(); }
  const std::vector<ReceivedMidi>& Midi() const { return midi; }

private:
  static VstIntPtr VSTCALLBACK Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                        void* ptr, float opt);
  VstIntPtr Answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  void ReceiveEvents(const VstEvents* events);

  HostConfig config;
  std::unique_ptr<PluginModule> module;
  AEffect* effect = nullptr;
  std::string error;
  std::vector<HostCallRecord> calls;
  std::vector<ReceivedMidi> midi;
  std::function<void(VstInt32)> callReaction;
};
