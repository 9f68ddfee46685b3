#include "lockscreen/ClockRenderer.h"

#include "core/DisplayLine.h"
#include "core/Error.h"
#include "core/RingRaster.h"
#include "win/DibSection.h"
#include "win/Windows.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace velmora {
namespace {

// The pixel value of a colour in a 32-bit DIB: 0x00RRGGBB.
std::uint32_t PixelValue(COLORREF color) {
  return (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (static_cast<std::uint32_t>(GetGValue(color)) << 8) |
         GetBValue(color);
}

// Draws the outer ring (3-pixel light pen) and the inner ring (1-pixel surface pen), both filled
// with the background brush, for a clock whose corner (L, T) lies at (left, top).
void DrawRingEllipses(HDC dc, int left, int top, int clockSize, HPEN outerPen, HPEN innerPen, HBRUSH background) {
  const ClockFrame frame = MakeClockFrame(clockSize, clockSize, clockSize);
  const Box outer = OuterRingBox(frame);
  const Box inner = InnerRingBox(frame);
  win::SelectedObject brush(dc, background);
  {
    win::SelectedObject pen(dc, outerPen);
    Ellipse(dc, left + outer.left, top + outer.top, left + outer.right, top + outer.bottom);
  }
  win::SelectedObject pen(dc, innerPen);
  Ellipse(dc, left + inner.left, top + inner.top, left + inner.right, top + inner.bottom);
}

}  // namespace

MessageFont MessageFontFromSettings(const TSavedSettings& settings, const std::vector<std::string>& fontNames) {
  MessageFont font;
  font.face = MessageFontFace(fontNames, settings.FontIndex);
  font.points = settings.FontSize;
  font.bold = settings.FontBold != 0;
  font.italic = settings.FontItalic != 0;
  return font;
}

FrameInput FrameInputFromSettings(const TSavedSettings& settings, const std::vector<std::string>& fontNames,
                                  bool runMode) {
  FrameInput input;
  input.lightColor = settings.LightColor;
  input.surfaceColor = settings.SurfaceColor;
  input.backgroundColor = settings.BackgroundColor;
  input.font = MessageFontFromSettings(settings, fontNames);
  input.highlightMessage = settings.Dirty != 0 && runMode;
  return input;
}

ClockRenderer::ClockRenderer()
    : beadBitmap_(win::CreateDibSection32(kBeadSize, kBeadSize)),
      beadDC_(CreateCompatibleDC(nullptr)),
      frameDC_(CreateCompatibleDC(nullptr)) {
  if (!beadBitmap_ || !beadDC_ || !frameDC_) throw Error("The lock screen's drawing surfaces cannot be created.");
  SelectObject(beadDC_.get(), beadBitmap_.get());
}

void ClockRenderer::SetBeadColors(ColorValue light, ColorValue surface, ColorValue shadow) {
  const COLORREF l = ResolveColor(light);
  const COLORREF s = ResolveColor(surface);
  const COLORREF d = ResolveColor(shadow);
  const COLORREF pattern[kBeadSize][kBeadSize] = {{l, l, d}, {l, s, d}, {d, d, d}};
  for (int y = 0; y < kBeadSize; ++y) {
    for (int x = 0; x < kBeadSize; ++x) SetPixelV(beadDC_.get(), x, y, pattern[y][x]);
  }
}

void ClockRenderer::EnsureFrameBitmap(int width, int height) {
  if (frameBitmap_ && width == frameWidth_ && height == frameHeight_) return;
  std::uint32_t* bits = nullptr;
  win::Bitmap bitmap(win::CreateDibSection32(width, height, &bits));
  if (!bitmap) throw Error("The lock screen's off-screen bitmap cannot be created.");
  SelectObject(frameDC_.get(), bitmap.get());
  frameBitmap_ = std::move(bitmap);
  frameBits_ = bits;
  frameIsClean_ = false;
  frameWidth_ = width;
  frameHeight_ = height;
}

void ClockRenderer::EnsureTools(COLORREF light, COLORREF surface, COLORREF background) {
  if (haveTools_ && light == toolLight_ && surface == toolSurface_ && background == toolBackground_) return;
  outerRingPen_.reset(CreatePen(PS_SOLID, 3, light));
  innerRingPen_.reset(CreatePen(PS_SOLID, 1, surface));
  handLightPen_.reset(CreatePen(PS_SOLID, 1, light));
  backgroundBrush_.reset(CreateSolidBrush(background));
  toolLight_ = light;
  toolSurface_ = surface;
  toolBackground_ = background;
  haveTools_ = true;
  frameIsClean_ = false;
}

HFONT ClockRenderer::EnsureFont(const MessageFont& font) {
  if (font_ && font == fontSpec_) return font_.get();
  font_ = win::MakeFont(font.face, -MulDiv(font.points, GetDeviceCaps(frameDC_.get(), LOGPIXELSY), 72), font.bold,
                        font.italic);
  fontSpec_ = font;
  return font_.get();
}

SIZE ClockRenderer::MeasureText(std::string_view text, const MessageFont& font) {
  if (haveMeasure_ && text == measuredText_ && font == measuredFont_) return measuredSize_;
  SIZE size{0, 0};
  if (!text.empty()) {
    win::SelectedObject selected(frameDC_.get(), EnsureFont(font));
    GetTextExtentPoint32A(frameDC_.get(), text.data(), static_cast<int>(text.size()), &size);
  }
  measuredText_.assign(text);
  measuredFont_ = font;
  measuredSize_ = size;
  haveMeasure_ = true;
  return size;
}

void ClockRenderer::DrawBead(int x, int y) {
  BitBlt(frameDC_.get(), x, y, kBeadSize, kBeadSize, beadDC_.get(), 0, 0, SRCCOPY);
}

void ClockRenderer::DrawRings(const ClockFrame& frame) {
  const int left = (frame.width - frame.clockSize) / 2;
  const int top = (frame.height - frame.clockSize) / 2;
  if (frame.clockSize < 0 || frame.clockSize > kLargestRasterisedRing) {
    DrawRingEllipses(frameDC_.get(), left, top, frame.clockSize, outerRingPen_.get(), innerRingPen_.get(),
                     backgroundBrush_.get());
    return;
  }
  // The rings are drawn first, onto background, so only their other pixels need setting.
  const std::uint32_t light = PixelValue(toolLight_);
  const std::uint32_t surface = PixelValue(toolSurface_);
  GdiFlush();
  for (const RingRun& run : RingRuns(frame.clockSize)) {
    const int y = top + run.y;
    if (y < 0 || y >= frameHeight_) continue;
    const int from = std::max(left + run.left, 0);
    const int to = std::min(left + run.right, frameWidth_);
    if (from >= to) continue;
    std::uint32_t* row = frameBits_ + static_cast<std::size_t>(y) * frameWidth_;
    std::fill(row + from, row + to, run.ink == RingInk::kLight ? light : surface);
  }
}

void ClockRenderer::DrawThickSegment(int x0, int y0, int x1, int y1, std::uint32_t value) {
  // Bresenham's line with a 3x3 dot at every point, both ends included: a line 3 pixels wide
  // with rounded-off ends, as a 3-pixel solid pen draws it.
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  const int width = frameWidth_;
  const int height = frameHeight_;
  for (;;) {
    if (x0 >= 1 && y0 >= 1 && x0 < width - 1 && y0 < height - 1) {
      std::uint32_t* centre = frameBits_ + static_cast<std::size_t>(y0) * width + x0;
      for (std::uint32_t* row : {centre - width, centre, centre + width}) {
        row[-1] = value;
        row[0] = value;
        row[1] = value;
      }
    } else {
      for (int y = y0 - 1; y <= y0 + 1; ++y) {
        for (int x = x0 - 1; x <= x0 + 1; ++x) {
          if (x >= 0 && y >= 0 && x < width && y < height) frameBits_[static_cast<std::size_t>(y) * width + x] = value;
        }
      }
    }
    if (x0 == x1 && y0 == y1) break;
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x0 += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      y0 += stepY;
    }
  }
}

void ClockRenderer::DrawClock(int width, int height, const FrameInput& input) {
  const HDC dc = frameDC_.get();
  const ClockFrame frame = MakeClockFrame(width, height, input.clockSize);
  DrawRings(frame);

  const auto beads = BeadPositions(frame);
  for (int i = 0; i < kBeadCount - 1; ++i) DrawBead(beads[i].x, beads[i].y);

  const std::uint32_t surface = PixelValue(toolSurface_);
  win::SelectedObject pen(dc, handLightPen_.get());
  for (const Hand& hand : ClockHands(frame, input.hour, input.minute, input.second)) {
    for (const HandStroke& stroke : HandStrokes(frame, hand)) {
      const HandOutline& p = stroke.outline;
      if (stroke.light) {
        MoveToEx(dc, p[0].x, p[0].y, nullptr);
        LineTo(dc, p[1].x, p[1].y);
        LineTo(dc, p[2].x, p[2].y);
        LineTo(dc, p[3].x, p[3].y);
        LineTo(dc, p[0].x, p[0].y);
      } else {
        GdiFlush();
        for (int i = 0; i < 4; ++i) {
          const Point& from = p[i];
          const Point& to = p[(i + 1) % 4];
          DrawThickSegment(from.x, from.y, to.x, to.y, surface);
        }
      }
    }
  }

  DrawBead(beads[kBeadCount - 1].x, beads[kBeadCount - 1].y);
}

void ClockRenderer::DrawMessage(int height, const FrameInput& input, COLORREF light, COLORREF surface) {
  const HDC dc = frameDC_.get();
  const SIZE size = MeasureText(input.displayLine, input.font);
  win::SelectedObject font(dc, EnsureFont(input.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, input.highlightMessage ? light : surface);
  TextOutA(dc, input.messagePosition, height - size.cy - 8, input.displayLine.data(),
           static_cast<int>(input.displayLine.size()));
}

bool ClockRenderer::NeedsWholeFrame(int width, int height, const FrameInput& input) const {
  if (!frameIsClean_ || !frameBitmap_ || width != frameWidth_ || height != frameHeight_ || !haveTools_) return true;
  if (ResolveColor(input.lightColor) != toolLight_ || ResolveColor(input.surfaceColor) != toolSurface_ ||
      ResolveColor(input.backgroundColor) != toolBackground_) {
    return true;
  }
  return input.drawClock && (input.clockSize < 0 || input.clockSize > kLargestRasterisedRing);
}

RECT ClockRenderer::ClockArea(int width, int height, const FrameInput& input) const {
  if (!input.drawClock) return RECT{0, 0, 0, 0};
  const int cx = width / 2 + 1;
  const int cy = height / 2 + 1;
  // Rings, beads (radius up to size/2 + 20, plus the bead) and hands (tip at size/2 + 18, plus
  // the dot) all lie within size/2 + 24 of the centre; the box reaches 8 pixels beyond that as a
  // margin.
  const int reach = input.clockSize / 2 + 32;
  const RECT box{cx - reach, cy - reach, cx + reach + 1, cy + reach + 1};
  const RECT whole{0, 0, width, height};
  RECT area{0, 0, 0, 0};
  IntersectRect(&area, &box, &whole);
  return area;
}

RECT ClockRenderer::MessageArea(int width, int height, const FrameInput& input) {
  if (input.displayLine.empty()) return RECT{0, 0, 0, 0};
  // From a text height above the line to the bottom, and a text height beyond either end,
  // leaves room for glyphs that reach beyond their cell.
  const SIZE size = MeasureText(input.displayLine, input.font);
  const RECT band{input.messagePosition - size.cy, height - 2 * size.cy - 16,
                  input.messagePosition + size.cx + size.cy, height};
  const RECT whole{0, 0, width, height};
  RECT area{0, 0, 0, 0};
  IntersectRect(&area, &band, &whole);
  return area;
}

std::vector<RECT> ClockRenderer::ChangedAreas(const RECT& client, const FrameInput& input) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return {};
  if (NeedsWholeFrame(width, height, input)) return {RECT{client.left, client.top, client.right, client.bottom}};
  std::vector<RECT> areas;
  for (const auto& [last, next] : {std::pair{drawnClock_, ClockArea(width, height, input)},
                                   std::pair{drawnMessage_, MessageArea(width, height, input)}}) {
    RECT both{0, 0, 0, 0};
    UnionRect(&both, &last, &next);
    if (IsRectEmpty(&both)) continue;
    OffsetRect(&both, client.left, client.top);
    areas.push_back(both);
  }
  return areas;
}

bool ClockRenderer::Render(const RECT& client, const FrameInput& input) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return false;
  EnsureFrameBitmap(width, height);
  const COLORREF light = ResolveColor(input.lightColor);
  const COLORREF surface = ResolveColor(input.surfaceColor);
  EnsureTools(light, surface, ResolveColor(input.backgroundColor));

  if (frameIsClean_) {
    for (const RECT* area : {&drawnClock_, &drawnMessage_}) {
      if (!IsRectEmpty(area)) FillRect(frameDC_.get(), area, backgroundBrush_.get());
    }
  } else {
    const RECT whole{0, 0, width, height};
    FillRect(frameDC_.get(), &whole, backgroundBrush_.get());
  }
  GdiFlush();
  // Until this frame is complete, a failure leaves the bitmap to be filled whole next time.
  frameIsClean_ = false;
  drawnClock_ = ClockArea(width, height, input);
  drawnMessage_ = MessageArea(width, height, input);

  if (input.drawClock) DrawClock(width, height, input);
  if (!IsRectEmpty(&drawnMessage_)) DrawMessage(height, input, light, surface);
  frameIsClean_ = !input.drawClock || (input.clockSize >= 0 && input.clockSize <= kLargestRasterisedRing);
  return true;
}

void ClockRenderer::PaintContent(HDC target, const RECT& client, const FrameInput& input) {
  if (!Render(client, input)) return;
  BitBlt(target, client.left, client.top, frameWidth_, frameHeight_, frameDC_.get(), 0, 0, SRCCOPY);
}

void ClockRenderer::PaintAreas(HDC target, const RECT& client, const FrameInput& input,
                               const std::vector<RECT>& areas, const std::function<void()>& afterEach) {
  if (!Render(client, input)) return;
  for (const RECT& area : areas) {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, frameDC_.get(),
           area.left - client.left, area.top - client.top, SRCCOPY);
    GdiFlush();
    if (afterEach) afterEach();
  }
}

}  // namespace velmora
