#include "common/win/LanguageFile.h"

#include <windows.h>

#include "common/FileNames.h"
#include "common/LanguageTable.h"
#include "common/win/PathMacroSources.h"
#include "common/win/SystemMessage.h"
#include "core/Error.h"
#include "win/Handles.h"
#include "win/LocaleText.h"
#include "win/Process.h"

namespace velmora {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, DWORD code) {
  throw Error("Cannot open file \"" + path + "\". " + SystemErrorMessage(code));
}

// The whole file, byte for byte. Others may read it meanwhile but not write it.
std::string ReadWholeFile(const std::string& path) {
  win::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowOpenError(path, GetLastError());
  std::string bytes;
  // Room for the whole file at once: its copy is not moved as it grows.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char chunk[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk, static_cast<DWORD>(sizeof chunk), &read, nullptr)) {
      ThrowOpenError(path, GetLastError());
    }
    if (read == 0) return bytes;
    bytes.append(chunk, read);
  }
}

}  // namespace

std::string LocaleNameKey(const std::string& name) {
  // The sort key compares as CompareStringA does with the same flags: names it finds equal have
  // equal keys.
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  if (name.empty()) return {};
  const int size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, name.data(),
                                static_cast<int>(name.size()), nullptr, 0);
  if (size <= 0) return name;
  std::string key(static_cast<std::size_t>(size), '\0');
  LCMapStringA(LOCALE_USER_DEFAULT, kFlags, name.data(), static_cast<int>(name.size()), key.data(),
               size);
  return key;
}

std::string LanguageFilePath() { return ChangeFileExtension(win::ExecutablePath(), ".lng"); }

void LoadLanguageFile(const LanguageLoadHost& host) {
  const std::string path = LanguageFilePath();
  LanguageTable.SetComparer(win::EqualIgnoringCaseByLocale, LocaleNameKey);
  LanguageTable.Assign(ReadWholeFile(path));
  // One set of sources for the whole load: the registry values are read once.
  const PathMacroSources sources = WindowsPathMacroSources(host.owner);
  ExpandTableMacros(
      LanguageTable,
      [&sources](const std::string& text) { return ExpandPathMacros(text, LanguageTable, sources); },
      [&host] {
        if (host.processMessages) host.processMessages();
      });
}

}  // namespace velmora
