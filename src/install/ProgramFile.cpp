#include "install/ProgramFile.h"

#include <windows.h>

#include "common/win/SystemMessage.h"
#include "core/Error.h"
#include "win/Process.h"

namespace velmora {

std::string RunningExecutablePath() {
  std::string path = win::ExecutablePath();
  if (path.empty()) throw Error("Cannot find the program's own path: " + SystemErrorMessage(GetLastError()));
  return path;
}

}  // namespace velmora
