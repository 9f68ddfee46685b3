// The key-locking library's decision: which keystrokes a locked keyboard swallows.
#pragma once
#include <cstdint>

namespace velmora {

// Virtual-key codes the decision looks at (the values of the Windows VK_ constants).
namespace vk {
constexpr std::uint32_t Tab = 0x09;
constexpr std::uint32_t Escape = 0x1B;
constexpr std::uint32_t LeftWindows = 0x5B;
constexpr std::uint32_t RightWindows = 0x5C;
constexpr std::uint32_t Applications = 0x5D;
constexpr std::uint32_t F4 = 0x73;
}  // namespace vk

// Modifier keys held while the key is pressed or released.
struct KeyModifiers {
  bool alt = false;
  bool control = false;
  bool shift = false;
};

// True for the keys with which a user leaves a full-screen window: both Windows keys (alone or
// in any combination), Alt+Tab, Alt+Esc, Alt+F4, Ctrl+Esc and Ctrl+Shift+Esc. Press and release
// are judged alike, so the system never sees half of a blocked combination's key. Every other
// key passes, including the modifiers themselves and the Applications key, which stays inside
// the window that has the focus.
bool IsLockedKey(std::uint32_t virtualKey, KeyModifiers modifiers) noexcept;

}  // namespace velmora
