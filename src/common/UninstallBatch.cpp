#include "common/UninstallBatch.h"

#include <initializer_list>
#include <utility>

namespace velmora {

std::string BatchQuotedPath(const std::string& path) {
  std::string quoted = "\"";
  for (const char c : path) {
    quoted += c;
    if (c == '%') quoted += '%';
  }
  return quoted + '"';
}

std::string UninstallBatchText(const TUninstallBatchPaths& paths) {
  const std::string retry = " if %tries% lss " + std::to_string(kUninstallTryLimit) + " (" +
                            kUninstallPauseCommand + " & set /a tries+=1 & goto ";
  std::string text = "@echo off\r\nset /a tries=0\r\n";
  const std::initializer_list<std::pair<const char*, std::string>> loops = {
      {"L1", paths.Folder + "Velmora.dll"},
      {"L2", paths.Folder + paths.ExecutableName},
      {"L3", paths.Folder + paths.ProgramName + ".lng"},
      {"L4", paths.DesktopFolder + "\\" + paths.ProgramName + ".lnk"},
  };
  for (const auto& [label, file] : loops) {
    const std::string quoted = BatchQuotedPath(file);
    text += std::string(":") + label + "\r\n";
    text += "del " + quoted + " > nul\r\n";
    text += "if exist " + quoted + retry + label + ")\r\n";
  }
  return text + "del %0 > nul\r\n";
}

}  // namespace velmora
