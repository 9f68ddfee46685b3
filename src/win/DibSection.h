// 32-bit top-down DIB sections: GDI draws into them in process, and their pixels are readable.
#pragma once
#include <windows.h>

#include <cstdint>

namespace velmora::win {

// A width x height bitmap of 0x00RRGGBB pixels, row 0 at the top; *bits (when given) receives
// the first pixel. Returns null when the system cannot make it.
HBITMAP CreateDibSection32(int width, int height, std::uint32_t** bits = nullptr);

}  // namespace velmora::win
