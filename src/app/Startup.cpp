#include "app/Startup.h"

#include <chrono>
#include <exception>
#include <memory>

#include "app/Application.h"
#include "app/ErrorReport.h"
#include "app/LinkCursor.h"
#include "app/Preview.h"
#include "common/LanguageTable.h"
#include "common/win/LanguageFile.h"
#include "core/CommandLine.h"
#include "core/Random.h"
#include "core/win/SettingsStore.h"
#include "install/Uninstaller.h"
#include "lockscreen/Main.h"
#include "prompt/Ask.h"

namespace velmora {
namespace {

void SeedRandomFromClock() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  SeedRandom(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

// Makes a window that must not become the main window, whatever was made before it.
template <typename Form>
std::unique_ptr<Form> CreateSecondaryForm() {
  const HWND main = Application.MainWindow();
  auto form = std::make_unique<Form>();
  Application.SetMainWindow(main);
  return form;
}

// The mode's windows in their order; the first made is the main window. The configuration
// dialog and the install wizard are not built yet: their places are kept below. In the configure
// and install modes the lock screen is made at its first show (LockScreen).
void CreateModeWindows(TRunMode mode) {
  switch (mode) {
    case TRunMode::Run:
      frmVOK = std::make_unique<TfrmVOK>();
      // The configuration dialog follows here.
      frmAsk = CreateSecondaryForm<TfrmAsk>();
      break;
    case TRunMode::Configure:
      // The configuration dialog, the main window, comes first here; then the lock screen.
      frmAsk = CreateSecondaryForm<TfrmAsk>();
      break;
    case TRunMode::Install:
      // The install wizard, the main window, comes first here; then the lock screen and the
      // configuration dialog.
      frmAsk = CreateSecondaryForm<TfrmAsk>();
      break;
    default:
      break;
  }
}

// The windows go before the application window that owns them: the lock screen gives back the
// keys and the taskbar on the way, however the loop ended.
struct ModeWindows {
  ~ModeWindows() {
    frmAsk.reset();
    frmVOK.reset();
  }
};

// Everything between loading the settings and writing them back. Failures propagate to the
// top-level handler.
void Dispatch(HINSTANCE instance, const std::vector<std::string>& arguments) {
  // The language file is read before the command line, in every mode.
  LoadLanguageFile();
  const TRunMode mode = ChooseRunMode(arguments);
  if (mode == TRunMode::Uninstall) {
    // The uninstaller runs here; nothing of what follows happens for it.
    Uninstall();
    return;
  }
  // A running lock screen, visible or hidden, in any process: this copy ends silently.
  if (FindWindowA(kLockScreenClassName, nullptr) != nullptr) return;

  Application.Initialize(instance);
  SeedRandomFromClock();
  InstallLinkCursor();

  const ModeWindows windows;
  if (mode == TRunMode::Preview) {
    RunPreview(arguments, instance);
  } else {
    CreateModeWindows(mode);
  }
  Application.RunWithDeactivation(&TfrmVOK::AppDeactivate);
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
  LanguageTable.Clear();
  bool storeStarted = false;
  try {
    StartSettingsStore();
    storeStarted = true;
    Dispatch(instance, arguments);
  } catch (...) {
    ReportCurrentException();
    exitCode = 1;
  }
  Application.Finalize();
  // Settings that could not be loaded are not written back over the stored ones.
  if (storeStarted) {
    try {
      EndSettingsStore();
    } catch (...) {
      ReportCurrentException();
      exitCode = 1;
    }
  }
  LanguageTable = TLanguageTable();
  return exitCode;
}

}  // namespace velmora
