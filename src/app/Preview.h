// The preview: the pulsing clock picture drawn straight into the screen-saver host's preview
// window. The preview creates no window of its own.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/PreviewPulse.h"

namespace velmora {

// The program's bitmap resource that the preview pulses.
constexpr char kPreviewPictureName[] = "150x120";

// The host's preview window, from the second argument (a decimal number). Throws velmora::Error
// when the argument is missing or not a number.
HWND PreviewHostFromArguments(const std::vector<std::string>& arguments);

// Draws the picture into a host window, one frame every 18 ms, until the host is hidden or
// destroyed, a lock screen window exists, or WM_QUIT arrives.
class TPreviewPainter {
 public:
  static constexpr DWORD kFrameDelay = 18;

  // `resources` is the module holding the "150x120" bitmap.
  TPreviewPainter(HWND host, HINSTANCE resources);

  // Waits until the host is visible, handling messages as they come and looking at the host
  // every kFrameDelay ms; returns at once when the handle names no window or the window goes
  // away while waiting. Then pulses the picture to the end. Throws velmora::Error when the
  // picture cannot be loaded.
  void Run();

  int FramesDrawn() const { return framesDrawn_; }
  // The geometry of the last run; meaningful once a frame has been drawn.
  const TPreviewPulse& Pulse() const { return pulse_; }

 private:
  bool WaitUntilHostVisible();
  bool KeepPulsing() const;

  HWND host_;
  HINSTANCE resources_;
  TPreviewPulse pulse_{0, 0, 0, 0};
  int framesDrawn_ = 0;
};

// Preview mode: reads the host's handle from the arguments and runs the painter with the
// program's own resources.
void RunPreview(const std::vector<std::string>& arguments, HINSTANCE instance);

}  // namespace velmora
