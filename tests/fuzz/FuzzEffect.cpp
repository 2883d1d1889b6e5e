#include "tests/fuzz/FuzzEffect.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>

#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"

FuzzEffect::FuzzEffect() : effect(VSTPluginMain(nullptr))
{
  FUZZ_CHECK(effect);
  Dispatch(effOpen);
  Dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  Dispatch(effSetBlockSize, 0, kBlock);
  Dispatch(effMainsChanged, 0, 1);
}

FuzzEffect::~FuzzEffect()
{
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effClose);
}

VstIntPtr FuzzEffect::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

Skarvel& FuzzEffect::Plug() { return *static_cast<Skarvel*>(IPlugVST::FromAEffect(effect)); }

Bytes FuzzEffect::GetChunk(bool program)
{
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (size <= 0 || !data) return {};
  const unsigned char* p = static_cast<const unsigned char*>(data);
  return Bytes(p, p + size);
}

VstIntPtr FuzzEffect::SetChunk(bool program, const Bytes& bytes)
{
  Bytes copy(bytes);
  return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()), copy.data());
}

namespace {

// A text written into a buffer full of marks must end inside `limit` bytes.
bool TerminatedWithin(const char* buffer, size_t limit) { return strnlen(buffer, limit) < limit; }

}  // namespace

void FuzzEffect::CheckState()
{
  for (int i = 0; i < effect->numParams; ++i) {
    const float v = effect->getParameter(effect, i);
    FUZZ_CHECK(v >= 0.0f && v <= 1.0f);
    char text[256];
    std::memset(text, 0x55, sizeof(text));
    Dispatch(effGetParamDisplay, i, 0, text);
    FUZZ_CHECK(TerminatedWithin(text, 32));
  }
  for (int p = 0; p < effect->numPrograms; ++p) {
    char name[256];
    std::memset(name, 0x55, sizeof(name));
    Dispatch(effGetProgramNameIndexed, p, 0, name);
    FUZZ_CHECK(TerminatedWithin(name, 64));
  }
}

void FuzzEffect::CheckProcessing()
{
  float in[2][kBlock], out[2][kBlock];
  for (int i = 0; i < kBlock; ++i) {
    in[0][i] = static_cast<float>(0.8 * std::sin(0.07 * i));
    in[1][i] = static_cast<float>(0.5 * std::cos(0.05 * i));
  }
  float* ins[2] = {in[0], in[1]};
  float* outs[2] = {out[0], out[1]};
  effect->processReplacing(effect, ins, outs, kBlock);
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < kBlock; ++i) FUZZ_CHECK(std::fabs(out[c][i]) <= 25.0f);
}

MemoryFile::MemoryFile() : fd(memfd_create("fuzz-input", 0))
{
  FUZZ_CHECK(fd >= 0);
  std::snprintf(path, sizeof(path), "/proc/self/fd/%d", fd);
}

MemoryFile::~MemoryFile() { close(fd); }

void MemoryFile::Write(const uint8_t* data, size_t size)
{
  FUZZ_CHECK(ftruncate(fd, 0) == 0);
  FUZZ_CHECK(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
}

Bytes MemoryFile::Read() const
{
  const off_t size = lseek(fd, 0, SEEK_END);
  Bytes bytes(static_cast<size_t>(size > 0 ? size : 0));
  FUZZ_CHECK(pread(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
  return bytes;
}
