#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "plug/vst2/aeffect.h"

class Skarvel;

// A broken invariant is a finding: report it and abort so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                \
  do {                                                                                                       \
    if (!(condition)) {                                                                                      \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                    \
      std::abort();                                                                                          \
    }                                                                                                        \
  } while (0)

using Bytes = std::vector<unsigned char>;

// One effect created and started the way a host does it, driven only through its AEffect.
class FuzzEffect
{
public:
  FuzzEffect();
  ~FuzzEffect();
  FuzzEffect(const FuzzEffect&) = delete;
  FuzzEffect& operator=(const FuzzEffect&) = delete;

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  Skarvel& Plug();

  // The chunk effGetChunk hands out, copied; empty when it answers 0.
  Bytes GetChunk(bool program);
  VstIntPtr SetChunk(bool program, const Bytes& bytes);

  // Every parameter readable, finite and inside 0..1; every display and program name a
  // terminated text inside its field.
  void CheckState();
  // One block of a fixed signal comes out finite and inside the output clamp.
  void CheckProcessing();

  static constexpr int kBlock = 64;

private:
  AEffect* effect;
};

// The input as a file that the preset-file code can open by name; rewritten per input.
class MemoryFile
{
public:
  MemoryFile();
  ~MemoryFile();
  void Write(const uint8_t* data, size_t size);
  Bytes Read() const;
  const char* Path() const { return path; }

private:
  int fd;
  char path[64];
};
