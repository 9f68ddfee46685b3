#include "common/PathMacros.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_set>

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
bool ReplaceWithinLimit(std::string& s, const std::string& macro, std::string_view replacement,
                        const UpperCaseFunction& upperCase) {
  // The size is known from the count of occurrences: a refused text is never built.
  const std::string upperText = UpperCaseOf(s, upperCase);
  const std::string upperMacro = UpperCaseOf(macro, upperCase);
  std::size_t count = 0;
  for (std::size_t at = upperText.find(upperMacro); at != std::string::npos;
       at = upperText.find(upperMacro, at + macro.size())) {
    ++count;
  }
  if (count == 0) return true;
  const std::size_t limit = std::max(kMaxExpandedLength, s.size());
  if (replacement.size() > macro.size() &&
      (replacement.size() - macro.size()) > (limit - s.size()) / count) {
    return false;
  }
  s = ReplaceIgnoringCase(s, macro, std::string(replacement), upperCase);
  return true;
}

// TLanguageTable::Value without a copy of a value that may be refused for its length.
std::string_view ValueOfFirstLineNamed(const TLanguageTable& table, const std::string& name) {
  const std::size_t index = table.Find(name);
  if (index == TLanguageTable::npos) return {};
  const std::string& line = table.Line(index);
  return std::string_view(line).substr(line.find('=') + 1);
}

// Adds to `pending` the lines from `first` on whose macros may occur in `s`: those named like
// the text between two neighbouring "%" signs, and those whose names hold "%" themselves.
void AddCandidateLines(const std::string& s, const TLanguageTable& table, std::size_t first,
                       std::set<std::size_t>& pending) {
  const auto add = [&](const std::vector<std::size_t>& lines) {
    for (auto line = std::lower_bound(lines.begin(), lines.end(), first); line != lines.end();
         ++line) {
      pending.insert(*line);
    }
  };
  std::unordered_set<std::string_view> seen;
  std::size_t open = s.find('%');
  while (open != std::string::npos) {
    const std::size_t close = s.find('%', open + 1);
    if (close == std::string::npos) break;
    const std::string_view between = std::string_view(s).substr(open + 1, close - open - 1);
    if (!between.empty() && seen.insert(between).second) {
      add(table.LinesNamedLike(std::string(between)));
    }
    open = close;
  }
  add(table.LinesNamedLike("%"));
}

// Stage 2: the entries of the language table, pass after pass until nothing changes. A pass
// takes the lines in table order, but only those whose macro can occur in the text as it
// stands when their turn comes: the others would leave it as it is.
void ExpandLanguageEntries(std::string& s, const TLanguageTable& table,
                           const UpperCaseFunction& upperCase) {
  for (int pass = 0; pass < kMaxMacroPasses; ++pass) {
    const std::string before = s;
    std::set<std::size_t> pending;
    AddCandidateLines(s, table, 0, pending);
    while (!pending.empty()) {
      const std::size_t line = *pending.begin();
      pending.erase(pending.begin());
      const std::string name = LineName(table.Line(line));
      if (name.empty() || s.find(name) == std::string::npos) continue;
      const std::string unchanged = s;
      if (!ReplaceWithinLimit(s, Macro(name), ValueOfFirstLineNamed(table, name), upperCase)) {
        return;
      }
      if (s != unchanged) AddCandidateLines(s, table, line + 1, pending);
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

void ExpandTableMacros(TLanguageTable& table,
                       const std::function<std::string(const std::string&)>& expand,
                       const std::function<void()>& afterLine) {
  std::size_t index = 0;
  while (index < table.Count()) {
    const std::size_t countBefore = table.Count();
    if (table.Line(index).find('%') != std::string::npos) {
      const std::string name = LineName(table.Line(index));
      table.SetValue(name, expand(table.Value(name)));
    }
    if (afterLine) afterLine();
    // A value that expanded to nothing took its line out: the lines after it moved up by one,
    // so the same index now holds a line not yet examined.
    if (table.Count() == countBefore) ++index;
  }
}

}  // namespace velmora
