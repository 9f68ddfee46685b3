#include "core/ColorList.h"

namespace velmora {

int ColorListIndexOf(ColorValue value) {
  int index = 0;
  for (const NamedColor& color : kColorList) {
    if (color.value == value) return index;
    ++index;
  }
  return -1;
}

}  // namespace velmora
