#include "plug/vst2/IPlugVST.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "gui/IGraphics.h"
#include "plug/HostDetection.h"

namespace {

// Hosts that mishandle more than two pins get only the first two connected.
bool HostWantsTwoPins(int host)
{
  return host == kHostForte || host == kHostAudition || host == kHostOrion || host == kHostSAWStudio;
}

VstInt16 ToRectCoordinate(int v) { return static_cast<VstInt16>(v < 0 ? 0 : (v > SHRT_MAX ? SHRT_MAX : v)); }

}  // namespace

IPlugVST::IPlugVST(audioMasterCallback host, int nParams, const char* channelIOStr, int nPresets,
                   const char* effect, const char* product, const char* mfr, int vendorVersion, int uniqueID,
                   int mfrID, bool isInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effect, product, mfr, vendorVersion, uniqueID, mfrID,
                isInst),
      hostCallback(host)
{
  std::memset(&aEffect, 0, sizeof(aEffect));
  aEffect.magic = kEffectMagic;
  aEffect.dispatcher = VSTDispatcher;
  aEffect.process = VSTProcess;
  aEffect.setParameter = VSTSetParameter;
  aEffect.getParameter = VSTGetParameter;
  aEffect.processReplacing = VSTProcessReplacing;
  aEffect.processDoubleReplacing = VSTProcessDoubleReplacing;
  aEffect.numPrograms = nPresets;
  aEffect.numParams = nParams;
  aEffect.numInputs = NInChannels();
  aEffect.numOutputs = NOutChannels();
  // Program chunks: without the flag hosts save bare parameter values and the bank is lost.
  aEffect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsProgramChunks;
  for (const auto& io : channelIO)
    if (io.first == 1) aEffect.flags |= effFlagsCanMono;
  aEffect.initialDelay = latency;
  aEffect.ioRatio = 1.0f;
  aEffect.object = this;
  aEffect.uniqueID = uniqueID;
  aEffect.version =
    (vendorVersion >> 16) * 10000 + ((vendorVersion >> 8) & 0xFF) * 100 + (vendorVersion & 0xFF);

  SetArrangement(inputArrangement, NInChannels());
  SetArrangement(outputArrangement, NOutChannels());
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(kDefaultBlockSize);
}

IPlugVST* IPlugVST::FromAEffect(AEffect* effect)
{
  if (!effect || effect->magic != kEffectMagic) return nullptr;
  return static_cast<IPlugVST*>(effect->object);
}

void IPlugVST::SetArrangement(VstSpeakerArrangement& arr, int nChannels)
{
  std::memset(&arr, 0, sizeof(arr));
  arr.numChannels = nChannels;
  if (nChannels == 0)
    arr.type = kSpeakerArrEmpty;
  else if (nChannels == 1)
    arr.type = kSpeakerArrMono;
  else if (nChannels == 2)
    arr.type = kSpeakerArrStereo;
  else
    arr.type = kSpeakerArrUserDefined;
}

VstIntPtr IPlugVST::HostCall(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  return hostCallback ? hostCallback(&aEffect, opcode, index, value, ptr, opt) : 0;
}

// --- The host's entry points into the object -------------------------------------------

VstIntPtr VSTCALLBACK IPlugVST::VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                              VstIntPtr value, void* ptr, float opt)
{
  IPlugVST* plug = FromAEffect(effect);
  if (!plug) return 0;
  try {
    if (opcode == effClose) {
      // Let a block in flight on the audio thread finish, then destroy outside the lock.
      {
        LockGuard g(plug->lock);
      }
      delete plug;
      return 0;
    }
    const VstIntPtr answer = plug->Dispatch(opcode, index, value, ptr, opt);
    // Hosts send MIDI events from their audio thread; every other opcode comes from the main
    // thread, and Dispatch has let go of the lock.
    if (opcode != effProcessEvents) plug->SendPendingLatencyNotice();
    return answer;
  } catch (...) {
    return 0;
  }
}

void VSTCALLBACK IPlugVST::VSTProcess(AEffect* effect, float** in, float** out, VstInt32 n)
{
  if (IPlugVST* plug = FromAEffect(effect)) try {
      plug->ProcessFloat(in, out, n, true);
    } catch (...) {}
}

void VSTCALLBACK IPlugVST::VSTProcessReplacing(AEffect* effect, float** in, float** out, VstInt32 n)
{
  if (IPlugVST* plug = FromAEffect(effect)) try {
      plug->ProcessFloat(in, out, n, false);
    } catch (...) {}
}

void VSTCALLBACK IPlugVST::VSTProcessDoubleReplacing(AEffect* effect, double** in, double** out, VstInt32 n)
{
  if (IPlugVST* plug = FromAEffect(effect)) try {
      plug->ProcessDouble(in, out, n);
    } catch (...) {}
}

void VSTCALLBACK IPlugVST::VSTSetParameter(AEffect* effect, VstInt32 index, float value)
{
  if (IPlugVST* plug = FromAEffect(effect)) try {
      plug->SetParameterFromHost(index, value);
    } catch (...) {}
}

float VSTCALLBACK IPlugVST::VSTGetParameter(AEffect* effect, VstInt32 index)
{
  if (IPlugVST* plug = FromAEffect(effect)) try {
      return plug->GetParameterForHost(index);
    } catch (...) {}
  return 0.0f;
}

// --- Parameters from and to the host ---------------------------------------------------

float IPlugVST::GetParameterForHost(VstInt32 index)
{
  LockGuard g(lock);
  return ValidParam(index) ? static_cast<float>(params[index]->ToNormalized()) : 0.0f;
}

void IPlugVST::BeginInformHostOfParamChange(int paramIdx) { HostCall(audioMasterBeginEdit, paramIdx); }

void IPlugVST::InformHostOfParamChange(int paramIdx, double normalizedValue)
{
  HostCall(audioMasterAutomate, paramIdx, 0, nullptr, static_cast<float>(normalizedValue));
}

void IPlugVST::EndInformHostOfParamChange(int paramIdx) { HostCall(audioMasterEndEdit, paramIdx); }

void IPlugVST::InformHostOfProgramChange() { HostCall(audioMasterUpdateDisplay); }

// --- Host identity, time and transport -------------------------------------------------

bool IPlugVST::IsRenderingOffline()
{
  return HostCall(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

int IPlugVST::GetHost()
{
  if (hostId == kHostUninit) DetectHost();
  return hostId;
}

void IPlugVST::DetectHost()
{
  char product[256] = "";
  HostCall(audioMasterGetProductString, 0, 0, product);
  product[sizeof(product) - 1] = '\0';
  if (!product[0]) {
    hostId = kHostUnknown;
    hostVersion = 0;
    return;
  }
  const VstIntPtr decimal = HostCall(audioMasterGetVendorVersion);
  hostVersion = HostDetection::VersionFromDecimal(static_cast<int>(decimal));
  hostId = HostDetection::IdFromProductString(product);
}

const VstTimeInfo* IPlugVST::HostTime(VstIntPtr wantedFlags)
{
  return reinterpret_cast<const VstTimeInfo*>(HostCall(audioMasterGetTime, 0, wantedFlags));
}

int IPlugVST::GetSamplePos()
{
  const VstTimeInfo* t = HostTime(0);
  if (!t || !(t->samplePos >= 0.0)) return 0;
  const double rounded = t->samplePos + 0.5;
  return rounded < static_cast<double>(INT_MAX) ? static_cast<int>(rounded) : INT_MAX;
}

double IPlugVST::GetTempo()
{
  const VstTimeInfo* t = HostTime(kVstTempoValid);
  return t && (t->flags & kVstTempoValid) && t->tempo >= 0.0 ? t->tempo : 0.0;
}

void IPlugVST::GetTimeSig(int& numerator, int& denominator)
{
  numerator = denominator = 0;
  const VstTimeInfo* t = HostTime(kVstTimeSigValid);
  if (t && (t->flags & kVstTimeSigValid) && t->timeSigNumerator >= 0 && t->timeSigDenominator >= 0) {
    numerator = t->timeSigNumerator;
    denominator = t->timeSigDenominator;
  }
}

void IPlugVST::GetTime(ITimeInfo& info)
{
  constexpr VstInt32 kWanted =
    kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;
  const VstTimeInfo* t = HostTime(kWanted);
  if (!t || !(t->flags & kWanted)) return;
  info.samplePos = t->samplePos;
  if ((t->flags & kVstPpqPosValid) && t->ppqPos >= 0.0) info.ppqPos = t->ppqPos;
  if ((t->flags & kVstTempoValid) && t->tempo > 0.0) info.tempo = t->tempo;
  if ((t->flags & kVstBarsValid) && t->barStartPos >= 0.0) info.lastBar = t->barStartPos;
  if ((t->flags & kVstCyclePosValid) && t->cycleStartPos >= 0.0 && t->cycleEndPos >= 0.0) {
    info.cycleStart = t->cycleStartPos;
    info.cycleEnd = t->cycleEndPos;
  }
  if ((t->flags & kVstTimeSigValid) && t->timeSigNumerator > 0 && t->timeSigDenominator > 0) {
    info.numerator = t->timeSigNumerator;
    info.denominator = t->timeSigDenominator;
  }
  info.transportIsRunning = (t->flags & kVstTransportPlaying) != 0;
  info.transportLoopEnabled = (t->flags & kVstTransportCycleActive) != 0;
}

// --- Lifecycle, editor, latency --------------------------------------------------------

void IPlugVST::OnFirstOpenInit()
{
  firstOpenDone = true;
  if (HostWantsTwoPins(GetHost())) {
    SetInputChannelConnections(2, NInChannels() - 2, false);
    SetOutputChannelConnections(2, NOutChannels() - 2, false);
  }
  SetArrangement(inputArrangement, NInChannels());
  SetArrangement(outputArrangement, NOutChannels());
  aEffect.numInputs = NInChannels();
  aEffect.numOutputs = NOutChannels();
}

void IPlugVST::SetEditorRect(int width, int height)
{
  editRect.top = 0;
  editRect.left = 0;
  editRect.bottom = ToRectCoordinate(height);
  editRect.right = ToRectCoordinate(width);
}

void IPlugVST::AttachEditor(IGraphics* gui)
{
  IPlugBase::AttachEditor(gui);
  if (gui) {
    aEffect.flags |= effFlagsHasEditor;
    SetEditorRect(gui->Width(), gui->Height());
  } else {
    aEffect.flags &= ~effFlagsHasEditor;
  }
}

void IPlugVST::ResizeGraphics(int width, int height)
{
  if (!editor) return;
  SetEditorRect(width, height);
  OnEditorResized();
}

void IPlugVST::SetLatency(int samples)
{
  IPlugBase::SetLatency(samples);
  aEffect.initialDelay = samples;
}

// The host reads initialDelay again when it hears that the plug-in's inputs and outputs
// changed.
void IPlugVST::InformHostOfLatencyChange() { HostCall(audioMasterIOChanged); }

void IPlugVST::SetBlockSize(int n)
{
  // A non-positive size would leave nothing to process into; keep the one we have.
  if (n <= 0) return;
  IPlugBase::SetBlockSize(n > kMaxBlockSize ? kMaxBlockSize : n);
}

// --- MIDI to the host ------------------------------------------------------------------

bool IPlugVST::SendEvent(void* event)
{
  VstEvents events;
  std::memset(&events, 0, sizeof(events));
  events.numEvents = 1;
  events.events[0] = static_cast<VstEvent*>(event);
  return HostCall(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IPlugVST::SendMidiMsg(int offset, int status, int data1, int data2)
{
  VstMidiEvent ev;
  std::memset(&ev, 0, sizeof(ev));
  ev.type = kVstMidiType;
  ev.byteSize = sizeof(VstMidiEvent);
  ev.deltaFrames = offset;
  ev.flags = 1;  // realtime
  ev.midiData[0] = static_cast<char>(status);
  ev.midiData[1] = static_cast<char>(data1);
  ev.midiData[2] = static_cast<char>(data2);
  return SendEvent(&ev);
}

bool IPlugVST::SendSysEx(int offset, int size, const unsigned char* data)
{
  VstMidiSysexEvent ev;
  std::memset(&ev, 0, sizeof(ev));
  ev.type = kVstSysExType;
  ev.byteSize = sizeof(VstMidiSysexEvent);
  ev.deltaFrames = offset;
  ev.flags = 1;
  ev.dumpBytes = size;
  ev.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(data));
  return SendEvent(&ev);
}
