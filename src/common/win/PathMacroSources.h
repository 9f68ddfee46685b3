// The Windows sources of path macros: the environment, the shell's folders and the values of
// the system's CurrentVersion registry key.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "common/PathMacros.h"

namespace velmora {

// The text with its environment-variable references expanded by the system, up to its first
// zero byte. A result longer than 259 characters is expanded in full, not cut.
std::string ExpandEnvironmentText(const std::string& text);

// The REG_SZ values of HKEY_LOCAL_MACHINE "Software\Microsoft\Windows\CurrentVersion" as
// name/text pairs, in enumeration order; none when the key does not open with full access.
std::vector<std::pair<std::string, std::string>> CurrentVersionTextValues();

// The path of a special folder (GetSpecialFolderPath), asked of the shell once per folder and
// process.
std::string SpecialFolderPathOnce(int csidl, HWND owner = nullptr);

// The system's sources; `owner` is the window the shell may use for its messages while it
// looks up folders. Each set reads the registry values at most once.
PathMacroSources WindowsPathMacroSources(HWND owner);

// Expands the macros of `text` from the system's sources and LanguageTable's entries.
std::string ExpandPathMacros(const std::string& text, HWND owner = nullptr);

}  // namespace velmora
