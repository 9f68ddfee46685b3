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

std::string LanguageFilePath() { return ChangeFileExtension(win::ExecutablePath(), ".lng"); }

void LoadLanguageFile(const LanguageLoadHost& host) {
  const std::string path = LanguageFilePath();
  LanguageTable.SetComparer(win::EqualIgnoringCaseByLocale);
  LanguageTable.Assign(ReadWholeFile(path));
  std::size_t index = 0;
  while (index < LanguageTable.Count()) {
    const std::size_t countBefore = LanguageTable.Count();
    if (LanguageTable.Line(index).find('%') != std::string::npos) {
      const std::string name = LineName(LanguageTable.Line(index));
      LanguageTable.SetValue(name, ExpandPathMacros(LanguageTable.Value(name), host.owner));
    }
    if (host.processMessages) host.processMessages();
    // A value that expanded to nothing took its line out: the lines after it moved up by one,
    // so the same index now holds a line not yet examined.
    if (LanguageTable.Count() == countBefore) ++index;
  }
}

}  // namespace velmora
