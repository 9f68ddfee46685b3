// The uninstaller: asks, removes the program's registry traces at once, and leaves the files to
// a batch file that outlives the program, since a running executable cannot delete itself.
#pragma once
#include <windows.h>

#include <string>

#include "core/win/SettingsStore.h"

namespace velmora {

// The system message box's signature, so that tests can answer the confirmation themselves.
using MessageBoxFunction = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

// The language table's message ids of the confirmation box: its question and its title.
inline constexpr char kUninstallQueryId[] = "msgUninstallQuery";
inline constexpr char kUninstallCaptionId[] = "msgUninstallCaption";

// MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SYSTEMMODAL.
inline constexpr UINT kUninstallQueryFlags = 0x1131;

// The whole uninstall of the program `settings` is named after: the confirmation box (no owner,
// the language table's "msgUninstallQuery" and "msgUninstallCaption" as they are); unless it
// answers IDOK nothing changes. Then the registry traces, the batch file ProgramName + ".bat"
// beside the executable, started hidden through the shell without waiting, the settings told to
// write nothing back at exit, and the Startup folder's shortcut deleted. Throws Error when the
// batch file cannot be written; nothing after that step happens then.
void Uninstall(TSettingsStore& settings, MessageBoxFunction messageBox = &MessageBoxA);

// In this order: the value `programName` of HKEY_CURRENT_USER's Run key; HKEY_CURRENT_USER
// "Software\<programName>" with everything below it; HKEY_LOCAL_MACHINE's
// "...\Uninstall\<programName>" likewise. A key or value that is not there is passed over. An
// empty name removes nothing, so a parent key is never emptied.
void RemoveRegistryTraces(const std::string& programName);

// The command interpreter reads a batch file in the console's code page, the OEM one, while the
// program's paths are ANSI text: the text converted from the ANSI to the OEM code page, so that
// "\xE4" (a-umlaut in 1252) becomes "\x84" in 437. A text that the OEM code page cannot hold
// exactly comes back unchanged: a substitute character could be a wildcard.
std::string ToBatchCodePage(const std::string& text);

// Writes `text` as the whole file at `path`, replacing one that is there. Throws Error naming
// the file and the system's reason.
void WriteBatchFile(const std::string& path, const std::string& text);

}  // namespace velmora
