#include "install/ProgramFile.h"

#include <windows.h>

#include "common/win/SystemMessage.h"
#include "core/Error.h"

namespace velmora {

std::string RunningExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw Error("Cannot find the program's own path: " + SystemErrorMessage(GetLastError()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace velmora
