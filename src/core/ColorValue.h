// Colour values as settings and layouts hold them.
#pragma once
#include <cstdint>

namespace velmora {

// 0x00BBGGRR is an RGB colour (red in the low byte); 0xFF0000nn is the system colour with
// index nn, resolved to its current RGB value when drawn.
using ColorValue = std::uint32_t;

}  // namespace velmora
