#include "app/ModeWindows.h"

#include "ui/Application.h"

namespace velmora {

TLockWindows::TLockWindows(TSettingsStore& settings, TRunMode mode)
    : settings_(settings), session_(settings.SavedSettings) {
  session_.SetPromptMaker([this] {
    auto prompt = std::make_unique<TfrmAsk>(settings_.SavedSettings);
    TfrmAsk* made = prompt.get();
    return TLockSession::UnlockPrompt{std::move(prompt), [made] { return made->Answer(); },
                                      [made] { made->WipePassword(); }};
  });
  lockScreen_ = std::make_unique<TfrmVOK>(session_, settings_, mode);
  // The loop, the quit and the error reports ask the session whether the screen is held.
  Application.SetHolding([this] { return session_.Holding(); });
}

TLockWindows::~TLockWindows() {
  // Nothing may make a prompt while the windows go.
  session_.SetPromptMaker(nullptr);
  lockScreen_.reset();
  Application.SetHolding(nullptr);
}

TfrmVOK& TLockWindows::LockScreen() {
  // Destroyed from outside while it was hidden: made again.
  lockScreen_->Remake();
  return *lockScreen_;
}

void TLockWindows::SetWindowToHide(HWND window) { session_.SetWindowToHide(window); }

void TLockWindows::AppDeactivate() { lockScreen_->AppDeactivate(); }

// In run mode only the lock screen is made before the message loop shows it, so that it covers
// the screen first. The configuration dialog is only made in configure mode, the one mode that
// shows it.

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
