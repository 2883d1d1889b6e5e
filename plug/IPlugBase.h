#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "plug/ByteChunk.h"
#include "plug/IPlugParam.h"
#include "plug/ParameterLock.h"

class IGraphics;

// Host transport as the adapter reads it from the host.
struct ITimeInfo
{
  double samplePos = 0.0;
  double ppqPos = 0.0;
  double tempo = 0.0;
  double lastBar = 0.0;
  double cycleStart = 0.0;
  double cycleEnd = 0.0;
  int numerator = 0;
  int denominator = 0;
  bool transportIsRunning = false;
  bool transportLoopEnabled = false;
};

// One stored program: name, whether it holds data, and its serialised parameter values.
struct IPreset
{
  static constexpr int kNameLen = 256;
  bool initialized = false;
  char name[kNameLen] = "empty";
  ByteChunk chunk;
};

// One input or output channel of the processing interface.
struct IChannel
{
  bool connected = false;
  int index = 0;                 // its place in the pointer array
  std::vector<double> scratch;   // block-size doubles; what a disconnected pin reads or writes
  float* destination = nullptr;  // outputs: the host's float buffer for the current block
  char label[32] = "";
};

// The host-neutral base of the plug-in: parameters, programs, channels, the lock, state chunks.
class IPlugBase
{
public:
  static constexpr int kStateMagic = 0x70666674;
  static constexpr int kStateVersion = 0x00010000;
  static constexpr int kNameLen = 128;

  IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID, int mfrID,
            bool isInst);

  // Virtual slots, in this order: the order of the established class layout the design
  // documents number; nothing depends on it at run time, and new slots go after these.
  //
  // Contracts: [who calls, which lock] and what may be assumed. "main" is the host's main or
  // user-interface thread (also the editor's: its events run on the host's idle calls),
  // "audio" the host's processing thread; "lock" is the ParameterLock (recursive). Every
  // format's processing holds it for the whole block, so under it no block is running.
  // "takes lock" means the function takes it itself: some callers do not hold it, and an
  // override must take it too.
  // [main, no audio running] the host's close; the editor is closed
  virtual ~IPlugBase();
  // [main or audio, takes lock] activation, rate change, reset (CLAP's on the audio thread):
  // clear units' memory
  virtual void ResetAudioState();
  // [main or audio, lock] params[paramIdx] is the new value
  virtual void ParameterChanged(int paramIdx);
  // [audio, lock] 0 <= nFrames <= block size
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  // [audio, lock] not called by the adapters
  virtual void ProcessSingleBlock(float** inputs, float** outputs, int nFrames);
  // [main, lock] the window exists
  virtual void OnEditorOpened() {}
  // [main, lock] the window, if one is open, still exists
  virtual void OnEditorClosing() {}
  // [main, no lock] VST2 effIdle / effEditIdle
  virtual void OnIdle() {}
  // [main, takes lock] no audio runs while it changes
  virtual void OnActivate(bool active);
  // [audio, lock] offset in the block
  virtual void ProcessMidiMsg(int offset, int status, int data1, int data2);
  // [audio, lock]
  virtual void ProcessSysEx(int, int, const unsigned char*) {}
  // [main, lock] text: 64 bytes
  virtual bool MidiNoteName(int channel, int key, char* text);
  // [main, lock] appends every value
  virtual bool SerializeParameters(ByteChunk& chunk);
  // [main, lock] the new read position, -1 when short
  virtual int LoadParameters(const ByteChunk& chunk, int pos);
  // [main, lock] values: NParams() doubles
  virtual bool ParametersEqual(const double* values);
  // [main, no lock] from ResizeGraphics
  virtual void OnEditorResized() {}
  // [main, lock]
  virtual bool HostQuery() { return false; }
  // [main, lock]
  virtual void OnFirstOpen() {}
  // [main, lock]
  virtual void OnHostHook(int, int, int) {}
  // [main, takes lock] any index or value
  virtual void SetParameterFromEditor(int paramIdx, double normalizedValue);
  // [main, no lock] a gesture starts
  virtual void BeginInformHostOfParamChange(int) {}
  // [main, lock] the adapter tells the host at once or queues it
  virtual void InformHostOfParamChange(int, double) {}
  // [main, no lock] the gesture ends
  virtual void EndInformHostOfParamChange(int) {}
  // [main, no lock] the editor switched programs
  virtual void InformHostOfProgramChange() {}
  // [audio or main, lock] asks the host
  virtual bool IsRenderingOffline() { return false; }
  // [audio, lock] asks the host
  virtual int GetSamplePos() { return 0; }
  // [audio, lock] asks the host
  virtual double GetTempo() { return 0.0; }
  // [audio, lock] asks the host
  virtual void GetTimeSig(int& numerator, int& denominator);
  // [audio, lock] asks the host
  virtual void GetTime(ITimeInfo&) {}
  // [any]
  virtual int GetHost() { return hostId; }
  // [any]
  virtual int GetStoredQuery() { return storedQuery; }
  // [main, no lock] the editor's new size, from IGraphics::Resize
  virtual void ResizeGraphics(int, int) {}
  // [main, lock] once, at the host's first open
  virtual void OnFirstOpenInit() {}
  // [main, takes lock] from the constructor; owns nothing
  virtual void AttachEditor(IGraphics* editor);
  // [main, lock] the latency the audio now has, for the host to read; a change is told to the
  // host later, through SendPendingLatencyNotice
  virtual void SetLatency(int samples);
  // [audio, lock]
  virtual bool SendMidiMsg(int, int, int, int) { return false; }
  // [audio, lock]
  virtual bool SendSysEx(int, int, const unsigned char*) { return false; }
  // [main, lock] after programs or state changed every value
  virtual void RedrawParameterControls();
  // [main, lock]
  virtual void OnHostChanged() {}
  // [main, lock] the current program changed
  virtual void PresetSelectionChanged() {}
  // [main, lock] no audio runs; buffers are sized here, never in processing
  virtual void SetBlockSize(int blockSize);
  // Brings the editor up to date with one parameter's value (after host automation).
  // [main, lock] the editor's thread only: audio-thread changes arrive through FlushEditorUpdates.
  virtual void RefreshEditorForParameter(int paramIdx);
  // The text a host shows for a parameter's plain value (without the label), and the plain
  // value a typed text denotes (false when it denotes none; not clamped). The parameter
  // record's own rules unless the plug-in knows its units better.
  // [main, lock or not: they read only the parameter table and the sample rate] any index;
  // text may be empty.
  virtual void ParamValueText(int paramIdx, double plain, char* text, int size);
  virtual bool ParamValueFromText(int paramIdx, const char* text, double& plain);
  // The instance's settings that are not parameters, appended to a state chunk after its
  // existing data; and read back from pos, the end of that data, where a chunk without them
  // (or pos < 0) sets their defaults.
  // [main, lock]
  virtual void SerializeSettings(ByteChunk&) {}
  virtual void LoadSettings(const ByteChunk&, int) {}
  // The parameter that bypasses the whole effect, for hosts that offer a bypass of their own;
  // -1 for none.
  // [main, lock or not: a constant of the plug-in]
  virtual int BypassParamIdx() const { return -1; }
  // Tells the host that the latency changed (VST2 audioMasterIOChanged, VST3 restart_component,
  // CLAP request_restart or the latency extension's changed).
  // [main, no lock] from SendPendingLatencyNotice only
  virtual void InformHostOfLatencyChange() {}

  // A host that stops its audio when it hears of a new latency would wait for its audio thread
  // while that waits for our lock, so a change is only recorded under the lock, and the host
  // hears of it once, from here, on its main thread with no lock of ours held: after each
  // format's state loads (VST2: after every dispatcher call from the main thread) and after
  // the editor's events (EditorIdle; on Windows the editor window's tick). [main, no lock]
  void SendPendingLatencyNotice();

  // A host's block of single- or double-precision samples through ProcessBlock, under the
  // lock, in slices of at most the block size. The host's arrays are consumed in order by the
  // connected channels; null arrays read as silence and are not written. Float outputs are
  // accumulated into or replaced. [audio, takes lock]
  void ProcessFloat(float** inputs, float** outputs, int nFrames, bool accumulate);
  void ProcessDouble(double** inputs, double** outputs, int nFrames);

  // A parameter's new normalised value from the host (automation): non-finite values are
  // ignored, others clamped to 0..1. The editor catches up at its next repaint.
  // [main or audio, takes lock]
  void SetParameterFromHost(int paramIdx, double normalizedValue);

  // Host automation may arrive on the audio thread while the user-interface thread paints the
  // editor, so it never touches the editor itself: it marks the parameter, and the surface
  // calls FlushEditorUpdates before each repaint, on its own thread, to catch up. The effect
  // also renders there what it left for the next repaint.
  void MarkEditorStale(int paramIdx);
  // [main, takes lock] before each repaint
  virtual void FlushEditorUpdates();

  // Parameters.
  int NParams() const { return static_cast<int>(params.size()); }
  IPlugParam* GetParam(int i) { return ValidParam(i) ? params[i].get() : nullptr; }
  bool ValidParam(int i) const { return i >= 0 && i < NParams(); }
  ParameterLock& Lock() { return lock; }

  // Programs.
  int NPresets() const { return static_cast<int>(presets.size()); }
  int GetCurrentPresetIdx() const { return currentPreset; }
  const char* GetPresetName(int i) const;
  bool PresetIsInitialized(int i) const { return i >= 0 && i < NPresets() && presets[i]->initialized; }
  const ByteChunk* PresetChunk(int i) const
  {
    return i >= 0 && i < NPresets() ? &presets[i]->chunk : nullptr;
  }
  void AddFactoryPreset(const char* name, const double* values);
  void FillEmptyPresets(int count, const char* name = nullptr);
  bool ApplyPreset(int index);
  // A program the host picks on its audio thread (VST3's program parameter in a block): its
  // values and the current program change at once, and the editor catches up at its next
  // repaint, as with automation. A slot that holds no program yet is left alone.
  // [audio, takes lock]
  void SelectPresetFromHost(int index);
  void StoreCurrentPreset(const char* name = nullptr);
  bool SerializePresets(ByteChunk& chunk);
  int LoadPresets(const ByteChunk& chunk, int pos);
  void InformHostOfAllParameters();
  // What every format's entry point does to a new plug-in before the host sees it: the empty
  // program slots filled, the current program's values made live (the parameter records hold
  // their definition defaults until then, and the host sees that program as current), and
  // the units ready at the default rate and block size even if the host never names them.
  void ReadyForHost();

  // The editor in a host's window: opened as a child of parent (the platform's window handle)
  // under the lock, answering its own window or null; closed under the lock; and its events
  // handled on the host's idle calls, without the lock (the editor takes it where it must),
  // after which a new latency is told to the host.
  void* OpenEditor(void* parent);
  void CloseEditor();
  void EditorIdle();

  // The current parameters as a program state chunk (header, values, settings), as hosts
  // store it.
  void SaveProgramState(ByteChunk& chunk);
  // A program state chunk as SaveProgramState writes it into the parameters, the current
  // program and the settings; anything shorter, without the header or of an older version
  // changes nothing and answers false.
  bool LoadProgramState(const ByteChunk& chunk);

  // State chunk header.
  static void WriteStateHeader(ByteChunk& chunk);
  static int ReadStateHeader(const ByteChunk& chunk, int& pos);

  // Channels.
  int NInChannels() const { return static_cast<int>(inChannels.size()); }
  int NOutChannels() const { return static_cast<int>(outChannels.size()); }
  const std::vector<std::pair<int, int>>& ChannelIOConfigs() const { return channelIO; }
  void SetInputChannelConnections(int start, int count, bool connected);
  void SetOutputChannelConnections(int start, int count, bool connected);
  bool IsInChannelConnected(int i) const { return i >= 0 && i < NInChannels() && inChannels[i]->connected; }
  bool IsOutChannelConnected(int i) const
  {
    return i >= 0 && i < NOutChannels() && outChannels[i]->connected;
  }

  double GetSampleRate() const { return sampleRate; }
  void SetSampleRate(double rate) { sampleRate = rate; }
  int GetBlockSize() const { return blockSize; }
  int GetLatency() const { return latency; }
  int GetHostVersion() const { return hostVersion; }
  IGraphics* GetGUI() { return editor; }
  const char* GetEffectName() const { return effectName; }
  const char* GetProductName() const { return productName; }
  const char* GetMfrName() const { return mfrName; }
  int GetUniqueID() const { return uniqueId; }
  int GetMfrID() const { return mfrId; }
  int GetEffectVersion() const { return version; }
  bool IsInstrument() const { return isInstrument; }

protected:
  void SetChannelConnections(std::vector<std::unique_ptr<IChannel>>& channels, double** pointers, int start,
                             int count, bool connected);
  int FindUninitializedPreset() const;
  void PointInputs(double** hostInputs, int offset);
  void PointOutputs(double** hostOutputs, int offset);
  void ConvertInputs(float** hostInputs, int offset, int n);
  void AssignDestinations(float** hostOutputs, int offset);
  void ConvertOutputs(int n, bool accumulate);

  std::vector<std::pair<int, int>> channelIO;
  ParameterLock lock;
  char effectName[kNameLen];
  char productName[kNameLen];
  char mfrName[kNameLen];
  int uniqueId;
  int mfrId;
  int version;
  int hostId = -1;
  int hostVersion = 0;
  bool skipStoreBeforeSwitch = false;
  bool isInstrument;
  int currentPreset = 0;
  double sampleRate = 44100.0;
  int blockSize = 0;
  int latency = 0;
  IGraphics* editor = nullptr;
  std::vector<std::unique_ptr<IPlugParam>> params;
  std::vector<std::unique_ptr<IPreset>> presets;
  std::vector<double*> inPointers;
  std::vector<double*> outPointers;
  std::vector<std::unique_ptr<IChannel>> inChannels;
  std::vector<std::unique_ptr<IChannel>> outChannels;

  // Set (under the lock) while host automation runs ParameterChanged: leave the editor alone.
  bool deferEditorUpdates = false;

private:
  int storedQuery = 0;
  std::unique_ptr<std::atomic<bool>[]> editorStale;
  std::atomic<bool> anyEditorStale{false};
  std::atomic<bool> presetSelectionStale{false};
  std::atomic<bool> latencyNoticePending{false};
};
