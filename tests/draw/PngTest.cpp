#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "draw/PngPlainRgba.h"

namespace {
struct Header
{
  int width, height, depth, colour;
};

void Append(png_structp png, png_bytep data, png_size_t n)
{
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// Encodes rows (already in the file's sample layout) with libpng's writer, with its choice of
// row filters or the one filter given (PNG_FILTER_NONE, _SUB, ...).
std::vector<unsigned char> Encode(const Header& h, const std::vector<std::vector<unsigned char>>& rows,
                                  const std::vector<png_color>& palette = {},
                                  const std::vector<png_byte>& trns = {}, int filter = 0)
{
  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_IHDR(png, info, h.width, h.height, h.depth, h.colour, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  if (!trns.empty()) png_set_tRNS(png, info, trns.data(), int(trns.size()), nullptr);
  if (filter) png_set_filter(png, PNG_FILTER_TYPE_BASE, filter);
  png_write_info(png, info);
  for (const auto& r : rows) png_write_row(png, r.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// The PNG with its image data spread over IDAT chunks of at most n bytes.
std::vector<unsigned char> SplitImageData(const std::vector<unsigned char>& png, size_t n)
{
  std::vector<unsigned char> out(png.begin(), png.begin() + 8);
  auto put32 = [&](uLong v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
  };
  for (size_t pos = 8; pos + 12 <= png.size();) {
    const size_t length =
      (size_t(png[pos]) << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
    const unsigned char* type = &png[pos + 4];
    if (std::memcmp(type, "IDAT", 4) != 0) {
      out.insert(out.end(), png.begin() + long(pos), png.begin() + long(pos + 12 + length));
    } else {
      for (size_t at = 0; at < length; at += n) {
        const size_t piece = std::min(n, length - at);
        put32(piece);
        const size_t start = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), type + 4 + at, type + 4 + at + piece);
        put32(crc32(crc32(0L, Z_NULL, 0), &out[start], uInt(4 + piece)));
      }
    }
    pos += 12 + length;
  }
  return out;
}

std::unique_ptr<LICE_MemBitmap> Load(const std::vector<unsigned char>& bytes)
{
  return std::unique_ptr<LICE_MemBitmap>(LoadPngFromMemory(bytes.data(), bytes.size()));
}

LICE_pixel At(LICE_MemBitmap& bm, int x, int y) { return LICE_Row(&bm, y)[x]; }
}  // namespace

TEST(PngFailures, SignatureOnlyFailsWithoutLeaking)
{
  const unsigned char eight[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(LoadPngFromMemory(eight, sizeof eight), nullptr);
}

TEST(PngFailures, ShortBadOrCorruptInput)
{
  const unsigned char seven[7] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A};
  EXPECT_EQ(LoadPngFromMemory(seven, sizeof seven), nullptr);
  EXPECT_EQ(LoadPngFromMemory(nullptr, 100), nullptr);
  const unsigned char notPng[16] = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_EQ(LoadPngFromMemory(notPng, sizeof notPng), nullptr);

  for (int channels : {3, 4}) {  // RGBA has a decoder of its own
    std::vector<std::vector<unsigned char>> rows(8, std::vector<unsigned char>(8 * channels, 0x55));
    const std::vector<unsigned char> good =
      Encode({8, 8, 8, channels == 3 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA}, rows);
    ASSERT_NE(Load(good), nullptr);
    std::vector<unsigned char> truncated(good.begin(), good.begin() + long(good.size()) / 2);
    EXPECT_EQ(Load(truncated), nullptr) << channels;
    std::vector<unsigned char> flipped = good;
    flipped[good.size() / 2] ^= 0xFF;  // inside the image data: the checksum fails
    EXPECT_EQ(Load(flipped), nullptr) << channels;
    std::vector<unsigned char> noEnd(good.begin(), good.end() - 12);  // without IEND: still whole
    EXPECT_NE(Load(noEnd), nullptr) << channels;
    std::vector<unsigned char> badName = good;  // an empty chunk whose type is not four letters
    unsigned char chunk[12] = {0, 0, 0, 0, 't', '|', 'X', 't'};
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), chunk + 4, 4);
    for (int i = 0; i < 4; ++i) chunk[8 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
    badName.insert(badName.begin() + 33, chunk, chunk + 12);
    EXPECT_EQ(Load(badName), nullptr) << channels;
  }
}

// Rows are decoded as they are asked for; damage found further down ends the decoding there,
// and the rows below become transparent black.
TEST(PngFailures, DamageFoundLaterLeavesTheRowsBelowTransparent)
{
  auto sample = [](int x, int y, int c) {
    return (x * 97 + y * 57 + c * 31 + x * y * 11 + y * y * c) & 0xFF;
  };
  std::vector<std::vector<unsigned char>> rows(64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 8; ++x)
      for (int c = 0; c < 4; ++c) rows[y].push_back(static_cast<unsigned char>(sample(x, y, c)));
  const std::vector<unsigned char> good = SplitImageData(Encode({8, 64, 8, PNG_COLOR_TYPE_RGBA}, rows), 16);
  auto whole = Load(good);
  ASSERT_NE(whole, nullptr);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(At(*whole, x, y),
                LICE_RGBA(sample(x, y, 0), sample(x, y, 1), sample(x, y, 2), sample(x, y, 3)));

  std::vector<unsigned char> damaged = good;
  const size_t lastImageData = std::string(damaged.begin(), damaged.end()).rfind("IDAT") + 4;
  damaged[lastImageData] ^= 0x40;
  EXPECT_EQ(Load(damaged), nullptr);
  std::unique_ptr<PlainRgbaPngDecoder> d = PlainRgbaPngDecoder::Start(damaged.data(), damaged.size());
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(d->DecodeRows(2));
  EXPECT_EQ(At(d->Bitmap(), 7, 1),
            LICE_RGBA(sample(7, 1, 0), sample(7, 1, 1), sample(7, 1, 2), sample(7, 1, 3)));
  EXPECT_FALSE(d->DecodeRows(64));
  EXPECT_FALSE(d->DecodeRows(3)) << "a fault stays";
  const int decoded = d->RowsDecoded();
  EXPECT_GE(decoded, 2);
  EXPECT_LT(decoded, 64);
  for (int y = decoded; y < 64; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(d->Bitmap(), x, y), 0u) << x << "," << y;
}

TEST(PngFailures, TheHeaderAloneGivesTheSizeOrNothing)
{
  std::vector<std::vector<unsigned char>> rows(3, std::vector<unsigned char>(5 * 3, 0x55));
  const std::vector<unsigned char> good = Encode({5, 3, 8, PNG_COLOR_TYPE_RGB}, rows);
  int w = 0, h = 0;
  ASSERT_TRUE(ReadPngSize(good.data(), 24, w, h));
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 3);
  EXPECT_FALSE(ReadPngSize(good.data(), 23, w, h));
  EXPECT_FALSE(ReadPngSize(nullptr, 24, w, h));
  std::vector<unsigned char> other = good;
  other[12] = 'i';  // the first chunk is not the header
  EXPECT_FALSE(ReadPngSize(other.data(), other.size(), w, h));
  other = good;
  other[16] = other[17] = other[18] = other[19] = 0;  // zero width
  EXPECT_FALSE(ReadPngSize(other.data(), other.size(), w, h));
  other = good;
  other[20] = 0x80;  // a height beyond what the decoder accepts
  EXPECT_FALSE(ReadPngSize(other.data(), other.size(), w, h));
  EXPECT_EQ(w, 5) << "a failed read leaves the size alone";
}

TEST(PngFormats, RgbGetsOpaqueAlpha)
{
  std::vector<std::vector<unsigned char>> rows = {{10, 20, 30, 40, 50, 60, 70, 80, 90}};
  auto bm = Load(Encode({3, 1, 8, PNG_COLOR_TYPE_RGB}, rows));
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(bm->getWidth(), 3);
  EXPECT_EQ(bm->getHeight(), 1);
  EXPECT_EQ(At(*bm, 0, 0), LICE_RGBA(10, 20, 30, 255));
  EXPECT_EQ(At(*bm, 2, 0), LICE_RGBA(70, 80, 90, 255));
}

TEST(PngFormats, RgbaKeepsColourUnpremultiplied)
{
  std::vector<std::vector<unsigned char>> rows = {{200, 100, 50, 0, 1, 2, 3, 128}};
  auto bm = Load(Encode({2, 1, 8, PNG_COLOR_TYPE_RGBA}, rows));
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(At(*bm, 0, 0), LICE_RGBA(200, 100, 50, 0));
  EXPECT_EQ(At(*bm, 1, 0), LICE_RGBA(1, 2, 3, 128));
}

// Each row filter undone, on rows the bitmap pads (5 pixels) and rows it does not (8).
TEST(PngFormats, RgbaRowsOfEveryFilterType)
{
  for (int w : {5, 8})
    for (int filter : {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH}) {
      auto sample = [](int x, int y, int c) {
        return (x * 67 + y * 151 + c * 29 + x * y * (c + 3) * 13) & 0xFF;
      };
      std::vector<std::vector<unsigned char>> rows(7);
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < w; ++x)
          for (int c = 0; c < 4; ++c) rows[y].push_back(static_cast<unsigned char>(sample(x, y, c)));
      auto bm = Load(Encode({w, 7, 8, PNG_COLOR_TYPE_RGBA}, rows, {}, {}, filter));
      ASSERT_NE(bm, nullptr) << w << " " << filter;
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(At(*bm, x, y),
                    LICE_RGBA(sample(x, y, 0), sample(x, y, 1), sample(x, y, 2), sample(x, y, 3)))
            << w << " " << filter << " " << x << "," << y;
    }
}

TEST(PngFormats, PaletteWithTransparencyGivesPerPixelAlpha)
{
  const std::vector<png_color> palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  const std::vector<png_byte> trns = {0, 128};              // the third entry stays opaque
  std::vector<std::vector<unsigned char>> rows = {{0x06}};  // 2-bit indices 0, 0, 1, 2
  auto bm = Load(Encode({4, 1, 2, PNG_COLOR_TYPE_PALETTE}, rows, palette, trns));
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(At(*bm, 0, 0), LICE_RGBA(255, 0, 0, 0));
  EXPECT_EQ(At(*bm, 2, 0), LICE_RGBA(0, 255, 0, 128));
  EXPECT_EQ(At(*bm, 3, 0), LICE_RGBA(0, 0, 255, 255));
}

TEST(PngFormats, SixteenBitGreyKeepsTheHighByte)
{
  std::vector<std::vector<unsigned char>> rows = {{0x12, 0xFF, 0xAB, 0x01}};
  auto bm = Load(Encode({2, 1, 16, PNG_COLOR_TYPE_GRAY}, rows));
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(At(*bm, 0, 0), LICE_RGBA(0x12, 0x12, 0x12, 255));
  EXPECT_EQ(At(*bm, 1, 0), LICE_RGBA(0xAB, 0xAB, 0xAB, 255));
}

TEST(PngFormats, LowDepthGreyAndGreyAlpha)
{
  auto grey = Load(Encode({8, 1, 1, PNG_COLOR_TYPE_GRAY}, {{0x81}}));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(At(*grey, 0, 0), LICE_RGBA(255, 255, 255, 255));
  EXPECT_EQ(At(*grey, 1, 0), LICE_RGBA(0, 0, 0, 255));
  EXPECT_EQ(At(*grey, 7, 0), LICE_RGBA(255, 255, 255, 255));
  auto greyAlpha = Load(Encode({1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA}, {{77, 33}}));
  ASSERT_NE(greyAlpha, nullptr);
  EXPECT_EQ(At(*greyAlpha, 0, 0), LICE_RGBA(77, 77, 77, 33));
}

TEST(PngWriter, RoundTripsThroughTheLoader)
{
  LICE_MemBitmap bm(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) LICE_Row(&bm, y)[x] = LICE_RGBA(x * 80, y * 90, 7, 100 + x + y);
  const std::string path = std::string(DRAW_TEST_OUTPUT) + "/roundtrip.png";
  ASSERT_TRUE(WritePng(path.c_str(), &bm));
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<unsigned char> bytes(4096);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  auto back = Load(bytes);
  ASSERT_NE(back, nullptr);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(*back, x, y), LICE_Row(&bm, y)[x]);
  EXPECT_FALSE(WritePng("/nonexistent-folder/x.png", &bm));
  LICE_MemBitmap empty;
  EXPECT_FALSE(WritePng(path.c_str(), &empty));
}
