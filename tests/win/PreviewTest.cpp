// The preview painter against real windows and real GDI: where it draws, when it starts and
// when it stops. The picture comes from the built Velmora.scr beside the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Preview.h"
#include "lockscreen/Main.h"
#include "core/Error.h"

namespace velmora {
namespace {

constexpr char kHostClass[] = "VelmoraPreviewTestHost";
constexpr COLORREF kHostColor = RGB(255, 0, 0);
constexpr int kHostWidth = 152;
constexpr int kHostHeight = 112;

std::string BesideTestProgram(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

// What the timers of a test do, and which of them fired.
struct Script {
  HWND host = nullptr;
  HWND lockScreen = nullptr;
  bool shown = false;
  bool hidden = false;
  bool destroyed = false;
  bool safetyFired = false;
};
Script script;

void CALLBACK ShowHost(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  ShowWindow(script.host, SW_SHOWNOACTIVATE);
  UpdateWindow(script.host);
  script.shown = true;
}
void CALLBACK HideHost(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  ShowWindow(script.host, SW_HIDE);
  script.hidden = true;
}
void CALLBACK DestroyHost(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  DestroyWindow(script.host);
  script.destroyed = true;
}
void CALLBACK StartLockScreen(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  // Hidden, like the lock screen of a copy in configure mode that has shown it once.
  script.lockScreen = CreateWindowExA(0, kLockScreenClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
}
// Ends a preview that would otherwise not stop, so that a fault fails the test instead of
// hanging it.
void CALLBACK Safety(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  script.safetyFired = true;
  if (IsWindow(script.host)) DestroyWindow(script.host);
}

class PreviewPainter : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA host{};
    host.lpfnWndProc = DefWindowProcA;
    host.hInstance = GetModuleHandleA(nullptr);
    host.hbrBackground = CreateSolidBrush(kHostColor);
    host.lpszClassName = kHostClass;
    RegisterClassA(&host);
    WNDCLASSA lockScreen{};
    lockScreen.lpfnWndProc = DefWindowProcA;
    lockScreen.hInstance = GetModuleHandleA(nullptr);
    lockScreen.lpszClassName = kLockScreenClassName;
    RegisterClassA(&lockScreen);
  }

  void SetUp() override {
    script = Script{};
    resources_ = LoadLibraryExA(BesideTestProgram("Velmora.scr").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources_, nullptr) << "Velmora.scr must be built beside win_tests.exe";
  }

  void TearDown() override {
    KillTimer(nullptr, safety_);
    if (script.lockScreen != nullptr) DestroyWindow(script.lockScreen);
    if (IsWindow(script.host)) DestroyWindow(script.host);
    if (resources_ != nullptr) FreeLibrary(resources_);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }

  // A top-level window of 152 by 112 pixels filled with red, shown and painted or hidden.
  void CreateHost(bool visible) {
    script.host = CreateWindowExA(WS_EX_TOOLWINDOW, kHostClass, "", WS_POPUP, 200, 150, kHostWidth,
                                  kHostHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(script.host, nullptr);
    if (visible) {
      ShowWindow(script.host, SW_SHOWNOACTIVATE);
      UpdateWindow(script.host);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
  }

  void At(UINT milliseconds, TIMERPROC action) { SetTimer(nullptr, 0, milliseconds, action); }

  TPreviewPainter RunPainter() {
    safety_ = SetTimer(nullptr, 0, 10000, Safety);
    TPreviewPainter painter(script.host, resources_);
    painter.Run();
    return painter;
  }

  COLORREF PixelOfHost(int x, int y) {
    HDC dc = GetDC(script.host);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(script.host, dc);
    return color;
  }

  HMODULE resources_ = nullptr;
  UINT_PTR safety_ = 0;
};

bool IsGrey(COLORREF color) {
  return GetRValue(color) == GetGValue(color) && GetGValue(color) == GetBValue(color);
}

TEST_F(PreviewPainter, PaintsTheCentredPictureUntilALockScreenWindowExists) {
  CreateHost(true);
  At(250, StartLockScreen);
  const TPreviewPainter painter = RunPainter();
  EXPECT_FALSE(script.safetyFired);
  ASSERT_NE(script.lockScreen, nullptr);
  EXPECT_GE(painter.FramesDrawn(), 3);
  // B: (152 - 87) / 2 = 32, (112 - 88) / 2 = 12.
  EXPECT_EQ(painter.Pulse().Base(), (TPulseRect{32, 12, 119, 100}));
  // The clock's hub sits in the middle of the window in every frame.
  const COLORREF centre = PixelOfHost(75, 56);
  EXPECT_TRUE(IsGrey(centre)) << std::hex << centre;
  EXPECT_GT(GetRValue(centre), 150);
  // The first frame (85 by 86 at 33, 13) left its black corner, and later, smaller frames do not
  // erase it.
  EXPECT_EQ(PixelOfHost(33, 13), RGB(0, 0, 0));
  // Outside the largest frame nothing is drawn.
  EXPECT_EQ(PixelOfHost(2, 2), kHostColor);
  EXPECT_EQ(PixelOfHost(32, 12), kHostColor);
  EXPECT_EQ(PixelOfHost(kHostWidth - 3, kHostHeight - 3), kHostColor);
}

TEST_F(PreviewPainter, EndsWhenTheHostIsHidden) {
  CreateHost(true);
  At(150, HideHost);
  const TPreviewPainter painter = RunPainter();
  EXPECT_TRUE(script.hidden);
  EXPECT_FALSE(script.safetyFired);
  EXPECT_GE(painter.FramesDrawn(), 1);
  EXPECT_TRUE(IsWindow(script.host));
}

TEST_F(PreviewPainter, EndsWhenTheHostIsDestroyed) {
  CreateHost(true);
  At(150, DestroyHost);
  const TPreviewPainter painter = RunPainter();
  EXPECT_TRUE(script.destroyed);
  EXPECT_FALSE(script.safetyFired);
  EXPECT_GE(painter.FramesDrawn(), 1);
}

TEST_F(PreviewPainter, DoesNotStartBesideALockScreenWindow) {
  CreateHost(true);
  StartLockScreen(nullptr, 0, 0, 0);
  ASSERT_NE(script.lockScreen, nullptr);
  const TPreviewPainter painter = RunPainter();
  EXPECT_EQ(painter.FramesDrawn(), 0);
  EXPECT_EQ(PixelOfHost(75, 56), kHostColor);
}

TEST_F(PreviewPainter, WaitsForTheHostToBecomeVisibleProcessingMessages) {
  CreateHost(false);
  // The show timer can only fire if the wait processes messages.
  At(100, ShowHost);
  At(400, StartLockScreen);
  const TPreviewPainter painter = RunPainter();
  EXPECT_TRUE(script.shown);
  EXPECT_FALSE(script.safetyFired);
  EXPECT_GE(painter.FramesDrawn(), 1);
  EXPECT_TRUE(IsGrey(PixelOfHost(75, 56)));
}

TEST_F(PreviewPainter, StopsWaitingWhenTheHiddenHostIsDestroyed) {
  CreateHost(false);
  At(100, DestroyHost);
  const TPreviewPainter painter = RunPainter();
  EXPECT_TRUE(script.destroyed);
  EXPECT_FALSE(script.safetyFired);
  EXPECT_EQ(painter.FramesDrawn(), 0);
}

TEST_F(PreviewPainter, EndsAtOnceForAHandleThatNamesNoWindow) {
  CreateHost(false);
  DestroyWindow(script.host);
  const TPreviewPainter painter = RunPainter();
  EXPECT_FALSE(script.safetyFired);
  EXPECT_EQ(painter.FramesDrawn(), 0);
}

TEST_F(PreviewPainter, HostSmallerThanThePictureKeepsItsCentre) {
  CreateHost(true);
  SetWindowPos(script.host, nullptr, 0, 0, 84, 83, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(script.host);
  At(150, StartLockScreen);
  const TPreviewPainter painter = RunPainter();
  // (84 - 87) / 2 = -1 and (83 - 88) / 2 = -2, truncated toward zero.
  EXPECT_EQ(painter.Pulse().Base(), (TPulseRect{-1, -2, 86, 86}));
  EXPECT_GE(painter.FramesDrawn(), 1);
}

TEST(PreviewHost, IsTheSecondArgumentAsADecimalHandle) {
  EXPECT_EQ(PreviewHostFromArguments({"/p", "65544"}), reinterpret_cast<HWND>(65544));
  EXPECT_EQ(PreviewHostFromArguments({"/P", "65544", "more"}), reinterpret_cast<HWND>(65544));
  // A 32-bit pattern with the top bit set is sign-extended into the handle.
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(PreviewHostFromArguments({"/p", "4294967294"})), -2);
}

TEST(PreviewHost, MissingOrNotANumberIsAnError) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"/P"}, std::vector<std::string>{"/P:123"}}) {
    try {
      PreviewHostFromArguments(arguments);
      ADD_FAILURE() << "no error for " << arguments[0];
    } catch (const Error& failure) {
      EXPECT_STREQ(failure.what(),
                   "The preview needs the preview window's handle as its second argument.");
    }
  }
  try {
    PreviewHostFromArguments({"/p", "abc"});
    ADD_FAILURE() << "no error for abc";
  } catch (const Error& failure) {
    EXPECT_STREQ(failure.what(), "\"abc\" is not a valid window handle.");
  }
  EXPECT_THROW(PreviewHostFromArguments({"/p", ""}), Error);
  EXPECT_THROW(PreviewHostFromArguments({"/p", "12 "}), Error);
}

}  // namespace
}  // namespace velmora
