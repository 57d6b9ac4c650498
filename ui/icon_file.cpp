#include "ui/icon_file.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quorvane {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr std::uint16_t kTypeIcon = 1;
constexpr std::uint16_t kTypeCursor = 2;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kBitFields = 3;     // BI_BITFIELDS: three colour masks, 16 or 32 bits
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kMaxInt = std::numeric_limits<int>::max();

// Readers for fields that the caller has already checked to lie inside `bytes`.
std::uint32_t ReadU16(Bytes bytes, std::size_t at) {
  return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t ReadU32(Bytes bytes, std::size_t at) {
  return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

std::uint32_t ReadU32BigEndian(Bytes bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
         bytes[at + 3];
}

std::int32_t ReadI32(Bytes bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32(bytes, at));
}

struct Entry {
  std::uint32_t width;
  std::uint32_t colourCount;
  std::uint32_t size;
  std::uint32_t offset;
};

Entry ReadEntry(Bytes file, std::size_t index) {
  const std::size_t at = kHeaderSize + index * kEntrySize;
  return {file[at], file[at + 2], ReadU32(file, at + 8), ReadU32(file, at + 12)};
}

bool Matches(const Entry& entry, IconSize size) {
  return entry.colourCount > 15 && entry.width == (size == IconSize::kSmall ? 16u : 32u);
}

// Takes `count` blocks of `blockSize` bytes off `left`; false when they do not fit. Written as a
// division so that no product of claimed sizes can overflow.
bool Take(std::uint64_t& left, std::uint64_t blockSize, std::uint64_t count) {
  if (blockSize != 0 && count > left / blockSize) return false;
  left -= blockSize * count;
  return true;
}

std::optional<IconImage> ReadBitmap(Bytes image) {
  if (image.size() < kBitmapHeaderSize) return std::nullopt;
  const std::uint32_t headerSize = ReadU32(image, 0);
  const std::int32_t width = ReadI32(image, 4);
  const std::int32_t doubleHeight = ReadI32(image, 8);  // colour rows and mask rows together
  const std::uint32_t bitsPerPixel = ReadU16(image, 14);
  const std::uint32_t compression = ReadU32(image, 16);
  const std::uint32_t coloursUsed = ReadU32(image, 32);
  if (headerSize < kBitmapHeaderSize || headerSize > image.size()) return std::nullopt;
  if (width <= 0 || doubleHeight < 2) return std::nullopt;
  const int height = doubleHeight / 2;

  constexpr std::array<std::uint32_t, 6> kDepths = {1, 4, 8, 16, 24, 32};
  if (std::find(kDepths.begin(), kDepths.end(), bitsPerPixel) == kDepths.end()) {
    return std::nullopt;
  }
  const bool hasMasks = compression == kBitFields;
  if (compression != kUncompressed && !(hasMasks && (bitsPerPixel == 16 || bitsPerPixel == 32))) {
    return std::nullopt;
  }
  std::uint64_t paletteSize = coloursUsed;
  if (bitsPerPixel <= 8) {
    const std::uint32_t most = 1u << bitsPerPixel;
    if (coloursUsed > most) return std::nullopt;
    if (coloursUsed == 0) paletteSize = most;
  }

  const auto stride = [](std::uint64_t pixels, std::uint64_t bits) {
    return (pixels * bits + 31) / 32 * 4;
  };
  std::uint64_t left = image.size() - headerSize;
  // The three masks follow a plain 40-byte header; larger headers hold them inside.
  const bool fits = Take(left, 4, hasMasks && headerSize == kBitmapHeaderSize ? 3 : 0) &&
                    Take(left, 4, paletteSize) && Take(left, stride(width, bitsPerPixel), height) &&
                    Take(left, stride(width, 1), height);
  if (!fits) return std::nullopt;
  return IconImage{image, width, height, static_cast<int>(bitsPerPixel)};
}

// A PNG image (as icons since Windows Vista may hold) is taken at the size of its IHDR chunk.
// The system decodes the stream within the byte count it is given, so only the signature and
// the IHDR chunk are checked here.
std::optional<IconImage> ReadPng(Bytes image) {
  constexpr std::size_t kIhdrEnd = 8 + 8 + 13;  // signature, chunk length and type, chunk data
  if (image.size() < kIhdrEnd) return std::nullopt;
  const Bytes type = image.subspan(12, 4);
  const std::array<std::uint8_t, 4> kIhdr = {'I', 'H', 'D', 'R'};
  if (ReadU32BigEndian(image, 8) != 13 || !std::equal(type.begin(), type.end(), kIhdr.begin())) {
    return std::nullopt;
  }
  const std::uint32_t width = ReadU32BigEndian(image, 16);
  const std::uint32_t height = ReadU32BigEndian(image, 20);
  const std::uint32_t bitDepth = image[24];
  const std::uint32_t colourType = image[25];
  if (width == 0 || height == 0 || width > kMaxInt || height > kMaxInt) return std::nullopt;

  // Samples per pixel by colour type: grey, -, RGB, palette index, grey and alpha, -, RGBA.
  constexpr std::array<std::uint32_t, 7> kSamples = {1, 0, 3, 1, 2, 0, 4};
  if (colourType >= kSamples.size() || kSamples[colourType] == 0) return std::nullopt;
  if (bitDepth == 0 || bitDepth > 16 || (bitDepth & (bitDepth - 1)) != 0) return std::nullopt;
  return IconImage{image, static_cast<int>(width), static_cast<int>(height),
                   static_cast<int>(bitDepth * kSamples[colourType])};
}

bool IsPng(Bytes image) {
  return image.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

}  // namespace

std::optional<IconImage> ChooseIconImage(std::span<const std::uint8_t> file, IconSize size) {
  if (file.size() < kHeaderSize) return std::nullopt;
  const std::uint32_t reserved = ReadU16(file, 0);
  const std::uint32_t type = ReadU16(file, 2);
  const std::size_t count = ReadU16(file, 4);
  if (reserved != 0 || (type != kTypeIcon && type != kTypeCursor) || count == 0) {
    return std::nullopt;
  }
  // The whole directory must be there, even when an early entry is the one taken.
  if (count > (file.size() - kHeaderSize) / kEntrySize) return std::nullopt;

  std::size_t chosen = count - 1;
  for (std::size_t i = 0; i < count; ++i) {
    if (Matches(ReadEntry(file, i), size)) {
      chosen = i;
      break;
    }
  }
  const Entry entry = ReadEntry(file, chosen);
  if (entry.offset > file.size() || entry.size > file.size() - entry.offset) return std::nullopt;
  const Bytes image = file.subspan(entry.offset, entry.size);
  return IsPng(image) ? ReadPng(image) : ReadBitmap(image);
}

}  // namespace quorvane
