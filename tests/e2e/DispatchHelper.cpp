// A stand-in preview host for test_dispatch.sh:
//   dispatch_helper host <ready-file> <stop-file>   a visible 152 by 112 red preview host window
// It writes its window's decimal handle into <ready-file> once the window exists, and ends when
// <stop-file> appears (hiding its window first) or after 60 seconds.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* stopFile = nullptr;
HWND window = nullptr;
int ticksLeft = 60000 / 50;

void CALLBACK WatchStopFile(HWND, UINT, UINT_PTR, DWORD) {
  if (GetFileAttributesA(stopFile) != INVALID_FILE_ATTRIBUTES || --ticksLeft <= 0) {
    ShowWindow(window, SW_HIDE);
    PostQuitMessage(0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], "host") != 0) {
    std::fprintf(stderr, "usage: dispatch_helper host <ready-file> <stop-file>\n");
    return 2;
  }
  stopFile = argv[3];
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VelmoraTestPreviewHost";
  windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
  RegisterClassA(&windowClass);
  window = CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "", WS_POPUP, 100, 100,
                           152, 112, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  FILE* ready = std::fopen(argv[2], "w");
  if (ready == nullptr) return 1;
  std::fprintf(ready, "%lld\n", static_cast<long long>(reinterpret_cast<LONG_PTR>(window)));
  std::fclose(ready);

  SetTimer(nullptr, 0, 50, WatchStopFile);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  // Let a preview notice the hidden host before the window goes away.
  Sleep(500);
  DestroyWindow(window);
  return 0;
}
