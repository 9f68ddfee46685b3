#include "common/win/PathMacroSources.h"

#include <map>
#include <memory>
#include <optional>

#include "common/LanguageTable.h"
#include "common/win/SpecialFolders.h"
#include "win/LocaleText.h"
#include "win/Registry.h"

namespace velmora {

namespace {

constexpr DWORD kEnvironmentBufferSize = 260;
constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

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
  const win::RegistryKey key = win::OpenExistingKey(HKEY_LOCAL_MACHINE, kCurrentVersionKey, KEY_ALL_ACCESS);
  if (!key) return {};
  return win::ReadTextValues(key.get());
}

std::string SpecialFolderPathOnce(int csidl, HWND owner) {
  // The special folders do not move while the program runs: the shell is asked once for each.
  static std::map<int, std::string> paths;
  const auto known = paths.find(csidl);
  if (known != paths.end()) return known->second;
  return paths.emplace(csidl, GetSpecialFolderPath(csidl, owner)).first->second;
}

PathMacroSources WindowsPathMacroSources(HWND owner) {
  PathMacroSources sources;
  sources.ExpandEnvironment = ExpandEnvironmentText;
  sources.SpecialFolderPath = [owner](int csidl) { return SpecialFolderPathOnce(csidl, owner); };
  // Read on first use, then kept for as long as these sources are.
  auto registryValues = std::make_shared<std::optional<std::vector<std::pair<std::string, std::string>>>>();
  sources.RegistryValues = [registryValues] {
    if (!*registryValues) *registryValues = CurrentVersionTextValues();
    return **registryValues;
  };
  sources.UpperCase = win::UpperCaseByLocale;
  return sources;
}

std::string ExpandPathMacros(const std::string& text, HWND owner) {
  return ExpandPathMacros(text, LanguageTable, WindowsPathMacroSources(owner));
}

}  // namespace velmora
