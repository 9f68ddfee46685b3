// A memory DC over a 32-bit top-down bitmap whose pixels tests read directly.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "win/DibSection.h"
#include "win/Handles.h"

namespace velmora::testing {

class PixelCanvas {
 public:
  PixelCanvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    std::uint32_t* bits = nullptr;
    bitmap_.reset(win::CreateDibSection32(width, height, &bits));
    bits_ = bits;
    SelectObject(dc_.get(), bitmap_.get());
  }
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  RECT Client() const { return RECT{0, 0, width_, height_}; }

  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  bool RowHas(int y, COLORREF colour) const {
    for (int x = 0; x < width_; ++x) {
      if (Pixel(x, y) == colour) return true;
    }
    return false;
  }
  std::vector<std::uint32_t> Snapshot() const {
    GdiFlush();
    return std::vector<std::uint32_t>(bits_, bits_ + static_cast<std::size_t>(width_) * height_);
  }

 private:
  int width_;
  int height_;
  win::Bitmap bitmap_;  // before the DC: the DC goes first
  win::MemoryDC dc_;
  const std::uint32_t* bits_ = nullptr;
};

}  // namespace velmora::testing
