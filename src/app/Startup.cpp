#include "app/Startup.h"

#include <chrono>
#include <exception>
#include <memory>
#include <optional>

#include "app/ModeWindows.h"
#include "app/Preview.h"
#include "common/LanguageTable.h"
#include "common/win/LanguageFile.h"
#include "core/CommandLine.h"
#include "core/Random.h"
#include "core/win/SettingsStore.h"
#include "install/Uninstaller.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "ui/LinkCursor.h"
#include "win/Handles.h"

namespace velmora {
namespace {

void SeedRandomFromClock() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  SeedRandom(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

// A copy that is about to lock the screen holds this mutex until it ends. Two copies started in
// the same instant both find no lock screen window yet; only one of them gets the mutex.
constexpr char kLockScreenMutexName[] = "Local\\Velmora.TfrmVOK";

// Takes the mutex when no other copy holds it; empty when another does. A mutex left by a copy
// that ended without releasing it counts as free.
win::KernelObject TakeLockScreenMutex(bool& heldElsewhere) {
  win::KernelObject mutex(CreateMutexA(nullptr, FALSE, kLockScreenMutexName));
  heldElsewhere = false;
  if (!mutex) return mutex;
  const DWORD wait = WaitForSingleObject(mutex.get(), 0);
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return mutex;
  heldElsewhere = true;
  return win::KernelObject();
}

// Everything between loading the settings and writing them back. Failures propagate to the
// top-level handler.
void Dispatch(HINSTANCE instance, const std::vector<std::string>& arguments, TSettingsStore& settings) {
  // The language file is read before the command line, in every mode.
  LoadLanguageFile({Application.Handle(), [] { Application.ProcessMessages(); }});
  const TRunMode mode = ChooseRunMode(arguments);
  if (mode == TRunMode::Uninstall) {
    // The uninstaller runs here; nothing of what follows happens for it.
    Uninstall(settings);
    return;
  }
  // A running lock screen, visible or hidden, in any process, or a copy about to show one: this
  // copy ends silently.
  bool lockedElsewhere = false;
  win::KernelObject lockScreenMutex = TakeLockScreenMutex(lockedElsewhere);
  if (lockedElsewhere || FindWindowA(kLockScreenClassName, nullptr) != nullptr) return;
  // Only run mode shows its lock screen at once; the other modes leave the mutex to others.
  if (mode != TRunMode::Run && lockScreenMutex) {
    ReleaseMutex(lockScreenMutex.get());
    lockScreenMutex.reset();
  }

  Application.Initialize(instance);
  SeedRandomFromClock();
  InstallLinkCursor();

  // The windows go before the application window that owns them.
  std::unique_ptr<TModeWindows> windows;
  if (mode == TRunMode::Preview) {
    RunPreview(arguments, instance);
  } else {
    windows = CreateModeWindows(mode, settings);
  }
  Application.RunWithDeactivation([&windows] {
    if (windows) windows->AppDeactivate();
  });
}

void ReportCurrentException() {
  try {
    throw;
  } catch (const std::exception& failure) {
    ReportUnhandledError(failure.what());
  } catch (...) {
    ReportUnhandledError("An unknown error ended the program.");
  }
}

}  // namespace

int RunProgram(HINSTANCE instance, const std::vector<std::string>& arguments) {
  int exitCode = 0;
  Application.SetExitCode(0);
  LanguageTable.Clear();
  // Named after the executable and loaded before the language file is read.
  std::optional<TSettingsStore> settings;
  bool loaded = false;
  try {
    settings.emplace();
    settings->Load();
    loaded = true;
    Dispatch(instance, arguments, *settings);
    exitCode = Application.ExitCode();
  } catch (...) {
    ReportCurrentException();
    exitCode = 1;
  }
  Application.Finalize();
  // Settings that could not be loaded are not written back over the stored ones.
  if (loaded) {
    try {
      settings->End();
    } catch (...) {
      ReportCurrentException();
      exitCode = 1;
    }
  }
  LanguageTable = TLanguageTable();
  return exitCode;
}

}  // namespace velmora
