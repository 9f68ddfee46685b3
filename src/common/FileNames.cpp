#include "common/FileNames.h"

namespace velmora {

std::string DirectoryPart(const std::string& path) {
  const std::size_t end = path.find_last_of("\\:");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string ChangeFileExtension(const std::string& path, const std::string& extension) {
  const std::size_t nameStart = path.find_last_of("\\/:");
  const std::size_t dot = path.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
  return (hasExtension ? path.substr(0, dot) : path) + extension;
}

}  // namespace velmora
