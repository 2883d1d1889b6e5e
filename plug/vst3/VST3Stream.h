#pragma once

#include "bstream.h"

#include "plug/ByteChunk.h"

// A host's stream to and from a chunk, for the plug-in's state.
namespace VST3Stream {
// The chunk never gets bigger than this: a state is a few kilobytes, and a hostile stream
// that never ends must not take the host's memory.
constexpr int kMaxStateBytes = 1 << 20;

// Reads the stream from its position to its end; false when it fails or holds too much.
bool ReadAll(v3_bstream** stream, ByteChunk& chunk);
// Writes the whole chunk; false when the stream takes less.
bool WriteAll(v3_bstream** stream, const ByteChunk& chunk);
}  // namespace VST3Stream
