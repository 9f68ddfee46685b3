// Velmora.dll: locks the system key combinations while the lock screen is up, with a low-level
// keyboard hook that swallows them and lets every other key through.
#include <windows.h>

#include "core/KeyFilter.h"
#include "win/Handles.h"

static_assert(velmora::vk::Tab == VK_TAB && velmora::vk::Escape == VK_ESCAPE && velmora::vk::F4 == VK_F4 &&
                  velmora::vk::LeftWindows == VK_LWIN && velmora::vk::RightWindows == VK_RWIN &&
                  velmora::vk::Applications == VK_APPS,
              "the key filter's codes are the Windows virtual-key codes");

namespace {

HINSTANCE libraryInstance = nullptr;
velmora::win::Hook keyboardHook;

bool IsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// Runs on the thread that called LockKeys, inside its message pump; the system drops hooks that
// take long, so it only decides and passes on.
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    velmora::KeyModifiers modifiers;
    modifiers.alt = (key->flags & LLKHF_ALTDOWN) != 0 || IsDown(VK_MENU);
    modifiers.control = IsDown(VK_CONTROL);
    modifiers.shift = IsDown(VK_SHIFT);
    if (velmora::IsLockedKey(key->vkCode, modifiers)) return 1;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

extern "C" {

// Installs the hook for the calling thread, which must pump messages while the keys are locked.
// The window is not needed: the hook judges keys wherever they go. A second call does nothing.
void __stdcall LockKeys(HWND) {
  if (keyboardHook) return;
  keyboardHook.reset(SetWindowsHookExA(WH_KEYBOARD_LL, LowLevelKeyboardProc, libraryInstance, 0));
}

// Removes the hook; does nothing when it is not installed.
void __stdcall UnlockKeys() { keyboardHook.reset(); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    libraryInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

}  // extern "C"
