#include "app/ModeWindows.h"

#include "ui/Application.h"

namespace velmora {

TLockWindows::TLockWindows(TSettingsStore& settings, TRunMode mode)
    : settings_(settings), mode_(mode), session_(settings.SavedSettings) {
  session_.SetUnlockPrompt([this]() -> TForm* { return &Prompt(); }, [this] { return Prompt().Ask(); });
}

TLockWindows::~TLockWindows() {
  // Nothing may make the prompt again while the windows go.
  session_.SetUnlockPrompt(nullptr, nullptr);
}

TfrmVOK& TLockWindows::LockScreen() {
  if (!lockScreen_) lockScreen_ = std::make_unique<TfrmVOK>(session_, settings_, mode_);
  // Destroyed from outside while it was hidden: made again.
  if (!lockScreen_->Alive()) lockScreen_->RemakeWindow();
  return *lockScreen_;
}

void TLockWindows::SetWindowToHide(HWND window) { session_.SetWindowToHide(window); }

TfrmAsk& TLockWindows::Prompt() {
  if (!prompt_ || !prompt_->Alive()) prompt_ = std::make_unique<TfrmAsk>(settings_.SavedSettings);
  return *prompt_;
}

void TLockWindows::AppDeactivate() { TfrmVOK::AppDeactivate(prompt_.get(), lockScreen_.get()); }

// Only the main window is made before the message loop shows it, so that in run mode the lock
// covers the screen first. The configuration dialog is only made in configure mode, the one
// mode that shows it.

TRunModeWindows::TRunModeWindows(TSettingsStore& settings) : lock_(settings, TRunMode::Run) {
  Application.SetMainWindow(lock_.LockScreen().Handle());
}

TConfigureModeWindows::TConfigureModeWindows(TSettingsStore& settings)
    : dialog_(settings), lock_(settings, TRunMode::Configure) {
  Application.SetMainWindow(dialog_.Handle());
  lock_.SetWindowToHide(dialog_.Handle());
  dialog_.ShowLockScreen = [this] { lock_.LockScreen().Show(); };
}

TInstallModeWindows::TInstallModeWindows(TSettingsStore& settings)
    : wizard_(settings.ProgramName()), lock_(settings, TRunMode::Install) {
  Application.SetMainWindow(wizard_.Handle());
  wizard_.ShowLockScreen = [this] { lock_.LockScreen().Show(); };
}

std::unique_ptr<TModeWindows> CreateModeWindows(TRunMode mode, TSettingsStore& settings) {
  switch (mode) {
    case TRunMode::Run:
      return std::make_unique<TRunModeWindows>(settings);
    case TRunMode::Configure:
      return std::make_unique<TConfigureModeWindows>(settings);
    case TRunMode::Install:
      return std::make_unique<TInstallModeWindows>(settings);
    default:
      return nullptr;
  }
}

}  // namespace velmora
