// The application: the hidden owner window of every window, the message loop with its message
// hook, and the deactivation notification.
#pragma once
#include <windows.h>

#include <functional>

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
  // Destroys the application window.
  void Finalize();
  HWND Handle() const { return handle_; }
  // The application window as the owner of a window being made: made again first when another
  // program destroyed it (by making it the child of a window it then destroyed).
  HWND Owner();
  HINSTANCE Instance() const { return instance_; }

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

  // Takes one message if there is one, offers it to the hook, then translates and dispatches
  // it. Returns false when the queue was empty. WM_QUIT ends the loop.
  bool HandleMessage();
  // Handles every message already queued.
  void ProcessMessages();
  // Shows the main window and handles messages until it has closed (or WM_QUIT arrives).
  // Returns at once when there is no main window.
  void Run();
  // The main window exists and is visible, or a lock is held (the lock screen shown from the
  // configuration dialog hides the dialog for its time, and a lock window destroyed from outside
  // is made again).
  bool MainWindowUp() const;
  // Run with `onDeactivate` attached as the deactivation notification for the time of the loop;
  // detached afterwards, also when the loop ends by an exception.
  void RunWithDeactivation(Notification onDeactivate);
  // Asks Run to return (posts WM_QUIT).
  void Terminate();
  bool Terminated() const { return terminated_; }

  // While a lock is held, a WM_QUIT that the program did not ask for (Terminate) is dropped,
  // and Run keeps going while the main window is hidden: another program can end neither.
  void SetLockHeld(bool held) { lockHeld_ = held; }
  bool LockHeld() const { return lockHeld_; }

  // The process exit code start-up returns once the message loop has ended: a window that
  // reported a failure itself (exceptions stay inside its handlers) sets 1 here and closes.
  void SetExitCode(int code) { exitCode_ = code; }
  int ExitCode() const { return exitCode_; }

 private:
  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  MessageHook hook_;
  DialogFilter dialogFilter_ = nullptr;
  Notification onDeactivate_;
  bool active_ = true;
  bool terminated_ = false;
  bool quitRequested_ = false;
  bool lockHeld_ = false;
  int exitCode_ = 0;
};

extern TApplication Application;

}  // namespace velmora
