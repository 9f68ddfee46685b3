// Entry point: hands the command line to the start-up and returns its exit code.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The C runtime splits the command line by the usual rules (quotes, backslashes).
  std::vector<std::string> arguments;
  for (int index = 1; index < __argc; ++index) arguments.emplace_back(__argv[index]);
  return velmora::RunProgram(instance, arguments);
}
