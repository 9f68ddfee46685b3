// Splitting Windows file names: the directory part and the extension.
#pragma once
#include <string>

namespace velmora {

// Everything up to and including the last "\" or ":"; empty when the path has neither.
std::string DirectoryPart(const std::string& path);
// The path with its extension (from the last "." of the file-name part on) replaced by
// `extension`; appended when the file name has none. `extension` includes its ".".
std::string ChangeFileExtension(const std::string& path, const std::string& extension);

}  // namespace velmora
