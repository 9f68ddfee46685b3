#include "core/Wipe.h"

namespace velmora {

void Wipe(std::string& text) noexcept {
  // Through a volatile pointer, so that the stores are not dropped as dead before the free.
  volatile char* bytes = text.data();
  for (std::size_t i = 0; i < text.capacity(); ++i) bytes[i] = '\0';
  text.clear();
}

}  // namespace velmora
