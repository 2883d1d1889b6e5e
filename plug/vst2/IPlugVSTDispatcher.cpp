// The host's dispatcher calls. Everything but the two idle opcodes runs under the
// ParameterLock; invalid indices and missing pointers answer 0 and change nothing.
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "gui/IGraphics.h"
#include "plug/vst2/IPlugVST.h"

namespace {

// Hosts allocate more than the 24 bytes promised for program names, but not without bound.
constexpr size_t kProgramNameCopyLen = 64;

// Copies at most size - 1 characters; the host's buffer is cut, never overrun.
void CopyText(void* dst, const char* src, size_t size)
{
  if (!src) src = "";
  const size_t n = strnlen(src, size - 1);
  std::memcpy(dst, src, n);
  static_cast<char*>(dst)[n] = '\0';
}

// A pointer-sized value that holds an index; -1 when it does not fit an int.
int ToIndex(VstIntPtr v) { return v >= INT_MIN && v <= INT_MAX ? static_cast<int>(v) : -1; }

double ClampUnit(float x) { return x < 0.0f ? 0.0 : (x > 1.0f ? 1.0 : x); }

}  // namespace

VstIntPtr IPlugVST::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  if (opcode == effEditIdle || opcode == effIdle) {
    // The editor window has no thread of its own; it handles its events here.
    if (opcode == effEditIdle) EditorIdle();
    OnIdle();
    return 0;
  }

  LockGuard g(lock);
  switch (opcode) {
    case effOpen: return Open();
    case effSetProgram:
    case effGetProgram:
    case effSetProgramName:
    case effGetProgramName:
    case effGetProgramNameIndexed:
    case effGetChunk:
    case effSetChunk: return DispatchProgram(opcode, index, value, ptr);
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName: return DispatchParamText(opcode, index, ptr);
    case effSetSampleRate:
    case effSetBlockSize:
    case effMainsChanged: return DispatchAudio(opcode, value, opt);
    case effEditGetRect:
    case effEditOpen:
    case effEditClose: return DispatchEditor(opcode, ptr);
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString: return DispatchIdentity(opcode, ptr);
    case effIdentify: return kIdentify;
    case effProcessEvents: return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated: return ValidParam(index) ? 1 : 0;
    case effString2Parameter: return String2Parameter(index, static_cast<const char*>(ptr));
    case effGetInputProperties: return GetPinProperties(index, static_cast<VstPinProperties*>(ptr), true);
    case effGetOutputProperties: return GetPinProperties(index, static_cast<VstPinProperties*>(ptr), false);
    case effGetPlugCategory: return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
      return SetSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                   static_cast<VstSpeakerArrangement*>(ptr));
    case effGetSpeakerArrangement:
      return GetSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                   static_cast<VstSpeakerArrangement**>(ptr));
    case effVendorSpecific: return VendorSpecific(index, value, ptr, opt);
    case effCanDo: return CanDo(static_cast<const char*>(ptr));
    case effGetVstVersion: return kVstVersion;
    case effGetMidiKeyName:
      if (ptr) {
        MidiKeyName* key = static_cast<MidiKeyName*>(ptr);
        key->keyName[0] = '\0';
        MidiNoteName(index, key->thisKeyNumber, key->keyName);
      }
      return 0;
    default: return 0;
  }
}

VstIntPtr IPlugVST::Open()
{
  if (!firstOpenDone) OnFirstOpenInit();
  for (int i = 0; i < NParams(); ++i) ParameterChanged(i);
  return 0;
}

VstIntPtr IPlugVST::DispatchProgram(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr)
{
  switch (opcode) {
    case effSetProgram: {
      // The edits go into the program being left even when the new index is not a program
      // (ApplyPreset then changes nothing): stepping back to it later finds them.
      StoreCurrentPreset();
      ApplyPreset(ToIndex(value));
      return 0;
    }
    case effGetProgram: return currentPreset;
    case effSetProgramName:
      if (ptr) {
        char name[IPreset::kNameLen];
        CopyText(name, static_cast<const char*>(ptr), sizeof(name));
        StoreCurrentPreset(name);
        PresetSelectionChanged();
      }
      return 0;
    case effGetProgramName:
      if (ptr) CopyText(ptr, GetPresetName(currentPreset), kProgramNameCopyLen);
      return 0;
    case effGetProgramNameIndexed:
      if (!ptr) return 0;
      CopyText(ptr, GetPresetName(index), kProgramNameCopyLen);
      return static_cast<const char*>(ptr)[0] ? 1 : 0;
    case effGetChunk: return GetChunk(index, ptr);
    case effSetChunk: return SetChunk(index, value, ptr);
    default: return 0;
  }
}

VstIntPtr IPlugVST::DispatchParamText(VstInt32 opcode, VstInt32 index, void* ptr)
{
  if (!ValidParam(index) || !ptr) return 0;
  const IPlugParam& p = *params[index];
  if (opcode == effGetParamLabel)
    CopyText(ptr, p.GetLabelForHost(), IPlugParam::kTextLen);
  else if (opcode == effGetParamDisplay)
    ParamValueText(index, p.value, static_cast<char*>(ptr), IPlugParam::kTextLen);
  else
    CopyText(ptr, p.name, IPlugParam::kTextLen);
  return 0;
}

VstIntPtr IPlugVST::DispatchAudio(VstInt32 opcode, VstIntPtr value, float opt)
{
  if (opcode == effSetSampleRate) {
    if (!(std::isfinite(opt) && opt > 0.0f)) return 0;  // the units divide by the rate
    sampleRate = opt;
    ResetAudioState();
  } else if (opcode == effSetBlockSize) {
    if (value <= 0) return 0;
    SetBlockSize(value > kMaxBlockSize ? kMaxBlockSize : static_cast<int>(value));
    ResetAudioState();
  } else if (value) {
    OnActivate(true);
  } else {
    OnActivate(false);
    ResetAudioState();
  }
  return 0;
}

VstIntPtr IPlugVST::DispatchEditor(VstInt32 opcode, void* ptr)
{
  if (!editor) return 0;
  if (opcode == effEditGetRect) {
    if (!ptr) return 0;
    *static_cast<ERect**>(ptr) = &editRect;
    return 1;
  }
  if (opcode == effEditOpen) return OpenEditor(ptr) ? 1 : 0;
  CloseEditor();
  return 1;
}

VstIntPtr IPlugVST::DispatchIdentity(VstInt32 opcode, void* ptr)
{
  if (!ptr) return 0;
  if (opcode == effGetEffectName)
    CopyText(ptr, effectName, kVstMaxEffectNameLen);
  else if (opcode == effGetVendorString)
    CopyText(ptr, mfrName, kVstMaxVendorStrLen);
  else
    CopyText(ptr, productName, kVstMaxProductStrLen);
  return 1;
}

VstIntPtr IPlugVST::GetChunk(VstInt32 index, void* ptr)
{
  if (!ptr) return 0;
  const bool program = index != 0;
  ByteChunk& chunk = program ? programState : bankState;
  bool ok = true;
  if (program) {
    SaveProgramState(chunk);
  } else {
    WriteStateHeader(chunk);
    StoreCurrentPreset();
    ok = SerializePresets(chunk);
    SerializeSettings(chunk);
  }
  if (!ok || chunk.Size() == 0) return 0;
  *static_cast<void**>(ptr) = chunk.Data();
  return chunk.Size();
}

VstIntPtr IPlugVST::SetChunk(VstInt32 index, VstIntPtr size, const void* data)
{
  // An empty or unreadable chunk holds no state: it must not reset anything.
  if (!data || size <= 0 || size > INT_MAX) return 0;
  const bool program = index != 0;
  // Copied through a fresh chunk: a host may hand back the very bytes GetChunk gave it.
  ByteChunk incoming;
  incoming.PutBytes(data, static_cast<int>(size));
  ByteChunk& chunk = program ? programState : bankState;
  chunk = std::move(incoming);

  int pos = 0;
  const int version = ReadStateHeader(chunk, pos);
  if (pos < 0) return 0;  // the magic without a complete header: nothing to read
  if (!program && version >= kStateVersion) {
    pos = LoadPresets(chunk, pos);
  } else {
    pos = LoadParameters(chunk, pos);
    StoreCurrentPreset();
  }
  if (pos < 0) return 0;
  LoadSettings(chunk, pos);
  RedrawParameterControls();
  return 1;
}

VstIntPtr IPlugVST::ProcessEvents(const VstEvents* events)
{
  if (!events) return 0;
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* ev = events->events[i];
    if (!ev) continue;
    if (ev->type == kVstMidiType) {
      const VstMidiEvent* m = reinterpret_cast<const VstMidiEvent*>(ev);
      ProcessMidiMsg(m->deltaFrames, static_cast<unsigned char>(m->midiData[0]),
                     static_cast<unsigned char>(m->midiData[1]), static_cast<unsigned char>(m->midiData[2]));
    } else if (ev->type == kVstSysExType) {
      const VstMidiSysexEvent* s = reinterpret_cast<const VstMidiSysexEvent*>(ev);
      ProcessSysEx(s->deltaFrames, s->dumpBytes, reinterpret_cast<const unsigned char*>(s->sysexDump));
    }
  }
  return 1;
}

VstIntPtr IPlugVST::String2Parameter(VstInt32 index, const char* text)
{
  if (!ValidParam(index)) return 0;
  if (!text) return 1;  // hosts ask with a null text whether the call is supported
  IPlugParam& p = *params[index];
  double plain = 0.0;
  if (!ParamValueFromText(index, text, plain) || !std::isfinite(plain)) return 0;
  plain = p.Clamp(plain);
  if (editor) editor->UpdateControlsFromPlug(index, plain, false);
  p.value = plain;
  ParameterChanged(index);
  return 1;
}

VstIntPtr IPlugVST::GetPinProperties(VstInt32 index, VstPinProperties* props, bool input)
{
  const auto& channels = input ? inChannels : outChannels;
  const int n = static_cast<int>(channels.size());
  if (!props || index < 0 || index >= n) return 0;
  std::memset(props, 0, sizeof(*props));
  props->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < n - 1) props->flags |= kVstPinIsStereo;
  const IChannel& c = *channels[index];
  if (c.label[0])
    std::snprintf(props->label, sizeof(props->label), "%s", c.label);
  else
    std::snprintf(props->label, sizeof(props->label), "%s %d", input ? "Input" : "Output", index + 1);
  return 1;
}

VstIntPtr IPlugVST::SetSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out)
{
  if (in) ConnectArrangement(*in, true);
  if (out) ConnectArrangement(*out, false);
  return 1;
}

void IPlugVST::ConnectArrangement(const VstSpeakerArrangement& wanted, bool input)
{
  const int count = input ? NInChannels() : NOutChannels();
  const int n = wanted.numChannels < 0 ? 0 : (wanted.numChannels > count ? count : wanted.numChannels);
  auto connect = input ? &IPlugVST::SetInputChannelConnections : &IPlugVST::SetOutputChannelConnections;
  (this->*connect)(0, n, true);
  (this->*connect)(n, count - n, false);
  SetArrangement(input ? inputArrangement : outputArrangement, n);
}

VstIntPtr IPlugVST::GetSpeakerArrangement(VstSpeakerArrangement** in, VstSpeakerArrangement** out)
{
  if (in) *in = &inputArrangement;
  if (out) *out = &outputArrangement;
  return 1;
}

VstIntPtr IPlugVST::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  const int paramIdx = ToIndex(value);
  if (index == 7) {
    // The display text a normalised value would have, without setting it.
    if (!ptr || !ValidParam(paramIdx) || std::isnan(opt)) return 0;
    IPlugParam shown = *params[paramIdx];
    shown.SetFromNormalized(ClampUnit(opt));
    ParamValueText(paramIdx, shown.value, static_cast<char*>(ptr), IPlugParam::kTextLen);
    return kVendorSpecificAnswer;
  }
  if (index == 8 && ValidParam(paramIdx) && params[paramIdx]->kind != IPlugParam::kDouble)
    return kVendorSpecificAnswer;
  return 0;
}

VstIntPtr IPlugVST::CanDo(const char* text) const
{
  if (!text) return 0;
  if (std::strcmp(text, "receiveVstTimeInfo") == 0) return 1;
  for (const char* midi : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"})
    if (std::strcmp(text, midi) == 0) return doesMidi ? 1 : 0;
  return 0;
}
