// What the lock screen asks of the system: the key-locking library, the taskbar, and the
// system's own screen-saver password check.
#pragma once
#include <windows.h>

#include "win/Handles.h"

namespace velmora {

// Velmora.dll, loaded by its bare name (so the executable's folder is searched first) for the
// time the lock screen is up. A library that lacks an export is kept loaded; the missing call
// is skipped.
class TKeyLockLibrary {
 public:
  static constexpr char kFileName[] = "Velmora.dll";

  bool Load();
  bool Loaded() const { return static_cast<bool>(module_); }
  void LockKeys(HWND lockScreen);
  void UnlockKeys();
  void Unload() { module_.reset(); }

 private:
  win::LoadedModule module_;
};

// Hides or shows the taskbar (the window of class "Shell_TrayWnd" with an empty title) without
// activating it, so the taskbar never takes the foreground from the program; does
// nothing when there is none.
void ShowTaskbar(bool visible);

// The primary display's refresh rate in hertz as the system reports it; 0 when it does not.
unsigned DisplayRefreshRate();

// Asks the system's screen-saver password check when the user has one switched on under
// "Control Panel\Desktop". Allows whenever the setting, the library or its export is missing,
// or the check fails.
bool VerifySystemPassword(HWND lockScreen);

}  // namespace velmora
