#include "install/Uninstaller.h"

#include <shellapi.h>

#include "common/FileNames.h"
#include "common/InstallPlan.h"
#include "common/LanguageTable.h"
#include "common/UninstallBatch.h"
#include "common/win/SpecialFolders.h"
#include "common/win/SystemMessage.h"
#include "core/Error.h"
#include "install/ProgramFile.h"
#include "win/Handles.h"
#include "win/Registry.h"

namespace velmora {
namespace {

constexpr int kDesktopFolder = 0;  // CSIDL_DESKTOP
constexpr int kStartupFolder = 7;  // CSIDL_STARTUP

void DeleteSubkeyTree(HKEY root, const char* parent, const std::string& name) {
  if (const win::RegistryKey key = win::OpenExistingKey(root, parent, KEY_ALL_ACCESS)) {
    RegDeleteTreeA(key.get(), name.c_str());
  }
}

}  // namespace

void RemoveRegistryTraces(const std::string& programName) {
  if (programName.empty()) return;
  if (const win::RegistryKey run = win::OpenExistingKey(HKEY_CURRENT_USER, win::kRunKeyPath, KEY_ALL_ACCESS)) {
    win::DeleteValue(run.get(), programName);
  }
  DeleteSubkeyTree(HKEY_CURRENT_USER, "Software", programName);
  DeleteSubkeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyPath, programName);
}

std::string ToBatchCodePage(const std::string& text) {
  if (text.empty() || GetACP() == GetOEMCP()) return text;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
  BOOL substituted = FALSE;
  const int length = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0,
                                         nullptr, &substituted);
  std::string oem(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, oem.data(), length, nullptr,
                      &substituted);
  return substituted || length == 0 ? text : oem;
}

void WriteBatchFile(const std::string& path, const std::string& text) {
  const win::FileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
      written != text.size()) {
    const DWORD reason = GetLastError();
    throw Error("Cannot write the file \"" + path + "\": " + SystemErrorMessage(reason));
  }
}

void Uninstall(TSettingsStore& settings, MessageBoxFunction messageBox) {
  const std::string query = LanguageTable.Value(kUninstallQueryId);
  const std::string caption = LanguageTable.Value(kUninstallCaptionId);
  if (messageBox(nullptr, query.c_str(), caption.c_str(), kUninstallQueryFlags) != IDOK) return;

  const std::string& programName = settings.ProgramName();
  RemoveRegistryTraces(programName);

  const std::string executable = RunningExecutablePath();
  const std::string folder = DirectoryPart(executable);
  const std::string batchFile = folder + programName + ".bat";
  WriteBatchFile(batchFile, ToBatchCodePage(UninstallBatchText({folder, FileNamePart(executable), programName,
                                                                GetSpecialFolderPath(kDesktopFolder)})));
  ShellExecuteA(GetDesktopWindow(), "open", batchFile.c_str(), "", "", SW_HIDE);

  settings.WriteNothingBack();

  const std::string startup = GetSpecialFolderPath(kStartupFolder);
  if (!startup.empty()) DeleteFileA((startup + "\\" + programName + ".lnk").c_str());
}

}  // namespace velmora
