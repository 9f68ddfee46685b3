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
#include "core/ScopeExit.h"
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

// A copy holds this mutex from its look for a running copy until its lock screen window exists,
// so that of two copies started in the same instant the second sees the first one's window.
constexpr char kStartMutexName[] = "Local\\Velmora.TfrmVOK";
// Another program may hold the mutex for ever: after this long a copy starts without it, and
// only the windows of running copies of this program decide.
constexpr DWORD kStartMutexWait = 1500;

// Waits for the start-up mutex; empty when it could not be had in time.
win::KernelObject TakeStartMutex() {
  win::KernelObject mutex(CreateMutexA(nullptr, FALSE, kStartMutexName));
  if (!mutex) return mutex;
  const DWORD wait = WaitForSingleObject(mutex.get(), kStartMutexWait);
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return mutex;
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
  // A running copy of this program (its lock screen window, visible or hidden, in any mode):
  // this copy ends silently. Another program's window of that class counts for nothing.
  win::KernelObject startMutex = TakeStartMutex();
  const auto releaseStartMutex = [&startMutex] {
    if (startMutex) ReleaseMutex(startMutex.get());
    startMutex.reset();
  };
  const ScopeExit release(releaseStartMutex);
  if (LockScreenRunning(kLockScreenClassName)) return;

  Application.Initialize(instance);
  SeedRandomFromClock();
  InstallLinkCursor();

  // The windows go before the application window that owns them.
  std::unique_ptr<TModeWindows> windows = CreateModeWindows(mode, settings);
  // The lock screen's window exists now (the preview has none): the next copy finds it.
  releaseStartMutex();
  if (mode == TRunMode::Preview) RunPreview(arguments, instance);
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
