#include "draw/PngPlainRgba.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "draw/LICE_MemBitmap.h"

namespace {
constexpr unsigned char kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
constexpr size_t kHeaderEnd = 8 + 4 + 4 + 13 + 4;  // signature, IHDR length, type, data, CRC
constexpr uint32_t kLargestSide = 1000000;
constexpr uint32_t kLargestChunk = 0x7FFFFFFF;

uint32_t BigEndian(const unsigned char* p)
{
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// A chunk type is four ASCII letters.
bool IsChunkType(const unsigned char* t)
{
  for (int i = 0; i < 4; ++i)
    if (!((t[i] >= 'A' && t[i] <= 'Z') || (t[i] >= 'a' && t[i] <= 'z'))) return false;
  return true;
}

// The chunk at p (length, type, data, CRC) has the CRC of its type and data.
bool CrcMatches(const unsigned char* p, uint32_t length)
{
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), p + 4, 4 + length);
  return crc == BigEndian(p + 8 + length);
}

// Of left a, above b and upper left c, the one nearest to a + b - c, in that order of preference.
int Paeth(int a, int b, int c)
{
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// One row of RGBA bytes with filter type F (0 none, 1 sub, 2 up, 3 average, 4 Paeth) into
// B, G, R, A bytes; up is the previous row's result, absent (zeros) for the first row. Each
// pixel's bytes are read before its result is written.
template <int F, bool kHasUp>
void UnfilterRow(const unsigned char* in, unsigned char* out, const unsigned char* up, size_t rowBytes)
{
  static constexpr int kAt[4] = {2, 1, 0, 3};  // where R, G, B, A go in a pixel word
  int left[4] = {0, 0, 0, 0}, upLeft[4] = {0, 0, 0, 0};
  for (size_t x = 0; x < rowBytes; x += 4) {
    unsigned char raw[4];
    std::memcpy(raw, in + x, 4);
    for (int k = 0; k < 4; ++k) {
      const int a = left[k], b = kHasUp ? up[x + kAt[k]] : 0, c = upLeft[k];
      const int predicted = F == 1 ? a : F == 2 ? b : F == 3 ? (a + b) >> 1 : F == 4 ? Paeth(a, b, c) : 0;
      left[k] = (raw[k] + predicted) & 0xFF;
      upLeft[k] = b;
    }
    for (int k = 0; k < 4; ++k) out[x + kAt[k]] = static_cast<unsigned char>(left[k]);
  }
}

template <bool kHasUp>
bool UnfilterRowOfType(int filter, const unsigned char* in, unsigned char* out, const unsigned char* up,
                       size_t rowBytes)
{
  switch (filter) {
    case 0: UnfilterRow<0, kHasUp>(in, out, up, rowBytes); return true;
    case 1: UnfilterRow<1, kHasUp>(in, out, up, rowBytes); return true;
    case 2: UnfilterRow<2, kHasUp>(in, out, up, rowBytes); return true;
    case 3: UnfilterRow<3, kHasUp>(in, out, up, rowBytes); return true;
    case 4: UnfilterRow<4, kHasUp>(in, out, up, rowBytes); return true;
    default: return false;
  }
}

}  // namespace

bool IsPlainRgbaPng(const unsigned char* b, size_t length)
{
  if (!b || length < kHeaderEnd || std::memcmp(b, kSignature, 8) != 0) return false;
  if (BigEndian(b + 8) != 13 || std::memcmp(b + 12, "IHDR", 4) != 0) return false;
  const uint32_t w = BigEndian(b + 16), h = BigEndian(b + 20);
  const bool sized = w >= 1 && h >= 1 && w <= kLargestSide && h <= kLargestSide;
  // Depth 8, colour type 6 (RGBA), compression 0, filter method 0, no interlacing.
  return sized && b[24] == 8 && b[25] == 6 && b[26] == 0 && b[27] == 0 && b[28] == 0;
}

std::unique_ptr<PlainRgbaPngDecoder> PlainRgbaPngDecoder::Start(const unsigned char* b, size_t length)
{
  if (!IsPlainRgbaPng(b, length) || !CrcMatches(b + 8, 13)) return nullptr;
  const uint32_t w = BigEndian(b + 16), h = BigEndian(b + 20);
  // Room for the filtered rows behind the pixels (rows are padded by at most 3 pixels); more
  // than a bitmap may take (in a 32-bit build) fails.
  const unsigned long long room = (w * 4ULL + 1 + 12) * h;
  if (room > 0x7FFFFFFFULL) return nullptr;
  std::unique_ptr<PlainRgbaPngDecoder> d(new (std::nothrow) PlainRgbaPngDecoder);
  if (!d) return nullptr;
  d->bytes = b;
  d->length = length;
  d->pos = kHeaderEnd;
  d->rowBytes = size_t(w) * 4;
  d->bitmap.reset(new (std::nothrow) LICE_MemBitmap(int(w), int(h), size_t(room)));
  LICE_MemBitmap* bm = d->bitmap.get();
  if (!bm || bm->getWidth() != int(w) || bm->getHeight() != int(h)) return nullptr;
  d->span = size_t(bm->getRowSpan()) * 4;
  d->lead = d->span > d->rowBytes + 1 ? (h - 1) * (d->span - d->rowBytes - 1) : 0;
  if (bm->AllocatedBytes() < d->lead + (d->rowBytes + 1) * h) return nullptr;
  d->stream.reset(new (std::nothrow) z_stream{});
  if (!d->stream || inflateInit(d->stream.get()) != Z_OK) {
    d->stream.reset();
    return nullptr;
  }
#if ZLIB_VERNUM >= 0x1290
  // Every chunk's CRC is checked, and covers the same bytes; the stream's own checksum on top
  // of it costs a tenth of the decoding time.
  inflateValidate(d->stream.get(), 0);
#endif
  d->stream->next_out = d->Pixels() + d->lead;
  return d;
}

PlainRgbaPngDecoder::~PlainRgbaPngDecoder() { EndStream(); }

unsigned char* PlainRgbaPngDecoder::Pixels() { return reinterpret_cast<unsigned char*>(bitmap->getBits()); }

bool PlainRgbaPngDecoder::DecodeRows(int rows)
{
  rows = rows < bitmap->getHeight() ? rows : bitmap->getHeight();
  if (failed) return false;
  if (rows <= rowsDone) return true;
  const size_t filtered = size_t(rows) * (rowBytes + 1);
  const size_t inflated = size_t(stream->next_out - (Pixels() + lead));
  if (inflated < filtered) {
    stream->avail_out = static_cast<uInt>(filtered - inflated);
    if (!Inflate()) return Fail();
  }
  for (; rowsDone < rows; ++rowsDone) {
    const unsigned char* in = Pixels() + lead + size_t(rowsDone) * (rowBytes + 1);
    unsigned char* out = Pixels() + size_t(rowsDone) * span;
    const bool done = rowsDone ? UnfilterRowOfType<true>(in[0], in + 1, out, out - span, rowBytes)
                               : UnfilterRowOfType<false>(in[0], in + 1, out, nullptr, rowBytes);
    if (!done) return Fail();
  }
  if (rowsDone == bitmap->getHeight()) EndStream();
  return true;
}

// Undoing row y's filters writes its result below the start of row y + 1's filtered data (lead
// is large enough), so rows inflated ahead stay intact.
bool PlainRgbaPngDecoder::Inflate()
{
  while (stream->avail_out > 0) {
    if (stream->avail_in == 0) {
      if (!NextImageData()) return false;
      continue;
    }
    const int r = inflate(stream.get(), Z_NO_FLUSH);
    if (stream->avail_out == 0) return true;
    if (r != Z_OK || stream->avail_in > 0) return false;  // corrupt, or ended short
  }
  return true;
}

bool PlainRgbaPngDecoder::NextImageData()
{
  while (length - pos >= 12) {
    const unsigned char* chunk = bytes + pos;
    const uint32_t n = BigEndian(chunk);
    if (n > kLargestChunk || n > length - pos - 12) return false;
    if (!IsChunkType(chunk + 4)) return false;
    const bool idat = std::memcmp(chunk + 4, "IDAT", 4) == 0;
    const bool critical = !(chunk[4] & 0x20);
    if (!idat && (inImageData || (critical && std::memcmp(chunk + 4, "PLTE", 4) != 0))) return false;
    if (critical && !CrcMatches(chunk, n)) return false;
    pos += 12 + size_t(n);
    if (idat) {
      inImageData = true;
      stream->next_in = const_cast<unsigned char*>(chunk + 8);
      stream->avail_in = n;
      return true;
    }
  }
  return false;
}

bool PlainRgbaPngDecoder::Fail()
{
  failed = true;
  EndStream();
  const int h = bitmap->getHeight();
  std::memset(Pixels() + size_t(rowsDone) * span, 0, size_t(h - rowsDone) * span);
  return false;
}

void PlainRgbaPngDecoder::EndStream()
{
  if (stream) inflateEnd(stream.get());
  stream.reset();
}

LICE_MemBitmap* DecodePlainRgbaPng(const unsigned char* b, size_t length)
{
  std::unique_ptr<PlainRgbaPngDecoder> d = PlainRgbaPngDecoder::Start(b, length);
  if (!d || !d->DecodeRows(d->Bitmap().getHeight())) return nullptr;
  return d->bitmap.release();
}
