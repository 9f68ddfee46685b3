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

using F = TfrmInstallWizard;

const ComponentLayout TfrmInstallWizard::kLayout[] = {
    Row<TFormComponent>("frmInstallWizard", 0, 0, 339, 253,
                        FormOptions()
                            .Caption("")
                            .Border(FormBorder::Single)
                            .Centered()
                            .Color(SystemColor(COLOR_BTNFACE))
                            .Font("MS Sans Serif", -11)),
    Row<&F::pnlBackground>("pnlBackground", 0, 0, 339, 253, PanelOptions().AlignClient()),
    Row<&F::pnlInstall, &F::pnlBackground>("pnlInstall", 4, 4, 329, 205,
                                           PanelOptions().Bevels(Bevel::Raised, Bevel::Lowered)),
    Row<&F::lblReadMe, &F::pnlInstall>("lblReadMe", 0, 0, 51, 13, LabelOptions().Hidden()),
    Row<&F::memReadMe, &F::pnlInstall>(
        "memReadMe", 8, 8, 313, 173,
        MemoOptions().NoBorder().ReadOnly().VerticalScrollBar().NoReturns().Color(SystemColor(COLOR_INFOBK))),
    Row<&F::chkCreateDesktopShortcut, &F::pnlInstall>("chkCreateDesktopShortcut", 8, 184, 193, 17,
                                                      CheckBoxOptions().Checked()),
    Row<TButton, &F::pnlBackground>("btnInstall", 176, 216, 75, 25,
                                    ButtonOptions().Default().OnClick<&F::btnInstallClick>()),
    Row<TButton, &F::pnlBackground>("btnCancel", 256, 216, 75, 25,
                                    ButtonOptions().Cancel().OnClick<&F::btnCancelClick>()),
    Row<TButton, &F::pnlBackground>("btnPreview", 8, 216, 75, 25, ButtonOptions().OnClick<&F::btnPreviewClick>()),
};

LayoutTable TfrmInstallWizard::Layout() { return LayoutTable(kLayout); }

TfrmInstallWizard::TfrmInstallWizard(const std::string& programName)
    : TForm("TfrmInstallWizard"),
      PlanInstallation([programName] { return velmora::PlanInstallation(programName); }),
      StartInstallVerb(&velmora::StartInstallVerb) {
  Build(Layout());
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
