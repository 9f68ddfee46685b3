// The language file as the start-up reads it: the table from the file's bytes, then every line
// that holds "%" expanded from the table and from sources the input also describes.
//
// Input sections, separated by byte 0x1E:
//   0  the language file's bytes
//   1  environment variables, one "NAME=value" a line (LF)
//   2  special folders: line k is the path of folder k (CSIDL number), empty when missing
//   3  registry values, one "name=value" a line, in enumeration order
//   4  the first byte, when odd, installs an upper-case that also folds Latin-1 letters
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/LanguageTable.h"
#include "common/PathMacros.h"
#include "FuzzInput.h"

namespace velmora {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries NameValuePairs(const std::string& section) {
  Entries entries;
  for (const std::string& line : fuzz::Lines(section)) {
    entries.emplace_back(LineName(line), LineValue(line));
  }
  return entries;
}

std::string Latin1UpperCase(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
      c = static_cast<char>(u - 0x20);
    }
  }
  return upper;
}

bool Latin1NamesEqual(const std::string& a, const std::string& b) {
  return Latin1UpperCase(a) == Latin1UpperCase(b);
}

}  // namespace
}  // namespace velmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  const std::vector<std::string> sections = fuzz::Sections(data, size, 5);
  const Entries environment = NameValuePairs(sections[1]);
  const std::vector<std::string> folders = fuzz::Lines(sections[2]);
  const Entries registry = NameValuePairs(sections[3]);
  const bool latin1 = !sections[4].empty() && (sections[4][0] & 1) != 0;

  int registryReads = 0;
  PathMacroSources sources;
  sources.ExpandEnvironment = [&](const std::string& text) {
    std::string s = text;
    for (const auto& [name, value] : environment) {
      if (!name.empty()) s = ReplaceIgnoringCase(s, "%" + name + "%", value);
    }
    return s;
  };
  sources.SpecialFolderPath = [&](int csidl) {
    // The shell's paths end at their first zero byte.
    const bool known = csidl >= 0 && static_cast<std::size_t>(csidl) < folders.size();
    const std::string path = known ? folders[static_cast<std::size_t>(csidl)] : std::string();
    return path.substr(0, path.find('\0'));
  };
  sources.RegistryValues = [&] {
    ++registryReads;
    return registry;
  };
  if (latin1) sources.UpperCase = Latin1UpperCase;

  TLanguageTable table;
  if (latin1) table.SetComparer(Latin1NamesEqual, (sections[4][0] & 2) != 0 ? MacroNameKey : nullptr);
  table.Assign(sections[0]);
  for (std::size_t i = 0; i < table.Count(); ++i) {
    VELMORA_FUZZ_CHECK(table.Line(i).find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
  }

  ExpandTableMacros(table, [&](const std::string& value) {
    registryReads = 0;
    const std::string expanded = ExpandPathMacros(value, table, sources);
    VELMORA_FUZZ_CHECK(registryReads <= 1);
    VELMORA_FUZZ_CHECK(expanded.find('\0') == std::string::npos);
    const std::string environmentExpanded = sources.ExpandEnvironment(value);
    if (environmentExpanded.find('%') == std::string::npos &&
        environmentExpanded.find('\0') == std::string::npos) {
      VELMORA_FUZZ_CHECK(expanded == environmentExpanded);
    }
    VELMORA_FUZZ_CHECK(expanded.size() <=
                       std::max(kMaxExpandedLength, environmentExpanded.size()));
    return expanded;
  });
  // The index the expansion used still agrees with the lines.
  for (std::size_t i = 0; i < table.Count(); ++i) {
    if (!LineHasName(table.Line(i))) continue;
    const std::vector<std::size_t>& named = table.LinesNamedLike(LineName(table.Line(i)));
    VELMORA_FUZZ_CHECK(std::find(named.begin(), named.end(), i) != named.end());
  }
  return 0;
}
