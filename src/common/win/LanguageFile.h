// Loading the language file that lies beside the executable into LanguageTable.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace velmora {

// What the load needs from the program: the window that owns the shell's folder look-ups, and
// the processing of the pending window messages, which runs after every line.
struct LanguageLoadHost {
  HWND owner = nullptr;
  std::function<void()> processMessages;
};

// The executable's full path with its extension replaced by ".lng".
std::string LanguageFilePath();
// Reads the file into LanguageTable, with the user locale's comparison of names, and expands
// the values that hold "%". Throws velmora::Error "Cannot open file "<path>". <reason>" when the
// file cannot be read.
void LoadLanguageFile(const LanguageLoadHost& host);

// The user locale's sort key of a name, case ignored: names the locale's comparison finds equal
// have the same key, so the table can find them through an index.
std::string LocaleNameKey(const std::string& name);

}  // namespace velmora
