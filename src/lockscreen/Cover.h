// A cover: the window that fills a monitor other than the primary one with the background colour
// while the lock is held. The lock session makes one per such monitor; like the lock screen, it
// has no pointer, counts clicks and moves as activity, and keeps itself where the session puts
// it.
#pragma once
#include <windows.h>

#include "core/ColorValue.h"
#include "win/WindowState.h"

namespace velmora {

class TLockSession;

class TCoverWindow {
 public:
  // Not "TfrmVOK": copies of the program and the preview look for exactly one lock screen.
  static constexpr char kClassName[] = "TVelmoraCover";

  // Makes the window over `bounds` (screen coordinates), hidden; Show puts it up.
  TCoverWindow(TLockSession& session, const RECT& bounds, ColorValue color);
  ~TCoverWindow();
  TCoverWindow(const TCoverWindow&) = delete;
  TCoverWindow& operator=(const TCoverWindow&) = delete;

  HWND Handle() const { return handle_; }
  // The window exists and is still this cover's: false once it was destroyed from outside.
  bool Alive() const;
  // Another program changed its styles or owner, gave it a region or a parent; putting that back.
  bool StateDiffers() const;
  void RestoreWindowState() const;
  const RECT& Bounds() const { return bounds_; }
  // Fills `client` with the background colour.
  void PaintContent(HDC dc, const RECT& client) const;

  // For the window procedure.
  void AttachHandle(HWND handle) { handle_ = handle; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A failing handler leaves the default handling to answer; the cover stays.
  LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what);

 private:
  TLockSession& session_;
  RECT bounds_;
  ColorValue color_;
  win::WindowStyles styles_;
  HWND handle_ = nullptr;
};

}  // namespace velmora
