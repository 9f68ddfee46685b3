#include "core/win/ProgramName.h"

#include <windows.h>

#include "common/FileNames.h"
#include "win/Handles.h"

namespace velmora {

std::string ProgramNameOf(const std::string& executablePath) {
  WIN32_FIND_DATAA found{};
  const win::FindHandle search(FindFirstFileA(executablePath.c_str(), &found));
  return RemoveExtension(search ? std::string(found.cFileName) : FileNamePart(executablePath));
}

}  // namespace velmora
