// A hostile program for test_hostile.sh: another process of the same user that finds the lock
// screen window (class "TfrmVOK") and does one thing to it, as a program running beside the lock
// could.
//   velmora_hostile <attack>
//       quit-window       posts WM_QUIT to the window
//       quit-thread       posts WM_QUIT to the window's thread
//       hide              ShowWindow SW_HIDE
//       hide-pos          SetWindowPos with SWP_HIDEWINDOW
//       minimize          ShowWindow SW_MINIMIZE
//       shrink            SetWindowPos to 10 by 10
//       offscreen         SetWindowPos to (5000, 5000)
//       bottom            SetWindowPos HWND_BOTTOM
//       notopmost         SetWindowPos HWND_NOTOPMOST
//       close             posts WM_CLOSE
//       syscommand-close  posts WM_SYSCOMMAND SC_CLOSE
//       destroy           DestroyWindow from outside
//   velmora_hostile <attack> <milliseconds>
//       the attack, then after that long (handling its messages) what probe prints
//   velmora_hostile steal <seconds>
//       shows a topmost window of its own, makes it the foreground window and keeps it up for
//       that long; prints "steal <ms> <foreground 0|1> <top 0|1> <foreground class> <top class>"
//       at once and every 500 ms: whether its window still is the foreground window and the top
//       of the visible windows, and the classes of those that are
//   velmora_hostile probe
//       lock <visible 0|1> <iconic 0|1> <left> <top> <right> <bottom> <topmost 0|1>
//       lockscreens <number of windows of class TfrmVOK, hidden ones included>
//       zorder <classes of the first four visible top-level windows, top first>
//       foreground <class of the foreground window, or "none">
//       screen <width> <height>
// Exit code: 0 the attack was made (the system accepted the call), 3 no lock screen window, 4 the
// system refused the call, 2 a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kLockScreenClass[] = "TfrmVOK";
constexpr char kStealClass[] = "VelmoraHostileWindow";

std::string ClassOf(HWND window) {
  if (window == nullptr) return "none";
  char name[256] = {};
  if (GetClassNameA(window, name, sizeof name) == 0) return "unknown";
  return name;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

// The visible top-level windows, top of the z-order first.
std::vector<HWND> VisibleWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

BOOL CALLBACK CountLockScreens(HWND window, LPARAM context) {
  if (ClassOf(window) == kLockScreenClass) ++*reinterpret_cast<int*>(context);
  return TRUE;
}

int Probe() {
  const HWND lock = FindWindowA(kLockScreenClass, nullptr);
  if (lock == nullptr) {
    std::printf("lock absent\n");
  } else {
    RECT bounds{};
    GetWindowRect(lock, &bounds);
    std::printf("lock %d %d %ld %ld %ld %ld %d\n", IsWindowVisible(lock) ? 1 : 0, IsIconic(lock) ? 1 : 0,
                bounds.left, bounds.top, bounds.right, bounds.bottom,
                (GetWindowLongPtrA(lock, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
  }
  int count = 0;
  EnumWindows(CountLockScreens, reinterpret_cast<LPARAM>(&count));
  std::printf("lockscreens %d\n", count);
  std::printf("zorder");
  const std::vector<HWND> windows = VisibleWindows();
  for (std::size_t i = 0; i < windows.size() && i < 4; ++i) std::printf(" %s", ClassOf(windows[i]).c_str());
  std::printf("\n");
  std::printf("foreground %s\n", ClassOf(GetForegroundWindow()).c_str());
  std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return lock != nullptr ? 0 : 3;
}

// Handles this thread's messages until `milliseconds` have passed.
void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

void PrintSteal(HWND own, DWORD milliseconds) {
  const std::vector<HWND> windows = VisibleWindows();
  const bool top = !windows.empty() && windows.front() == own;
  std::printf("steal %lu %d %d %s %s\n", static_cast<unsigned long>(milliseconds),
              GetForegroundWindow() == own ? 1 : 0, top ? 1 : 0, ClassOf(GetForegroundWindow()).c_str(),
              windows.empty() ? "none" : ClassOf(windows.front()).c_str());
  std::fflush(stdout);
}

int Steal(DWORD seconds) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
  windowClass.lpszClassName = kStealClass;
  RegisterClassA(&windowClass);
  const HWND own = CreateWindowExA(WS_EX_TOPMOST, kStealClass, "Hostile", WS_POPUP, 100, 100, 400, 300, nullptr,
                                   nullptr, instance, nullptr);
  if (own == nullptr) return 4;
  ShowWindow(own, SW_SHOW);
  SetWindowPos(own, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  const bool taken = SetForegroundWindow(own) != FALSE;
  SetActiveWindow(own);
  SetFocus(own);
  PrintSteal(own, 0);
  for (DWORD elapsed = 0; elapsed < seconds * 1000; elapsed += 500) {
    PumpFor(500);
    PrintSteal(own, elapsed + 500);
  }
  DestroyWindow(own);
  return taken ? 0 : 4;
}

bool Attack(const std::string& name, HWND lock) {
  constexpr UINT kKeepSize = SWP_NOMOVE | SWP_NOSIZE;
  if (name == "quit-window") return PostMessageA(lock, WM_QUIT, 0, 0) != FALSE;
  if (name == "quit-thread") return PostThreadMessageA(GetWindowThreadProcessId(lock, nullptr), WM_QUIT, 0, 0) != FALSE;
  // ShowWindow answers whether the window was visible before, not whether it succeeded.
  if (name == "hide") return ShowWindow(lock, SW_HIDE), true;
  if (name == "hide-pos") return SetWindowPos(lock, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | kKeepSize | SWP_NOZORDER) != FALSE;
  if (name == "minimize") return ShowWindow(lock, SW_MINIMIZE), true;
  if (name == "shrink") return SetWindowPos(lock, nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
  if (name == "offscreen") {
    return SetWindowPos(lock, nullptr, 5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
  }
  if (name == "bottom") return SetWindowPos(lock, HWND_BOTTOM, 0, 0, 0, 0, kKeepSize | SWP_NOACTIVATE) != FALSE;
  if (name == "notopmost") return SetWindowPos(lock, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepSize | SWP_NOACTIVATE) != FALSE;
  if (name == "close") return PostMessageA(lock, WM_CLOSE, 0, 0) != FALSE;
  if (name == "syscommand-close") return PostMessageA(lock, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
  if (name == "destroy") return DestroyWindow(lock) != FALSE;
  std::fprintf(stderr, "unknown attack %s\n", name.c_str());
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: velmora_hostile <attack> | steal <seconds> | probe\n");
    return 2;
  }
  const std::string name = argv[1];
  if (name == "probe") return Probe();
  if (FindWindowA(kLockScreenClass, nullptr) == nullptr) {
    std::printf("no lock screen window\n");
    return 3;
  }
  if (name == "steal") return Steal(argc >= 3 ? static_cast<DWORD>(std::atoi(argv[2])) : 2);
  const bool made = Attack(name, FindWindowA(kLockScreenClass, nullptr));
  std::printf("%s %s\n", name.c_str(), made ? "made" : "refused");
  if (argc >= 3) {
    PumpFor(static_cast<DWORD>(std::atoi(argv[2])));
    Probe();
  }
  return made ? 0 : 4;
}
