#include "plug/IPlugBase.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "gui/IGraphics.h"

static void CopyName(char* dst, const char* src, int size)
{
  std::snprintf(dst, static_cast<size_t>(size), "%s", src ? src : "");
}

IPlugBase::IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effect,
                     const char* product, const char* mfr, int vendorVersion, int uniqueID, int mfrID,
                     bool isInst)
    : uniqueId(uniqueID), mfrId(mfrID), version(vendorVersion), isInstrument(isInst)
{
  CopyName(effectName, effect, kNameLen);
  CopyName(productName, product, kNameLen);
  CopyName(mfrName, mfr, kNameLen);

  for (int i = 0; i < nParams; ++i) params.push_back(std::make_unique<IPlugParam>());
  for (int i = 0; i < nPresets; ++i) presets.push_back(std::make_unique<IPreset>());
  editorStale = std::make_unique<std::atomic<bool>[]>(static_cast<size_t>(nParams > 0 ? nParams : 0));

  int nIn = 0, nOut = 0;
  for (const char* p = channelIOStr; p;) {
    int in = 0, out = 0;
    if (std::sscanf(p, "%d-%d", &in, &out) != 2) break;
    channelIO.emplace_back(in, out);
    if (in > nIn) nIn = in;
    if (out > nOut) nOut = out;
    p = std::strchr(p, ' ');
    if (p) ++p;
  }
  for (int i = 0; i < nIn; ++i) {
    inChannels.push_back(std::make_unique<IChannel>());
    inChannels.back()->index = i;
  }
  for (int i = 0; i < nOut; ++i) {
    outChannels.push_back(std::make_unique<IChannel>());
    outChannels.back()->index = i;
  }
  inPointers.assign(static_cast<size_t>(nIn), nullptr);
  outPointers.assign(static_cast<size_t>(nOut), nullptr);
}

IPlugBase::~IPlugBase() { editor = nullptr; }

void IPlugBase::ResetAudioState() { LockGuard g(lock); }
void IPlugBase::ParameterChanged(int) { LockGuard g(lock); }
void IPlugBase::OnActivate(bool) { LockGuard g(lock); }

void IPlugBase::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  const int n = nFrames > 0 ? nFrames : 0;
  for (int c = 0; c < NOutChannels(); ++c) {
    if (c < NInChannels())
      std::memmove(outputs[c], inputs[c], sizeof(double) * static_cast<size_t>(n));
    else
      std::memset(outputs[c], 0, sizeof(double) * static_cast<size_t>(n));
  }
}

void IPlugBase::ProcessSingleBlock(float** inputs, float** outputs, int nFrames)
{
  const int n = nFrames > 0 ? nFrames : 0;
  for (int c = 0; c < NOutChannels(); ++c) {
    if (c < NInChannels())
      std::memmove(outputs[c], inputs[c], sizeof(float) * static_cast<size_t>(n));
    else
      std::memset(outputs[c], 0, sizeof(float) * static_cast<size_t>(n));
  }
}

void IPlugBase::ProcessMidiMsg(int offset, int status, int data1, int data2)
{
  SendMidiMsg(offset, status, data1, data2);
}

bool IPlugBase::MidiNoteName(int, int, char* text)
{
  if (text) text[0] = '\0';
  return false;
}

bool IPlugBase::SerializeParameters(ByteChunk& chunk)
{
  LockGuard g(lock);
  for (const auto& p : params) chunk.Put(p->value);
  return chunk.Size() > 0;
}

int IPlugBase::LoadParameters(const ByteChunk& chunk, int pos)
{
  LockGuard g(lock);
  for (auto& p : params) {
    double v = 0.0;
    pos = chunk.Get(v, pos);
    p->value = p->Clamp(v);
    if (pos < 0) break;
  }
  for (int i = 0; i < NParams(); ++i) ParameterChanged(i);
  return pos;
}

bool IPlugBase::ParametersEqual(const double* values)
{
  for (int i = 0; i < NParams(); ++i)
    if (std::fabs(static_cast<float>(params[i]->value) - static_cast<float>(values[i])) > 1e-5) return false;
  return true;
}

void IPlugBase::SetParameterFromEditor(int paramIdx, double normalizedValue)
{
  LockGuard g(lock);
  if (!ValidParam(paramIdx)) return;
  params[paramIdx]->SetFromNormalized(normalizedValue);
  InformHostOfParamChange(paramIdx, normalizedValue);
  ParameterChanged(paramIdx);
}

void IPlugBase::GetTimeSig(int& numerator, int& denominator) { numerator = denominator = 0; }

void IPlugBase::AttachEditor(IGraphics* gui)
{
  LockGuard g(lock);
  if (gui) {
    for (int i = 0; i < NParams(); ++i) gui->UpdateControlsFromPlug(i, params[i]->ToNormalized(), true);
    gui->PrepDraw();
  }
  editor = gui;
}

void IPlugBase::SetLatency(int samples)
{
  if (samples == latency) return;
  latency = samples;
  latencyNoticePending.store(true);
}

void IPlugBase::SendPendingLatencyNotice()
{
  if (latencyNoticePending.exchange(false)) InformHostOfLatencyChange();
}

void IPlugBase::RedrawParameterControls()
{
  if (!editor) return;
  for (int i = 0; i < NParams(); ++i) editor->UpdateControlsFromPlug(i, params[i]->value, false);
}

void IPlugBase::RefreshEditorForParameter(int paramIdx)
{
  if (editor && ValidParam(paramIdx))
    editor->UpdateControlsFromPlug(paramIdx, params[paramIdx]->value, false);
}

void IPlugBase::ParamValueText(int paramIdx, double plain, char* text, int size)
{
  if (!text || size <= 0) return;
  char display[IPlugParam::kTextLen] = "";
  if (ValidParam(paramIdx)) params[paramIdx]->GetDisplayForHost(plain, display);
  std::snprintf(text, static_cast<size_t>(size), "%s", display);
}

bool IPlugBase::ParamValueFromText(int paramIdx, const char* text, double& plain)
{
  return ValidParam(paramIdx) && text && params[paramIdx]->MapDisplayText(text, plain);
}

void* IPlugBase::OpenEditor(void* parent)
{
  LockGuard g(lock);
  if (!editor) return nullptr;
  void* window = editor->OpenWindow(parent);
  if (window) OnEditorOpened();
  return window;
}

void IPlugBase::CloseEditor()
{
  LockGuard g(lock);
  if (!editor) return;
  OnEditorClosing();
  editor->CloseWindow();
}

void IPlugBase::EditorIdle()
{
  if (editor && editor->WindowIsOpen()) editor->Idle();
  SendPendingLatencyNotice();  // what the editor's events changed
}

void IPlugBase::SaveProgramState(ByteChunk& chunk)
{
  LockGuard g(lock);
  WriteStateHeader(chunk);
  SerializeParameters(chunk);
  SerializeSettings(chunk);
}

bool IPlugBase::LoadProgramState(const ByteChunk& chunk)
{
  LockGuard g(lock);
  int pos = 0;
  if (ReadStateHeader(chunk, pos) < kStateVersion || pos < 0) return false;
  if (chunk.Size() - pos < NParams() * static_cast<int>(sizeof(double))) return false;
  pos = LoadParameters(chunk, pos);
  if (pos < 0) return false;
  LoadSettings(chunk, pos);
  StoreCurrentPreset();
  RedrawParameterControls();
  return true;
}

void IPlugBase::ReadyForHost()
{
  FillEmptyPresets(NPresets(), "Empty");
  ApplyPreset(currentPreset);
  ResetAudioState();
}

void IPlugBase::MarkEditorStale(int paramIdx)
{
  if (!ValidParam(paramIdx)) return;
  editorStale[paramIdx].store(true);
  anyEditorStale.store(true);
}

void IPlugBase::FlushEditorUpdates()
{
  if (!anyEditorStale.exchange(false)) return;
  LockGuard g(lock);
  if (presetSelectionStale.exchange(false)) PresetSelectionChanged();
  for (int i = 0; i < NParams(); ++i)
    if (editorStale[i].exchange(false)) RefreshEditorForParameter(i);
}

void IPlugBase::SetBlockSize(int n)
{
  if (n == blockSize) return;
  const size_t size = n > 0 ? static_cast<size_t>(n) : 0;
  for (auto& c : inChannels) {
    c->scratch.assign(size, 0.0);
    inPointers[c->index] = c->scratch.data();
  }
  for (auto& c : outChannels) {
    c->scratch.assign(size, 0.0);
    outPointers[c->index] = c->scratch.data();
  }
  blockSize = n;
}

const char* IPlugBase::GetPresetName(int i) const { return i >= 0 && i < NPresets() ? presets[i]->name : ""; }

int IPlugBase::FindUninitializedPreset() const
{
  for (int i = 0; i < NPresets(); ++i)
    if (!presets[i]->initialized) return i;
  return -1;
}

void IPlugBase::AddFactoryPreset(const char* name, const double* values)
{
  LockGuard g(lock);
  const int i = FindUninitializedPreset();
  if (i < 0) return;
  IPreset& p = *presets[i];
  p.initialized = true;
  CopyName(p.name, name, IPreset::kNameLen);
  p.chunk.Clear();
  for (int k = 0; k < NParams(); ++k) p.chunk.Put(values[k]);
}

void IPlugBase::FillEmptyPresets(int count, const char* name)
{
  LockGuard g(lock);
  for (int n = 0; n < count; ++n) {
    const int i = FindUninitializedPreset();
    if (i < 0) return;
    IPreset& p = *presets[i];
    p.initialized = true;
    CopyName(p.name, name ? name : "Empty", IPreset::kNameLen);
    p.chunk.Clear();
    SerializeParameters(p.chunk);
  }
}

bool IPlugBase::ApplyPreset(int index)
{
  LockGuard g(lock);
  if (index < 0 || index >= NPresets()) return false;
  IPreset& p = *presets[index];
  bool ok = true;
  if (p.initialized) {
    ok = LoadParameters(p.chunk, 0) > 0;
  } else {
    int named = 0;
    for (const auto& q : presets)
      if (std::strstr(q->name, "user preset")) ++named;
    p.initialized = true;
    std::snprintf(p.name, IPreset::kNameLen, "%s %d", "user preset", named + 1);
    p.chunk.Clear();
    SerializeParameters(p.chunk);
  }
  if (ok) {
    currentPreset = index;
    PresetSelectionChanged();
    RedrawParameterControls();
  }
  return ok;
}

void IPlugBase::SelectPresetFromHost(int index)
{
  LockGuard g(lock);
  if (!PresetIsInitialized(index)) return;
  deferEditorUpdates = true;
  const bool ok = LoadParameters(presets[index]->chunk, 0) > 0;
  deferEditorUpdates = false;
  if (!ok) return;
  currentPreset = index;
  if (!editor) return;
  presetSelectionStale.store(true);
  for (int i = 0; i < NParams(); ++i) MarkEditorStale(i);
}

void IPlugBase::StoreCurrentPreset(const char* name)
{
  LockGuard g(lock);
  if (currentPreset < 0 || currentPreset >= NPresets()) return;
  IPreset& p = *presets[currentPreset];
  p.chunk.Clear();
  SerializeParameters(p.chunk);
  if (name && name[0]) CopyName(p.name, name, IPreset::kNameLen);
}

bool IPlugBase::SerializePresets(ByteChunk& chunk)
{
  LockGuard g(lock);
  for (const auto& p : presets) {
    const int len = static_cast<int>(std::strlen(p->name));
    chunk.Put(len);
    chunk.PutBytes(p->name, len);
    chunk.Put(static_cast<unsigned char>(p->initialized ? 1 : 0));
    if (p->initialized) chunk.PutBytes(p->chunk.Data(), p->chunk.Size());
  }
  return chunk.Size() > 0;
}

int IPlugBase::LoadPresets(const ByteChunk& chunk, int pos)
{
  LockGuard g(lock);
  for (auto& p : presets) {
    if (pos < 0) break;
    int len = 0;
    pos = chunk.Get(len, pos);
    if (pos < 0) break;
    if (len < 0 || chunk.Size() - pos < len) {
      pos = -1;  // the name claims more bytes than the chunk holds
      break;
    }
    const int kept = len < IPreset::kNameLen ? len : IPreset::kNameLen - 1;
    std::memcpy(p->name, chunk.Data() + pos, static_cast<size_t>(kept));
    p->name[kept] = '\0';
    pos += len;
    unsigned char init = 0;
    pos = chunk.Get(init, pos);
    if (pos < 0) break;
    if (init == 1) {
      pos = LoadParameters(chunk, pos);
      if (pos >= 0) {
        p->initialized = true;
        p->chunk.Clear();
        SerializeParameters(p->chunk);
      }
    } else {
      p->initialized = false;
      p->chunk.Clear();
    }
  }
  ApplyPreset(currentPreset);
  return pos;
}

void IPlugBase::InformHostOfAllParameters()
{
  LockGuard g(lock);
  for (int i = 0; i < NParams(); ++i) InformHostOfParamChange(i, params[i]->ToNormalized());
}

void IPlugBase::WriteStateHeader(ByteChunk& chunk)
{
  chunk.Clear();
  chunk.Put(static_cast<int>(kStateMagic));
  chunk.Put(static_cast<int>(kStateVersion));
}

int IPlugBase::ReadStateHeader(const ByteChunk& chunk, int& pos)
{
  int magic = 0;
  if (chunk.Get(magic, pos) < 0 || magic != kStateMagic) return 0;
  int ver = 0;
  const int next = chunk.Get(ver, pos + 4);
  if (next < 0) {
    pos = -1;
    return 0;
  }
  pos = next;
  return ver;
}

void IPlugBase::SetChannelConnections(std::vector<std::unique_ptr<IChannel>>& channels, double** pointers,
                                      int start, int count, bool connected)
{
  for (int i = start; i < start + count; ++i) {
    if (i < 0 || i >= static_cast<int>(channels.size())) continue;
    IChannel& c = *channels[i];
    c.connected = connected;
    if (!connected) pointers[c.index] = c.scratch.empty() ? nullptr : c.scratch.data();
  }
}

void IPlugBase::SetInputChannelConnections(int start, int count, bool connected)
{
  SetChannelConnections(inChannels, inPointers.data(), start, count, connected);
}

void IPlugBase::SetOutputChannelConnections(int start, int count, bool connected)
{
  SetChannelConnections(outChannels, outPointers.data(), start, count, connected);
}
