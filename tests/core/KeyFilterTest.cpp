#include "core/KeyFilter.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kAlt{true, false, false};
constexpr KeyModifiers kControl{false, true, false};
constexpr KeyModifiers kShift{false, false, true};
constexpr KeyModifiers kControlShift{false, true, true};
constexpr KeyModifiers kAltShift{true, false, true};

TEST(KeyFilter, WindowsKeysAreAlwaysLocked) {
  for (std::uint32_t key : {0x5Bu, 0x5Cu}) {
    EXPECT_TRUE(IsLockedKey(key, kNone)) << key;
    EXPECT_TRUE(IsLockedKey(key, kControl)) << key;
    EXPECT_TRUE(IsLockedKey(key, kAltShift)) << key;
  }
}

TEST(KeyFilter, SystemCombinationsAreLocked) {
  EXPECT_TRUE(IsLockedKey(0x09, kAlt));           // Alt+Tab
  EXPECT_TRUE(IsLockedKey(0x09, kAltShift));      // Alt+Shift+Tab
  EXPECT_TRUE(IsLockedKey(0x1B, kAlt));           // Alt+Esc
  EXPECT_TRUE(IsLockedKey(0x73, kAlt));           // Alt+F4
  EXPECT_TRUE(IsLockedKey(0x1B, kControl));       // Ctrl+Esc
  EXPECT_TRUE(IsLockedKey(0x1B, kControlShift));  // Ctrl+Shift+Esc
}

TEST(KeyFilter, TheSameKeysWithoutTheirModifierPass) {
  EXPECT_FALSE(IsLockedKey(0x09, kNone));
  EXPECT_FALSE(IsLockedKey(0x09, kControl));
  EXPECT_FALSE(IsLockedKey(0x09, kShift));
  EXPECT_FALSE(IsLockedKey(0x1B, kNone));
  EXPECT_FALSE(IsLockedKey(0x1B, kShift));
  EXPECT_FALSE(IsLockedKey(0x73, kNone));
  EXPECT_FALSE(IsLockedKey(0x73, kControl));  // Ctrl+F4 stays inside the window
}

TEST(KeyFilter, OrdinaryKeysAndModifiersPass) {
  // 'A', Enter, Space, Backspace, Alt, Ctrl, Shift (generic and left/right), Delete, F1,
  // the Applications key.
  for (std::uint32_t key : {0x41u, 0x0Du, 0x20u, 0x08u, 0x12u, 0x11u, 0x10u, 0xA0u, 0xA2u, 0xA4u,
                            0xA5u, 0x2Eu, 0x70u, 0x5Du}) {
    EXPECT_FALSE(IsLockedKey(key, kNone)) << key;
    EXPECT_FALSE(IsLockedKey(key, kAlt)) << key;
    EXPECT_FALSE(IsLockedKey(key, kControl)) << key;
  }
}

}  // namespace
}  // namespace velmora
