// What the running process knows of itself.
#pragma once
#include <string>

namespace velmora::win {

// The full path of the running executable, however long; empty if the system cannot say.
std::string ExecutablePath();

}  // namespace velmora::win
