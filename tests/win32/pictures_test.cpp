// The icon and the link cursor as Windows loads them from the program's
// resources: pixel for pixel the XPM pictures they are made from, with the
// transparent parts in the mask and the cursor's hot spot where the design
// puts it.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "shell/design/designs.h"
#include "shell/win32/pictures.h"
#include "shell/win32/resource_ids.h"
#include "win32_test_support.h"

namespace volleon::win32 {
namespace {

#include "shell/pictures/url_cursor.xpm"
#include "shell/pictures/volleon.xpm"

// An XPM picture: one colour (0xRRGGBB) or nothing (transparent) per pixel.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::optional<std::uint32_t>> pixels;
};

Picture readXpm(const char* const* xpm) {
    Picture picture;
    int colours = 0;
    int chars = 0;
    std::istringstream(xpm[0]) >> picture.width >> picture.height >> colours >> chars;
    std::map<std::string, std::optional<std::uint32_t>> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string line = xpm[i];
        const std::string value = line.substr(line.find(" c ") + 3);
        palette[line.substr(0, static_cast<std::size_t>(chars))] =
            value == "None" ? std::nullopt : std::optional(std::stoul(value.substr(1), nullptr, 16));
    }
    for (int y = 0; y < picture.height; ++y) {
        const std::string row = xpm[1 + colours + y];
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(palette.at(row.substr(static_cast<std::size_t>(x * chars),
                                                           static_cast<std::size_t>(chars))));
        }
    }
    return picture;
}

// A bitmap's pixels as 0xRRGGBB, top row first.
std::vector<std::uint32_t> bitmapPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(rows, height);
    for (std::uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(Pictures, TheIconIsTheSmilingFace) {
    const Picture face = readXpm(volleon_icon_xpm);
    HICON icon = programIcon(test::instance(), 16);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    ASSERT_NE(info.hbmColor, nullptr);
    const auto colours = bitmapPixels(info.hbmColor, face.width, face.height);
    const auto mask = bitmapPixels(info.hbmMask, face.width, face.height);
    int transparent = 0;
    for (std::size_t i = 0; i < face.pixels.size(); ++i) {
        SCOPED_TRACE("pixel " + std::to_string(i % 16) + ", " + std::to_string(i / 16));
        if (face.pixels[i]) {
            EXPECT_EQ(mask[i], 0u);
            EXPECT_EQ(colours[i], *face.pixels[i]);
        } else {
            ++transparent;
            EXPECT_EQ(mask[i], kWhite);
            EXPECT_EQ(colours[i], 0u);
        }
    }
    EXPECT_GT(transparent, 0);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(Pictures, TheLinkCursorIsTheArrowWithItsHotSpot) {
    const Picture arrow = readXpm(url_cursor_xpm);
    auto cursor = static_cast<HCURSOR>(LoadImageW(test::instance(), MAKEINTRESOURCEW(VOLLEON_IDC_LINK), IMAGE_CURSOR, arrow.width,
                                                  arrow.height, LR_SHARED));
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor, linkCursor(test::instance())) << "the program loads the same resource";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(static_cast<int>(info.xHotspot), design::kLinkCursorHotSpot.x);
    EXPECT_EQ(static_cast<int>(info.yHotspot), design::kLinkCursorHotSpot.y);
    // Black and white: one bitmap, the mask above the colour bits.
    ASSERT_EQ(info.hbmColor, nullptr);
    const auto bits = bitmapPixels(info.hbmMask, arrow.width, 2 * arrow.height);
    const std::size_t half = arrow.pixels.size();
    for (std::size_t i = 0; i < half; ++i) {
        SCOPED_TRACE("pixel " + std::to_string(i % 32) + ", " + std::to_string(i / 32));
        const std::uint32_t mask = bits[i];
        const std::uint32_t colour = bits[half + i];
        if (arrow.pixels[i]) {
            EXPECT_EQ(mask, 0u);
            EXPECT_EQ(colour, *arrow.pixels[i]);
        } else {
            EXPECT_EQ(mask, kWhite);
            EXPECT_EQ(colour, 0u);
        }
    }
    DeleteObject(info.hbmMask);
}

}  // namespace
}  // namespace volleon::win32
