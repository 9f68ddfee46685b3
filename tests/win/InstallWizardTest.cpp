// The install wizard driven by messages: its layout at 96 DPI, the read-me copied from the
// translated label, Install into a stand-in Windows folder (in order, hidden before the shell's
// verb, the shortcut only when ticked), a failed copy reported with nothing after it and exit
// code 1, Cancel, and Preview.
#include "install/InstallWizard.h"

#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "InstallSandbox.h"
#include "PixelCanvas.h"
#include "common/LanguageTable.h"

namespace velmora {
namespace {

using namespace velmora::testing;

constexpr char kName[] = "VelmoraWizardTest";

class InstallWizardTest : public InstallSandbox {
 protected:
  InstallWizardTest() : InstallSandbox(kName) {}

  void SetUp() override {
    InitializeApplication();
    Application.SetMainWindow(nullptr);
    Application.SetExitCode(0);
    LanguageTable.Clear();
    InstallSandbox::SetUp();
  }
  void TearDown() override {
    wizard.reset();
    Application.SetExitCode(0);
    LanguageTable.Clear();
    InstallSandbox::TearDown();
  }

  void Create() {
    wizard = std::make_unique<TfrmInstallWizard>(kName);
    wizard->PlanInstallation = [this] { return plan_; };
    wizard->StartInstallVerb = [this](const TInstallPlan& plan) {
      verbFiles.push_back(plan.InstalledFile());
      visibleAtVerb = wizard->Visible();
      keyAtVerb = RegGetValueA(HKEY_LOCAL_MACHINE, plan.UninstallKeyPath.c_str(), "DisplayName", RRF_RT_REG_SZ,
                               nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    wizard->ShowLockScreen = [this] { ++lockScreenShows; };
    Application.SetMainWindow(wizard->Handle());
    wizard->Show();
    Application.ProcessMessages();
  }
  HWND Handle(const char* name) const { return wizard->Component(name).Handle(); }
  void Click(const char* button) {
    SendMessageA(Handle(button), BM_CLICK, 0, 0);
    Application.ProcessMessages();
  }
  bool UninstallKeyExists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, plan_.UninstallKeyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  std::unique_ptr<TfrmInstallWizard> wizard;
  std::vector<std::string> verbFiles;
  bool visibleAtVerb = true;
  bool keyAtVerb = false;
  int lockScreenShows = 0;
};

TEST_F(InstallWizardTest, LayoutAt96Dpi) {
  Create();
  if (wizard->Dpi() != 96) GTEST_SKIP() << "the display runs at " << wizard->Dpi() << " DPI";
  const HWND window = wizard->Handle();
  EXPECT_EQ(ClassName(window), "TfrmInstallWizard");
  EXPECT_EQ(wizard->ClientWidth(), 339);
  EXPECT_EQ(wizard->ClientHeight(), 253);
  EXPECT_TRUE(Style(window) & WS_SYSMENU);
  EXPECT_TRUE(Style(window) & WS_BORDER);
  EXPECT_FALSE(Style(window) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_FALSE(ExStyle(window) & WS_EX_TOPMOST);
  const RECT bounds = wizard->WindowBounds();
  EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2);
  EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2);
  EXPECT_EQ(wizard->Components().front()->Color(), SystemColor(COLOR_BTNFACE));

  struct Expected {
    const char* name;
    const char* parent;
    int left, top, width, height;
  };
  const Expected expected[] = {
      {"pnlBackground", nullptr, 0, 0, 339, 253},
      {"pnlInstall", "pnlBackground", 4, 4, 329, 205},
      {"lblReadMe", "pnlInstall", 0, 0, 51, 13},
      {"memReadMe", "pnlInstall", 8, 8, 313, 173},
      {"chkCreateDesktopShortcut", "pnlInstall", 8, 184, 193, 17},
      {"btnInstall", "pnlBackground", 176, 216, 75, 25},
      {"btnCancel", "pnlBackground", 256, 216, 75, 25},
      {"btnPreview", "pnlBackground", 8, 216, 75, 25},
  };
  for (const Expected& row : expected) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(GetParent(Handle(row.name)), row.parent ? Handle(row.parent) : window);
    const RECT rect = RectInParent(Handle(row.name));
    EXPECT_EQ(rect.left, row.left);
    EXPECT_EQ(rect.top, row.top);
    EXPECT_EQ(rect.right - rect.left, row.width);
    EXPECT_EQ(rect.bottom - rect.top, row.height);
  }
  // pnlInstall: a lowered outer bevel (shadow at the top left, light at the bottom right) round a
  // raised inner one; pnlBackground has none.
  PixelCanvas canvas(339, 253);
  SendMessageA(Handle("pnlInstall"), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(canvas.dc(), 328, 204), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(canvas.dc(), 327, 203), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(canvas.dc(), 100, 195), GetSysColor(COLOR_BTNFACE));
  SendMessageA(Handle("pnlBackground"), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(canvas.dc(), 338, 252), GetSysColor(COLOR_BTNFACE));

  EXPECT_FALSE(IsWindowVisible(Handle("lblReadMe")));
  const HWND memo = Handle("memReadMe");
  EXPECT_TRUE(Style(memo) & ES_READONLY);
  EXPECT_TRUE(Style(memo) & ES_MULTILINE);
  EXPECT_TRUE(Style(memo) & WS_VSCROLL);
  EXPECT_FALSE(Style(memo) & ES_WANTRETURN) << "Enter must press Install, not break the line";
  EXPECT_FALSE(Style(memo) & WS_BORDER);
  EXPECT_FALSE(ExStyle(memo) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(wizard->Component<TEdit>("memReadMe").Color(), SystemColor(COLOR_INFOBK));
  EXPECT_EQ(SendMessageA(Handle("chkCreateDesktopShortcut"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Style(Handle("btnInstall")) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(wizard->DefaultButton(), &wizard->Component<TButton>("btnInstall"));
  EXPECT_EQ(wizard->CancelButton(), &wizard->Component<TButton>("btnCancel"));

  // Tab order: in the panel the read-me, then the box; on the window the panel, Install,
  // Cancel, Preview.
  EXPECT_EQ(GetWindow(memo, GW_HWNDNEXT), Handle("chkCreateDesktopShortcut"));
  EXPECT_EQ(GetWindow(Handle("pnlInstall"), GW_HWNDNEXT), Handle("btnInstall"));
  EXPECT_EQ(GetWindow(Handle("btnInstall"), GW_HWNDNEXT), Handle("btnCancel"));
  EXPECT_EQ(GetWindow(Handle("btnCancel"), GW_HWNDNEXT), Handle("btnPreview"));
}

TEST_F(InstallWizardTest, CreationTranslatesAndCopiesTheReadMeFromTheHiddenLabel) {
  LanguageTable.Assign(
      "frmInstallWizard=Install it\r\nlblReadMe=Welcome.^^Read | me\r\nmemReadMe=Memo caption|The read-me\r\n"
      "btnInstall=Go|Installs\r\n");
  Create();
  EXPECT_EQ(WindowText(wizard->Handle()), "Install it");
  EXPECT_EQ(wizard->Component<TEdit>("memReadMe").Text(), "Welcome.\r\n\r\nRead ");
  EXPECT_EQ(wizard->Component<TEdit>("memReadMe").Hint(), "The read-me");
  EXPECT_EQ(WindowText(Handle("btnInstall")), "Go");
  EXPECT_EQ(wizard->Component<TButton>("btnInstall").Hint(), "Installs");
}

TEST_F(InstallWizardTest, InstallCopiesRegistersHidesThenAsksForTheVerbAndCloses) {
  struct Case {
    bool ticked;
    bool shortcut;
  };
  for (const Case& c : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.ticked ? "ticked" : "not ticked");
    DeleteFileA(plan_.ShortcutPath.c_str());
    verbFiles.clear();
    Create();
    SendMessageA(Handle("chkCreateDesktopShortcut"), BM_SETCHECK, c.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click("btnInstall");
    EXPECT_EQ(verbFiles, std::vector<std::string>{System(std::string(kName) + ".scr")});
    EXPECT_FALSE(visibleAtVerb) << "the wizard is hidden before the verb";
    EXPECT_TRUE(keyAtVerb) << "the uninstall entry is written before the verb";
    EXPECT_FALSE(wizard->Visible());
    EXPECT_FALSE(Application.MainWindowUp()) << "closing the wizard ends the program";
    EXPECT_EQ(Application.ExitCode(), 0);
    for (const std::string& file : {std::string(kName) + ".scr", std::string("Velmora.dll"), std::string(kName) + ".lng"}) {
      EXPECT_TRUE(Exists(System(file))) << file;
    }
    EXPECT_EQ(Exists(plan_.ShortcutPath), c.shortcut);
  }
}

TEST_F(InstallWizardTest, AFailedCopyIsReportedClosesAndDoesNothingAfterIt) {
  _putenv("VELMORA_NO_MESSAGEBOX=1");
  DeleteFileA((root_ + "work\\Velmora.dll").c_str());
  Create();
  ::testing::internal::CaptureStderr();
  Click("btnInstall");
  const std::string reported = ::testing::internal::GetCapturedStderr();
  const std::string expected =
      "Cannot copy \"" + root_ + "work\\Velmora.dll\" to \"" + System("Velmora.dll") + "\": ";
  EXPECT_EQ(reported.substr(0, expected.size()), expected);
  EXPECT_GT(reported.size(), expected.size() + 1) << "no reason given";
  EXPECT_EQ(Application.ExitCode(), 1);
  EXPECT_FALSE(wizard->Visible());
  EXPECT_TRUE(verbFiles.empty());
  EXPECT_TRUE(Exists(System(std::string(kName) + ".scr"))) << "the copy before the failure stays";
  EXPECT_FALSE(Exists(System(std::string(kName) + ".lng")));
  EXPECT_FALSE(UninstallKeyExists());
  EXPECT_FALSE(Exists(plan_.ShortcutPath));
}

TEST_F(InstallWizardTest, AnUnusableWindowsFolderIsReportedLikeAFailedCopy) {
  _putenv("VELMORA_NO_MESSAGEBOX=1");
  Create();
  wizard->PlanInstallation = [this] {
    return BuildInstallPlan(root_ + "source\\" + kName + ".scr", kName, root_ + "work", std::string(250, 'W'),
                            root_ + "desktop");
  };
  ::testing::internal::CaptureStderr();
  Click("btnInstall");
  EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
  EXPECT_EQ(Application.ExitCode(), 1);
  EXPECT_FALSE(wizard->Visible());
  EXPECT_TRUE(verbFiles.empty());
  EXPECT_FALSE(Exists(System(std::string(kName) + ".scr")));
}

TEST_F(InstallWizardTest, CancelClosesAndPreviewShowsTheLockScreenWithTheWizardStaying) {
  Create();
  Click("btnPreview");
  EXPECT_EQ(lockScreenShows, 1);
  EXPECT_TRUE(wizard->Visible());
  Click("btnPreview");
  EXPECT_EQ(lockScreenShows, 2);
  Click("btnCancel");
  EXPECT_FALSE(wizard->Visible());
  EXPECT_EQ(Application.ExitCode(), 0);
  EXPECT_TRUE(verbFiles.empty());
  EXPECT_FALSE(Exists(System(std::string(kName) + ".scr")));
}

}  // namespace
}  // namespace velmora
