// The windows of this program's own class that panels and tab sheets are: they paint their
// background (and a panel its bevels and caption) themselves, through an off-screen bitmap when
// double-buffered, pass their children's notifications to the form and realign their children.
#pragma once
#include "ui/Component.h"

namespace velmora::kinds {

class TCustomPanel : public TComponent {
 public:
  using TComponent::TComponent;

  bool PaintsBackground() const override { return true; }
  // Draws the component into any device context.
  virtual void PaintContent(HDC dc, const RECT& area) const;

  // For the window procedure.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what);

 protected:
  // Registers the class the first time.
  static const char* WindowClass();
  // What WM_NCCREATE hands the window procedure.
  void* CreateParam() { return this; }

 private:
  void Paint();
};

}  // namespace velmora::kinds
