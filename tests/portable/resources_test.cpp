#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>

#include "resources/icons.h"

namespace quorvane {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t U16(Bytes bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}

std::uint32_t U32(Bytes bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

TEST(TrayIconFile, HeaderAndItsOneEntry) {
  const Bytes file = TrayIconFile();
  ASSERT_EQ(file.size(), 2238u);
  EXPECT_EQ(U16(file, 0), 0u);   // reserved
  EXPECT_EQ(U16(file, 2), 1u);   // icon
  EXPECT_EQ(U16(file, 4), 1u);   // one image
  EXPECT_EQ(file[6], 32);        // width
  EXPECT_EQ(file[7], 32);        // height
  EXPECT_EQ(file[8], 0);         // colour count
  EXPECT_EQ(file[9], 0);         // reserved
  EXPECT_EQ(U16(file, 10), 1u);  // planes
  EXPECT_EQ(U16(file, 12), 8u);  // bits per pixel
  EXPECT_EQ(U32(file, 14), 2216u);
  EXPECT_EQ(U32(file, 18), 22u);
}

TEST(TrayIconFile, ImageIsA256ColourBitmapWithMask) {
  const Bytes image = TrayIconFile().subspan(22);
  EXPECT_EQ(U32(image, 0), 40u);  // header size
  EXPECT_EQ(U32(image, 4), 32u);
  EXPECT_EQ(U32(image, 8), 64u);  // colour rows and mask rows
  EXPECT_EQ(U16(image, 12), 1u);
  EXPECT_EQ(U16(image, 14), 8u);
  EXPECT_EQ(U32(image, 16), 0u);  // uncompressed
  const std::uint32_t colours = U32(image, 32);
  EXPECT_TRUE(colours == 0 || colours == 256) << colours;
  // 40 + 256 * 4 palette + 32 * 32 colour bytes + 32 * 4 mask bytes
  EXPECT_EQ(image.size(), 40u + 1024 + 1024 + 128);
}

// The padlock stands on a transparent background, and the screen shows through where the mask
// says so only if those pixels are black.
TEST(TrayIconFile, MaskCutsOutThePadlock) {
  const Bytes image = TrayIconFile().subspan(22);
  const Bytes palette = image.subspan(40, 1024);
  const Bytes pixels = image.subspan(40 + 1024, 1024);
  const Bytes mask = image.subspan(40 + 2048, 128);
  int transparent = 0;
  for (int row = 0; row < 32; ++row) {
    for (int x = 0; x < 32; ++x) {
      if ((mask[row * 4 + x / 8] >> (7 - x % 8) & 1) == 0) continue;
      ++transparent;
      const std::size_t colour = pixels[row * 32 + x] * 4;
      EXPECT_EQ(palette[colour] | palette[colour + 1] | palette[colour + 2], 0)
          << "row " << row << " x " << x;
    }
  }
  // Rows are stored bottom up: the first mask row is the bottom one, with the body's corners.
  EXPECT_GT(transparent, 100);
  EXPECT_LT(transparent, 32 * 32 - 300);
  EXPECT_EQ(mask[31 * 4] >> 7, 1) << "top left corner";
}

TEST(MainWindowIconFile, FiveTrueColourImagesFromLargestToSmallest) {
  const Bytes file = MainWindowIconFile();
  ASSERT_GE(file.size(), 6u + 5 * 16);
  EXPECT_EQ(U16(file, 0), 0u);
  EXPECT_EQ(U16(file, 2), 1u);
  ASSERT_EQ(U16(file, 4), 5u);
  std::size_t next = 6 + 5 * 16;  // images follow the directory without gaps
  for (int i = 0; const int size : std::array{128, 64, 48, 32, 16}) {
    SCOPED_TRACE(size);
    const Bytes entry = file.subspan(6 + 16 * i++, 16);
    EXPECT_EQ(entry[0], size);
    EXPECT_EQ(entry[1], size);
    EXPECT_EQ(entry[2], 0);  // colour count
    EXPECT_EQ(U16(entry, 4), 1u);
    EXPECT_EQ(U16(entry, 6), 32u);
    const std::uint32_t length = U32(entry, 8);
    const std::size_t maskStride = (size + 31) / 32 * 4;
    EXPECT_EQ(length, 40u + size * size * 4 + maskStride * size);
    ASSERT_EQ(U32(entry, 12), next);
    ASSERT_LE(next + length, file.size());
    const Bytes image = file.subspan(next, length);
    EXPECT_EQ(U32(image, 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(U32(image, 8), static_cast<std::uint32_t>(size * 2));
    EXPECT_EQ(U16(image, 14), 32u);

    // Transparent corners, an opaque hub in the middle.
    const auto alpha = [&](int x, int y) {
      return image[40 + ((size - 1 - y) * size + x) * 4 + 3];
    };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(size - 1, size - 1), 0);
    EXPECT_EQ(alpha(size / 2, size / 2), 255);
    next += length;
  }
  EXPECT_EQ(next, file.size());
}

}  // namespace
}  // namespace quorvane
