// Path macros: names between two "%" that stand for environment variables, language-table
// entries, shell folders, the Quick Launch folder and the system's CurrentVersion values.
#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/LanguageTable.h"

namespace velmora {

// Macro names of the shell folders, indexed by CSIDL number; nullptr where a number has none.
constexpr int kFolderMacroCount = 34;
extern const std::array<const char*, kFolderMacroCount> FolderMacroNames;

// CSIDL number of the folder under which the Quick Launch folder lies (APPDATA).
constexpr int kQuickLaunchBaseFolder = 26;
constexpr char kQuickLaunchSubfolder[] = "\\Microsoft\\Internet Explorer\\Quick Launch";

// The most passes stages 2 and 5 make before they give up on a text that keeps changing (a
// macro that leads back to itself), and the longest text a replacement may produce.
constexpr int kMaxMacroPasses = 32;
constexpr std::size_t kMaxExpandedLength = 65536;

// Where the macros' replacements come from. Every member must be set, except UpperCase.
struct PathMacroSources {
  // The text with its environment-variable references expanded; unknown variables stay.
  std::function<std::string(const std::string& text)> ExpandEnvironment;
  // The file-system path of a shell folder; empty when it has none.
  std::function<std::string(int csidl)> SpecialFolderPath;
  // The REG_SZ values of the CurrentVersion key as name/text pairs, in enumeration order.
  // Called at most once per expansion, and only when the registry stage is reached.
  std::function<std::vector<std::pair<std::string, std::string>>()> RegistryValues;
  // Upper-cases a text without changing its length; ASCII letters only when not set.
  std::function<std::string(const std::string& text)> UpperCase;
};

// Expands the macros of `text` in five stages: environment, the entries of `table` (a name
// counts only where it occurs in the text in its own letter case), folders, Quick Launch,
// registry values. Macros that match nothing stay, "%" signs included.
std::string ExpandPathMacros(const std::string& text, const TLanguageTable& table,
                             const PathMacroSources& sources);

// Replaces every occurrence of `pattern` found without regard to case, scanning left to right;
// replaced text is not scanned again. `upperCase` as in PathMacroSources.
std::string ReplaceIgnoringCase(const std::string& text, const std::string& pattern,
                                const std::string& replacement,
                                const std::function<std::string(const std::string&)>& upperCase =
                                    nullptr);

// The start-up's walk over a loaded table: each line that holds "%" (in its name or its value)
// has the value of the first line with its name expanded by `expand` and set as that line's
// value; an empty result removes that line, and the line that moves up into its place is
// examined next. `afterLine`, when set, runs after every line.
void ExpandTableMacros(TLanguageTable& table,
                       const std::function<std::string(const std::string&)>& expand,
                       const std::function<void()>& afterLine = nullptr);

}  // namespace velmora
