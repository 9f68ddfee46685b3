#include "common/InstallPlan.h"

#include "common/FileNames.h"
#include "core/Error.h"

namespace velmora {
namespace {

// A folder and a file name joined by exactly one "\" ("C:\" stays "C:\").
std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

}  // namespace

TInstallPlan BuildInstallPlan(const std::string& executablePath, const std::string& programName,
                              const std::string& workingDirectory, const std::string& windowsFolder,
                              const std::string& desktopFolder) {
  TInstallPlan plan;
  plan.SystemFolder = InFolder(windowsFolder, "SYSTEM32\\");
  plan.FileName = FileNamePart(executablePath);
  const std::string languageFile = programName + ".lng";
  plan.Copies = {
      {executablePath, plan.SystemFolder + plan.FileName},
      {InFolder(workingDirectory, kKeyLockFileName), plan.SystemFolder + kKeyLockFileName},
      {InFolder(workingDirectory, languageFile), plan.SystemFolder + languageFile},
  };
  for (const TFileCopy& copy : plan.Copies) {
    if (copy.Destination.size() > kMaxInstallPathLength) {
      throw Error("The Windows folder \"" + windowsFolder + "\" is too long: \"" + copy.Destination + "\" has " +
                  std::to_string(copy.Destination.size()) + " characters, more than " +
                  std::to_string(kMaxInstallPathLength) + ".");
    }
  }
  plan.UninstallKeyPath = std::string(kUninstallKeyPath) + "\\" + programName;
  plan.UninstallValues = {
      {"DisplayName", programName},
      {programName, programName},
      {"UninstallString", plan.FileName + " /UNINSTALL"},
  };
  plan.ShortcutPath = desktopFolder + "\\" + programName + ".lnk";
  plan.ShortcutTarget = plan.FileName;
  return plan;
}

}  // namespace velmora
