#include "app/ModeWindows.h"

#include "ui/Application.h"

namespace velmora {

std::unique_ptr<TLockSession> lockSession;
std::unique_ptr<TfrmVOK> frmVOK;
std::unique_ptr<TfrmAsk> frmAsk;
std::unique_ptr<TfrmConfig> frmConfig;
std::unique_ptr<TfrmInstallWizard> frmInstallWizard;

namespace {

template <typename Form, typename... Arguments>
std::unique_ptr<Form> CreateMainForm(Arguments&... arguments) {
  auto form = std::make_unique<Form>(arguments...);
  Application.SetMainWindow(form->Handle());
  return form;
}

// The lock session comes before the lock screen, which takes it while shown, and goes after it.
TLockSession& TheLockSession() {
  if (!lockSession) lockSession = std::make_unique<TLockSession>();
  return *lockSession;
}

// The prompt, made at its first show, and again when another program destroyed its window.
TfrmAsk& Prompt() {
  if (!frmAsk || !frmAsk->Alive()) frmAsk = std::make_unique<TfrmAsk>();
  return *frmAsk;
}

void WireLockScreen() {
  lockSession->SetUnlockPrompt([]() -> TForm* { return &Prompt(); }, [] { return Prompt().Ask(); });
  // The configuration dialog is hidden while the lock screen is up, when it is the main window.
  if (frmConfig) lockSession->SetWindowToHide(frmConfig->Handle());
}

// The dialog's Test button shows the lock screen, made at its first show in configure mode.
void WireConfigurationDialog() {
  frmConfig->ShowLockScreen = [] { LockScreen().Show(); };
}

}  // namespace

// Only the main window is made before the message loop shows it, so that in run mode the lock
// covers the screen first. The prompt is made at its first show (and again when another program
// destroyed it); the configuration dialog is only made in configure mode, the one mode that shows
// it; the lock screen of the configure and install modes at its first show.
void CreateModeWindows(TRunMode mode) {
  switch (mode) {
    case TRunMode::Run:
      frmVOK = CreateMainForm<TfrmVOK>(TheLockSession());
      WireLockScreen();
      break;
    case TRunMode::Configure:
      frmConfig = CreateMainForm<TfrmConfig>();
      WireConfigurationDialog();
      break;
    case TRunMode::Install:
      frmInstallWizard = CreateMainForm<TfrmInstallWizard>();
      frmInstallWizard->ShowLockScreen = [] { LockScreen().Show(); };
      break;
    default:
      break;
  }
}

void DestroyModeWindows() {
  if (lockSession) lockSession->SetUnlockPrompt(nullptr, nullptr);
  frmAsk.reset();
  frmVOK.reset();
  lockSession.reset();
  frmConfig.reset();
  frmInstallWizard.reset();
}

TfrmVOK& LockScreen() {
  if (!frmVOK) {
    frmVOK = std::make_unique<TfrmVOK>(TheLockSession());
    WireLockScreen();
  }
  // Destroyed from outside while it was hidden: made again.
  if (!frmVOK->Alive()) frmVOK->RemakeWindow();
  return *frmVOK;
}

void AppDeactivate() { TfrmVOK::AppDeactivate(frmAsk.get(), frmVOK.get()); }

}  // namespace velmora
