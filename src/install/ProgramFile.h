// The running executable's full path, for the installer and the uninstaller.
#pragma once
#include <string>

namespace velmora {

// The executable's full path, however long. Throws Error when the system gives none.
std::string RunningExecutablePath();

}  // namespace velmora
