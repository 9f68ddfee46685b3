// The installer's work behind the install wizard's Install button, in two calls so that the
// wizard can hide itself, let the screen repaint and pause between them.
#pragma once
#include <string>

#include "common/InstallPlan.h"

namespace velmora {

// The plan for this process, whose program name is `programName`: the running executable, the
// current working directory, the Windows folder and the desktop folder. Throws Error for a
// Windows folder that does not fit the 260-character buffer, or for a destination that would be
// longer than that.
TInstallPlan PlanInstallation(const std::string& programName);

// The three copies in their order, each overwriting what is there; then the uninstall entry in
// HKEY_LOCAL_MACHINE (passed over silently when the key can be neither opened nor created); then
// the desktop shortcut when asked for (its outcome is not read). A failed copy throws Error
// naming the file, the destination and the system's reason, before anything later is done;
// what was copied before it stays.
void CopyAndRegister(const TInstallPlan& plan, bool createDesktopShortcut);

// The shell's "install" verb on the installed copy, with the desktop window as parent and
// SW_SHOW; for a screen saver it selects the file as the system's screen saver. Its outcome is
// not read.
void StartInstallVerb(const TInstallPlan& plan);

}  // namespace velmora
