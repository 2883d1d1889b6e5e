#pragma once

#include <clap/stream.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Memory streams as a host hands them to a CLAP plug-in's state extension. Each call moves at
// most `chunk` bytes, as a host writing to a file or a socket may, so the plug-in must loop.
class ClapOutputStream
{
public:
  explicit ClapOutputStream(size_t chunk = SIZE_MAX, bool failing = false);
  const clap_ostream_t* Stream() const { return &stream; }
  const std::vector<uint8_t>& Bytes() const { return bytes; }

private:
  static int64_t Write(const clap_ostream_t* stream, const void* buffer, uint64_t size);
  clap_ostream_t stream;
  std::vector<uint8_t> bytes;
  size_t chunk;
  bool failing;  // every write reports an error
};

class ClapInputStream
{
public:
  // With `failAt`, a read starting there reports an error instead of bytes.
  explicit ClapInputStream(std::vector<uint8_t> bytes, size_t chunk = SIZE_MAX, size_t failAt = SIZE_MAX);
  const clap_istream_t* Stream() const { return &stream; }

private:
  static int64_t Read(const clap_istream_t* stream, void* buffer, uint64_t size);
  clap_istream_t stream;
  std::vector<uint8_t> bytes;
  size_t position = 0;
  size_t chunk;
  size_t failAt;
};
