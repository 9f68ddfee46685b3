// Loading the language file that lies beside the executable into LanguageTable.
#pragma once
#include <string>

namespace velmora {

// The executable's full path with its extension replaced by ".lng".
std::string LanguageFilePath();
// Reads the file into LanguageTable and expands the values that hold "%". Throws
// velmora::Error "Cannot open file "<path>". <reason>" when the file cannot be read.
void LoadLanguageFile();

}  // namespace velmora
