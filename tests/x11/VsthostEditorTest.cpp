#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "tests/host/SkarvelUnderTest.h"
#include "tests/x11/EditorWindowFixture.h"

namespace {

constexpr int kMargin = 12;  // vsthost's frame around the editor

std::unique_ptr<LICE_MemBitmap> LoadPng(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::unique_ptr<LICE_MemBitmap>(bytes.empty() ? nullptr
                                                       : LoadPngFromMemory(bytes.data(), bytes.size()));
}

}  // namespace

// vsthost run by hand shows the editor in its window and writes what it shows.
TEST_F(EditorWindowTest, VsthostShowsTheEditorInItsWindowAndWritesItsScreenshot)
{
  const std::string png = "/tmp/skarvel-vsthost-" + std::to_string(getpid()) + ".png";
  // vsthost unloads the module at its end, and the C++ runtime linked into the module never
  // frees the exception pool it allocates at load: a sanitized run would count that as a leak.
  const std::string command = "ASAN_OPTIONS=detect_leaks=0 " + std::string(VSTHOST_PATH) + " " +
                              SkarvelPath() + " --editor 0.5 --screenshot " + png + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::unique_ptr<LICE_MemBitmap> shot = LoadPng(png);
  std::remove(png.c_str());
  ASSERT_TRUE(shot);
  ASSERT_EQ(shot->getWidth(), 512 + 2 * kMargin);
  ASSERT_EQ(shot->getHeight(), 480 + 2 * kMargin);

  // vsthost ran a tone through the effect first, so only the level read-out may differ.
  const EditorRect level = ControlRect(PanelLayout::Kind::MaxLevelText, -1);
  const std::vector<uint32_t> want = ReferencePixels();
  size_t frame = 0, editorArea = 0;
  for (int y = 0; y < shot->getHeight(); ++y)
    for (int x = 0; x < shot->getWidth(); ++x) {
      const uint32_t got = LICE_Row(shot.get(), y)[x] & 0xFFFFFFu;
      const int ex = x - kMargin, ey = y - kMargin;
      if (ex < 0 || ey < 0 || ex >= 512 || ey >= 480)
        frame += got != 0x303030u;
      else if (!level.Contains(ex, ey))
        editorArea += got != want[static_cast<size_t>(ey) * 512 + ex];
    }
  EXPECT_EQ(frame, 0u);
  EXPECT_EQ(editorArea, 0u);
}
