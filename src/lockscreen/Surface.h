// A surface of the lock: a window that covers one monitor while the lock is held, the lock screen
// on the primary monitor and a cover on every other one. Whatever another program sends to take
// a surface away (hide, move, size, restyle, disable, reparent, close, destroy) is answered here,
// once for both kinds, and a surface destroyed from outside is made again, covering at once.
#pragma once
#include <windows.h>

#include "core/ColorValue.h"
#include "win/WindowState.h"

namespace velmora {

class TLockSurface {
 public:
  // What a surface asks of the lock that keeps it.
  class Keeper {
   public:
    virtual ~Keeper() = default;
    // The lock keeps its windows where it wants them: a position change of `window` is made to
    // keep it there (nothing changes while it keeps none).
    virtual void KeepInPlace(HWND window, WINDOWPOS& position) = 0;
    virtual bool Keeping() const = 0;
    // Something happened to the window (moved, hidden, deactivated, displays changed): the
    // lock looks at its windows again at once.
    virtual void LookNow() = 0;
    virtual void DisplaysChanged() = 0;
    // Somebody asked the window to close: the unlock sequence.
    virtual void CloseRequested() = 0;
  };

  // The lock screen is maximised and takes the activation; a cover is never activated, not even
  // by a click.
  enum class Kind { LockScreen, Cover };

  // Makes the window of class `className` over `bounds` (screen coordinates), hidden, owned by
  // the application window. Throws velmora::Error when the window cannot be made.
  TLockSurface(Keeper& keeper, Kind kind, const char* className, const RECT& bounds, ColorValue background);
  virtual ~TLockSurface();
  TLockSurface(const TLockSurface&) = delete;
  TLockSurface& operator=(const TLockSurface&) = delete;

  HWND Handle() const { return handle_; }
  // The window exists, is still this surface's and stands on the desktop: false once it was
  // destroyed from outside, or made the child of another program's window.
  bool Alive() const;
  const RECT& Bounds() const { return bounds_; }
  void SetBounds(const RECT& bounds) { bounds_ = bounds; }
  ColorValue Background() const { return background_; }
  void SetBackground(ColorValue color);
  // Another program changed the window's styles or owner, gave it a region or a parent; and
  // putting that back.
  bool StateDiffers() const;
  void RestoreState() const;
  // Makes the window again after it was destroyed or carried off from outside, with the same
  // class, styles and bounds, hidden; WindowMade runs for it. A window another program made
  // the child of its own is left to it untouched: taking it back would wait for that program.
  void Remake();
  // Paints the whole client area now, without waiting for the message queue.
  void PaintNow() const;

  // Fills `area` (client coordinates) with the background colour.
  void FillBackground(HDC dc, const RECT& area) const;

  // For the window procedure.
  void AttachHandle(HWND handle) { handle_ = handle; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A failing handler never ends or reports over the lock: the default handling answers.
  LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what);

 protected:
  // What the kind of surface handles itself beyond the hardened set: by default its background
  // is filled when it is erased and painted.
  virtual LRESULT OwnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The window has just been made (first or again).
  virtual void WindowMade() {}
  Keeper& SurfaceKeeper() const { return keeper_; }

 private:
  void Create();
  void Paint();

  Keeper& keeper_;
  const char* className_;
  RECT bounds_;
  ColorValue background_;
  const Kind kind_;
  win::WindowStyles styles_;
  HWND handle_ = nullptr;
};

// How a window the lock keeps answers what moves, hides or deactivates it: a position change is
// made to keep it in place, a hide is refused, and anything that may have displaced it makes the
// lock look at once. `ownChangesToo` keeps the window against the program's own changes as well
// (the surfaces); without it only another program's are undone (the prompt, which sizes, centres
// and hides itself). True when the message is answered, with `result`.
bool KeepWindow(TLockSurface::Keeper& keeper, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                bool ownChangesToo, LRESULT& result);

// A window of the lock screen's class belongs to a running copy of this very program. Another
// program's window of that class, or its hold of the start-up mutex, counts for nothing.
bool LockScreenRunning(const char* lockScreenClass);

}  // namespace velmora
