#include "ui/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <vector>

#include "resources/icons.h"

namespace quorvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, std::size_t at, std::uint32_t v) {
  out[at] = v & 0xFF;
  out[at + 1] = v >> 8 & 0xFF;
}

void PutU32(Bytes& out, std::size_t at, std::uint32_t v) {
  PutU16(out, at, v & 0xFFFF);
  PutU16(out, at + 2, v >> 16);
}

// The fields of a bitmap image of an icon; the image is made exactly as long as
// they ask for.
struct BitmapLayout {
  int width = 16;
  int storedHeight = 32;  // colour rows and mask rows together
  int bitsPerPixel = 32;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  int masks = 0;  // colour masks after the header
};

int Stride(int pixels, int bits) {
  return (pixels * bits + 31) / 32 * 4;
}

// Negative sizes get the data of their positive counterparts, so only the sign is wrong.
Bytes Bitmap(const BitmapLayout& layout) {
  const int width = std::abs(layout.width);
  const int rows = std::abs(layout.storedHeight) / 2;
  const int palette = layout.bitsPerPixel <= 8 && layout.coloursUsed == 0 ? 1 << layout.bitsPerPixel
                                                                          : layout.coloursUsed;
  Bytes image(40 + 4 * layout.masks + 4 * palette +
              (Stride(width, layout.bitsPerPixel) + Stride(width, 1)) * rows);
  PutU32(image, 0, 40);
  PutU32(image, 4, layout.width);
  PutU32(image, 8, layout.storedHeight);
  PutU16(image, 12, 1);
  PutU16(image, 14, layout.bitsPerPixel);
  PutU32(image, 16, layout.compression);
  PutU32(image, 32, layout.coloursUsed);
  return image;
}

Bytes Png(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colourType) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t v : {width, height}) {
    for (int shift : {24, 16, 8, 0}) png.push_back(v >> shift & 0xFF);
  }
  png.insert(png.end(), {depth, colourType, 0, 0, 0});
  png.insert(png.end(), 4 + 12, 0);  // the chunk's CRC and an empty IEND
  return png;
}

struct EntrySpec {
  std::uint8_t width;
  std::uint8_t colourCount;
  Bytes image;
};

constexpr std::size_t kHeader = 6;

// An icon file with the images one after the other behind the directory.
Bytes IconFile(const std::vector<EntrySpec>& entries, std::uint16_t type = 1) {
  Bytes file(kHeader + 16 * entries.size());
  PutU16(file, 2, type);
  PutU16(file, 4, entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t at = kHeader + 16 * i;
    file[at] = file[at + 1] = entries[i].width;
    file[at + 2] = entries[i].colourCount;
    PutU16(file, at + 4, 1);
    PutU16(file, at + 6, 32);
    PutU32(file, at + 8, entries[i].image.size());
    PutU32(file, at + 12, file.size());
    file.insert(file.end(), entries[i].image.begin(), entries[i].image.end());
  }
  return file;
}

std::size_t ImageOffset(const Bytes& file, std::size_t entry) {
  const std::size_t at = kHeader + 16 * entry + 12;
  return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
}

Bytes SimpleIcon() {
  return IconFile({{16, 0, Bitmap({})}});
}

// ---- the program's own icons
// -----------------------------------------------------------------

TEST(IconFileOwnData, MainWindowIconGivesItsLast16PixelImageForBothSizes) {
  const std::span<const std::uint8_t> file = MainWindowIconFile();
  for (IconSize size : {IconSize::kSmall, IconSize::kLarge}) {
    const std::optional<IconImage> image = ChooseIconImage(file, size);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 16);
    EXPECT_EQ(image->bitsPerPixel, 32);
    EXPECT_EQ(image->bytes.data() + image->bytes.size(), file.data() + file.size());
  }
}

TEST(IconFileOwnData, TrayIconGivesItsOnly32PixelImageForBothSizes) {
  const std::span<const std::uint8_t> file = TrayIconFile();
  for (IconSize size : {IconSize::kSmall, IconSize::kLarge}) {
    const std::optional<IconImage> image = ChooseIconImage(file, size);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->bitsPerPixel, 8);
    EXPECT_EQ(image->bytes.data(), file.data() + 22);
    EXPECT_EQ(image->bytes.size(), 2216u);
  }
}

TEST(IconFileOwnData, EveryShortenedTrayIconGivesNothing) {
  const std::span<const std::uint8_t> file = TrayIconFile();
  for (std::size_t length = 0; length < file.size(); ++length) {
    EXPECT_FALSE(ChooseIconImage(file.first(length), IconSize::kSmall)) << length;
  }
}

// ---- which entry is taken
// --------------------------------------------------------------------

struct ChoiceCase {
  const char* name;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> entries;  // width, colour count
  IconSize size;
  std::size_t chosen;
  friend void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }
};

class IconEntryChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(IconEntryChoice, TakesTheFirstMatchingEntryElseTheLast) {
  std::vector<EntrySpec> entries;
  int width = 8;  // every image its own width, so the result tells which one was taken
  for (auto [entryWidth, colourCount] : GetParam().entries) {
    entries.push_back({entryWidth, colourCount, Bitmap({.width = width++})});
  }
  const Bytes file = IconFile(entries);
  const std::optional<IconImage> image = ChooseIconImage(file, GetParam().size);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bytes.data(), file.data() + ImageOffset(file, GetParam().chosen));
  EXPECT_EQ(image->width, 8 + static_cast<int>(GetParam().chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IconEntryChoice,
    testing::Values(
        ChoiceCase{
            "SmallSixteenWithSixteenColours", {{32, 16}, {16, 16}, {48, 0}}, IconSize::kSmall, 1},
        ChoiceCase{
            "LargeThirtyTwoWithSixteenColours", {{16, 16}, {32, 16}, {48, 0}}, IconSize::kLarge, 1},
        ChoiceCase{"FirstOfTwoMatches", {{16, 255}, {16, 16}}, IconSize::kSmall, 0},
        ChoiceCase{"FifteenColoursAreTooFew", {{16, 15}, {32, 15}, {24, 0}}, IconSize::kSmall, 2},
        ChoiceCase{"ColourCountZeroMeansTrueColourYetNeverMatches",
                   {{16, 0}, {32, 0}},
                   IconSize::kSmall,
                   1},
        ChoiceCase{"WidthMustBeExact", {{17, 16}, {31, 16}, {64, 16}}, IconSize::kLarge, 2},
        ChoiceCase{"SmallIgnoresThirtyTwo", {{32, 16}, {48, 16}}, IconSize::kSmall, 1},
        ChoiceCase{"LargeIgnoresSixteen", {{16, 16}, {48, 16}}, IconSize::kLarge, 1},
        ChoiceCase{"OnlyEntry", {{48, 0}}, IconSize::kLarge, 0}),
    [](const auto& info) { return info.param.name; });

// ---- the header and the directory
// ------------------------------------------------------------

TEST(IconFileHeader, CursorFilesAreReadLikeIcons) {
  const Bytes file = IconFile({{16, 0, Bitmap({})}}, 2);
  EXPECT_TRUE(ChooseIconImage(file, IconSize::kSmall));
}

TEST(IconFileHeader, MalformedHeadersGiveNothing) {
  struct Case {
    const char* name;
    std::size_t at;
    std::uint16_t value;
  };
  for (const Case& c : {Case{"reserved not 0", 0, 1}, Case{"type 0", 2, 0}, Case{"type 3", 2, 3},
                        Case{"bitmap file signature", 0, 0x4D42}, Case{"count 0", 4, 0}}) {
    Bytes file = SimpleIcon();
    PutU16(file, c.at, c.value);
    EXPECT_FALSE(ChooseIconImage(file, IconSize::kSmall)) << c.name;
  }
}

TEST(IconFileHeader, ShortBytesGiveNothing) {
  EXPECT_FALSE(ChooseIconImage({}, IconSize::kSmall));
  const Bytes header = {0, 0, 1, 0, 1};
  EXPECT_FALSE(ChooseIconImage(header, IconSize::kSmall));
}

TEST(IconFileHeader, DirectoryLongerThanTheFileGivesNothing) {
  // The first entry matches and its image is whole, yet the count claims more entries than
  // the file can hold.
  Bytes file = IconFile({{16, 16, Bitmap({})}});
  PutU16(file, 4, 0xFFFF);
  EXPECT_FALSE(ChooseIconImage(file, IconSize::kSmall));
  const Bytes shortDirectory(file.begin(), file.begin() + 6 + 15);
  EXPECT_FALSE(ChooseIconImage(shortDirectory, IconSize::kSmall));
}

TEST(IconFileHeader, AllEntriesMayBeRead) {
  std::vector<EntrySpec> entries(200, EntrySpec{48, 0, Bitmap({})});
  EXPECT_TRUE(ChooseIconImage(IconFile(entries), IconSize::kSmall));
}

// ---- where the image lies
// --------------------------------------------------------------------

TEST(IconFileImagePlace, ImageMustLieInsideTheFile) {
  const Bytes simple = SimpleIcon();
  const std::uint32_t length = simple.size();
  const std::uint32_t imageSize = length - 22;
  struct Case {
    const char* name;
    std::uint32_t size;
    std::uint32_t offset;
    bool found;
  };
  for (const Case& c : {
           Case{"as written", imageSize, 22, true},
           Case{"one byte too long", imageSize + 1, 22, false},
           Case{"offset one further", imageSize, 23, false},
           Case{"offset at the end", 0, length, false},
           Case{"offset past the end", 0, length + 1, false},
           Case{"huge offset", imageSize, 0xFFFFFFFF, false},
           Case{"size wrapping the offset around", 0xFFFFFFFF - 21, 22, false},
           Case{"huge size and offset", 0xFFFFFFF0, 0x20, false},
           Case{"size 0", 0, 22, false},
       }) {
    Bytes file = simple;
    PutU32(file, 14, c.size);
    PutU32(file, 18, c.offset);
    EXPECT_EQ(ChooseIconImage(file, IconSize::kSmall).has_value(), c.found) << c.name;
  }
}

// ---- the bitmap image
// ------------------------------------------------------------------------

struct BitmapCase {
  const char* name;
  BitmapLayout layout;
  std::optional<std::array<int, 3>> expected;  // width, height, bits per pixel
  friend void PrintTo(const BitmapCase& c, std::ostream* out) { *out << c.name; }
};

class IconBitmap : public testing::TestWithParam<BitmapCase> {};

TEST_P(IconBitmap, SizeComesFromTheBitmapHeader) {
  const Bytes file = IconFile({{32, 0, Bitmap(GetParam().layout)}});
  const std::optional<IconImage> image = ChooseIconImage(file, IconSize::kLarge);
  ASSERT_EQ(image.has_value(), GetParam().expected.has_value());
  if (!image) return;
  EXPECT_EQ(image->width, (*GetParam().expected)[0]);
  EXPECT_EQ(image->height, (*GetParam().expected)[1]);
  EXPECT_EQ(image->bitsPerPixel, (*GetParam().expected)[2]);
}

using Size3 = std::array<int, 3>;

INSTANTIATE_TEST_SUITE_P(
    Cases, IconBitmap,
    testing::Values(
        BitmapCase{"HeightCountsTheMaskRows", {.width = 32, .storedHeight = 64}, Size3{32, 32, 32}},
        BitmapCase{
            "OddStoredHeightRoundsDown", {.width = 20, .storedHeight = 33}, Size3{20, 16, 32}},
        BitmapCase{
            "WidthOfTheBitmapNotOfTheEntry", {.width = 48, .storedHeight = 96}, Size3{48, 48, 32}},
        BitmapCase{"Monochrome", {.bitsPerPixel = 1}, Size3{16, 16, 1}},
        BitmapCase{"SixteenColours", {.bitsPerPixel = 4}, Size3{16, 16, 4}},
        BitmapCase{"SixteenBits", {.bitsPerPixel = 16}, Size3{16, 16, 16}},
        BitmapCase{"TwentyFourBits", {.bitsPerPixel = 24}, Size3{16, 16, 24}},
        BitmapCase{"ShortPalette", {.bitsPerPixel = 8, .coloursUsed = 2}, Size3{16, 16, 8}},
        BitmapCase{"ColourMasks", {.compression = 3, .masks = 3}, Size3{16, 16, 32}},
        BitmapCase{"ZeroWidth", {.width = 0}, std::nullopt},
        BitmapCase{"NegativeWidth", {.width = -16}, std::nullopt},
        BitmapCase{"StoredHeightOne", {.storedHeight = 1}, std::nullopt},
        BitmapCase{"TopDown", {.storedHeight = -32}, std::nullopt},
        BitmapCase{"ThreeBits", {.bitsPerPixel = 3}, std::nullopt},
        BitmapCase{"ZeroBits", {.bitsPerPixel = 0}, std::nullopt},
        BitmapCase{"RunLengthEncoded", {.bitsPerPixel = 8, .compression = 1}, std::nullopt},
        BitmapCase{"MasksOnTwentyFourBits",
                   {.bitsPerPixel = 24, .compression = 3, .masks = 3},
                   std::nullopt},
        BitmapCase{
            "PaletteLargerThanTheDepth", {.bitsPerPixel = 4, .coloursUsed = 17}, std::nullopt}),
    [](const auto& info) { return info.param.name; });

// The bitmap must hold all that its header promises, since the system reads
// that much.
TEST(IconBitmapData, ImageShorterThanItsHeaderPromisesGivesNothing) {
  for (const BitmapLayout& layout : {BitmapLayout{}, BitmapLayout{.bitsPerPixel = 8},
                                     BitmapLayout{.compression = 3, .masks = 3}}) {
    Bytes image = Bitmap(layout);
    image.pop_back();
    EXPECT_FALSE(ChooseIconImage(IconFile({{16, 0, image}}), IconSize::kSmall))
        << layout.bitsPerPixel;
  }
}

TEST(IconBitmapData, HugeClaimsDoNotOverflow) {
  struct Case {
    const char* name;
    std::size_t at;
    std::uint32_t value;
  };
  for (const Case& c : {Case{"width", 4, 0x7FFFFFFF}, Case{"height", 8, 0x7FFFFFFF},
                        Case{"palette of a true-colour image", 32, 0xFFFFFFFF},
                        Case{"header size", 0, 0xFFFFFFFF}}) {
    Bytes image = Bitmap({});
    PutU32(image, c.at, c.value);
    EXPECT_FALSE(ChooseIconImage(IconFile({{16, 0, image}}), IconSize::kSmall)) << c.name;
  }
}

TEST(IconBitmapData, HeaderSmallerThanFortyBytesGivesNothing) {
  Bytes image = Bitmap({});
  PutU32(image, 0, 12);  // the old OS/2 header
  EXPECT_FALSE(ChooseIconImage(IconFile({{16, 0, image}}), IconSize::kSmall));
}

TEST(IconBitmapData, LargerHeadersAreSkipped) {
  Bytes image = Bitmap({});
  image.insert(image.begin() + 40, 124 - 40, 0);
  PutU32(image, 0, 124);  // BITMAPV5HEADER
  const std::optional<IconImage> found =
      ChooseIconImage(IconFile({{16, 0, image}}), IconSize::kSmall);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->width, 16);
  image.pop_back();
  EXPECT_FALSE(ChooseIconImage(IconFile({{16, 0, image}}), IconSize::kSmall));
}

// ---- PNG images
// ------------------------------------------------------------------------------

TEST(IconPng, SizeComesFromTheImageHeader) {
  struct Case {
    std::uint8_t depth;
    std::uint8_t colourType;
    int bitsPerPixel;
  };
  for (const Case& c :
       {Case{8, 6, 32}, Case{8, 2, 24}, Case{8, 3, 8}, Case{16, 4, 32}, Case{1, 0, 1}}) {
    const Bytes file = IconFile({{0, 0, Png(256, 200, c.depth, c.colourType)}});
    const std::optional<IconImage> image = ChooseIconImage(file, IconSize::kLarge);
    ASSERT_TRUE(image) << int{c.colourType};
    EXPECT_EQ(image->width, 256);
    EXPECT_EQ(image->height, 200);  // no mask rows in a PNG image
    EXPECT_EQ(image->bitsPerPixel, c.bitsPerPixel);
    EXPECT_EQ(image->bytes.size(), file.size() - 22);
  }
}

TEST(IconPng, MalformedImageHeaderGivesNothing) {
  struct Case {
    const char* name;
    Bytes png;
  };
  Bytes wrongLength = Png(32, 32, 8, 6);
  wrongLength[11] = 12;
  Bytes wrongChunk = Png(32, 32, 8, 6);
  wrongChunk[12] = 'i';
  Bytes cut = Png(32, 32, 8, 6);
  cut.resize(28);
  for (const Case& c :
       {Case{"zero width", Png(0, 32, 8, 6)}, Case{"zero height", Png(32, 0, 8, 6)},
        Case{"width beyond int", Png(0x80000000, 32, 8, 6)},
        Case{"colour type 5", Png(32, 32, 8, 5)}, Case{"colour type 7", Png(32, 32, 8, 7)},
        Case{"depth 0", Png(32, 32, 0, 6)}, Case{"depth 3", Png(32, 32, 3, 6)},
        Case{"depth 32", Png(32, 32, 32, 6)}, Case{"IHDR length", wrongLength},
        Case{"first chunk not IHDR", wrongChunk}, Case{"cut inside IHDR", cut}}) {
    EXPECT_FALSE(ChooseIconImage(IconFile({{0, 0, c.png}}), IconSize::kLarge)) << c.name;
  }
}

}  // namespace
}  // namespace quorvane
