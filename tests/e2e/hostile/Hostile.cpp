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
//     and what opened, exposed, crashed or locked out earlier versions:
//       nccreate-null     sends WM_NCCREATE without creation data, then posts WM_CLOSE
//       nccreate-forged   sends WM_NCCREATE and WM_CREATE whose creation data names the objects
//                         0x100 and 0x4141414141
//       ncdestroy-hide    sends WM_NCDESTROY, then ShowWindow SW_HIDE
//       destroy-messages  sends and posts WM_DESTROY and WM_NCDESTROY, then posts WM_CLOSE
//       parent-destroy    makes the lock a child of a window of its own, then destroys that
//       prompt-parent-destroy  the same with the (hidden) unlock prompt
//       app-parent-destroy     the same with the program's hidden owner window
//       app-close         posts WM_CLOSE to the program's hidden owner window
//       layered-alpha     WS_EX_LAYERED with alpha 0
//       layered-colorkey  WS_EX_LAYERED with black as the colour key
//       layered-transparent  WS_EX_LAYERED | WS_EX_TRANSPARENT (clicks pass through)
//       child-style       WS_CHILD instead of WS_POPUP
//       region            SetWindowRgn to 10 by 10
//       owner             makes a window of its own the lock's owner
//       disable           EnableWindow FALSE
//       sc-move           posts WM_SYSCOMMAND SC_MOVE
//       sc-size           posts WM_SYSCOMMAND SC_SIZE
//   velmora_hostile plant-message <bytes>
//       stores a message of that many letters as the lock's message (HKCU\Software\Velmora)
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
//       state <layered 0|1> <transparent 0|1> <child 0|1> <disabled 0|1> <region 0|1> <top-level 0|1>
//             <owned by a window of its own program 0|1>
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
  if (lock != nullptr) {
    const LONG_PTR style = GetWindowLongPtrA(lock, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(lock, GWL_EXSTYLE);
    RECT region{};
    DWORD program = 0, ownersProgram = 0;
    GetWindowThreadProcessId(lock, &program);
    const HWND owner = GetWindow(lock, GW_OWNER);
    if (owner != nullptr) GetWindowThreadProcessId(owner, &ownersProgram);
    std::printf("state %d %d %d %d %d %d %d\n", (exStyle & WS_EX_LAYERED) != 0, (exStyle & WS_EX_TRANSPARENT) != 0,
                (style & WS_CHILD) != 0, !IsWindowEnabled(lock), GetWindowRgnBox(lock, &region) != ERROR,
                GetAncestor(lock, GA_PARENT) == GetDesktopWindow(), owner != nullptr && ownersProgram == program);
  }
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

// A window of this process that another window is made a child of, then destroyed with it.
bool AdoptAndDestroy(HWND victim) {
  const HWND parent = CreateWindowExA(0, "STATIC", "Hostile", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  if (victim == nullptr || parent == nullptr) return false;
  const bool adopted = SetParent(victim, parent) != nullptr;
  PumpFor(100);
  return DestroyWindow(parent) != FALSE && adopted;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
  return static_cast<LRESULT>(result);
}

bool Restyle(HWND lock, int index, LONG_PTR set, LONG_PTR clear = 0) {
  SetLastError(0);
  const LONG_PTR old = GetWindowLongPtrA(lock, index);
  return SetWindowLongPtrA(lock, index, (old & ~clear) | set) != 0 || GetLastError() == 0;
}

bool Layer(HWND lock, COLORREF key, BYTE alpha, DWORD flags, LONG_PTR extra = 0) {
  const bool styled = Restyle(lock, GWL_EXSTYLE, WS_EX_LAYERED | extra);
  SetLayeredWindowAttributes(lock, key, alpha, flags);
  return styled;
}

int PlantMessage(std::size_t bytes) {
  const std::string message(bytes, 'x');
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velmora", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return 4;
  }
  const LONG stored = RegSetValueExA(key, "Message", 0, REG_SZ, reinterpret_cast<const BYTE*>(message.c_str()),
                                     static_cast<DWORD>(message.size() + 1));
  RegCloseKey(key);
  return stored == ERROR_SUCCESS ? 0 : 4;
}

bool Attack(const std::string& name, HWND lock) {
  constexpr UINT kKeepSize = SWP_NOMOVE | SWP_NOSIZE;
  const HWND application = FindWindowA("TVelmoraApplication", nullptr);
  if (name == "nccreate-null") return Send(lock, WM_NCCREATE, 0, 0), PostMessageA(lock, WM_CLOSE, 0, 0) != FALSE;
  if (name == "nccreate-forged") {
    for (const UINT_PTR object : {UINT_PTR{0x100}, static_cast<UINT_PTR>(0x4141414141ull)}) {
      CREATESTRUCTA creation{};
      creation.lpCreateParams = reinterpret_cast<void*>(object);
      Send(lock, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&creation));
      Send(lock, WM_CREATE, 0, reinterpret_cast<LPARAM>(&creation));
    }
    return true;
  }
  if (name == "ncdestroy-hide") return Send(lock, WM_NCDESTROY, 0, 0), ShowWindow(lock, SW_HIDE), true;
  if (name == "destroy-messages") {
    Send(lock, WM_DESTROY, 0, 0);
    Send(lock, WM_NCDESTROY, 0, 0);
    PostMessageA(lock, WM_DESTROY, 0, 0);
    PostMessageA(lock, WM_NCDESTROY, 0, 0);
    return PostMessageA(lock, WM_CLOSE, 0, 0) != FALSE;
  }
  if (name == "parent-destroy") return AdoptAndDestroy(lock);
  if (name == "prompt-parent-destroy") return AdoptAndDestroy(FindWindowA("TfrmAsk", nullptr));
  if (name == "app-parent-destroy") return AdoptAndDestroy(application);
  if (name == "app-close") return PostMessageA(application, WM_CLOSE, 0, 0) != FALSE;
  if (name == "layered-alpha") return Layer(lock, 0, 0, LWA_ALPHA);
  if (name == "layered-colorkey") return Layer(lock, RGB(0, 0, 0), 255, LWA_COLORKEY);
  if (name == "layered-transparent") return Layer(lock, 0, 255, LWA_ALPHA, WS_EX_TRANSPARENT);
  if (name == "child-style") return Restyle(lock, GWL_STYLE, WS_CHILD, WS_POPUP);
  if (name == "region") return SetWindowRgn(lock, CreateRectRgn(0, 0, 10, 10), TRUE) != 0;
  if (name == "disable") return EnableWindow(lock, FALSE), true;
  if (name == "owner") {
    const HWND own = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetLastError(0);
    return own != nullptr && (SetWindowLongPtrA(lock, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(own)) != 0 ||
                              GetLastError() == 0);
  }
  if (name == "sc-move") return PostMessageA(lock, WM_SYSCOMMAND, SC_MOVE, 0) != FALSE;
  if (name == "sc-size") return PostMessageA(lock, WM_SYSCOMMAND, SC_SIZE, 0) != FALSE;
  if (name == "quit-window") return PostMessageA(lock, WM_QUIT, 0, 0) != FALSE;
  if (name == "quit-thread") return PostThreadMessageA(GetWindowThreadProcessId(lock, nullptr), WM_QUIT, 0, 0) != FALSE;
  // ShowWindow answers whether the window was visible before, not whether it succeeded.
  if (name == "hide") return ShowWindow(lock, SW_HIDE), true;
  if (name == "hide-pos")
    return SetWindowPos(lock, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | kKeepSize | SWP_NOZORDER) != FALSE;
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
  if (name == "plant-message" && argc >= 3) return PlantMessage(static_cast<std::size_t>(std::atoll(argv[2])));
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
