// Loading the language file that lies beside the executable into LanguageTable.
#pragma once
#include <string>

namespace velmora {

// The executable's full path with its extension replaced by ".lng".
std::string LanguageFilePath();
// Reads the file into LanguageTable and expands the values that hold "%". Throws
// velmora::Error "Cannot open file "<path>". <reason>" when the file cannot be read.
// Handles pending window messages after every line.
void LoadLanguageFile();

// Equality of two names without regard to case, by the user's locale; LoadLanguageFile
// installs it as LanguageTable's comparer.
bool LocaleNamesEqual(const std::string& a, const std::string& b);
// The user locale's sort key of a name, case ignored: names LocaleNamesEqual finds equal have
// the same key, so the table can find them through an index.
std::string LocaleNameKey(const std::string& name);

}  // namespace velmora
