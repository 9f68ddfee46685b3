// The system's own text for an error code.
#pragma once
#include <string>

namespace velmora {

// FormatMessage's text for a Win32 error code, without its trailing line break (the system's
// final period stays). "Error <code>" when the system has no text for it.
std::string SystemErrorMessage(unsigned long code);

}  // namespace velmora
