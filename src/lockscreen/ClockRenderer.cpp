#include "lockscreen/ClockRenderer.h"

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/Error.h"

namespace velmora {
namespace {

constexpr ColorValue kSystemColorFlag = 0xFF000000;

// A 32-bit top-down DIB section; drawing into it runs in process, without a display driver.
HBITMAP CreateFrameBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

COLORREF ResolveColor(ColorValue value) {
  if ((value & 0xFF000000) == kSystemColorFlag) return GetSysColor(static_cast<int>(value & 0xFF));
  return value & 0x00FFFFFF;
}

MessageFont MessageFontFromSettings(const TSavedSettings& settings, const std::vector<std::string>& fontNames) {
  MessageFont font;
  font.face = MessageFontFace(fontNames, settings.FontIndex);
  font.points = settings.FontSize;
  font.bold = settings.FontBold != 0;
  font.italic = settings.FontItalic != 0;
  return font;
}

ClockRenderer::ClockRenderer()
    : beadBitmap_(CreateFrameBitmap(kBeadSize, kBeadSize)),
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
  win::Bitmap bitmap(CreateFrameBitmap(width, height));
  if (!bitmap) throw Error("The lock screen's off-screen bitmap cannot be created.");
  SelectObject(frameDC_.get(), bitmap.get());
  frameBitmap_ = std::move(bitmap);
  frameWidth_ = width;
  frameHeight_ = height;
}

void ClockRenderer::EnsureTools(COLORREF light, COLORREF surface, COLORREF background) {
  if (haveTools_ && light == toolLight_ && surface == toolSurface_ && background == toolBackground_) return;
  outerRingPen_.reset(CreatePen(PS_SOLID, 3, light));
  innerRingPen_.reset(CreatePen(PS_SOLID, 1, surface));
  handSurfacePen_.reset(CreatePen(PS_SOLID, 3, surface));
  handLightPen_.reset(CreatePen(PS_SOLID, 1, light));
  backgroundBrush_.reset(CreateSolidBrush(background));
  toolLight_ = light;
  toolSurface_ = surface;
  toolBackground_ = background;
  haveTools_ = true;
}

HFONT ClockRenderer::EnsureFont(const MessageFont& font) {
  if (font_ && font == fontSpec_) return font_.get();
  LOGFONTA description{};
  description.lfHeight = -MulDiv(font.points, GetDeviceCaps(frameDC_.get(), LOGPIXELSY), 72);
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(description.lfFaceName, font.face.c_str(), LF_FACESIZE);
  font_.reset(CreateFontIndirectA(&description));
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

void ClockRenderer::DrawClock(int width, int height, const FrameInput& input) {
  const HDC dc = frameDC_.get();
  const ClockFrame frame = MakeClockFrame(width, height, input.clockSize);
  {
    win::SelectedObject brush(dc, backgroundBrush_.get());
    const Box outer = OuterRingBox(frame);
    {
      win::SelectedObject pen(dc, outerRingPen_.get());
      Ellipse(dc, outer.left, outer.top, outer.right, outer.bottom);
    }
    const Box inner = InnerRingBox(frame);
    win::SelectedObject pen(dc, innerRingPen_.get());
    Ellipse(dc, inner.left, inner.top, inner.right, inner.bottom);
  }

  const auto beads = BeadPositions(frame);
  for (int i = 0; i < kBeadCount - 1; ++i) DrawBead(beads[i].x, beads[i].y);

  for (const Hand& hand : ClockHands(frame, input.hour, input.minute, input.second)) {
    for (const HandStroke& stroke : HandStrokes(frame, hand)) {
      win::SelectedObject pen(dc, stroke.light ? handLightPen_.get() : handSurfacePen_.get());
      const HandOutline& p = stroke.outline;
      MoveToEx(dc, p[0].x, p[0].y, nullptr);
      LineTo(dc, p[1].x, p[1].y);
      LineTo(dc, p[2].x, p[2].y);
      LineTo(dc, p[3].x, p[3].y);
      LineTo(dc, p[0].x, p[0].y);
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

void ClockRenderer::PaintContent(HDC target, const RECT& client, const FrameInput& input) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  EnsureFrameBitmap(width, height);
  const COLORREF light = ResolveColor(input.lightColor);
  const COLORREF surface = ResolveColor(input.surfaceColor);
  EnsureTools(light, surface, ResolveColor(input.backgroundColor));

  const RECT whole{0, 0, width, height};
  FillRect(frameDC_.get(), &whole, backgroundBrush_.get());
  if (input.drawClock) DrawClock(width, height, input);
  if (!input.displayLine.empty()) DrawMessage(height, input, light, surface);
  BitBlt(target, client.left, client.top, width, height, frameDC_.get(), 0, 0, SRCCOPY);
}

}  // namespace velmora
