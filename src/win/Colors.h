// Colour values as the settings and layouts hold them, turned into the colours GDI draws with.
#pragma once
#include <windows.h>

#include "core/ColorValue.h"

namespace velmora {

// 0xFF0000nn is system colour nn, resolved now with GetSysColor; anything else is taken as
// 0x00BBGGRR.
COLORREF ResolveColor(ColorValue color);

}  // namespace velmora
