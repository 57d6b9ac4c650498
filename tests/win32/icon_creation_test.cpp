// The program's icon data as the system sees it: the chosen image makes an icon, and its mask
// lets the background show around the picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>

#include "resources/icons.h"
#include "ui/icon_file.h"

namespace quorvane {
namespace {

struct IconCase {
  const char* name;
  std::span<const std::uint8_t> (*file)();
  int width;  // of the image both sizes choose
  int bitsPerPixel;
};

class IconCreation : public testing::TestWithParam<IconCase> {};

// Draws the icon at its own size onto white and returns the colour at (x, y).
COLORREF PixelOnWhite(HICON icon, int size, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all = {0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

TEST_P(IconCreation, ChosenImageMakesAnIconWithTransparentCorners) {
  for (IconSize size : {IconSize::kSmall, IconSize::kLarge}) {
    const std::optional<IconImage> image = ChooseIconImage(GetParam().file(), size);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, GetParam().width);
    EXPECT_EQ(image->bitsPerPixel, GetParam().bitsPerPixel);
    HICON icon =
        CreateIconFromResourceEx(const_cast<BYTE*>(image->bytes.data()), image->bytes.size(), TRUE,
                                 0x00030000, image->width, image->height, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    const int last = image->width - 1;
    EXPECT_EQ(PixelOnWhite(icon, image->width, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelOnWhite(icon, image->width, last, 0), RGB(255, 255, 255));
    EXPECT_NE(PixelOnWhite(icon, image->width, image->width / 2, image->height * 3 / 4),
              RGB(255, 255, 255));
    DestroyIcon(icon);
  }
}

INSTANTIATE_TEST_SUITE_P(Program, IconCreation,
                         testing::Values(IconCase{"MainWindow", MainWindowIconFile, 16, 32},
                                         IconCase{"Tray", TrayIconFile, 32, 8}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorvane
