// The program's windows, one object per mode that has any: each owns its windows as members,
// makes the mode's main window and the lock screen's window at once and the prompt for each ask,
// wires them to each other, and destroys them in the reverse order of their declaration, before
// the application window that owns them.
#pragma once
#include <memory>

#include "config/Config.h"
#include "core/CommandLine.h"
#include "core/win/SettingsStore.h"
#include "install/InstallWizard.h"
#include "lockscreen/Main.h"
#include "lockscreen/Session.h"
#include "prompt/Ask.h"

namespace velmora {

// The lock screen with its session, and the unlock prompt made for each ask.
class TLockWindows {
 public:
  // Makes the lock screen's window, hidden: from start-up on, in every mode that has windows, it
  // tells other copies that this one runs. `mode` is the program's mode, which the lock screen
  // is told; `settings` must outlive this.
  TLockWindows(TSettingsStore& settings, TRunMode mode);
  ~TLockWindows();
  TLockWindows(const TLockWindows&) = delete;
  TLockWindows& operator=(const TLockWindows&) = delete;

  // The lock screen; its window is made again when it was destroyed from outside while hidden.
  TfrmVOK& LockScreen();
  // The window the lock hides while it is up, as long as it is the main window.
  void SetWindowToHide(HWND window);
  // The application's deactivation notification: the prompt, else the lock screen, to the front.
  void AppDeactivate();

 private:
  TSettingsStore& settings_;
  TLockSession session_;
  std::unique_ptr<TfrmVOK> lockScreen_;
};

// What start-up holds while the message loop runs.
class TModeWindows {
 public:
  virtual ~TModeWindows() = default;
  // The application's deactivation notification for the message loop.
  virtual void AppDeactivate() = 0;
};

// Run: the lock screen is the main window.
class TRunModeWindows : public TModeWindows {
 public:
  explicit TRunModeWindows(TSettingsStore& settings);
  void AppDeactivate() override { lock_.AppDeactivate(); }

 private:
  TLockWindows lock_;
};

// Configure: the configuration dialog is the main window; its Test button shows the lock screen,
// which hides the dialog while it is up.
class TConfigureModeWindows : public TModeWindows {
 public:
  explicit TConfigureModeWindows(TSettingsStore& settings);
  void AppDeactivate() override { lock_.AppDeactivate(); }

 private:
  // Goes after the lock screen, which may show it again as it goes.
  TfrmConfig dialog_;
  TLockWindows lock_;
};

// Install: the wizard is the main window; its Preview button shows the lock screen.
class TInstallModeWindows : public TModeWindows {
 public:
  explicit TInstallModeWindows(TSettingsStore& settings);
  void AppDeactivate() override { lock_.AppDeactivate(); }

 private:
  TfrmInstallWizard wizard_;
  TLockWindows lock_;
};

// The windows of `mode`, its main window made; none for the modes without windows.
std::unique_ptr<TModeWindows> CreateModeWindows(TRunMode mode, TSettingsStore& settings);

}  // namespace velmora
