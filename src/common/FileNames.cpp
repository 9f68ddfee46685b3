#include "common/FileNames.h"

namespace velmora {

std::string DirectoryPart(const std::string& path) {
  const std::size_t end = path.find_last_of("\\:");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string FileNamePart(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string RemoveExtension(const std::string& fileName) { return fileName.substr(0, fileName.rfind('.')); }

std::string ChangeFileExtension(const std::string& path, const std::string& extension) {
  const std::string name = FileNamePart(path);
  return path.substr(0, path.size() - name.size()) + RemoveExtension(name) + extension;
}

}  // namespace velmora
