// What the running process knows of itself and of the processes beside it.
#pragma once
#include <windows.h>

#include <string>

namespace velmora::win {

// The full path of the running executable, however long; empty if the system cannot say.
std::string ExecutablePath();

// The window belongs to a process that runs this very executable file (this process included).
// Another program's window never does, whatever its class.
bool WindowOfThisProgram(HWND window);

}  // namespace velmora::win
