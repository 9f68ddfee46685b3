// What an installation puts in place: the three copies into the system folder, the uninstall
// entry and the desktop shortcut, worked out from the running executable's path, the current
// working directory and the Windows folder.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// The longest path the installer's buffers hold: 260 characters with the terminating zero.
inline constexpr std::size_t kMaxInstallPathLength = 259;

inline constexpr char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kKeyLockFileName[] = "Velmora.dll";

struct TFileCopy {
  std::string Source;
  std::string Destination;
};

struct TInstallPlan {
  std::string SystemFolder;  // the Windows folder + "\SYSTEM32\"
  std::string FileName;      // the executable's file name with its extension
  // The executable by its full path, then the key-locking library and the language file from
  // the working directory, each into SystemFolder.
  std::vector<TFileCopy> Copies;
  std::string UninstallKeyPath;  // under HKEY_LOCAL_MACHINE
  // "DisplayName", the value named after the program, "UninstallString", in writing order.
  std::vector<std::pair<std::string, std::string>> UninstallValues;
  std::string ShortcutPath;    // the desktop folder + "\" + ProgramName + ".lnk"
  std::string ShortcutTarget;  // the bare FileName: the shell finds it in the system folder
  std::string InstalledFile() const { return SystemFolder + FileName; }
};

// Throws Error when a destination would not fit kMaxInstallPathLength: a Windows folder that
// long would otherwise give a truncated destination.
TInstallPlan BuildInstallPlan(const std::string& executablePath, const std::string& programName,
                              const std::string& workingDirectory, const std::string& windowsFolder,
                              const std::string& desktopFolder);

}  // namespace velmora
