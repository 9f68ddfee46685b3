// Helper of test_lockscreen.sh, working through the program's own settings store and on its
// windows:
//   lockscreen_helper settings <password> <speed> <message-position> [message]
//       stores a settings record for Velmora.scr with that password (messages allowed)
//   lockscreen_helper read
//       prints the stored MessagePosition and message
//   lockscreen_helper pointer <x> <y>
//       puts the pointer there through the system, so that Wine and the X server agree on it
//   lockscreen_helper record
//       prints "record <96 bytes in hex>" (or "record absent"), then "run <the logon-start value>"
//       (or "run absent")
//   lockscreen_helper scramble <text>
//       prints the text scrambled as the settings store stores a password, in hex
//   lockscreen_helper controls
//       prints one line per child window of the configuration dialog:
//       "<control id> <visible 0|1> <left> <top> <right> <bottom>" in screen coordinates
//   lockscreen_helper probe
//       prints one line per window class TfrmVOK, TfrmAsk, TfrmConfig and TfrmInstallWizard (its
//       visible window, if it has one):
//       "<class> absent" or
//       "<class> <visible 0|1> <left> <top> <right> <bottom> <topmost 0|1> <client x> <client y>",
//       then "taskbar absent" or "taskbar <visible 0|1>", then "screen <width> <height>"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/Crypt32.h"
#include "core/win/SettingsStore.h"

namespace {

// The visible window of the class if there is one, else any.
HWND FindShown(const char* className) {
  for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, className, nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return FindWindowA(className, nullptr);
}

void PrintWindow(const char* className) {
  const HWND window = FindShown(className);
  if (window == nullptr) {
    std::printf("%s absent\n", className);
    return;
  }
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  POINT client{0, 0};
  ClientToScreen(window, &client);
  std::printf("%s %d %ld %ld %ld %ld %d %ld %ld\n", className, IsWindowVisible(window) ? 1 : 0, bounds.left,
              bounds.top, bounds.right, bounds.bottom, topmost ? 1 : 0, client.x, client.y);
}

std::string Hex(const std::string& bytes) {
  std::string text;
  char pair[3];
  for (char byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(byte));
    text += pair;
  }
  return text;
}

void PrintRecord() {
  char bytes[256] = {};
  DWORD size = sizeof bytes;
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Velmora", nullptr, RRF_RT_ANY, nullptr, bytes, &size) ==
      ERROR_SUCCESS) {
    std::printf("record %s\n", Hex(std::string(bytes, size)).c_str());
  } else {
    std::printf("record absent\n");
  }
  char run[1024] = {};
  size = sizeof run;
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Velmora",
                   RRF_RT_REG_SZ, nullptr, run, &size) == ERROR_SUCCESS) {
    std::printf("run %s\n", run);
  } else {
    std::printf("run absent\n");
  }
}

BOOL CALLBACK PrintControl(HWND window, LPARAM) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  std::printf("%d %d %ld %ld %ld %ld\n", GetDlgCtrlID(window), IsWindowVisible(window) ? 1 : 0, bounds.left,
              bounds.top, bounds.right, bounds.bottom);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmora;
  if (argc >= 2 && std::strcmp(argv[1], "probe") == 0) {
    PrintWindow("TfrmVOK");
    PrintWindow("TfrmAsk");
    PrintWindow("TfrmConfig");
    PrintWindow("TfrmInstallWizard");
    if (const HWND taskbar = FindWindowA("Shell_TrayWnd", "")) {
      std::printf("taskbar %d\n", IsWindowVisible(taskbar) ? 1 : 0);
    } else {
      std::printf("taskbar absent\n");
    }
    std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "record") == 0) {
    PrintRecord();
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "scramble") == 0) {
    std::printf("%s\n", Hex(Encrypt(argv[2], kStoreStartKey, kStoreMultiplier, kStoreAddend)).c_str());
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "controls") == 0) {
    const HWND dialog = FindWindowA("TfrmConfig", nullptr);
    if (dialog == nullptr) return 1;
    EnumChildWindows(dialog, PrintControl, 0);
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "pointer") == 0) {
    return SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3])) ? 0 : 1;
  }
  // The settings of Velmora.scr, whatever this helper's own file is called.
  TSettingsStore store("Velmora");
  store.Load();
  if (argc >= 5 && std::strcmp(argv[1], "settings") == 0) {
    store.SavedSettings.SetPassword(argv[2]);
    store.SavedSettings.Speed = std::atoi(argv[3]);
    store.MessagePosition = std::atoi(argv[4]);
    store.SavedSettings.AllowMessages = 1;
    if (argc >= 6) store.SavedSettings.Message = argv[5];
    store.SavedSettings.Dirty = 1;
    store.Save();
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "read") == 0) {
    std::printf("MessagePosition=%ld\n", static_cast<long>(store.MessagePosition));
    std::printf("Message=%s\n", store.SavedSettings.Message.c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: lockscreen_helper settings|read|record|scramble|controls|pointer|probe ...\n");
  return 2;
}
