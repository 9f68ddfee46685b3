// The geometry of the preview: a picture centred in the host window that shrinks and grows by
// one pixel on every side per frame.
#pragma once
#include <cstdint>

namespace velmora {

struct TPulseRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  bool operator==(const TPulseRect& other) const {
    return Left == other.Left && Top == other.Top && Right == other.Right && Bottom == other.Bottom;
  }
};

// The base rectangle B (the picture centred in a W by H window, offsets truncated toward zero)
// and the drawing rectangle D, which starts at B with the step at -1.
class TPreviewPulse {
 public:
  // Below this width the picture turns from shrinking to growing.
  static constexpr std::int32_t kSmallestWidth = 24;

  TPreviewPulse(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t pictureWidth,
                std::int32_t pictureHeight);

  const TPulseRect& Base() const { return base_; }
  const TPulseRect& Current() const { return current_; }
  std::int32_t Step() const { return step_; }

  // Moves D on by one frame and returns it: the step flips when D is narrower than 24 pixels or
  // reaches left of B, then every side of D moves outward by the step.
  const TPulseRect& NextFrame();

 private:
  TPulseRect base_;
  TPulseRect current_;
  std::int32_t step_ = -1;
};

}  // namespace velmora
