// The install wizard's layout and behaviour.
#include "install/InstallWizard.h"

#include <exception>

#include "install/Installer.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "ui/Translate.h"

namespace velmora {

namespace {

// Long enough for the screen under the hidden wizard to be repainted before the shell's verb
// starts the installed copy.
constexpr DWORD kRepaintPause = 450;

}  // namespace

const ComponentLayout TfrmInstallWizard::kLayout[] = {
    {"frmInstallWizard", ComponentKind::Form, nullptr, 0, 0, 339, 253,
     Props()
         .Caption("")
         .Border(FormBorder::Single)
         .Centered()
         .Color(SystemColor(COLOR_BTNFACE))
         .Font("MS Sans Serif", -11)},
    {"pnlBackground", ComponentKind::Panel, "frmInstallWizard", 0, 0, 339, 253, Props().AlignClient()},
    {"pnlInstall", ComponentKind::Panel, "pnlBackground", 4, 4, 329, 205,
     Props().Bevels(Bevel::Raised, Bevel::Lowered)},
    {"lblReadMe", ComponentKind::Label, "pnlInstall", 0, 0, 51, 13,
     Props().Hidden().Bind<&TfrmInstallWizard::lblReadMe>()},
    {"memReadMe", ComponentKind::Memo, "pnlInstall", 8, 8, 313, 173,
     Props()
         .NoBorder()
         .ReadOnly()
         .VerticalScrollBar()
         .NoReturns()
         .Color(SystemColor(COLOR_INFOBK))
         .Bind<&TfrmInstallWizard::memReadMe>()},
    {"chkCreateDesktopShortcut", ComponentKind::CheckBox, "pnlInstall", 8, 184, 193, 17,
     Props().Checked().Bind<&TfrmInstallWizard::chkCreateDesktopShortcut>()},
    {"btnInstall", ComponentKind::Button, "pnlBackground", 176, 216, 75, 25,
     Props().Default().OnClick<&TfrmInstallWizard::btnInstallClick>()},
    {"btnCancel", ComponentKind::Button, "pnlBackground", 256, 216, 75, 25,
     Props().Cancel().OnClick<&TfrmInstallWizard::btnCancelClick>()},
    {"btnPreview", ComponentKind::Button, "pnlBackground", 8, 216, 75, 25,
     Props().OnClick<&TfrmInstallWizard::btnPreviewClick>()},
};

LayoutTable TfrmInstallWizard::Layout() { return LayoutTable(kLayout); }

TfrmInstallWizard::TfrmInstallWizard(const std::string& programName)
    : TForm("TfrmInstallWizard", kLayout),
      PlanInstallation([programName] { return velmora::PlanInstallation(programName); }),
      StartInstallVerb(&velmora::StartInstallVerb) {
  BindComponents();
  FormCreate();
}

void TfrmInstallWizard::FormCreate() {
  TranslateForm(*this);
  PrepareControls(*Components().front());
  memReadMe->SetText(lblReadMe->Caption());
}

void TfrmInstallWizard::btnInstallClick() {
  try {
    const TInstallPlan plan = PlanInstallation();
    CopyAndRegister(plan, chkCreateDesktopShortcut->Checked());
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
