// The program's windows: made in the order each mode asks for, wired to each other, and
// destroyed before the application window that owns them.
#pragma once
#include <memory>

#include "config/Config.h"
#include "core/CommandLine.h"
#include "install/InstallWizard.h"
#include "lockscreen/Main.h"
#include "prompt/Ask.h"

namespace velmora {

// One variable per window, empty in a mode that does not make it, and the lock session the lock
// screen takes while it is shown.
extern std::unique_ptr<TLockSession> lockSession;
extern std::unique_ptr<TfrmVOK> frmVOK;
extern std::unique_ptr<TfrmAsk> frmAsk;
extern std::unique_ptr<TfrmConfig> frmConfig;
extern std::unique_ptr<TfrmInstallWizard> frmInstallWizard;

// Makes the mode's main window (the lock screen, the configuration dialog or the install wizard)
// and wires it; the other windows are made at their first show (LockScreen, the unlock prompt).
void CreateModeWindows(TRunMode mode);
// Destroys every window: the prompt, then the lock screen, which gives the keys and the
// taskbar back on the way however the message loop ended and may show the dialog again while it
// goes, then the configuration dialog and the install wizard.
void DestroyModeWindows();

// The lock screen of the configure and install modes, made with its window on first use, so
// that no window of class "TfrmVOK" exists (and a second copy of the program starts normally)
// until it is first shown. It never becomes the main window.
TfrmVOK& LockScreen();

// The application's deactivation notification for the message loop of every mode.
void AppDeactivate();

}  // namespace velmora
