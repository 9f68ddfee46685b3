#include "lockscreen/SystemServices.h"

#include <cstdlib>
#include <cstring>
#include <string>

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
  win::RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  BYTE data[16] = {};
  DWORD size = sizeof(data) - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key.get(), "ScreenSaveUsePassword", nullptr, &type, data, &size) != ERROR_SUCCESS) {
    return false;
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    return std::strtol(reinterpret_cast<const char*>(data), nullptr, 10) != 0;
  }
  DWORD value = 0;
  std::memcpy(&value, data, size < sizeof(value) ? size : sizeof(value));
  return value != 0;
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

bool VerifySystemPassword(HWND lockScreen) {
  try {
    if (!ScreenSaverPasswordSwitchedOn()) return true;
    win::LoadedModule library(LoadLibraryA("PASSWORD.CPL"));
    if (!library) return true;
    auto verify = Export<VerifyScreenSavePwdProc>(library.get(), "VerifyScreenSavePwd");
    if (verify == nullptr) return true;
    return verify(lockScreen) != FALSE;
  } catch (...) {
    return true;
  }
}

}  // namespace velmora
