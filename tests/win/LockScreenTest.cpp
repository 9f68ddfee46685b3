// The lock screen window in process, with a real unlock prompt made for each ask and answered
// from a thread timer: its window, what it takes from the system while shown and gives back,
// the activity filter, the unlock sequence's outcomes, and what its frames show.
#include "lockscreen/Main.h"

#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/ModeWindows.h"
#include "core/Failures.h"
#include "ui/Application.h"
#include "core/win/SettingsStore.h"
#include "prompt/Ask.h"
#include "FormsTestSupport.h"
#include "PixelCanvas.h"
#include "win/Handles.h"

namespace velmora {
namespace {

constexpr COLORREF kLight = RGB(250, 240, 230);
constexpr COLORREF kSurface = RGB(40, 160, 80);
constexpr COLORREF kShadow = RGB(20, 30, 120);
constexpr COLORREF kBackground = RGB(5, 10, 15);
constexpr char kPassword[] = "Secret";
constexpr char kMessage[] = "Gone for lunch\r\nback at two";
constexpr POINT kStartPointer{200, 150};

// One answer to the prompt, given by the driver once the prompt is up.
struct Answer {
  int modalResult = mrOK;
  std::string password;
  std::optional<std::string> memo;  // none: the memo as the prompt filled it
  bool tick = false;
  bool autoSubmit = false;  // the 30-second timer's OK instead of a button
  std::optional<POINT> movePointer;
  // Done to the lock screen window once the prompt is up; the answer then waits holdFor ms.
  void (*whileUp)(HWND lockScreen) = nullptr;
  DWORD holdFor = 0;
};

// What the driver saw while the prompt was up, at its last answer.
struct WhileAsking {
  bool hookInstalled = true;
  bool timerRunning = true;
  bool taskbarVisible = true;
  bool keyLockLoaded = false;
  bool lockScreenVisible = false;
  bool promptAboveLockScreen = false;
  bool promptInFrontAfterDeactivation = false;
  COLORREF centrePixel = 0;
};

// The windows of a test, made by CreateWindows; the thread timer's driver works on them.
std::unique_ptr<TLockSession> lockSession;
std::unique_ptr<TfrmVOK> frmVOK;

// The prompt of the ask under way, or null.
TfrmAsk* Prompt() { return lockSession ? dynamic_cast<TfrmAsk*>(lockSession->Prompt()) : nullptr; }

std::deque<Answer> answers;
int prompts = 0;
int beeps = 0;
WhileAsking seen;

void CountBeep() { ++beeps; }

Answer Reply(int modalResult, std::string password, std::optional<std::string> memo = std::nullopt,
             bool tick = false) {
  Answer answer;
  answer.modalResult = modalResult;
  answer.password = std::move(password);
  answer.memo = std::move(memo);
  answer.tick = tick;
  return answer;
}

HWND Taskbar() { return FindWindowA("Shell_TrayWnd", ""); }
bool KeyLockLoaded() { return GetModuleHandleA("Velmora.dll") != nullptr; }

// Frames are drawn into a 32-bit memory bitmap of the screen's size and read pixel by pixel.
class Frame : public testing::PixelCanvas {
 public:
  Frame() : PixelCanvas(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)) {}
  void PaintFrom(TfrmVOK& form) { form.PaintContent(dc(), Client()); }
  // The centre bead's top-left pixel, at (W div 2 + 1, H div 2 + 1), is LightColor.
  COLORREF Centre() const { return Pixel(width() / 2 + 1, height() / 2 + 1); }
};

void CALLBACK AnswerPrompt(HWND, UINT, UINT_PTR, DWORD) {
  TfrmAsk* frmAsk = Prompt();
  if (frmAsk == nullptr || !frmAsk->Modal() || !frmAsk->Visible() || !frmVOK) return;
  static DWORD upSince = 0;
  if (!answers.empty() && answers.front().holdFor > 0) {
    if (upSince == 0) {
      upSince = GetTickCount() | 1;
      if (answers.front().whileUp) answers.front().whileUp(frmVOK->Handle());
    }
    if (GetTickCount() - upSince < answers.front().holdFor) return;
  }
  upSince = 0;
  ++prompts;
  seen.hookInstalled = Application.HasMessageHook();
  seen.timerRunning = frmVOK->Animating();
  seen.taskbarVisible = IsWindowVisible(Taskbar()) != FALSE;
  seen.keyLockLoaded = KeyLockLoaded();
  seen.lockScreenVisible = frmVOK->Visible();
  seen.promptAboveLockScreen = false;
  for (HWND below = GetWindow(frmAsk->Handle(), GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
    if (below == frmVOK->Handle()) seen.promptAboveLockScreen = true;
  }
  Frame frame;
  frame.PaintFrom(*frmVOK);
  seen.centrePixel = frame.Centre();
  SetForegroundWindow(frmVOK->Handle());
  frmVOK->AppDeactivate();
  seen.promptInFrontAfterDeactivation = GetForegroundWindow() == frmAsk->Handle();

  Answer answer;
  answer.modalResult = mrCancel;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  frmAsk->Component<TEdit>("edtPassword").SetText(answer.password);
  if (answer.memo) frmAsk->Component<TEdit>("memMessage").SetText(*answer.memo);
  if (answer.tick) frmAsk->Component<TCheckBox>("chkPermanentMessage").SetChecked(true);
  if (answer.movePointer) SetCursorPos(answer.movePointer->x, answer.movePointer->y);
  if (answer.autoSubmit) {
    frmAsk->tmrCloseTimer();
  } else {
    frmAsk->Component<TButton>(answer.modalResult == mrOK ? "btnOK" : "btnCancel").Click();
  }
}

// Sets "ScreenSaveUsePassword" for one test and removes it afterwards.
class SystemPasswordSwitch {
 public:
  SystemPasswordSwitch() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(),
                    nullptr);
    const DWORD on = 1;
    RegSetValueExA(key_.get(), "ScreenSaveUsePassword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on));
  }
  ~SystemPasswordSwitch() {
    RegDeleteValueA(key_.get(), "ScreenSaveUsePassword");
    SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", nullptr);
  }

 private:
  win::RegistryKey key_;
};

class LockScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize(GetModuleHandleA(nullptr));
    Application.SetMainWindow(nullptr);
    Application.ClearMessageHook();
    // Other tests register stand-in windows under the lock screen's class name; the forms
    // layer would take that class as it finds it.
    UnregisterClassA("TfrmVOK", GetModuleHandleA(nullptr));
    SavedSettings.SetPassword(kPassword);
    SavedSettings.AllowMessages = 1;
    SavedSettings.Message = kMessage;
    SavedSettings.Speed = 50;
    SavedSettings.LightColor = kLight;
    SavedSettings.SurfaceColor = kSurface;
    SavedSettings.ShadowColor = kShadow;
    SavedSettings.BackgroundColor = kBackground;
    MessagePosition = 100;

    // The test's own taskbar, above any other in the z-order, so that the lock screen finds it
    // first and every check stays in this process.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&windowClass);
    ownTaskbar_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_EQ(Taskbar(), ownTaskbar_);
    ShowWindow(ownTaskbar_, SW_SHOWNOACTIVATE);

    answers.clear();
    prompts = 0;
    beeps = 0;
    seen = WhileAsking();
    driver_ = SetTimer(nullptr, 0, 20, AnswerPrompt);
    SetCursorPos(kStartPointer.x, kStartPointer.y);
  }

  void TearDown() override {
    KillTimer(nullptr, driver_);
    frmVOK.reset();
    lockSession.reset();
    Application.SetHolding(nullptr);
    Application.ProcessMessages();
    if (extraMain_ != nullptr) DestroyWindow(extraMain_);
    Application.SetMainWindow(nullptr);
    if (ownTaskbar_ != nullptr) DestroyWindow(ownTaskbar_);
  }

  // The lock screen as the main window: run mode. With `runMode` false another window is the
  // main window and the window the lock screen hides, as the configuration dialog is in
  // configure mode.
  void CreateWindows(bool runMode = true) {
    if (!runMode) {
      extraMain_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
      ShowWindow(extraMain_, SW_SHOWNOACTIVATE);
      Application.SetMainWindow(extraMain_);
    }
    lockSession = std::make_unique<TLockSession>(SavedSettings);
    frmVOK = std::make_unique<TfrmVOK>(*lockSession, store_, runMode ? TRunMode::Run : TRunMode::Configure);
    if (runMode) Application.SetMainWindow(frmVOK->Handle());
    UseTheRealPrompt();
    lockSession->SetWindowToHide(extraMain_);
    Application.SetHolding([] { return lockSession && lockSession->Holding(); });
    frmVOK->Beep = &CountBeep;
  }

  // A prompt made for each ask, as start-up wires it.
  void UseTheRealPrompt() {
    lockSession->SetPromptMaker([this] {
      auto prompt = std::make_unique<TfrmAsk>(SavedSettings);
      TfrmAsk* made = prompt.get();
      return TLockSession::UnlockPrompt{std::move(prompt), [made] { return made->Answer(); },
                                        [made] { made->WipePassword(); }};
    });
  }

  void ShowLockScreen() {
    frmVOK->Show();
    Application.ProcessMessages();
  }

  // Handles messages until the ask under way, its refusal's pause included, is over.
  static void FinishAsk() {
    Application.ProcessMessages();
    EXPECT_TRUE(testing::PumpUntil([] { return lockSession->Phase() != LockPhase::Asking; }, 10000));
    Application.ProcessMessages();
  }

  // Posts a key press to the lock screen and handles messages until the unlock sequence is over.
  void PressKey() {
    PostMessageA(frmVOK->Handle(), WM_KEYDOWN, 'A', 0);
    FinishAsk();
  }

  // Hides the lock screen the only way it lets itself be hidden: a granted unlock.
  void UnlockWithThePassword() {
    answers.push_back(Reply(mrOK, kPassword));
    PressKey();
    EXPECT_FALSE(frmVOK->Visible());
  }

  void ExpectArmed() {
    EXPECT_TRUE(frmVOK->Visible());
    EXPECT_TRUE(frmVOK->Armed());
    EXPECT_TRUE(Application.HasMessageHook());
    EXPECT_TRUE(frmVOK->Animating());
    EXPECT_FALSE(IsWindowVisible(Taskbar()));
    EXPECT_TRUE(KeyLockLoaded());
  }

  void ExpectGivenBack() {
    EXPECT_FALSE(frmVOK->Visible());
    EXPECT_FALSE(Application.HasMessageHook());
    EXPECT_FALSE(frmVOK->Animating());
    EXPECT_TRUE(IsWindowVisible(Taskbar()));
    EXPECT_FALSE(KeyLockLoaded());
  }

  void ExpectAskedWithLockHeld() {
    EXPECT_FALSE(seen.hookInstalled) << "the activity hook stays out while asking";
    EXPECT_FALSE(seen.timerRunning);
    EXPECT_TRUE(seen.lockScreenVisible);
    EXPECT_TRUE(seen.promptAboveLockScreen);
    EXPECT_TRUE(seen.promptInFrontAfterDeactivation);
    EXPECT_FALSE(seen.taskbarVisible);
    EXPECT_TRUE(seen.keyLockLoaded);
    EXPECT_EQ(seen.centrePixel, kBackground) << "no clock while asking";
  }

  // The settings the windows read and write; only in memory.
  TSettingsStore store_{"VelmoraLockScreenTest", {"Tahoma"}};
  TSavedSettings& SavedSettings = store_.SavedSettings;
  std::int32_t& MessagePosition = store_.MessagePosition;
  const std::vector<std::string>& FontNames = store_.FontNames();

 private:
  HWND ownTaskbar_ = nullptr;
  UINT_PTR driver_ = 0;

 protected:
  HWND extraMain_ = nullptr;
};

TEST_F(LockScreenTest, WindowCoversThePrimaryDisplayOnTopWithoutCaption) {
  CreateWindows();
  char className[32] = {};
  GetClassNameA(frmVOK->Handle(), className, sizeof(className));
  EXPECT_STREQ(className, "TfrmVOK");
  EXPECT_FALSE(frmVOK->Visible());
  EXPECT_FALSE(frmVOK->Animating()) << "disabled at creation";
  EXPECT_EQ(Application.MainWindow(), frmVOK->Handle());

  ShowLockScreen();
  RECT bounds{};
  GetWindowRect(frmVOK->Handle(), &bounds);
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
  const LONG_PTR style = GetWindowLongPtrA(frmVOK->Handle(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
  EXPECT_EQ(style & WS_SYSMENU, 0);
  EXPECT_NE(GetWindowLongPtrA(frmVOK->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsZoomed(frmVOK->Handle()));
  EXPECT_EQ(frmVOK->TimerInterval(), 51u) << "Speed 50 gives 51 ms";
  EXPECT_EQ(frmVOK->Session().SavedCursorPos().x, kStartPointer.x);
  EXPECT_EQ(frmVOK->Session().SavedCursorPos().y, kStartPointer.y);
  EXPECT_EQ(frmVOK->DisplayLine, "Gone for lunch        back at two");
  EXPECT_EQ(frmVOK->ClockSize, 400);
  EXPECT_FALSE(frmVOK->ClockGrowing);
  ExpectArmed();

  // No pointer over the lock screen.
  SendMessageA(frmVOK->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(frmVOK->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), nullptr);

  UnlockWithThePassword();
  ExpectGivenBack();
  // A second show takes everything again and starts the clock at 400, shrinking.
  frmVOK->ClockSize = 120;
  frmVOK->ClockGrowing = true;
  ShowLockScreen();
  ExpectArmed();
  EXPECT_EQ(frmVOK->ClockSize, 400);
  EXPECT_FALSE(frmVOK->ClockGrowing);
  UnlockWithThePassword();
  ExpectGivenBack();
}

TEST_F(LockScreenTest, TimerIntervalIsSpeedPlusOneAndNeverBelowOne) {
  SavedSettings.Speed = 0;
  CreateWindows();
  ShowLockScreen();
  EXPECT_EQ(frmVOK->StepInterval(), 10u) << "no faster than the system's timers";
  EXPECT_GE(frmVOK->TimerInterval(), 16u) << "steps faster than frames are drawn once per refresh";
  UnlockWithThePassword();
  SavedSettings.Speed = -7;
  ShowLockScreen();
  EXPECT_EQ(frmVOK->StepInterval(), 10u) << "a damaged Speed still animates";
  EXPECT_TRUE(frmVOK->Animating());
  UnlockWithThePassword();
  SavedSettings.Speed = 2147483647;
  ShowLockScreen();
  EXPECT_EQ(frmVOK->TimerInterval(), 51u) << "no overflow: the slowest speed the dialog offers";
}

// What another program can do to the window of a held lock, through the messages and calls it
// has: each leaves the lock covering the screen, on top, armed, with the loop still running.
TEST_F(LockScreenTest, AnotherProgramCannotHideShrinkBuryOrQuitTheLock) {
  CreateWindows();
  ShowLockScreen();
  const HWND lock = frmVOK->Handle();
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const struct {
    const char* what;
    void (*attack)(HWND);
  } attacks[] = {
      {"WM_QUIT posted to the window", [](HWND w) { PostMessageA(w, WM_QUIT, 0, 0); }},
      {"WM_QUIT posted to the thread", [](HWND) { PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0); }},
      {"ShowWindow SW_HIDE", [](HWND w) { ShowWindow(w, SW_HIDE); }},
      {"SetWindowPos SWP_HIDEWINDOW", [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE); }},
      {"ShowWindow SW_MINIMIZE", [](HWND w) { ShowWindow(w, SW_MINIMIZE); }},
      {"SetWindowPos to 10x10", [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 10, 10, SWP_NOZORDER); }},
      {"SetWindowPos off the screen", [](HWND w) { SetWindowPos(w, nullptr, 5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
      {"SetWindowPos HWND_NOTOPMOST", [](HWND w) { SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }},
      {"SetWindowPos HWND_BOTTOM", [](HWND w) { SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }},
  };
  for (const auto& attack : attacks) {
    attack.attack(lock);
    testing::Pump(300);
    RECT bounds{};
    GetWindowRect(lock, &bounds);
    EXPECT_TRUE(IsWindowVisible(lock) && !IsIconic(lock)) << attack.what;
    EXPECT_EQ(bounds.left, 0) << attack.what;
    EXPECT_EQ(bounds.top, 0) << attack.what;
    EXPECT_EQ(bounds.right, width) << attack.what;
    EXPECT_EQ(bounds.bottom, height) << attack.what;
    EXPECT_NE(GetWindowLongPtrA(lock, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << attack.what;
    EXPECT_FALSE(Application.Terminated()) << attack.what;
    ExpectArmed();
  }
  UnlockWithThePassword();
  ExpectGivenBack();
}

// A second monitor beside the screen, then moved below it with a third one added.
TEST_F(LockScreenTest, EveryOtherMonitorHasACoverThatHoldsAndFollowsTheDisplays) {
  CreateWindows();
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  std::vector<Box> monitors{{0, 0, w, h}, {w, 0, w + 640, 480}};
  lockSession->SetMonitorSource([&monitors] { return monitors; });
  ShowLockScreen();
  const auto coverAt = [](std::size_t index) {
    RECT bounds{};
    const HWND cover = lockSession->Covers().at(index)->Handle();
    GetWindowRect(cover, &bounds);
    EXPECT_TRUE(IsWindowVisible(cover) && (GetWindowLongPtrA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    return Box{bounds.left, bounds.top, bounds.right, bounds.bottom};
  };
  ASSERT_EQ(lockSession->Covers().size(), 1u);
  EXPECT_EQ(coverAt(0), (Box{w, 0, w + 640, 480}));
  const HWND cover = lockSession->Covers()[0]->Handle();
  ShowWindow(cover, SW_HIDE);
  SetWindowPos(cover, HWND_BOTTOM, 5, 5, 10, 10, SWP_NOACTIVATE);
  testing::Pump(300);
  EXPECT_EQ(coverAt(0), (Box{w, 0, w + 640, 480})) << "the guard holds the covers as the lock screen";
  EXPECT_TRUE(lockSession->Intact(true)) << "the guard, looking, finds nothing to put back";
  PostMessageA(cover, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  FinishAsk();
  EXPECT_EQ(prompts, 1) << "a click on a cover asks for the password";

  monitors = {{0, 0, w, h}, {0, h, 800, h + 600}, {w, 0, w + 640, 480}};
  EXPECT_FALSE(lockSession->Intact(true)) << "the monitors are compared";
  PostMessageA(frmVOK->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(w, h));
  testing::Pump(300);
  ASSERT_EQ(lockSession->Covers().size(), 2u);
  EXPECT_EQ(coverAt(0), (Box{0, h, 800, h + 600}));
  EXPECT_EQ(coverAt(1), (Box{w, 0, w + 640, 480}));
  ExpectArmed();
  UnlockWithThePassword();
  EXPECT_TRUE(lockSession->Covers().empty());
  EXPECT_EQ(FindWindowA("TVelmoraCover", nullptr), nullptr);
}

// Counts, while installed, the lock screen's moves that left it above the prompt's window.
class LockOverPromptWatch {
 public:
  LockOverPromptWatch() { hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, Watch, nullptr, GetCurrentThreadId()); }
  ~LockOverPromptWatch() { UnhookWindowsHookEx(hook_); }
  static inline int moves = 0;
  static inline int overPrompt = 0;

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    const TfrmAsk* frmAsk = Prompt();
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && frmVOK && frmAsk &&
        call->hwnd == frmVOK->Handle() && frmAsk->Visible()) {
      ++moves;
      for (HWND below = GetWindow(frmVOK->Handle(), GW_HWNDNEXT); below != nullptr;
           below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == frmAsk->Handle()) ++overPrompt;
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_ = nullptr;
};

TEST_F(LockScreenTest, WhileThePromptIsUpTheLockScreenNeverPassesOverIt) {
  CreateWindows();
  ShowLockScreen();
  Answer answer = Reply(mrCancel, "");
  // Another program minimises the lock screen, which the guard maximises again, and tries to
  // put it out of the topmost windows and then over everything; the guard then looks a few
  // times before the answer.
  answer.whileUp = [](HWND lock) {
    ShowWindow(lock, SW_MINIMIZE);
    SetWindowPos(lock, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(lock, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  answer.holdFor = 450;
  answers.push_back(answer);
  LockOverPromptWatch::moves = 0;
  LockOverPromptWatch::overPrompt = 0;
  {
    const LockOverPromptWatch watch;
    PressKey();
  }
  EXPECT_EQ(prompts, 1);
  // The attack's own moves; once all stands in place the guard's checks move nothing.
  EXPECT_GE(LockOverPromptWatch::moves, 1);
  EXPECT_EQ(LockOverPromptWatch::overPrompt, 0);
  EXPECT_NE(GetWindowLongPtrA(frmVOK->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  ExpectArmed();
  UnlockWithThePassword();
}

// Moves Velmora.dll away from beside the tests for one test, and back.
class KeyLockLibraryAway {
 public:
  KeyLockLibraryAway() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    library_ = path;
    library_ = library_.substr(0, library_.find_last_of('\\') + 1) + "Velmora.dll";
    moved_ = MoveFileExA(library_.c_str(), (library_ + ".away").c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  }
  ~KeyLockLibraryAway() {
    if (moved_) MoveFileExA((library_ + ".away").c_str(), library_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  bool moved() const { return moved_; }

 private:
  std::string library_;
  bool moved_ = false;
};

TEST_F(LockScreenTest, WithoutTheKeyLockLibraryItStillLocksAndUnlocks) {
  const KeyLockLibraryAway away;
  ASSERT_TRUE(away.moved());
  CreateWindows();
  ShowLockScreen();
  EXPECT_FALSE(frmVOK->Session().KeyLockLibrary().Loaded());
  EXPECT_FALSE(IsWindowVisible(Taskbar()));
  EXPECT_TRUE(Application.HasMessageHook());
  answers.push_back(Reply(mrOK, kPassword));
  PressKey();
  EXPECT_EQ(prompts, 1);
  EXPECT_FALSE(frmVOK->Visible());
  EXPECT_TRUE(IsWindowVisible(Taskbar()));
}

TEST_F(LockScreenTest, MouseMovesUpToFivePixelsAndOtherMessagesKeepItQuiet) {
  CreateWindows();
  ShowLockScreen();
  const HWND window = frmVOK->Handle();
  const int x = frmVOK->Session().SavedCursorPos().x;
  const int y = frmVOK->Session().SavedCursorPos().y;
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x + 5, y));
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x - 5, y + 5));
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y - 5));
  PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y));
  PostMessageA(window, WM_CHAR, 'a', 0);
  Application.ProcessMessages();
  EXPECT_EQ(prompts, 0);
  ExpectArmed();

  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y + 6));
  FinishAsk();
  EXPECT_EQ(prompts, 1) << "6 pixels in y wake it";
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x - 6, y));
  FinishAsk();
  EXPECT_EQ(prompts, 2) << "6 pixels in x wake it";
  PostMessageA(window, WM_RBUTTONDOWN, 0, MAKELPARAM(x, y));
  FinishAsk();
  EXPECT_EQ(prompts, 3);
  EXPECT_EQ(beeps, 3) << "each Cancel with the message untouched beeps";
  ExpectArmed();
}

TEST_F(LockScreenTest, EmptyPasswordUnlocksAtOnceWithoutPromptOrBeep) {
  SavedSettings.SetPassword("");
  CreateWindows();
  ShowLockScreen();
  PressKey();
  EXPECT_EQ(prompts, 0);
  EXPECT_EQ(beeps, 0);
  ExpectGivenBack();
}

TEST_F(LockScreenTest, PasswordInAnotherCaseIsRefusedWithBeepAndThePointerGoesBack) {
  CreateWindows();
  ShowLockScreen();
  Answer wrongCase = Reply(mrOK, "secret");
  wrongCase.movePointer = POINT{400, 300};
  answers.push_back(wrongCase);
  PressKey();
  EXPECT_EQ(prompts, 1);
  ExpectAskedWithLockHeld();
  EXPECT_EQ(beeps, 1);
  ExpectArmed();
  POINT pointer{};
  GetCursorPos(&pointer);
  EXPECT_EQ(pointer.x, kStartPointer.x);
  EXPECT_EQ(pointer.y, kStartPointer.y);
  EXPECT_EQ(SavedSettings.Message, kMessage);
  // Armed again, the clock is back in the frames.
  Frame frame;
  frame.PaintFrom(*frmVOK);
  EXPECT_EQ(frame.Centre(), kLight);
}

TEST_F(LockScreenTest, CancelBeepsOnlyWhenTheMessageWasLeftAloneAndDropsAnEdit) {
  CreateWindows();
  ShowLockScreen();
  answers.push_back(Reply(mrCancel, kPassword));
  PressKey();
  EXPECT_EQ(beeps, 1);
  answers.push_back(Reply(mrCancel, kPassword, std::string("A note")));
  PressKey();
  EXPECT_EQ(prompts, 2);
  EXPECT_EQ(beeps, 1) << "no beep for an edited message";
  EXPECT_EQ(SavedSettings.Message, kMessage) << "Cancel drops the edit";
  EXPECT_EQ(SavedSettings.Dirty, 0);
  ExpectArmed();
}

TEST_F(LockScreenTest, RightPasswordWithAChangedMessageIsRefusedButTheMessageIsTakenOver) {
  CreateWindows();
  ShowLockScreen();
  answers.push_back(Reply(mrOK, kPassword, std::string("Call me\r\n  back"), true));
  PressKey();
  EXPECT_EQ(beeps, 0);
  ExpectArmed();
  EXPECT_EQ(SavedSettings.Message, "Call me\r\n  back");
  EXPECT_EQ(frmVOK->DisplayLine, "Call me          back");
  EXPECT_EQ(SavedSettings.Dirty, 1) << "the ticked box asks for the record to be kept";

  answers.push_back(Reply(mrOK, kPassword));
  PressKey();
  EXPECT_EQ(prompts, 2);
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(SavedSettings.Dirty, 0) << "the unticked box clears it again";
  ExpectGivenBack();
}

TEST_F(LockScreenTest, WithMessagesNotAllowedTheMemoIsNotCompared) {
  SavedSettings.AllowMessages = 0;
  CreateWindows();
  ShowLockScreen();
  answers.push_back(Reply(mrOK, kPassword, std::string("changed anyway")));
  PressKey();
  EXPECT_EQ(prompts, 1);
  ExpectGivenBack();
  EXPECT_EQ(SavedSettings.Message, "changed anyway");
}

TEST_F(LockScreenTest, AutoSubmitWithAnEmptyFieldIsARefusalWithBeep) {
  CreateWindows();
  ShowLockScreen();
  Answer answer;
  answer.autoSubmit = true;
  answers.push_back(answer);
  PressKey();
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(beeps, 1);
  ExpectArmed();
  EXPECT_EQ(SavedSettings.Message, kMessage);
}

TEST_F(LockScreenTest, SystemPasswordCheckIsAskedInRunModeOnly) {
  const SystemPasswordSwitch systemPassword;
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "no");
  CreateWindows(true);
  ShowLockScreen();
  answers.push_back(Reply(mrOK, kPassword));
  PressKey();
  EXPECT_EQ(beeps, 1) << "the system refused";
  ExpectArmed();
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "yes");
  answers.push_back(Reply(mrOK, kPassword));
  PressKey();
  ExpectGivenBack();
}

TEST_F(LockScreenTest, FromTheConfigurationDialogTheDialogHidesAndNoSystemCheckOrHighlightApplies) {
  const SystemPasswordSwitch systemPassword;
  SetEnvironmentVariableA("VELMORA_TEST_PASSWORD_VERDICT", "no");
  SavedSettings.Dirty = 1;
  CreateWindows(false);
  ShowLockScreen();
  EXPECT_FALSE(frmVOK->RunMode());
  EXPECT_FALSE(IsWindowVisible(extraMain_)) << "the configuration dialog hides while the lock is up";
  Frame frame;
  MessagePosition = 10;
  frame.PaintFrom(*frmVOK);
  bool light = false;
  bool surface = false;
  for (int y = frame.height() - 60; y < frame.height(); ++y) {
    light = light || frame.RowHas(y, kLight);
    surface = surface || frame.RowHas(y, kSurface);
  }
  EXPECT_TRUE(surface);
  EXPECT_FALSE(light);

  answers.push_back(Reply(mrOK, kPassword));
  PressKey();
  EXPECT_EQ(beeps, 0);
  ExpectGivenBack();
  EXPECT_TRUE(IsWindow(frmVOK->Handle())) << "hidden, not destroyed";
  EXPECT_TRUE(IsWindowVisible(extraMain_)) << "the configuration dialog is back";
}

TEST_F(LockScreenTest, KeptMessageIsHighlightedInRunMode) {
  SavedSettings.Dirty = 1;
  CreateWindows();
  ShowLockScreen();
  Frame frame;
  MessagePosition = 10;
  frame.PaintFrom(*frmVOK);
  bool light = false;
  for (int y = frame.height() - 60; y < frame.height(); ++y) light = light || frame.RowHas(y, kLight);
  EXPECT_TRUE(light);
}

TEST_F(LockScreenTest, APromptThatCannotBeMadeIsARefusalAndTheNextActivityTriesAgain) {
  CreateWindows();
  ShowLockScreen();
  const std::uint64_t failures = FailureCount();
  lockSession->SetPromptMaker([]() -> TLockSession::UnlockPrompt { throw std::runtime_error("no prompt"); });
  PressKey();
  EXPECT_EQ(FailureCount(), failures + 1);
  EXPECT_EQ(beeps, 1);
  ExpectArmed();
  UseTheRealPrompt();
  UnlockWithThePassword();
}

TEST_F(LockScreenTest, EndingWhileShownGivesKeysAndTaskbarBack) {
  CreateWindows();
  ShowLockScreen();
  ExpectArmed();
  frmVOK.reset();
  EXPECT_FALSE(Application.HasMessageHook());
  EXPECT_TRUE(IsWindowVisible(Taskbar()));
  EXPECT_FALSE(KeyLockLoaded());
  EXPECT_EQ(FindWindowA("TfrmVOK", nullptr), nullptr);
}

TEST_F(LockScreenTest, TickPulsesTheClockAndScrollsTheMessage) {
  SavedSettings.Speed = 5;
  SavedSettings.Message = "";
  CreateWindows();
  ShowLockScreen();
  frmVOK->StopAnimation();
  frmVOK->ClockSize = 400;
  frmVOK->ClockGrowing = false;
  MessagePosition = 1;
  frmVOK->Advance(1);
  EXPECT_EQ(frmVOK->ClockSize, 398);
  EXPECT_EQ(MessagePosition, 0);
  // An empty line has width 0: below 0 it re-enters at the right edge.
  frmVOK->Advance(1);
  EXPECT_EQ(MessagePosition, frmVOK->ClientWidth());
  EXPECT_EQ(frmVOK->ClockSize, 396);

  SavedSettings.Speed = 50;
  frmVOK->Advance(1);
  EXPECT_EQ(frmVOK->ClockSize, 396) << "the clock keeps its size at Speed 50";
  EXPECT_EQ(MessagePosition, frmVOK->ClientWidth() - 1);
}

TEST_F(LockScreenTest, MessageReentersOnlyAfterItsLastColumnHasLeft) {
  CreateWindows();
  ShowLockScreen();
  frmVOK->StopAnimation();
  const SIZE size = frmVOK->Renderer->MeasureText(frmVOK->DisplayLine, MessageFontFromSettings(SavedSettings, FontNames));
  ASSERT_GT(size.cx, 0);
  MessagePosition = -size.cx + 1;
  frmVOK->Advance(1);
  EXPECT_EQ(MessagePosition, -size.cx);
  frmVOK->Advance(1);
  EXPECT_EQ(MessagePosition, frmVOK->ClientWidth());
}

TEST_F(LockScreenTest, TheSecondaryModesHaveTheLockScreenWindowFromTheStartHidden) {
  const HWND main = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  Application.SetMainWindow(main);
  auto windows = std::make_unique<TLockWindows>(store_, TRunMode::Configure);
  const HWND lockScreen = FindWindowA("TfrmVOK", nullptr);
  ASSERT_NE(lockScreen, nullptr) << "other copies see this one from its start";
  EXPECT_FALSE(IsWindowVisible(lockScreen));
  EXPECT_EQ(windows->LockScreen().Handle(), lockScreen);
  EXPECT_EQ(Application.MainWindow(), main) << "never the main window";
  windows.reset();
  Application.SetMainWindow(nullptr);
  DestroyWindow(main);
}

TEST_F(LockScreenTest, DeactivationBringsThePromptOrTheLockScreenToTheFront) {
  CreateWindows();
  ShowLockScreen();
  const HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  frmVOK->AppDeactivate();
  EXPECT_EQ(GetForegroundWindow(), frmVOK->Handle());
  DestroyWindow(other);
}

}  // namespace
}  // namespace velmora
