// Draws the program's pictures: the preview's grey clock face and the application icon.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int kPreviewPictureWidth = 87;
constexpr int kPreviewPictureHeight = 88;

// Grey levels (0 black to 255 white) of an analog clock face drawn into a width by height box,
// row by row from the top: a ring, twelve tick marks and two hands, on black.
std::vector<std::uint8_t> DrawClockFace(int width, int height);

// The preview picture as a complete .bmp file: 87 by 88 pixels, 8 bits per pixel, a palette of
// 256 greys (entry i is grey level i), rows bottom-up and padded to 4 bytes.
std::vector<std::uint8_t> MakePreviewBitmap();

// The application icon as a complete .ico file: the clock on a dark disc at 16, 32 and 48
// pixels, each 32-bit with alpha (and an all-zero AND mask).
std::vector<std::uint8_t> MakeApplicationIcon();

}  // namespace velmora
