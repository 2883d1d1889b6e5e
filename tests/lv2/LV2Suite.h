#pragma once

#include <lv2/atom/atom.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/host/EffectScenarios.h"
#include "tests/host/SkarvelLV2UnderTest.h"

// What the suite's tests share: a test signal, and the plug-in's state as a host holds it,
// one property with the program chunk (the state header, then every value as a double).
namespace LV2Suite {

using Bytes = std::vector<unsigned char>;
constexpr int kBlock = 256;

inline FloatBuffers Noise(int frames, uint32_t seed)
{
  FloatBuffers block(2, std::vector<float>(static_cast<size_t>(frames)));
  EffectScenarios::NoiseInput(seed).Fill(block, frames);
  return block;
}

inline Bytes ProgramChunk(const std::vector<double>& values)
{
  Bytes b = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  b.resize(8 + 8 * values.size());
  std::memcpy(&b[8], values.data(), 8 * values.size());
  return b;
}

inline LV2State ChunkState(const Bytes& chunk, const char* type = LV2_ATOM__Chunk)
{
  return {{LV2Identity::kStateKey, {type, 0, chunk}}};
}

// The values of the state's program chunk; empty when it holds none.
inline std::vector<double> ChunkValues(const LV2State& state)
{
  const auto found = state.find(LV2Identity::kStateKey);
  if (found == state.end() || found->second.bytes.size() != 8 + 8 * kNumParams) return {};
  std::vector<double> values(kNumParams);
  std::memcpy(values.data(), &found->second.bytes[8], 8 * values.size());
  return values;
}

}  // namespace LV2Suite
