// Draws the lock screen's frames: the clock and the scrolling message, each frame composed whole
// off-screen and copied to its target in one block transfer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/Settings.h"
#include "win/Colors.h"
#include "win/Handles.h"

namespace velmora {

// The message font: face, size in points, weight and slant.
struct MessageFont {
  std::string face;
  int points = 12;
  bool bold = false;
  bool italic = false;
  bool operator==(const MessageFont& other) const {
    return face == other.face && points == other.points && bold == other.bold && italic == other.italic;
  }
  bool operator!=(const MessageFont& other) const { return !(*this == other); }
};

// The font the settings choose; an index outside FontNames takes the first face.
MessageFont MessageFontFromSettings(const TSavedSettings& settings, const std::vector<std::string>& fontNames);

// Everything one frame shows. Colours are colour values, resolved while the frame is drawn.
struct FrameInput {
  ColorValue lightColor = 0;
  ColorValue surfaceColor = 0;
  ColorValue backgroundColor = 0;
  std::int32_t clockSize = 400;
  bool drawClock = false;  // the clock is drawn only while the animation timer runs
  int hour = 0;            // local time of day, hour 0 to 23
  int minute = 0;
  int second = 0;
  std::string_view displayLine;  // must outlive the PaintContent call
  std::int32_t messagePosition = 0;
  MessageFont font;
  bool highlightMessage = false;  // LightColor instead of SurfaceColor for the text
};

// The parts of a frame the settings decide: colours, font, and the highlight of a message that
// is marked for keeping (Dirty), which only the run mode shows. The caller fills in the clock,
// the time, the line and its position.
FrameInput FrameInputFromSettings(const TSavedSettings& settings, const std::vector<std::string>& fontNames,
                                  bool runMode);

// Composes frames. Keeps the off-screen bitmap, pens, brush and font between frames and makes
// them anew when the size, a colour or the font changes; every frame in the off-screen bitmap
// is whole, but only the areas that changed since the last frame need copying to a target
// that shows that last frame (ChangedAreas, PaintAreas).
// Two parts are not drawn by GDI call, because GDI's wide pens cost milliseconds: the rings
// (for sizes up to kLargestRasterisedRing) are set directly in the off-screen bitmap as the
// runs RingRuns gives, and the 3-pixel hand outlines as 3x3 dots along each line.
// The off-screen bitmap is cleared only where the previous frame drew; the frame that reaches
// the target is the same as one drawn on a freshly filled bitmap.
class ClockRenderer {
 public:
  // Creates the 3x3 bead bitmap (black until SetBeadColors).
  ClockRenderer();
  ClockRenderer(const ClockRenderer&) = delete;
  ClockRenderer& operator=(const ClockRenderer&) = delete;

  // Sets the bead's nine pixels: light on the top-left, surface in the middle, shadow on the
  // right and bottom. System colours are resolved now and kept until the next call.
  void SetBeadColors(ColorValue light, ColorValue surface, ColorValue shadow);

  // Draws one whole frame of the client rectangle's size and copies it to `target` at the
  // rectangle's top-left corner. Throws Error when the off-screen bitmap cannot be made.
  void PaintContent(HDC target, const RECT& client, const FrameInput& input);

  // Makes the off-screen bitmap, the drawing tools and the font for a client rectangle and draws
  // the frame for `input` into it without copying it anywhere: done before a window's first
  // paint, it leaves that paint only the copying.
  void Prepare(const RECT& client, const FrameInput& input) { Render(client, input); }

  // The rectangles (in client coordinates, within the client rectangle) where the frame for
  // `input` differs from the last frame drawn: the union of the last and this frame's clock box,
  // and apart from it the union of the last and this frame's message band; either is left out
  // when both frames lack it. The whole client rectangle alone when the frame is drawn whole:
  // the first frame, a new size or colour, a failed frame, a clock too large to bound.
  std::vector<RECT> ChangedAreas(const RECT& client, const FrameInput& input);

  // Draws the frame for `input` like PaintContent but copies to `target` only `areas` (client
  // coordinates), one block transfer each, so that a target showing the last frame shows this
  // one when `areas` holds ChangedAreas' rectangles for it. `afterEach`, when given, is called
  // after each rectangle's transfer.
  void PaintAreas(HDC target, const RECT& client, const FrameInput& input, const std::vector<RECT>& areas,
                  const std::function<void()>& afterEach = {});

  // Width and height of `text` in `font` (0 x 0 for an empty text). Measures are kept, so
  // asking for the same text and font again costs a comparison.
  SIZE MeasureText(std::string_view text, const MessageFont& font);

 private:
  // Draws the frame into the off-screen bitmap; false when the client rectangle is empty.
  bool Render(const RECT& client, const FrameInput& input);
  bool NeedsWholeFrame(int width, int height, const FrameInput& input) const;
  // The areas this frame will draw on, in the bitmap; empty rectangles where it draws nothing.
  RECT ClockArea(int width, int height, const FrameInput& input) const;
  RECT MessageArea(int width, int height, const FrameInput& input);
  void EnsureFrameBitmap(int width, int height);
  void EnsureTools(COLORREF light, COLORREF surface, COLORREF background);
  HFONT EnsureFont(const MessageFont& font);
  void DrawBead(int x, int y);
  void DrawRings(const ClockFrame& frame);
  void DrawThickSegment(int x0, int y0, int x1, int y1, std::uint32_t value);
  void DrawClock(int width, int height, const FrameInput& input);
  void DrawMessage(int height, const FrameInput& input, COLORREF light, COLORREF surface);

  // Bitmaps are declared before the device contexts they are selected into, so that each DC is
  // deleted (releasing its bitmap) before the bitmap itself.
  win::Bitmap beadBitmap_;
  win::MemoryDC beadDC_;
  win::Bitmap frameBitmap_;
  win::MemoryDC frameDC_;
  std::uint32_t* frameBits_ = nullptr;  // top-down rows of 32-bit 0x00RRGGBB pixels
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  // The areas the last frame drew on (empty when it drew no clock, no message). While
  // frameIsClean_ holds, every pixel outside them is background, so the next frame clears only
  // them; otherwise it fills the whole bitmap.
  RECT drawnClock_{0, 0, 0, 0};
  RECT drawnMessage_{0, 0, 0, 0};
  bool frameIsClean_ = false;

  bool haveTools_ = false;
  COLORREF toolLight_ = 0;
  COLORREF toolSurface_ = 0;
  COLORREF toolBackground_ = 0;
  win::Pen outerRingPen_;    // 3 pixels, LightColor
  win::Pen innerRingPen_;    // 1 pixel, SurfaceColor
  win::Pen handLightPen_;    // 1 pixel, LightColor
  win::Brush backgroundBrush_;

  MessageFont fontSpec_;
  win::Font font_;

  std::string measuredText_;
  MessageFont measuredFont_;
  SIZE measuredSize_{0, 0};
  bool haveMeasure_ = false;
};

}  // namespace velmora
