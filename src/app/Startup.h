// Start-up and exit: the process-wide parts in their order, the command dispatch, and the
// top-level handler that reports any failure nobody else handled.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace velmora {

// Runs the program for one command line (`arguments` without the program's own name) and
// returns the process exit code: 0 for every ordinary end, 1 after a failure, which has been
// reported through ReportUnhandledError. Never throws.
int RunProgram(HINSTANCE instance, const std::vector<std::string>& arguments);

}  // namespace velmora
