// The application: the hidden owner window of every window, the message loop with its message
// hook, the work it runs between messages, and the deactivation notification.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace velmora {

class TApplication {
 public:
  // Sees every queued message before it is dispatched; setting handled to true drops it.
  using MessageHook = std::function<void(MSG& message, bool& handled)>;
  using Notification = std::function<void()>;
  // Offered every message the hook left alone, before translation; returns true when it has
  // handled the message (the forms' dialog keys: Tab, Enter, Esc).
  using DialogFilter = bool (*)(MSG& message);

  // Creates the hidden application window (no taskbar button, no task-switcher entry, empty
  // title). Safe to call more than once.
  void Initialize(HINSTANCE instance);
  // Drops the deferred work left and destroys the application window.
  void Finalize();
  HWND Handle() const { return handle_; }
  // The application window as the owner of a window being made: made again first when another
  // program destroyed it (by making it the child of a window it then destroyed).
  HWND Owner();

  // The first form created in a mode; Run shows it and returns when it closes.
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND window) { mainWindow_ = window; }

  void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }
  void ClearMessageHook() { hook_ = nullptr; }
  bool HasMessageHook() const { return static_cast<bool>(hook_); }
  void SetDialogFilter(DialogFilter filter) { dialogFilter_ = filter; }

  void SetOnDeactivate(Notification handler) { onDeactivate_ = std::move(handler); }
  void ClearOnDeactivate() { onDeactivate_ = nullptr; }
  bool HasOnDeactivate() const { return static_cast<bool>(onDeactivate_); }
  // Forms report WM_ACTIVATEAPP here; the deactivation notification fires once per loss.
  void ActivateAppChanged(bool active);

  // While `holding` answers true, the program holds the screen: a WM_QUIT the program did not
  // ask for (Terminate) is dropped, Run goes on though the main window is hidden, and a failure
  // is recorded instead of being shown in a message box, which would stand under the holder's
  // windows. Empty: never.
  void SetHolding(std::function<bool()> holding) { holding_ = std::move(holding); }
  bool Holding() const { return holding_ && holding_(); }

  // Runs `work` once the message being handled now is done, in the outermost message loop, in
  // the order of the calls. Work deferred while none is handled runs at the next message.
  void Defer(Notification work);
  // Runs `watch` between any two messages once `interval` ms have passed since it last ran, and
  // from the wait when no message comes: even a flood of messages sent from other threads,
  // which the system hands over before anything else, cannot put it off. Empty: no watch.
  void SetWatch(Notification watch, unsigned interval);
  // Asks the watch to run at the next opportunity, however recently it ran.
  void WatchNow() { watchRequested_ = true; }

  // Takes one message if there is one, offers it to the hook, then translates and dispatches
  // it. Returns false when the queue was empty. WM_QUIT ends the loop.
  bool HandleMessage();
  // Handles every message already queued.
  void ProcessMessages();
  // Waits for the next message, or for the watch to be due.
  void WaitForMessage();
  // Shows the main window and handles messages until it has closed (or WM_QUIT arrives).
  // Returns at once when there is no main window.
  void Run();
  // The main window exists and is visible, or the program holds the screen (the lock screen
  // shown from the configuration dialog hides the dialog for its time).
  bool MainWindowUp() const;
  // Run with `onDeactivate` attached as the deactivation notification for the time of the loop;
  // detached afterwards, also when the loop ends by an exception.
  void RunWithDeactivation(Notification onDeactivate);
  // Asks Run to return (posts WM_QUIT).
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The posted message the loop is dispatching now, if `window` is its target and `message` its
  // number: the window procedure can tell it from a message this thread sent itself.
  bool DispatchingPosted(HWND window, UINT message) const;

  // The process exit code start-up returns once the message loop has ended: a window that
  // reported a failure itself (exceptions stay inside its handlers) sets 1 here and closes.
  void SetExitCode(int code) { exitCode_ = code; }
  int ExitCode() const { return exitCode_; }

 private:
  static LRESULT CALLBACK SentMessageSeen(int code, WPARAM wParam, LPARAM lParam);
  // The deferred work (unless `watchOnly`) and the watch, when due; only in the outermost loop.
  void RunDueWork(bool watchOnly);
  DWORD MillisecondsToWatch() const;

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  MessageHook hook_;
  DialogFilter dialogFilter_ = nullptr;
  Notification onDeactivate_;
  std::function<bool()> holding_;
  std::vector<Notification> deferred_;
  Notification watch_;
  unsigned watchInterval_ = 0;
  ULONGLONG lastWatch_ = 0;
  bool watchRequested_ = false;
  HHOOK sentHook_ = nullptr;
  // How deeply HandleMessage is nested, and whether the outermost one waits for the system.
  int depth_ = 0;
  bool waiting_ = false;
  bool runningDueWork_ = false;
  const MSG* dispatching_ = nullptr;
  bool active_ = true;
  bool terminated_ = false;
  bool quitRequested_ = false;
  int exitCode_ = 0;
};

extern TApplication Application;

}  // namespace velmora
