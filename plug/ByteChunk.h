#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

// A growable byte array. Numbers are appended and read in the machine's little-endian
// order. Every read checks the remaining size: a short read answers -1 as the new position.
class ByteChunk
{
public:
  int Size() const { return static_cast<int>(bytes.size()); }
  const unsigned char* Data() const { return bytes.data(); }
  unsigned char* Data() { return bytes.data(); }
  void Clear() { bytes.clear(); }
  void Resize(int n) { bytes.resize(n > 0 ? static_cast<size_t>(n) : 0); }

  void PutBytes(const void* src, int n)
  {
    if (n <= 0) return;
    const unsigned char* p = static_cast<const unsigned char*>(src);
    bytes.insert(bytes.end(), p, p + n);
  }

  template <typename T> void Put(const T& v) { PutBytes(&v, sizeof(T)); }

  // Reads n bytes at pos into dst; returns the next position, or -1 when fewer remain.
  int GetBytes(void* dst, int n, int pos) const
  {
    if (pos < 0 || n < 0 || pos > Size() || Size() - pos < n) return -1;
    if (n > 0) std::memcpy(dst, bytes.data() + pos, static_cast<size_t>(n));
    return pos + n;
  }

  template <typename T> int Get(T& v, int pos) const { return GetBytes(&v, sizeof(T), pos); }

  bool operator==(const ByteChunk& o) const { return bytes == o.bytes; }

private:
  std::vector<unsigned char> bytes;
};
