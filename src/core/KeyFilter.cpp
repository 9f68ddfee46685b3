#include "core/KeyFilter.h"

namespace velmora {

bool IsLockedKey(std::uint32_t virtualKey, KeyModifiers modifiers) noexcept {
  switch (virtualKey) {
    case vk::LeftWindows:
    case vk::RightWindows:
      return true;
    case vk::Tab:
    case vk::F4:
      return modifiers.alt;
    case vk::Escape:
      return modifiers.alt || modifiers.control;
    default:
      return false;
  }
}

}  // namespace velmora
