// The install wizard's layout and behaviour.
#include "install/InstallWizard.h"

#include <exception>

#include "install/Installer.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "ui/Translate.h"

namespace velmora {

namespace {

constexpr ComponentLayout kInstallWizardLayout[] = {
    {"frmInstallWizard", ComponentKind::Form, nullptr, 0, 0, 339, 253,
     Props()
         .Caption("")
         .Border(FormBorder::Single)
         .Centered()
         .Color(SystemColor(COLOR_BTNFACE))
         .Font("MS Sans Serif", -11)},
    {"pnlBackground", ComponentKind::Panel, "frmInstallWizard", 0, 0, 339, 253, Props().AlignClient()},
    {"pnlInstall", ComponentKind::Panel, "pnlBackground", 4, 4, 329, 205, Props().Bevels(Bevel::Raised, Bevel::Lowered)},
    {"lblReadMe", ComponentKind::Label, "pnlInstall", 0, 0, 51, 13, Props().Hidden()},
    {"memReadMe", ComponentKind::Memo, "pnlInstall", 8, 8, 313, 173,
     Props().NoBorder().ReadOnly().VerticalScrollBar().NoReturns().Color(SystemColor(COLOR_INFOBK))},
    {"chkCreateDesktopShortcut", ComponentKind::CheckBox, "pnlInstall", 8, 184, 193, 17, Props().Checked()},
    {"btnInstall", ComponentKind::Button, "pnlBackground", 176, 216, 75, 25, Props().Default()},
    {"btnCancel", ComponentKind::Button, "pnlBackground", 256, 216, 75, 25, Props().Cancel()},
    {"btnPreview", ComponentKind::Button, "pnlBackground", 8, 216, 75, 25, Props()},
};

// Long enough for the screen under the hidden wizard to be repainted before the shell's verb
// starts the installed copy.
constexpr DWORD kRepaintPause = 450;

}  // namespace

LayoutTable TfrmInstallWizard::Layout() { return LayoutTable(kInstallWizardLayout); }

TfrmInstallWizard::TfrmInstallWizard(const std::string& programName)
    : TForm("TfrmInstallWizard", kInstallWizardLayout),
      PlanInstallation([programName] { return velmora::PlanInstallation(programName); }),
      StartInstallVerb(&velmora::StartInstallVerb),
      lblReadMe(Component("lblReadMe")),
      memReadMe(Component("memReadMe")),
      chkCreateDesktopShortcut(Component("chkCreateDesktopShortcut")) {
  Bind("btnInstall", EventKind::Click, &TfrmInstallWizard::btnInstallClick);
  Bind("btnCancel", EventKind::Click, &TfrmInstallWizard::btnCancelClick);
  Bind("btnPreview", EventKind::Click, &TfrmInstallWizard::btnPreviewClick);
  FormCreate();
}

void TfrmInstallWizard::FormCreate() {
  TranslateForm(*this);
  PrepareControls(*Components().front());
  memReadMe.SetText(lblReadMe.Caption());
}

void TfrmInstallWizard::btnInstallClick() {
  try {
    const TInstallPlan plan = PlanInstallation();
    CopyAndRegister(plan, chkCreateDesktopShortcut.Checked());
    Hide();
    Application.ProcessMessages();
    Sleep(kRepaintPause);
    StartInstallVerb(plan);
  } catch (const std::exception& failure) {
    // A failed copy or an unusable Windows folder: the user hears of it, nothing later is done
    // and the program ends with the failure's exit code.
    ReportUnhandledError(failure.what());
    Application.SetExitCode(1);
  }
  Close();
}

void TfrmInstallWizard::btnCancelClick() { Close(); }

void TfrmInstallWizard::btnPreviewClick() {
  if (ShowLockScreen) ShowLockScreen();
}

}  // namespace velmora
