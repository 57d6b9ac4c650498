// libFuzzer target over ChooseIconImage: whatever the bytes, nothing is read outside them, and
// an image that comes back lies inside the file and has a size. The program's own icons
// (resources/*.ico) make a good seed corpus.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>

#include "ui/icon_file.h"

namespace {

using namespace quorvane;

// Stops the run, which makes libFuzzer keep the input, when an invariant does not hold.
void Check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

void CheckChoice(std::span<const std::uint8_t> file, IconSize size) {
  const std::optional<IconImage> image = ChooseIconImage(file, size);
  if (!image) return;
  Check(image->bytes.data() >= file.data() &&
            image->bytes.data() + image->bytes.size() <= file.data() + file.size(),
        "the image lies inside the file");
  Check(!image->bytes.empty(), "the image has bytes");
  Check(image->width > 0 && image->height > 0, "the image has a size");
  Check(image->bitsPerPixel > 0, "the image has a depth");
  // Read every byte, so that the sanitizers see a span that reaches past the buffer.
  volatile std::uint8_t sink = 0;
  for (std::uint8_t byte : image->bytes) sink = sink ^ byte;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes on the heap, so that any read past it is caught.
  std::uint8_t* copy = static_cast<std::uint8_t*>(std::malloc(size == 0 ? 1 : size));
  std::copy(data, data + size, copy);
  const std::span<const std::uint8_t> file(copy, size);
  CheckChoice(file, IconSize::kSmall);
  CheckChoice(file, IconSize::kLarge);
  std::free(copy);
  return 0;
}
