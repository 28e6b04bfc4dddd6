// Captures what a window (or the whole screen) shows, to look at in a test
// and to save as a picture a person can open.
//
//   auto shot = suite::testing::CaptureWindow(hwnd);
//   EXPECT_EQ(shot.At(10, 10), 0x00FF0000u);        // 0x00RRGGBB
//   shot.Save("game.png");                            // .png or .bmp
//
// The window's own device context is copied, so overlapping windows do not
// spoil the picture as long as the window is painted.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace suite::testing {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // top row first, 0x00RRGGBB

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Writes a PNG when the name ends in .png, else a BMP. False on failure.
    bool Save(const std::string& path) const;
    // How many pixels inside the rectangle have exactly this colour.
    int Count(uint32_t rgb, RECT area) const;
};

Image CaptureDC(HDC dc, int width, int height);
Image CaptureWindow(HWND window);        // the whole window, frame included
Image CaptureClientArea(HWND window);
Image CaptureScreen();

std::vector<uint8_t> EncodePng(const Image& image);

}  // namespace suite::testing
