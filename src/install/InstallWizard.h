// The install wizard, install mode's main window: a read-me, a desktop-shortcut box, and the
// buttons that install the program into the system folder, close, or try the lock screen.
#pragma once
#include <functional>
#include <string>

#include "common/InstallPlan.h"
#include "ui/Form.h"
#include "ui/Kinds.h"
#include "ui/Layout.h"

namespace velmora {

class TfrmInstallWizard : public TForm {
 public:
  // Builds the hidden wizard and runs FormCreate; Application must be initialised. It installs
  // the program under `programName`.
  explicit TfrmInstallWizard(const std::string& programName);

  // The wizard's layout table, the keys it looks up in the language file among them.
  static LayoutTable Layout();

  // Shows the lock screen without waiting for it; start-up sets it. Without it Preview does
  // nothing.
  std::function<void()> ShowLockScreen;
  // The installer's steps, replaceable so that tests can install into a folder of their own and
  // see the shell's verb asked for.
  std::function<TInstallPlan()> PlanInstallation;
  std::function<void(const TInstallPlan&)> StartInstallVerb;

  void FormCreate();
  void btnInstallClick();
  void btnCancelClick();
  void btnPreviewClick();

 private:
  // The layout table: every component once, with the member that holds it and its handlers.
  static const ComponentLayout kLayout[];

  TPanel *pnlBackground = nullptr, *pnlInstall = nullptr;
  TLabel* lblReadMe = nullptr;
  TMemo* memReadMe = nullptr;
  TCheckBox* chkCreateDesktopShortcut = nullptr;
};

}  // namespace velmora
