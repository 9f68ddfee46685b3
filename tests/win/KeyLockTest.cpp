#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "win/Handles.h"

namespace velmora {
namespace {

using LockKeysProc = void(__stdcall*)(HWND);
using UnlockKeysProc = void(__stdcall*)();

// Key-down messages that reached the test window.
std::vector<WPARAM> keysDown;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) keysDown.push_back(wParam);
  if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

// Pumps messages for a while: the low-level hook runs only while its thread pumps.
void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  }
}

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (virtualKey == VK_LWIN || virtualKey == VK_RWIN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return input;
}

// Presses the keys in order and releases them in reverse; returns the key-downs that arrived.
std::vector<WPARAM> Type(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(Key(key, false));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(Key(*it, true));
  keysDown.clear();
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Pump(150);
  return keysDown;
}

bool Contains(const std::vector<WPARAM>& keys, WPARAM key) {
  for (WPARAM k : keys) {
    if (k == key) return true;
  }
  return false;
}

class KeyLockLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    library.reset(LoadLibraryA("Velmora.dll"));
    ASSERT_TRUE(library) << "Velmora.dll is not beside the tests";
    lockKeys = reinterpret_cast<LockKeysProc>(reinterpret_cast<void*>(GetProcAddress(library.get(), "LockKeys")));
    unlockKeys = reinterpret_cast<UnlockKeysProc>(reinterpret_cast<void*>(GetProcAddress(library.get(), "UnlockKeys")));
    ASSERT_NE(lockKeys, nullptr);
    ASSERT_NE(unlockKeys, nullptr);
  }
  void TearDown() override {
    if (unlockKeys != nullptr) unlockKeys();
    if (window != nullptr) DestroyWindow(window);
  }

  void OpenFocusedWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelmoraKeyLockTestWindow";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                             nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    Pump(200);
    ASSERT_EQ(GetForegroundWindow(), window);
    ASSERT_EQ(GetFocus(), window);
  }

  win::LoadedModule library;
  LockKeysProc lockKeys = nullptr;
  UnlockKeysProc unlockKeys = nullptr;
  HWND window = nullptr;
};

TEST_F(KeyLockLibrary, ExportsOnlyThePlainNames) {
  EXPECT_EQ(GetProcAddress(library.get(), "LockKeys@4"), nullptr);
  EXPECT_EQ(GetProcAddress(library.get(), "_LockKeys@4"), nullptr);
  EXPECT_EQ(GetProcAddress(library.get(), "UnlockKeys@0"), nullptr);
}

TEST_F(KeyLockLibrary, CallingEitherTwiceIsHarmless) {
  unlockKeys();
  unlockKeys();
  lockKeys(nullptr);
  lockKeys(nullptr);
  unlockKeys();
  unlockKeys();
}

TEST_F(KeyLockLibrary, SwallowsTheSystemCombinationsWhileOrdinaryKeysPass) {
  OpenFocusedWindow();
  // Unlocked, the window sees every key: the combinations arrive.
  ASSERT_TRUE(Contains(Type({'A'}), 'A'));
  ASSERT_TRUE(Contains(Type({VK_MENU, VK_TAB}), VK_TAB)) << "injected Alt+Tab does not arrive at all";
  ASSERT_TRUE(Contains(Type({VK_LWIN}), VK_LWIN));

  lockKeys(window);
  auto keys = Type({VK_MENU, VK_TAB});
  EXPECT_FALSE(Contains(keys, VK_TAB));
  EXPECT_TRUE(Contains(keys, VK_MENU));  // Alt alone passes
  EXPECT_FALSE(Contains(Type({VK_LWIN}), VK_LWIN));
  EXPECT_FALSE(Contains(Type({VK_RWIN}), VK_RWIN));
  EXPECT_FALSE(Contains(Type({VK_MENU, VK_ESCAPE}), VK_ESCAPE));
  EXPECT_FALSE(Contains(Type({VK_MENU, VK_F4}), VK_F4));
  EXPECT_FALSE(Contains(Type({VK_CONTROL, VK_ESCAPE}), VK_ESCAPE));
  EXPECT_FALSE(Contains(Type({VK_CONTROL, VK_SHIFT, VK_ESCAPE}), VK_ESCAPE));
  EXPECT_TRUE(Contains(Type({'A'}), 'A'));
  EXPECT_TRUE(Contains(Type({VK_TAB}), VK_TAB));
  EXPECT_TRUE(Contains(Type({VK_ESCAPE}), VK_ESCAPE));
  EXPECT_TRUE(Contains(Type({VK_SHIFT, 'B'}), 'B'));

  unlockKeys();
  EXPECT_TRUE(Contains(Type({VK_MENU, VK_TAB}), VK_TAB));
  EXPECT_TRUE(Contains(Type({VK_LWIN}), VK_LWIN));
}

TEST_F(KeyLockLibrary, UnloadingWithoutUnlockingRemovesTheHook) {
  OpenFocusedWindow();
  lockKeys(window);
  ASSERT_FALSE(Contains(Type({VK_MENU, VK_TAB}), VK_TAB));
  library.reset();
  lockKeys = nullptr;
  unlockKeys = nullptr;
  EXPECT_TRUE(Contains(Type({VK_MENU, VK_TAB}), VK_TAB));
  EXPECT_TRUE(Contains(Type({'A'}), 'A'));
}

}  // namespace
}  // namespace velmora
