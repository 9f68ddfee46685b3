#include "core/PreviewPulse.h"

namespace velmora {

TPreviewPulse::TPreviewPulse(std::int32_t windowWidth, std::int32_t windowHeight,
                             std::int32_t pictureWidth, std::int32_t pictureHeight) {
  // Integer division truncates toward zero, so a window narrower than the picture by 3 pixels
  // gives an offset of -1, not -2.
  base_.Left = (windowWidth - pictureWidth) / 2;
  base_.Top = (windowHeight - pictureHeight) / 2;
  base_.Right = base_.Left + pictureWidth;
  base_.Bottom = base_.Top + pictureHeight;
  current_ = base_;
}

const TPulseRect& TPreviewPulse::NextFrame() {
  if (current_.Width() < kSmallestWidth || current_.Left < base_.Left) step_ = -step_;
  current_.Left -= step_;
  current_.Top -= step_;
  current_.Right += step_;
  current_.Bottom += step_;
  return current_;
}

}  // namespace velmora
