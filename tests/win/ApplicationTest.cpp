// The application object's start-up pieces: the hidden owner window, the deactivation
// notification around the message loop, and the link cursor.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Application.h"
#include "ui/LinkCursor.h"

namespace velmora {
namespace {

constexpr char kMainClass[] = "VelmoraApplicationTestMain";

bool notificationDuringLoop = false;

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  notificationDuringLoop = Application.HasOnDeactivate();
  DestroyWindow(Application.MainWindow());
}

HWND CreateMainWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kMainClass;
  RegisterClassA(&windowClass);
  return CreateWindowExA(WS_EX_TOOLWINDOW, kMainClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(Application, WindowIsHiddenUntitledAndWithoutTaskbarButton) {
  Application.Initialize(GetModuleHandleA(nullptr));
  const HWND window = Application.Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetWindowTextLengthA(window), 0);
  // A second call keeps the same window.
  Application.Initialize(GetModuleHandleA(nullptr));
  EXPECT_EQ(Application.Handle(), window);
  Application.Finalize();
  EXPECT_FALSE(IsWindow(window));
}

TEST(Application, DeactivationIsAttachedForTheLoopOnly) {
  notificationDuringLoop = false;
  const HWND main = CreateMainWindow();
  ASSERT_NE(main, nullptr);
  Application.SetMainWindow(main);
  SetTimer(nullptr, 0, 50, CloseMainWindow);
  int calls = 0;
  Application.RunWithDeactivation([&] { ++calls; });
  EXPECT_TRUE(notificationDuringLoop);
  EXPECT_FALSE(Application.HasOnDeactivate());
  Application.SetMainWindow(nullptr);
}

TEST(Application, DeactivationIsDetachedWhenTheLoopThrows) {
  const HWND main = CreateMainWindow();
  ASSERT_NE(main, nullptr);
  Application.SetMainWindow(main);
  PostMessageA(main, WM_USER, 0, 0);
  Application.SetMessageHook([](MSG& message, bool&) {
    if (message.message == WM_USER) throw std::runtime_error("from the loop");
  });
  EXPECT_THROW(Application.RunWithDeactivation([] {}), std::runtime_error);
  Application.ClearMessageHook();
  EXPECT_FALSE(Application.HasOnDeactivate());
  DestroyWindow(main);
  Application.SetMainWindow(nullptr);
}

TEST(Application, AHiddenMainWindowStaysUpWhileALockIsHeld) {
  Application.Initialize(GetModuleHandleA(nullptr));
  const auto ownedWindow = [] {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, Application.Handle(), nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  };
  const HWND main = ownedWindow();
  Application.SetMainWindow(main);
  ShowWindow(main, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(Application.MainWindowUp());
  // As the lock screen shown from the configuration dialog: the dialog hidden, the lock up.
  bool held = true;
  Application.SetHolding([&held] { return held; });
  ShowWindow(main, SW_HIDE);
  EXPECT_TRUE(Application.MainWindowUp());
  held = false;
  EXPECT_FALSE(Application.MainWindowUp()) << "closing the main window ends the loop";
  DestroyWindow(main);
  EXPECT_FALSE(Application.MainWindowUp());
  Application.SetHolding(nullptr);
  Application.SetMainWindow(nullptr);
}

TEST(Application, WithoutMainWindowTheLoopReturnsAtOnce) {
  Application.SetMainWindow(nullptr);
  bool called = false;
  Application.RunWithDeactivation([&] { called = true; });
  EXPECT_FALSE(called);
  EXPECT_FALSE(Application.HasOnDeactivate());
}

TEST(LinkCursor, IsTheSystemHandOnceInstalled) {
  InstallLinkCursor();
  // Shared system cursors come back as the same handle on every load.
  EXPECT_EQ(LinkCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));
  EXPECT_NE(LinkCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
}

}  // namespace
}  // namespace velmora
