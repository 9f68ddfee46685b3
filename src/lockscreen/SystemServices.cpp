#include "lockscreen/SystemServices.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "core/Failures.h"
#include "win/Registry.h"

namespace velmora {
namespace {

using LockKeysProc = void(WINAPI*)(HWND);
using UnlockKeysProc = void(WINAPI*)();
using VerifyScreenSavePwdProc = BOOL(WINAPI*)(HWND);

template <typename Proc>
Proc Export(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// "ScreenSaveUsePassword" is a DWORD on old systems and the text "0" or "1" on newer ones.
bool ScreenSaverPasswordSwitchedOn() {
  const win::RegistryKey key = win::OpenExistingKey(HKEY_CURRENT_USER, "Control Panel\\Desktop", KEY_READ);
  if (!key) return false;
  const std::optional<win::RawValue> value = win::ReadRawValue(key.get(), "ScreenSaveUsePassword");
  if (!value) return false;
  if (value->type == REG_SZ || value->type == REG_EXPAND_SZ) {
    const std::string text(value->bytes.begin(), value->bytes.end());
    return std::strtol(text.c_str(), nullptr, 10) != 0;
  }
  DWORD number = 0;
  std::memcpy(&number, value->bytes.data(), std::min(value->bytes.size(), sizeof(number)));
  return number != 0;
}

}  // namespace

bool TKeyLockLibrary::Load() {
  module_.reset(LoadLibraryA(kFileName));
  return Loaded();
}

void TKeyLockLibrary::LockKeys(HWND lockScreen) {
  if (!module_) return;
  if (auto lock = Export<LockKeysProc>(module_.get(), "LockKeys")) lock(lockScreen);
}

void TKeyLockLibrary::UnlockKeys() {
  if (!module_) return;
  if (auto unlock = Export<UnlockKeysProc>(module_.get(), "UnlockKeys")) unlock();
}

void ShowTaskbar(bool visible) {
  if (HWND taskbar = FindWindowA("Shell_TrayWnd", "")) ShowWindow(taskbar, visible ? SW_SHOWNA : SW_HIDE);
}

unsigned DisplayRefreshRate() {
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return mode.dmDisplayFrequency;
}

bool VerifySystemPassword(HWND lockScreen) {
  // A check that fails allows, as a missing one does.
  bool allowed = true;
  Contain("the system's password check", [&] {
    if (!ScreenSaverPasswordSwitchedOn()) return;
    win::LoadedModule library(LoadLibraryA("PASSWORD.CPL"));
    if (!library) return;
    auto verify = Export<VerifyScreenSavePwdProc>(library.get(), "VerifyScreenSavePwd");
    if (verify != nullptr) allowed = verify(lockScreen) != FALSE;
  });
  return allowed;
}

}  // namespace velmora
