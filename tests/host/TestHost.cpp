#include "tests/host/TestHost.h"

#include <cstring>

namespace {

// The host being created: the plug-in may call back before its AEffect carries our pointer.
thread_local TestHost* hostBeingLoaded = nullptr;

void CopyAnswer(void* ptr, const std::string& text, size_t size)
{
  if (!ptr) return;
  std::strncpy(static_cast<char*>(ptr), text.c_str(), size - 1);
  static_cast<char*>(ptr)[size - 1] = '\0';
}

template <typename T> std::vector<T*> Pointers(std::vector<std::vector<T>>& buffers)
{
  std::vector<T*> p;
  for (auto& b : buffers) p.push_back(b.data());
  return p;
}

}  // namespace

TestHost::TestHost(HostConfig c) : config(std::move(c)) {}

TestHost::~TestHost() { Close(); }

bool TestHost::Load(const std::string& path, const char* entry)
{
  module = PluginModule::Open(path, error);
  if (!module) return false;
  void* symbol = entry ? module->Symbol(entry) : module->Symbol("VSTPluginMain");
  if (!symbol && !entry) symbol = module->Symbol("main");
  if (!symbol) {
    error = "no entry point in " + path;
    return false;
  }
  return Create(reinterpret_cast<VstPluginMainProc>(symbol));
}

bool TestHost::Create(VstPluginMainProc entry)
{
  hostBeingLoaded = this;
  effect = entry(Callback);
  hostBeingLoaded = nullptr;
  if (!effect || effect->magic != kEffectMagic) {
    error = "the entry point returned no effect";
    effect = nullptr;
    return false;
  }
  effect->user = this;
  return true;
}

void TestHost::Start(float sampleRate, int blockSize)
{
  Dispatch(effOpen);
  Dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  Dispatch(effSetBlockSize, 0, blockSize);
  Dispatch(effMainsChanged, 0, 1);
}

void TestHost::Close()
{
  if (!effect) return;
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effClose);
  effect = nullptr;
}

VstIntPtr TestHost::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  return effect ? effect->dispatcher(effect, opcode, index, value, ptr, opt) : 0;
}

std::string TestHost::DispatchText(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                                   VstIntPtr* result)
{
  char text[256] = {};
  const VstIntPtr r = Dispatch(opcode, index, value, text, opt);
  if (result) *result = r;
  text[sizeof(text) - 1] = '\0';
  return text;
}

void TestHost::SetParameter(VstInt32 index, float value)
{
  if (effect) effect->setParameter(effect, index, value);
}

float TestHost::GetParameter(VstInt32 index) { return effect ? effect->getParameter(effect, index) : 0.0f; }

std::vector<unsigned char> TestHost::GetChunk(bool program)
{
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (size <= 0 || !data) return {};
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(bytes, bytes + size);
}

VstIntPtr TestHost::SetChunk(bool program, const std::vector<unsigned char>& bytes)
{
  std::vector<unsigned char> copy(bytes);  // the plug-in must not rely on the host's buffer
  return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()), copy.data());
}

void TestHost::ProcessReplacing(FloatBuffers& in, FloatBuffers& out, int frames)
{
  auto i = Pointers(in);
  auto o = Pointers(out);
  effect->processReplacing(effect, i.data(), o.data(), frames);
}

void TestHost::ProcessAccumulating(FloatBuffers& in, FloatBuffers& out, int frames)
{
  auto i = Pointers(in);
  auto o = Pointers(out);
  effect->process(effect, i.data(), o.data(), frames);
}

void TestHost::ProcessDoubleReplacing(DoubleBuffers& in, DoubleBuffers& out, int frames)
{
  auto i = Pointers(in);
  auto o = Pointers(out);
  effect->processDoubleReplacing(effect, i.data(), o.data(), frames);
}

int TestHost::CountCalls(VstInt32 opcode) const
{
  int n = 0;
  for (const HostCallRecord& c : calls)
    if (c.opcode == opcode) ++n;
  return n;
}

VstIntPtr VSTCALLBACK TestHost::Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                         void* ptr, float opt)
{
  TestHost* host = effect && effect->user ? static_cast<TestHost*>(effect->user) : hostBeingLoaded;
  if (!host) return 0;
  host->calls.push_back({opcode, index, value, opt});
  if (host->callReaction) host->callReaction(opcode);
  return host->Answer(opcode, index, value, ptr, opt);
}

VstIntPtr TestHost::Answer(VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
  switch (opcode) {
    case audioMasterVersion: return config.version;
    case audioMasterGetProductString:
      CopyAnswer(ptr, config.productString, kVstMaxProductStrLen);
      return ptr ? 1 : 0;
    case audioMasterGetVendorString:
      CopyAnswer(ptr, config.vendorString, kVstMaxVendorStrLen);
      return ptr ? 1 : 0;
    case audioMasterGetVendorVersion: return config.vendorVersion;
    case audioMasterGetCurrentProcessLevel: return config.processLevel;
    case audioMasterGetSampleRate: return config.sampleRate;
    case audioMasterGetBlockSize: return config.blockSize;
    case audioMasterGetTime: return config.answerTime ? reinterpret_cast<VstIntPtr>(&config.time) : 0;
    case audioMasterProcessEvents:
      ReceiveEvents(static_cast<const VstEvents*>(ptr));
      return config.processEventsAnswer;
    default: return 0;
  }
}

void TestHost::ReceiveEvents(const VstEvents* events)
{
  if (!events) return;
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* ev = events->events[i];
    if (!ev || ev->type != kVstMidiType) continue;
    const VstMidiEvent* m = reinterpret_cast<const VstMidiEvent*>(ev);
    ReceivedMidi r{m->deltaFrames, m->flags, {}};
    for (int k = 0; k < 3; ++k) r.bytes[k] = static_cast<unsigned char>(m->midiData[k]);
    midi.push_back(r);
  }
}
