#include "win/Colors.h"

namespace velmora {

COLORREF ResolveColor(ColorValue color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace velmora
