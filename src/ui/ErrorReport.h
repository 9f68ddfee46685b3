// The top-level error handler: tells the user about a failure nobody else handled.
#pragma once
#include <string>

namespace velmora {

// Shows the message in an error message box; with VELMORA_NO_MESSAGEBOX=1 in the environment
// it goes to standard error instead, so unattended runs do not stop at a box. While the
// program holds the screen no box is shown (it would stand under the holder's windows, and
// their input would wait behind it): the failure is recorded instead.
void ReportUnhandledError(const std::string& message);

}  // namespace velmora
