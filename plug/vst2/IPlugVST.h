#pragma once

#include "plug/IPlugBase.h"
#include "plug/vst2/aeffect.h"

// Connects the plug-in to a VST2 host: the AEffect record, the dispatcher, buffer conversion,
// automation both ways and the host's time and identity. Every entry point the host calls
// catches whatever is thrown below it: nothing may unwind into the host.
class IPlugVST : public IPlugBase
{
public:
  static constexpr int kDefaultBlockSize = 1024;
  // Larger announcements are held to this; bigger host blocks are processed in slices.
  static constexpr int kMaxBlockSize = 65536;
  static constexpr VstIntPtr kVstVersion = 2400;
  static constexpr VstIntPtr kIdentify = 0x4E764566;  // 'NvEf'
  static constexpr VstIntPtr kVendorSpecificAnswer = 0xBEEF;

  // What the effect's constructor receives from the entry point.
  using HostHandle = audioMasterCallback;

  IPlugVST(audioMasterCallback hostCallback, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* mfrName, int vendorVersion,
           int uniqueID, int mfrID, bool isInst);

  AEffect* GetAEffect() { return &aEffect; }
  static IPlugVST* FromAEffect(AEffect* effect);

  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void InformHostOfProgramChange() override;
  bool IsRenderingOffline() override;
  int GetSamplePos() override;
  double GetTempo() override;
  void GetTimeSig(int& numerator, int& denominator) override;
  void GetTime(ITimeInfo& info) override;
  int GetHost() override;
  void ResizeGraphics(int width, int height) override;
  void OnFirstOpenInit() override;
  void AttachEditor(IGraphics* editor) override;
  void SetLatency(int samples) override;
  void InformHostOfLatencyChange() override;
  bool SendMidiMsg(int offset, int status, int data1, int data2) override;
  bool SendSysEx(int offset, int size, const unsigned char* data) override;
  void SetBlockSize(int blockSize) override;

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  float GetParameterForHost(VstInt32 index);

  const ERect& EditorRect() const { return editRect; }

protected:
  // Calls the host; a missing callback answers 0 to everything.
  VstIntPtr HostCall(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);

private:
  static VstIntPtr VSTCALLBACK VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                             VstIntPtr value, void* ptr, float opt);
  static void VSTCALLBACK VSTProcess(AEffect* effect, float** in, float** out, VstInt32 n);
  static void VSTCALLBACK VSTProcessReplacing(AEffect* effect, float** in, float** out, VstInt32 n);
  static void VSTCALLBACK VSTProcessDoubleReplacing(AEffect* effect, double** in, double** out, VstInt32 n);
  static void VSTCALLBACK VSTSetParameter(AEffect* effect, VstInt32 index, float value);
  static float VSTCALLBACK VSTGetParameter(AEffect* effect, VstInt32 index);

  // Dispatcher groups.
  VstIntPtr DispatchEditor(VstInt32 opcode, void* ptr);
  VstIntPtr DispatchParamText(VstInt32 opcode, VstInt32 index, void* ptr);
  VstIntPtr DispatchProgram(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr);
  VstIntPtr DispatchAudio(VstInt32 opcode, VstIntPtr value, float opt);
  VstIntPtr DispatchIdentity(VstInt32 opcode, void* ptr);
  VstIntPtr Open();
  VstIntPtr GetChunk(VstInt32 index, void* ptr);
  VstIntPtr SetChunk(VstInt32 index, VstIntPtr size, const void* data);
  VstIntPtr ProcessEvents(const VstEvents* events);
  VstIntPtr String2Parameter(VstInt32 index, const char* text);
  VstIntPtr GetPinProperties(VstInt32 index, VstPinProperties* props, bool input);
  VstIntPtr SetSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out);
  void ConnectArrangement(const VstSpeakerArrangement& wanted, bool input);
  VstIntPtr GetSpeakerArrangement(VstSpeakerArrangement** in, VstSpeakerArrangement** out);
  VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CanDo(const char* text) const;

  const VstTimeInfo* HostTime(VstIntPtr wantedFlags);
  bool SendEvent(void* event);
  void DetectHost();
  void SetEditorRect(int width, int height);
  static void SetArrangement(VstSpeakerArrangement& arr, int nChannels);

  audioMasterCallback hostCallback;
  ERect editRect{0, 0, 0, 0};
  VstSpeakerArrangement inputArrangement;
  VstSpeakerArrangement outputArrangement;
  bool firstOpenDone = false;
  bool doesMidi = false;
  ByteChunk programState;
  ByteChunk bankState;
  AEffect aEffect;
};
