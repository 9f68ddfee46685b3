// Keeps Wine's desktop process up during bench/run-all.sh, as a running shell would on Windows:
// without a program on the desktop Wine ends its desktop process with the last program and starts
// it again with the next, which would add its start to every measured time to lock. Shows
// nothing; waits for messages until it is ended.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  GetDesktopWindow();
  const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
