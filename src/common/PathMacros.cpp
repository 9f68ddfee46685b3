#include "common/PathMacros.h"

#include <algorithm>

#include "core/AsciiText.h"

namespace velmora {

const std::array<const char*, kFolderMacroCount> FolderMacroNames = {
    "DESKTOP",          "INTERNET",         "PROGRAMS",        "CONTROLS",
    "PRINTERS",         "PERSONAL",         "FAVORITES",       "STARTUP",
    "RECENT",           "SENDTO",           "BITBUCKET",       "STARTMENU",
    nullptr,            nullptr,            nullptr,           nullptr,
    "DESKTOPDIRECTORY", "DRIVES",           "NETWORK",         "NETHOOD",
    "FONTS",            "TEMPLATES",        "COMMON_STARTMENU", "COMMON_PROGRAMS",
    "COMMON_STARTUP",   "COMMON_DESKTOPDIRECTORY",             "APPDATA",
    "PRINTHOOD",        "ALTSTARTUP",       "COMMON_ALTSTARTUP",
    "COMMON_FAVORITES", "INTERNET_CACHE",   "COOKIES",         "HISTORY",
};

namespace {

using UpperCaseFunction = std::function<std::string(const std::string&)>;

std::string UpperCaseOf(const std::string& text, const UpperCaseFunction& upperCase) {
  if (upperCase) {
    std::string upper = upperCase(text);
    if (upper.size() == text.size()) return upper;
  }
  return AsciiUpperCase(text);
}

bool HoldsPercent(const std::string& text) { return text.find('%') != std::string::npos; }

std::string CutAtZeroByte(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string Macro(const std::string& name) { return "%" + name + "%"; }

// Replaces the macro in `s` unless the result would outgrow kMaxExpandedLength; false when it
// was refused, which ends the stage.
bool ReplaceWithinLimit(std::string& s, const std::string& macro, const std::string& replacement,
                        const UpperCaseFunction& upperCase) {
  std::string replaced = ReplaceIgnoringCase(s, macro, replacement, upperCase);
  if (replaced.size() > std::max(kMaxExpandedLength, s.size())) return false;
  s = std::move(replaced);
  return true;
}

// Stage 2: the entries of the language table, pass after pass until nothing changes.
void ExpandLanguageEntries(std::string& s, const TLanguageTable& table,
                           const UpperCaseFunction& upperCase) {
  for (int pass = 0; pass < kMaxMacroPasses; ++pass) {
    const std::string before = s;
    for (std::size_t i = 0; i < table.Count(); ++i) {
      const std::string name = LineName(table.Line(i));
      if (name.empty() || s.find(name) == std::string::npos) continue;
      if (!ReplaceWithinLimit(s, Macro(name), table.Value(name), upperCase)) return;
    }
    if (s == before) return;
  }
}

// Stage 5: the registry values, pass after pass until nothing changes.
void ExpandRegistryValues(std::string& s,
                          const std::vector<std::pair<std::string, std::string>>& entries,
                          NameComparer namesEqual, const UpperCaseFunction& upperCase) {
  const auto firstTextNamed = [&](const std::string& name) {
    for (const auto& entry : entries) {
      if (namesEqual(entry.first, name)) return entry.second;
    }
    return std::string();
  };
  for (int pass = 0; pass < kMaxMacroPasses; ++pass) {
    const std::string before = s;
    for (const auto& entry : entries) {
      const std::string& name = entry.first;
      if (name.empty() || s.find(name) == std::string::npos) continue;
      if (!ReplaceWithinLimit(s, Macro(name), firstTextNamed(name), upperCase)) return;
    }
    if (s == before) return;
  }
}

}  // namespace

std::string ReplaceIgnoringCase(const std::string& text, const std::string& pattern,
                                const std::string& replacement,
                                const UpperCaseFunction& upperCase) {
  if (pattern.empty()) return text;
  const std::string upperText = UpperCaseOf(text, upperCase);
  const std::string upperPattern = UpperCaseOf(pattern, upperCase);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = upperText.find(upperPattern); at != std::string::npos;
       at = upperText.find(upperPattern, from)) {
    result.append(text, from, at - from);
    result += replacement;
    from = at + pattern.size();
  }
  result.append(text, from, std::string::npos);
  return result;
}

std::string ExpandPathMacros(const std::string& text, const TLanguageTable& table,
                             const PathMacroSources& sources) {
  const UpperCaseFunction& upperCase = sources.UpperCase;
  std::string s = CutAtZeroByte(sources.ExpandEnvironment(text));

  if (HoldsPercent(s)) {
    ExpandLanguageEntries(s, table, upperCase);
    s = CutAtZeroByte(s);
  }

  if (HoldsPercent(s)) {
    for (int csidl = 0; csidl < kFolderMacroCount; ++csidl) {
      const char* name = FolderMacroNames[static_cast<std::size_t>(csidl)];
      if (name == nullptr) continue;
      ReplaceWithinLimit(s, Macro(name), sources.SpecialFolderPath(csidl), upperCase);
    }
  }

  if (HoldsPercent(s) && UpperCaseOf(s, upperCase).find("QUICKLAUNCH") != std::string::npos) {
    ReplaceWithinLimit(s, Macro("QUICKLAUNCH"),
                       sources.SpecialFolderPath(kQuickLaunchBaseFolder) + kQuickLaunchSubfolder,
                       upperCase);
  }

  if (HoldsPercent(s)) {
    ExpandRegistryValues(s, sources.RegistryValues(), table.Comparer(), upperCase);
    s = CutAtZeroByte(s);
  }
  return s;
}

}  // namespace velmora
