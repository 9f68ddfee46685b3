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
#include "config/Config.h"
#include "core/CommandLine.h"
#include "core/Random.h"
#include "core/win/SettingsStore.h"
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

// The configuration dialog shows the lock screen from its Test button; the lock screen hides
// the dialog for its time when the dialog is the main window.
void ConnectConfigurationDialog() {
  frmConfig->ShowLockScreen = [] { LockScreen().Show(); };
  ConfigurationDialogWindow = frmConfig->Handle();
}

// The mode's windows in their order; the first made is the main window. The install wizard is
// not built yet: its place is kept below. In the configure and install modes the lock screen is
// made at its first show (LockScreen), so that no window of its class exists before then.
void CreateModeWindows(TRunMode mode) {
  switch (mode) {
    case TRunMode::Run:
      frmVOK = std::make_unique<TfrmVOK>();
      frmConfig = CreateSecondaryForm<TfrmConfig>();
      ConnectConfigurationDialog();
      frmAsk = CreateSecondaryForm<TfrmAsk>();
      break;
    case TRunMode::Configure:
      frmConfig = std::make_unique<TfrmConfig>();
      ConnectConfigurationDialog();
      frmAsk = CreateSecondaryForm<TfrmAsk>();
      break;
    case TRunMode::Install:
      // The install wizard, the main window, comes first here; then the lock screen.
      frmConfig = CreateSecondaryForm<TfrmConfig>();
      ConnectConfigurationDialog();
      frmAsk = CreateSecondaryForm<TfrmAsk>();
      break;
    default:
      break;
  }
}

// The windows go before the application window that owns them: the lock screen gives back the
// keys and the taskbar on the way, however the loop ended, and may show the dialog again while
// it goes, so the dialog goes last.
struct ModeWindows {
  ~ModeWindows() {
    frmAsk.reset();
    frmVOK.reset();
    ConfigurationDialogWindow = nullptr;
    frmConfig.reset();
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
