// Splitting Windows file names: the directory part and the extension.
#pragma once
#include <string>

namespace velmora {

// The name part of a path: what follows its last "\", "/" or ":".
std::string FileNamePart(const std::string& path);
// A file name without its extension: everything from the last "." on is dropped; a name
// without "." stays whole.
std::string RemoveExtension(const std::string& fileName);
// Everything up to and including the last "\" or ":"; empty when the path has neither.
std::string DirectoryPart(const std::string& path);
// The path with its extension (from the last "." of the file-name part on) replaced by
// `extension`; appended when the file name has none. `extension` includes its ".".
std::string ChangeFileExtension(const std::string& path, const std::string& extension);

}  // namespace velmora
