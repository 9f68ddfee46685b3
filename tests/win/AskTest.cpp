#include "prompt/Ask.h"

#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <vector>

#include "FormsTestSupport.h"
#include "common/LanguageTable.h"
#include "core/Random.h"
#include "core/Settings.h"

namespace velmora {
namespace {

using namespace velmora::testing;

// The prompt as built, with the system commands that reach the default handling recorded.
class TObservedAsk : public TfrmAsk {
 public:
  using TfrmAsk::TfrmAsk;
  std::vector<WPARAM> systemCommands;

 protected:
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYSCOMMAND) systemCommands.push_back(wParam);
    return TfrmAsk::DefaultHandling(message, wParam, lParam);
  }
};

class AskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeApplication();
    Application.SetMainWindow(nullptr);
    LanguageTable.Clear();
    SeedRandom(1);
    SavedSettings.SetPassword("Secret");
    SavedSettings.AllowMessages = 1;
    SavedSettings.Message = "Back at three";
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CAPITAL] = 0;
    SetKeyboardState(keys);
    ask = std::make_unique<TObservedAsk>(SavedSettings);
  }
  void TearDown() override { ask.reset(); }
  template <typename Kind = TComponent>
  Kind& Part(const char* name) const {
    return ask->Component<Kind>(name);
  }
  HWND Handle(const char* name) const { return Part(name).Handle(); }
  // What the prompt reads; it goes after the prompt.
  TSavedSettings SavedSettings;
  std::unique_ptr<TObservedAsk> ask;
};

TEST_F(AskTest, DesignLayoutAsTheTableSays) {
  EXPECT_EQ(ClassName(ask->Handle()), "TfrmAsk");
  EXPECT_EQ(ask->ClientWidth(), 246);
  EXPECT_EQ(ask->ClientHeight(), 215);
  EXPECT_TRUE(ExStyle(ask->Handle()) & WS_EX_TOPMOST);
  EXPECT_TRUE(Style(ask->Handle()) & WS_SYSMENU);
  EXPECT_FALSE(Style(ask->Handle()) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(WindowText(ask->Handle()), "");

  struct Expected {
    const char* name;
    const char* parent;
    int left, top, width, height;
  };
  const Expected expected[] = {
      {"pnlPassword", "pnlBackground", 8, 9, 230, 61},   {"edtPassword", "pnlPassword", 8, 27, 213, 18},
      {"pnlMessage", "pnlBackground", 8, 74, 230, 104},  {"memMessage", "pnlMessage", 8, 20, 213, 57},
      {"chkPermanentMessage", "pnlMessage", 8, 80, 213, 17}, {"btnOK", "pnlBackground", 80, 183, 75, 25},
      {"btnCancel", "pnlBackground", 160, 183, 75, 25},  {"pnlLocale", "pnlBackground", 8, 187, 20, 16},
      {"pnlCapsLock", "pnlBackground", 31, 187, 18, 16},
  };
  for (const Expected& row : expected) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(GetParent(Handle(row.name)), Handle(row.parent));
    const RECT rect = RectInParent(Handle(row.name));
    EXPECT_EQ(rect.left, row.left);
    EXPECT_EQ(rect.top, row.top);
    EXPECT_EQ(rect.right - rect.left, row.width);
    EXPECT_EQ(rect.bottom - rect.top, row.height);
  }
  EXPECT_EQ(RectInParent(Handle("lblPassword")).left, 8);
  EXPECT_EQ(RectInParent(Handle("lblLeaveMessage")).top, 4);
  EXPECT_EQ(SendMessageA(Handle("edtPassword"), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_TRUE(Style(Handle("memMessage")) & WS_VSCROLL);
  EXPECT_EQ(Style(Handle("btnOK")) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(Part<TPanel>("pnlLocale").Caption(), "EN");
  EXPECT_EQ(Part<TPanel>("pnlCapsLock").Caption(), "A");
  EXPECT_EQ(Part<TPanel>("pnlLocale").Color(), SystemColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(Part<TPanel>("pnlCapsLock").FontColor(), SystemColor(COLOR_WINDOW));
  EXPECT_EQ(GetWindow(Handle("pnlBackground"), GW_CHILD), Handle("pnlPassword"));
  EXPECT_EQ(GetWindow(Handle("pnlPassword"), GW_HWNDNEXT), Handle("pnlMessage"));
}

TEST_F(AskTest, TimersAtCreation) {
  EXPECT_TRUE(Part<TTimer>("tmrBlink").TimerEnabled());
  EXPECT_EQ(Part<TTimer>("tmrBlink").Interval(), 300u);
  EXPECT_FALSE(Part<TTimer>("tmrClose").TimerEnabled());
  EXPECT_EQ(Part<TTimer>("tmrClose").Interval(), 30000u);
  EXPECT_FALSE(Part<TTimer>("tmrCheck").TimerEnabled());
  EXPECT_FALSE(Part<TTimer>("tmrLocale").TimerEnabled());
  EXPECT_EQ(Part<TTimer>("tmrLocale").Interval(), 200u);
}

TEST_F(AskTest, WithMessagesTheClientIs220AndTheButtonsSitAt188) {
  ask->Show();
  EXPECT_EQ(ask->ClientHeight(), 220);
  EXPECT_EQ(RectInParent(Handle("btnOK")).top, 188);
  EXPECT_EQ(RectInParent(Handle("btnCancel")).top, 188);
  EXPECT_EQ(RectInParent(Handle("btnCancel")).left, 160);
  EXPECT_EQ(RectInParent(Handle("pnlLocale")).top, 192);
  EXPECT_TRUE(IsWindowVisible(Handle("pnlMessage")));
  EXPECT_TRUE(IsWindowEnabled(Handle("pnlMessage")));
  RECT window;
  GetWindowRect(ask->Handle(), &window);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
  ask->Hide();
}

TEST_F(AskTest, WithoutMessagesTheClientIs112ReCentredAndTheMemoStillHoldsTheMessage) {
  SavedSettings.AllowMessages = 0;
  ask->Show();
  EXPECT_EQ(ask->ClientHeight(), 112);
  EXPECT_EQ(RectInParent(Handle("btnOK")).top, 80);
  EXPECT_EQ(RectInParent(Handle("btnOK")).left, 80);
  EXPECT_EQ(RectInParent(Handle("pnlCapsLock")).top, 84);
  EXPECT_FALSE(IsWindowVisible(Handle("pnlMessage")));
  EXPECT_FALSE(IsWindowEnabled(Handle("pnlMessage")));
  EXPECT_EQ(ask->MessageText(), "Back at three");
  RECT window;
  GetWindowRect(ask->Handle(), &window);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
  ask->Hide();

  SavedSettings.AllowMessages = 1;
  ask->Show();
  EXPECT_EQ(ask->ClientHeight(), 220);
  EXPECT_EQ(RectInParent(Handle("btnOK")).top, 188);
  ask->Hide();
}

TEST_F(AskTest, EveryShowStartsClean) {
  ask->Show();
  TypeCharacters(Handle("edtPassword"), "Secret");
  Part<TCheckBox>("chkPermanentMessage").SetEnabled(true);
  SendMessageA(Handle("chkPermanentMessage"), BM_CLICK, 0, 0);
  SetWindowTextA(Handle("memMessage"), "A visitor's note");
  ask->Hide();
  EXPECT_FALSE(Part<TTimer>("tmrClose").TimerEnabled());
  EXPECT_FALSE(Part<TTimer>("tmrCheck").TimerEnabled());
  EXPECT_FALSE(Part<TTimer>("tmrLocale").TimerEnabled());
  EXPECT_FALSE(Part<TTimer>("tmrBlink").TimerEnabled());
  EXPECT_EQ(ask->PasswordText(), "Secret");
  EXPECT_EQ(ask->MessageText(), "A visitor's note");
  EXPECT_TRUE(ask->PermanentMessageChecked());

  SavedSettings.Message = "Gone fishing";
  ask->Show();
  EXPECT_EQ(ask->PasswordText(), "");
  EXPECT_EQ(GetFocus(), Handle("edtPassword"));
  EXPECT_FALSE(ask->PermanentMessageChecked());
  EXPECT_FALSE(IsWindowEnabled(Handle("chkPermanentMessage")));
  EXPECT_EQ(ask->MessageText(), "Gone fishing");
  EXPECT_TRUE(Part<TTimer>("tmrClose").TimerEnabled());
  EXPECT_TRUE(Part<TTimer>("tmrLocale").TimerEnabled());
  EXPECT_TRUE(Part<TTimer>("tmrBlink").TimerEnabled());
  EXPECT_FALSE(Part<TTimer>("tmrCheck").TimerEnabled());
  ask->Hide();
}

TEST_F(AskTest, ExactPasswordEnablesThePermanentBoxAfter800To1199Milliseconds) {
  ask->Show();
  const HWND box = Handle("chkPermanentMessage");
  TypeCharacters(Handle("edtPassword"), "Secret");
  const DWORD typed = GetTickCount();
  EXPECT_TRUE(Part<TTimer>("tmrCheck").TimerEnabled());
  EXPECT_GE(Part<TTimer>("tmrCheck").Interval(), 800u);
  EXPECT_LE(Part<TTimer>("tmrCheck").Interval(), 1199u);
  Pump(600);
  if (GetTickCount() - typed < 790) {
    EXPECT_FALSE(IsWindowEnabled(box));
  }
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(box) != FALSE; }, 2000));
  EXPECT_GE(GetTickCount() - typed, 790u);
  EXPECT_FALSE(Part<TTimer>("tmrCheck").TimerEnabled());

  SendMessageA(box, BM_CLICK, 0, 0);
  ASSERT_TRUE(ask->PermanentMessageChecked());
  TypeCharacters(Handle("edtPassword"), "x");
  EXPECT_FALSE(IsWindowEnabled(box));
  EXPECT_TRUE(ask->PermanentMessageChecked());
  EXPECT_FALSE(Part<TTimer>("tmrCheck").TimerEnabled());
  ask->Hide();
}

TEST_F(AskTest, PasswordMatchingOnlyWithoutRegardToCaseKeepsTheBoxDisabled) {
  ask->Show();
  TypeCharacters(Handle("edtPassword"), "secret");
  EXPECT_FALSE(Part<TTimer>("tmrCheck").TimerEnabled());
  Pump(1300);
  EXPECT_FALSE(IsWindowEnabled(Handle("chkPermanentMessage")));
  ask->Hide();
}

TEST_F(AskTest, WithoutStoredPasswordAnyTextEnablesTheBox) {
  SavedSettings.SetPassword("");
  ask->Show();
  TypeCharacters(Handle("edtPassword"), "anything");
  EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(Handle("chkPermanentMessage")) != FALSE; }, 2000));
  ask->Hide();
}

TEST_F(AskTest, EveryChangeRestartsTheCountdownAndItsEndSubmitsWithOK) {
  ask->Show();
  Part<TTimer>("tmrClose").SetInterval(600);
  Pump(300);
  ASSERT_EQ(ask->ModalResult(), mrNone);
  TypeCharacters(Handle("memMessage"), "n");
  const DWORD changed = GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return ask->ModalResult() == mrOK; }, 3000));
  EXPECT_GE(GetTickCount() - changed, 590u);
  ask->Hide();
}

TEST_F(AskTest, ClickingTheBoxRestartsTheCountdownToo) {
  ask->Show();
  Part<TTimer>("tmrClose").SetInterval(600);
  Pump(300);
  Part<TCheckBox>("chkPermanentMessage").SetEnabled(true);
  SendMessageA(Handle("chkPermanentMessage"), BM_CLICK, 0, 0);
  const DWORD clicked = GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return ask->ModalResult() == mrOK; }, 3000));
  EXPECT_GE(GetTickCount() - clicked, 590u);
  ask->Hide();
}

TEST_F(AskTest, UnattendedModalPromptSubmitsItselfWithOK) {
  After(50, [&] { Part<TTimer>("tmrClose").SetInterval(200); });
  EXPECT_EQ(ask->ShowModal(), mrOK);
  EXPECT_EQ(ask->ModalResult(), mrOK);
  EXPECT_EQ(ask->PasswordText(), "");
  EXPECT_FALSE(ask->Visible());
  EXPECT_FALSE(Part<TTimer>("tmrClose").TimerEnabled());
}

TEST_F(AskTest, EnterSubmitsWithOKAndTheTypedPasswordStaysReadable) {
  After(50, [&] {
    TypeCharacters(Handle("edtPassword"), "Secret");
    PostMessageA(Handle("edtPassword"), WM_KEYDOWN, VK_RETURN, 1);
  });
  EXPECT_EQ(ask->ShowModal(), mrOK);
  EXPECT_EQ(ask->PasswordText(), "Secret");
  EXPECT_EQ(ask->MessageText(), "Back at three");
}

TEST_F(AskTest, EscAndTheCancelButtonGiveCancel) {
  After(50, [&] { PostMessageA(Handle("edtPassword"), WM_KEYDOWN, VK_ESCAPE, 1); });
  EXPECT_EQ(ask->ShowModal(), mrCancel);
  After(50, [&] { PostMessageA(Handle("btnCancel"), BM_CLICK, 0, 0); });
  EXPECT_EQ(ask->ShowModal(), mrCancel);
}

TEST_F(AskTest, TabMovesFromThePasswordIntoTheMessage) {
  HWND focused = nullptr;
  After(50, [&] { PostMessageA(Handle("edtPassword"), WM_KEYDOWN, VK_TAB, 1); });
  After(150, [&] {
    focused = GetFocus();
    ask->Close();
  });
  EXPECT_EQ(ask->ShowModal(), mrCancel);
  EXPECT_EQ(focused, Handle("memMessage"));
}

TEST_F(AskTest, BringToFrontActivatesThePromptWithThePasswordFocused) {
  ask->Show();
  HWND other = CreateWindowExA(WS_EX_TOPMOST, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  SetFocus(other);
  ask->BringToFront();
  EXPECT_EQ(GetForegroundWindow(), ask->Handle());
  EXPECT_EQ(GetFocus(), Handle("edtPassword"));
  DestroyWindow(other);
  ask->Hide();
}

TEST_F(AskTest, ScreenSaveCommandIsSwallowedOtherCommandsAreNotAndCloseGivesCancel) {
  After(50, [&] {
    SendMessageA(ask->Handle(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    SendMessageA(ask->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  });
  After(150, [&] {
    if (ask->ModalResult() == mrNone) PostMessageA(ask->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(ask->ShowModal(), mrCancel);
  ASSERT_EQ(ask->systemCommands.size(), 2u);
  EXPECT_EQ(ask->systemCommands[0], static_cast<WPARAM>(SC_RESTORE));
  EXPECT_EQ(ask->systemCommands[1], static_cast<WPARAM>(SC_CLOSE));
}

TEST_F(AskTest, CapsLockIndicatorFollowsTheToggleWithin200Milliseconds) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CAPITAL] = 1;
  SetKeyboardState(keys);
  ask->Show();
  EXPECT_TRUE(Part<TPanel>("pnlCapsLock").Visible());
  keys[VK_CAPITAL] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(PumpUntil([&] { return !Part<TPanel>("pnlCapsLock").Visible(); }, 1000));
  keys[VK_CAPITAL] = 0x81;
  SetKeyboardState(keys);
  EXPECT_TRUE(PumpUntil([&] { return Part<TPanel>("pnlCapsLock").Visible(); }, 1000));
  keys[VK_CAPITAL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(PumpUntil([&] { return !Part<TPanel>("pnlCapsLock").Visible(); }, 1000));
  ask->Hide();
}

TEST_F(AskTest, LanguageIndicatorShowsTwoUpperCaseLettersOfTheKeyboardLanguage) {
  Part<TPanel>("pnlLocale").SetCaption("??");
  ask->Show();
  EXPECT_EQ(Part<TPanel>("pnlLocale").Caption(), "EN");
  ask->Hide();
}

TEST_F(AskTest, LeaveMessageLabelFlashesRedOnFourTicksAndStopsOnTheFifth) {
  TComponent& label = Part<TLabel>("lblLeaveMessage");
  const ColorValue normal = label.FontColor();
  ASSERT_NE(normal, clRed);
  ask->Show();
  EXPECT_EQ(ask->BlinkCount(), 0);
  const ColorValue expected[] = {clRed, normal, clRed, normal};
  for (int tick = 1; tick <= 4; ++tick) {
    ASSERT_TRUE(PumpUntil([&] { return ask->BlinkCount() == tick; }, 2000));
    EXPECT_EQ(label.FontColor(), expected[tick - 1]) << "tick " << tick;
  }
  EXPECT_TRUE(Part<TTimer>("tmrBlink").TimerEnabled());
  EXPECT_TRUE(PumpUntil([&] { return !Part<TTimer>("tmrBlink").TimerEnabled(); }, 2000));
  EXPECT_EQ(ask->BlinkCount(), 4);
  EXPECT_EQ(label.FontColor(), normal);
  ask->Hide();
}

}  // namespace
}  // namespace velmora
