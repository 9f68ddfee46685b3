#include "install/Installer.h"

#include <windows.h>
#include <shellapi.h>

#include "common/win/SpecialFolders.h"
#include "common/win/SystemMessage.h"
#include "core/Error.h"
#include "install/ProgramFile.h"
#include "win/Registry.h"

namespace velmora {
namespace {

constexpr int kDesktopFolder = 0;  // CSIDL_DESKTOP

std::string CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  std::string directory(size, '\0');
  const DWORD length = GetCurrentDirectoryA(size, directory.data());
  directory.resize(length < size ? length : 0);
  return directory;
}

// The Windows folder as the system reports it into a buffer of 260 characters.
std::string WindowsFolder() {
  char buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  if (length == 0) throw Error("Cannot find the Windows folder: " + SystemErrorMessage(GetLastError()));
  if (length >= MAX_PATH) {
    throw Error("The Windows folder is too long: its path has " + std::to_string(length - 1) +
                " characters, more than " + std::to_string(kMaxInstallPathLength) + ".");
  }
  return std::string(buffer, length);
}

}  // namespace

TInstallPlan PlanInstallation(const std::string& programName) {
  return BuildInstallPlan(RunningExecutablePath(), programName, CurrentDirectory(), WindowsFolder(),
                          GetSpecialFolderPath(kDesktopFolder));
}

void CopyAndRegister(const TInstallPlan& plan, bool createDesktopShortcut) {
  for (const TFileCopy& copy : plan.Copies) {
    if (!CopyFileA(copy.Source.c_str(), copy.Destination.c_str(), FALSE)) {
      const DWORD reason = GetLastError();
      throw Error("Cannot copy \"" + copy.Source + "\" to \"" + copy.Destination + "\": " + SystemErrorMessage(reason));
    }
  }
  if (const win::RegistryKey key = win::OpenKey(HKEY_LOCAL_MACHINE, plan.UninstallKeyPath)) {
    for (const auto& [name, text] : plan.UninstallValues) win::WriteText(key.get(), name, text);
  }
  if (createDesktopShortcut) CreateShortcut(plan.ShortcutTarget, plan.ShortcutPath);
}

void StartInstallVerb(const TInstallPlan& plan) {
  ShellExecuteA(GetDesktopWindow(), "install", plan.InstalledFile().c_str(), "", "", SW_SHOW);
}

}  // namespace velmora
