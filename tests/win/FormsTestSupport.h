// Helpers for driving forms under Wine: pumping messages through Application for a while,
// running actions later from inside a modal loop, and reading windows through Win32.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "ui/Application.h"

namespace velmora::testing {

// Without a window manager, Wine waits two seconds for every hidden window to be withdrawn;
// unmanaged windows are hidden at once. Set before the first window makes Wine read it.
inline const bool kUnmanagedWindows = [] {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\win_tests.exe\\X11 Driver", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
  }
  return true;
}();

inline void InitializeApplication() { Application.Initialize(GetModuleHandleA(nullptr)); }

// Handles messages through Application for `milliseconds`.
inline void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (!Application.HandleMessage()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
}

// Handles messages until `done` holds or `limit` milliseconds have passed; true when it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limit) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= limit) return false;
    if (!Application.HandleMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline std::map<UINT_PTR, std::function<void()>>& ScheduledActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

inline void CALLBACK RunScheduledAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto found = ScheduledActions().find(id);
  if (found == ScheduledActions().end()) return;
  std::function<void()> action = std::move(found->second);
  ScheduledActions().erase(found);
  action();
}

// Runs `action` once after `milliseconds`, from whatever message loop is running then.
inline void After(UINT milliseconds, std::function<void()> action) {
  const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, RunScheduledAction);
  ScheduledActions()[id] = std::move(action);
}

inline std::string WindowText(HWND window) {
  char buffer[1024] = {};
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

inline std::string ClassName(HWND window) {
  char buffer[256] = {};
  GetClassNameA(window, buffer, sizeof(buffer));
  return buffer;
}

// The window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline LONG_PTR Style(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }
inline LONG_PTR ExStyle(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

inline void TypeCharacters(HWND window, const std::string& text) {
  for (char character : text) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(character), 1);
}

}  // namespace velmora::testing

#include <commctrl.h>

namespace velmora::testing {

// Whether the tooltip control has a tool for `tool`, and its text.
inline bool HasToolTip(HWND toolTip, HWND owner, HWND tool) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  return SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

inline std::string ToolTipText(HWND toolTip, HWND owner, HWND tool) {
  char buffer[1024] = {};
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = buffer;
  SendMessageA(toolTip, TTM_GETTEXTA, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
  return buffer;
}

}  // namespace velmora::testing
