#include "tests/host/ClapStreams.h"

#include <algorithm>
#include <cstring>

ClapOutputStream::ClapOutputStream(size_t chunk, bool failing)
    : stream{this, Write}, chunk(chunk), failing(failing)
{}

int64_t ClapOutputStream::Write(const clap_ostream_t* s, const void* buffer, uint64_t size)
{
  auto* self = static_cast<ClapOutputStream*>(s->ctx);
  if (self->failing) return -1;
  const size_t n = static_cast<size_t>(std::min<uint64_t>(size, self->chunk));
  const auto* p = static_cast<const uint8_t*>(buffer);
  self->bytes.insert(self->bytes.end(), p, p + n);
  return static_cast<int64_t>(n);
}

ClapInputStream::ClapInputStream(std::vector<uint8_t> data, size_t chunk, size_t failAt)
    : stream{this, Read}, bytes(std::move(data)), chunk(chunk), failAt(failAt)
{}

int64_t ClapInputStream::Read(const clap_istream_t* s, void* buffer, uint64_t size)
{
  auto* self = static_cast<ClapInputStream*>(s->ctx);
  if (self->position >= self->failAt) return -1;
  const size_t n =
    static_cast<size_t>(std::min<uint64_t>({size, self->chunk, self->bytes.size() - self->position}));
  if (n) std::memcpy(buffer, self->bytes.data() + self->position, n);
  self->position += n;
  return static_cast<int64_t>(n);
}
