// The failure that ends the program: caught by the top-level handler, shown, exit code 1.
#pragma once
#include <stdexcept>
#include <string>

namespace velmora {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace velmora
