#include "common/win/PathMacroSources.h"

#include <windows.h>

#include <map>
#include <memory>
#include <optional>

#include "common/LanguageTable.h"
#include "common/win/SpecialFolders.h"
#include "win/Handles.h"

namespace velmora {

namespace {

constexpr DWORD kEnvironmentBufferSize = 260;
constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string SystemUpperCase(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

std::string UpToZeroByte(const char* data, std::size_t size) {
  const std::string text(data, size);
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::string ExpandEnvironmentText(const std::string& text) {
  std::string buffer(kEnvironmentBufferSize, '\0');
  for (;;) {
    const DWORD needed =
        ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) return text.substr(0, text.find('\0'));
    if (needed <= buffer.size()) return UpToZeroByte(buffer.data(), buffer.size());
    buffer.assign(needed, '\0');
  }
}

std::vector<std::pair<std::string, std::string>> CurrentVersionTextValues() {
  std::vector<std::pair<std::string, std::string>> values;
  win::RegistryKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_ALL_ACCESS, key.put()) !=
      ERROR_SUCCESS) {
    return values;
  }
  DWORD longestName = 0;
  DWORD longestData = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
    return values;
  }
  std::string name(longestName + 1, '\0');
  std::string data(longestData + 1, '\0');
  for (DWORD index = 0;;) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG result = RegEnumValueA(key.get(), index, name.data(), &nameSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &dataSize);
    if (result == ERROR_MORE_DATA) {
      // A value that grew since the key was measured: widen both buffers and ask again.
      name.assign(name.size() * 2, '\0');
      data.assign(data.size() * 2, '\0');
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    if (type == REG_SZ) {
      values.emplace_back(name.substr(0, nameSize),
                          UpToZeroByte(data.data(), std::min<std::size_t>(dataSize, data.size())));
    }
    ++index;
  }
  return values;
}

std::string SpecialFolderPathOnce(int csidl) {
  // The special folders do not move while the program runs: the shell is asked once for each.
  static std::map<int, std::string> paths;
  const auto known = paths.find(csidl);
  if (known != paths.end()) return known->second;
  return paths.emplace(csidl, GetSpecialFolderPath(csidl)).first->second;
}

PathMacroSources WindowsPathMacroSources() {
  PathMacroSources sources;
  sources.ExpandEnvironment = ExpandEnvironmentText;
  sources.SpecialFolderPath = SpecialFolderPathOnce;
  // Read on first use, then kept for as long as these sources are.
  auto registryValues = std::make_shared<std::optional<std::vector<std::pair<std::string, std::string>>>>();
  sources.RegistryValues = [registryValues] {
    if (!*registryValues) *registryValues = CurrentVersionTextValues();
    return **registryValues;
  };
  sources.UpperCase = SystemUpperCase;
  return sources;
}

std::string ExpandPathMacros(const std::string& text) {
  return ExpandPathMacros(text, LanguageTable, WindowsPathMacroSources());
}

}  // namespace velmora
