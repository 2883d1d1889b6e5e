#include "plug/vst3/VST3Stream.h"

namespace VST3Stream {

bool ReadAll(v3_bstream** stream, ByteChunk& chunk)
{
  if (!stream || !*stream) return false;
  unsigned char buffer[4096];
  for (;;) {
    int32_t got = 0;
    if (v3_cpp_obj(stream)->read(stream, buffer, sizeof buffer, &got) != V3_OK) return false;
    if (got <= 0) return true;
    if (got > static_cast<int32_t>(sizeof buffer) || chunk.Size() + got > kMaxStateBytes) return false;
    chunk.PutBytes(buffer, got);
  }
}

bool WriteAll(v3_bstream** stream, const ByteChunk& chunk)
{
  if (!stream || !*stream) return false;
  int32_t written = 0;
  void* data = const_cast<unsigned char*>(chunk.Data());
  return v3_cpp_obj(stream)->write(stream, data, chunk.Size(), &written) == V3_OK && written == chunk.Size();
}

}  // namespace VST3Stream
