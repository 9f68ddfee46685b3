#include "app/Preview.h"

#include "core/AnimationPace.h"
#include "core/CommandLine.h"
#include "core/Error.h"
#include "lockscreen/Main.h"
#include "lockscreen/SystemServices.h"
#include "ui/Application.h"
#include "win/Handles.h"

namespace velmora {

HWND PreviewHostFromArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) {
    throw Error("The preview needs the preview window's handle as its second argument.");
  }
  const std::optional<std::int32_t> value = ParseWindowHandle(arguments[1]);
  if (!value) throw Error("\"" + arguments[1] + "\" is not a valid window handle.");
  // Handles carry 32 significant bits; on 64-bit Windows they are sign-extended.
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(*value));
}

TPreviewPainter::TPreviewPainter(HWND host, HINSTANCE resources)
    : host_(host), resources_(resources) {}

bool TPreviewPainter::WaitUntilHostVisible() {
  while (IsWindow(host_)) {
    if (IsWindowVisible(host_)) return true;
    Application.ProcessMessages();
    if (Application.Terminated()) return false;
    // The host's program tells this one nothing when it shows the window: it is looked at
    // again when a message comes, and every frame's time at the latest.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kFrameDelay, QS_ALLINPUT);
  }
  return false;
}

bool TPreviewPainter::KeepPulsing() const {
  return IsWindowVisible(host_) && !LockScreenRunning(kLockScreenClassName) && !Application.Terminated();
}

void TPreviewPainter::Run() {
  framesDrawn_ = 0;
  if (!WaitUntilHostVisible()) return;

  RECT bounds;
  if (!GetWindowRect(host_, &bounds)) return;
  OffsetRect(&bounds, -bounds.left, -bounds.top);

  win::Bitmap picture(static_cast<HBITMAP>(
      LoadImageA(resources_, kPreviewPictureName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!picture) throw Error("The preview picture \"150x120\" is missing from the program.");
  BITMAP pictureSize{};
  GetObjectA(picture.get(), sizeof pictureSize, &pictureSize);

  pulse_ = TPreviewPulse(bounds.right, bounds.bottom, pictureSize.bmWidth, pictureSize.bmHeight);
  win::WindowDC surface(host_);
  win::MemoryDC source(CreateCompatibleDC(surface.get()));
  if (!surface || !source) return;
  win::SelectedObject selected(source.get(), picture.get());
  SetStretchBltMode(surface.get(), HALFTONE);
  SetBrushOrgEx(surface.get(), 0, 0, nullptr);

  // One step every 18 ms, drawn at most once per refresh of the display: at 60 Hz every step.
  AnimationPace pace(kFrameDelay, FramePeriod(DisplayRefreshRate()));
  pace.Start(SteadyMilliseconds() - kFrameDelay);
  while (KeepPulsing()) {
    const TPulseRect* frame = nullptr;
    for (std::uint64_t steps = pace.StepsDue(SteadyMilliseconds()); steps > 0; --steps) frame = &pulse_.NextFrame();
    if (frame != nullptr) {
      StretchBlt(surface.get(), frame->Left, frame->Top, frame->Width(), frame->Height(), source.get(), 0, 0,
                 pictureSize.bmWidth, pictureSize.bmHeight, SRCCOPY);
      ++framesDrawn_;
    }
    Application.ProcessMessages();
    Sleep(pace.TimerPeriod());
  }
}

void RunPreview(const std::vector<std::string>& arguments, HINSTANCE instance) {
  TPreviewPainter painter(PreviewHostFromArguments(arguments), instance);
  painter.Run();
}

}  // namespace velmora
