#include "lockscreen/SystemServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace velmora {
namespace {

// Sets "ScreenSaveUsePassword" for one test and puts the previous state back afterwards.
class ScreenSaverPasswordSetting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key_.put(), nullptr),
              ERROR_SUCCESS);
    saved_size_ = sizeof(saved_);
    had_value_ = RegQueryValueExA(key_.get(), kValue, nullptr, &saved_type_, saved_, &saved_size_) == ERROR_SUCCESS;
  }
  void TearDown() override {
    if (had_value_) {
      RegSetValueExA(key_.get(), kValue, 0, saved_type_, saved_, saved_size_);
    } else {
      RegDeleteValueA(key_.get(), kValue);
    }
    SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", nullptr);
  }
  void SetText(const char* text) {
    RegSetValueExA(key_.get(), kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
  }
  void SetNumber(DWORD number) {
    RegSetValueExA(key_.get(), kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  }
  void Remove() { RegDeleteValueA(key_.get(), kValue); }

  static constexpr char kValue[] = "ScreenSaveUsePassword";
  win::RegistryKey key_;
  BYTE saved_[64] = {};
  DWORD saved_size_ = 0;
  DWORD saved_type_ = 0;
  bool had_value_ = false;
};

TEST_F(ScreenSaverPasswordSetting, SwitchedOnAsksTheSystemLibrary) {
  SetNumber(1);
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "no");
  EXPECT_FALSE(VerifySystemPassword(nullptr));
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "yes");
  EXPECT_TRUE(VerifySystemPassword(nullptr));
  SetText("1");
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "no");
  EXPECT_FALSE(VerifySystemPassword(nullptr));
}

TEST_F(ScreenSaverPasswordSetting, SwitchedOffOrMissingAllowsWithoutAsking) {
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "no");
  SetNumber(0);
  EXPECT_TRUE(VerifySystemPassword(nullptr));
  // Newer systems store the switch as text: "0" means off, not a nonzero byte pattern.
  SetText("0");
  EXPECT_TRUE(VerifySystemPassword(nullptr));
  Remove();
  EXPECT_TRUE(VerifySystemPassword(nullptr));
}

TEST(Taskbar, HiddenAndShownByClassWithEmptyTitle) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", "");
  const bool ours = taskbar == nullptr;
  if (ours) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&windowClass);
    taskbar = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 30,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ASSERT_NE(taskbar, nullptr);
  ShowTaskbar(false);
  EXPECT_FALSE(IsWindowVisible(taskbar));
  ShowTaskbar(true);
  EXPECT_TRUE(IsWindowVisible(taskbar));
  if (ours) DestroyWindow(taskbar);
}

TEST(KeyLockLoader, LoadsVelmoraDllFromTheExecutablesFolder) {
  // The build puts Velmora.dll beside win_tests.exe.
  TKeyLockLibrary library;
  ASSERT_TRUE(library.Load());
  library.LockKeys(nullptr);
  library.UnlockKeys();
  library.Unload();
  EXPECT_FALSE(library.Loaded());
  EXPECT_EQ(GetModuleHandleA(TKeyLockLibrary::kFileName), nullptr);
}

TEST(KeyLockLoader, CallsAreSkippedWhenNothingIsLoaded) {
  TKeyLockLibrary library;
  EXPECT_FALSE(library.Loaded());
  library.LockKeys(nullptr);
  library.UnlockKeys();
  library.Unload();
  EXPECT_FALSE(library.Loaded());
}

}  // namespace
}  // namespace velmora
