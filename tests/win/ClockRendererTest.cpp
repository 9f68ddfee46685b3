#include "lockscreen/ClockRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "PixelCanvas.h"
#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/RingRaster.h"
#include "win/Handles.h"

namespace velmora {
namespace {

constexpr COLORREF kLight = RGB(250, 240, 230);
constexpr COLORREF kSurface = RGB(40, 160, 80);
constexpr COLORREF kShadow = RGB(20, 30, 120);
constexpr COLORREF kBackground = RGB(5, 10, 15);

// 640x480: cx = 321, cy = 241; at size 400, R = 190, L = 120, T = 40.
constexpr int kWidth = 640;
constexpr int kHeight = 480;

using Target = testing::PixelCanvas;

FrameInput ClockAt(int hour, int minute, int second) {
  FrameInput input;
  input.lightColor = kLight;
  input.surfaceColor = kSurface;
  input.backgroundColor = kBackground;
  input.clockSize = 400;
  input.drawClock = true;
  input.hour = hour;
  input.minute = minute;
  input.second = second;
  input.font.face = "Tahoma";
  input.font.points = 20;
  return input;
}

class ClockRendererTest : public ::testing::Test {
 protected:
  void SetUp() override { renderer.SetBeadColors(kLight, kSurface, kShadow); }
  void Paint(const FrameInput& input) {
    const RECT client{0, 0, kWidth, kHeight};
    renderer.PaintContent(target.dc(), client, input);
  }
  void ExpectBeadAt(int x, int y) {
    const COLORREF expected[3][3] = {{kLight, kLight, kShadow}, {kLight, kSurface, kShadow}, {kShadow, kShadow, kShadow}};
    for (int dy = 0; dy < 3; ++dy) {
      for (int dx = 0; dx < 3; ++dx) {
        EXPECT_EQ(target.Pixel(x + dx, y + dy), expected[dy][dx]) << "bead at " << x << "," << y << " pixel " << dx << "," << dy;
      }
    }
  }
  ClockRenderer renderer;
  Target target{kWidth, kHeight};
};

TEST_F(ClockRendererTest, BeadsSitAtTheirPositionsWithTheThreeColourPattern) {
  Paint(ClockAt(7, 35, 40));  // hands in the lower left, away from the top and right beads
  ExpectBeadAt(321, 241 - 190);      // twelve o'clock minute bead
  ExpectBeadAt(321, 241 - 185);      // its hour bead
  ExpectBeadAt(321, 241 - 180);      // its quarter bead
  ExpectBeadAt(321 + 190, 241);      // three o'clock minute bead
  ExpectBeadAt(321 + 185, 241);
  ExpectBeadAt(321 + 180, 241);
  // Minute bead 0 at 54°: (321 - 112, 241 - 154).
  ExpectBeadAt(209, 87);
  // Between the beads: background.
  EXPECT_EQ(target.Pixel(321, 241 - 190 + 3), kBackground);
  EXPECT_EQ(target.Pixel(321 + 190 + 3, 241), kBackground);
  EXPECT_EQ(target.Pixel(321 - 1, 241 - 190), kBackground);
}

TEST_F(ClockRendererTest, CentreBeadIsDrawnOverTheHands) {
  Paint(ClockAt(0, 0, 0));
  ExpectBeadAt(321, 241);
}

TEST_F(ClockRendererTest, RingsInLightAndSurfaceWithBackgroundBetween) {
  Paint(ClockAt(7, 35, 40));
  // Outer box (124, 44)-(521, 441): its 3-pixel outline crosses x = 322 around y = 44.
  EXPECT_EQ(target.Pixel(322, 44), kLight);
  EXPECT_EQ(target.Pixel(322, 40), kBackground);
  // Inner box (127, 47)-(518, 438), 1-pixel outline.
  EXPECT_EQ(target.Pixel(322, 47), kSurface);
  EXPECT_EQ(target.Pixel(322, 49), kBackground);
  // Left and right sides.
  EXPECT_EQ(target.Pixel(124, 242), kLight);
  EXPECT_EQ(target.Pixel(127, 242), kSurface);
  EXPECT_EQ(target.Pixel(517, 242), kSurface);
  EXPECT_EQ(target.Pixel(520, 242), kLight);
  // Outside the ring: background.
  EXPECT_EQ(target.Pixel(100, 242), kBackground);
  EXPECT_EQ(target.Pixel(5, 5), kBackground);
}

bool IsHand(COLORREF c) { return c == kSurface || c == kLight; }

// Draws the two rings with GDI as the renderer's fallback does: the outer ellipse with the
// 3-pixel light pen, then the inner one with the 1-pixel surface pen, both filled with the
// background, for a clock whose corner (L, T) lies at (left, top).
void DrawRingsWithGdi(HDC dc, int left, int top, int size) {
  win::Brush background(CreateSolidBrush(kBackground));
  win::Pen outerPen(CreatePen(PS_SOLID, 3, kLight));
  win::Pen innerPen(CreatePen(PS_SOLID, 1, kSurface));
  win::SelectedObject brush(dc, background.get());
  {
    win::SelectedObject pen(dc, outerPen.get());
    Ellipse(dc, left + 4, top + 4, left + size + 1, top + size + 1);
  }
  win::SelectedObject inner(dc, innerPen.get());
  Ellipse(dc, left + 7, top + 7, left + size - 2, top + size - 2);
}

// Every clock size the rasteriser covers, both rings, their fill and the background around
// them, pixel for pixel against GDI's own ellipses on a background square.
TEST(RingRuns, EqualTheEllipsesGdiDrawsForEverySize) {
  constexpr int kMargin = 12;  // the boxes of sizes below 10 turn over and reach past (0, 0)
  const COLORREF inks[] = {kLight, kSurface};
  for (int size = 0; size <= kLargestRasterisedRing; ++size) {
    const int side = size + 2 * kMargin;
    testing::PixelCanvas reference(side, side);
    testing::PixelCanvas drawn(side, side);
    win::Brush background(CreateSolidBrush(kBackground));
    const RECT whole{0, 0, side, side};
    FillRect(reference.dc(), &whole, background.get());
    FillRect(drawn.dc(), &whole, background.get());
    DrawRingsWithGdi(reference.dc(), kMargin, kMargin, size);
    for (const RingRun& run : RingRuns(size)) {
      for (int x = run.left; x < run.right; ++x) {
        SetPixelV(drawn.dc(), kMargin + x, kMargin + run.y, inks[static_cast<int>(run.ink)]);
      }
    }
    const auto expected = reference.Snapshot();
    const auto actual = drawn.Snapshot();
    int differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (expected[i] == actual[i]) continue;
      if (differing++ == 0) {
        firstX = static_cast<int>(i % side) - kMargin;
        firstY = static_cast<int>(i / side) - kMargin;
      }
    }
    EXPECT_EQ(differing, 0) << "size " << size << ", first at " << firstX << "," << firstY;
  }
}

// In a whole frame, drawn (sizes up to kLargestRasterisedRing) or by GDI (larger ones), the
// rings equal two GDI ellipses drawn straight onto the frame, also where the frame cuts them
// off, in the band round the outer box's edge where no bead or hand lies.
TEST_F(ClockRendererTest, RingsInTheFrameMatchTheEllipsesGdiDraws) {
  for (int size : {400, 514, 600, 601, 130, 10, 9, 2, 0}) {
    Paint(ClockAt(7, 35, 40));
    FrameInput input = ClockAt(7, 35, 40);
    input.clockSize = size;
    Paint(input);

    Target reference(kWidth, kHeight);
    win::Brush background(CreateSolidBrush(kBackground));
    const RECT whole{0, 0, kWidth, kHeight};
    FillRect(reference.dc(), &whole, background.get());
    const int left = (kWidth - size) / 2;
    const int top = (kHeight - size) / 2;
    DrawRingsWithGdi(reference.dc(), left, top, size);
    const double centreX = left + (size + 5) / 2.0;
    const double centreY = top + (size + 5) / 2.0;
    const double inside = size / 2.0 - 6;
    int compared = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const double dx = x - centreX;
        const double dy = y - centreY;
        if (size > 20 && dx * dx + dy * dy < inside * inside) continue;
        if (size <= 20 && std::abs(dx) < 40 && std::abs(dy) < 40) continue;
        ++compared;
        ASSERT_EQ(target.Pixel(x, y), reference.Pixel(x, y)) << "size " << size << " at " << x << "," << y;
      }
    }
    EXPECT_GT(compared, kWidth * kHeight / 10);
  }
}

TEST_F(ClockRendererTest, HandsFollowTheTime) {
  Paint(ClockAt(12, 0, 30));
  // Hour and minute hands up, the second hand down: the hand covers the vertical through the centre up to the tip at
  // 241 - 182 = 59, and its 35- and 71-pixel tails below the centre.
  EXPECT_TRUE(IsHand(target.Pixel(321, 141)));
  EXPECT_TRUE(IsHand(target.Pixel(321, 62)));
  EXPECT_TRUE(IsHand(target.Pixel(321, 241 + 60)));
  // The hour hand is 20 wide: 10 pixels to the side, 40 above the centre, it is filled.
  EXPECT_EQ(target.Pixel(321 + 8, 241 - 40), kSurface);
  EXPECT_EQ(target.Pixel(421, 241), kBackground);
  // Their middle is filled with the surface colour; the light outline runs along the sides.
  EXPECT_EQ(target.Pixel(321, 121), kSurface);
  EXPECT_TRUE(IsHand(target.Pixel(321, 241 + 150)));
  EXPECT_EQ(target.Pixel(321, 241 - 150), kSurface);

  Paint(ClockAt(3, 0, 0));
  // The hour hand now points right; minute and second hands still up.
  EXPECT_TRUE(IsHand(target.Pixel(421, 241)));
  EXPECT_TRUE(IsHand(target.Pixel(321, 141)));
  EXPECT_EQ(target.Pixel(321 + 8, 241 - 40), kBackground);
  EXPECT_EQ(target.Pixel(221, 241), kBackground);
}

TEST_F(ClockRendererTest, NoClockWhenItIsNotRunning) {
  FrameInput input = ClockAt(12, 0, 0);
  input.drawClock = false;
  Paint(input);
  const auto pixels = target.Snapshot();
  const std::uint32_t background = (GetRValue(kBackground) << 16) | (GetGValue(kBackground) << 8) | GetBValue(kBackground);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    ASSERT_EQ(pixels[i] & 0xFFFFFF, background) << "pixel " << i % kWidth << "," << i / kWidth;
  }
}

// Checks that every pixel that is not background lies in the box, and how many of them are
// exactly `color`.
int CountInBox(const Target& target, RECT box, COLORREF color) {
  int count = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF pixel = target.Pixel(x, y);
      if (pixel == kBackground) continue;
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      EXPECT_TRUE(inside) << "text pixel outside at " << x << "," << y;
      if (!inside) return -1;
      if (pixel == color) ++count;
    }
  }
  return count;
}

TEST_F(ClockRendererTest, MessageSitsEightPixelsAboveTheBottomInSurfaceColour) {
  FrameInput input = ClockAt(12, 0, 0);
  input.drawClock = false;
  input.displayLine = "HIH";
  input.messagePosition = 37;
  const SIZE size = renderer.MeasureText(input.displayLine, input.font);
  ASSERT_GT(size.cx, 20);
  ASSERT_GT(size.cy, 15);
  Paint(input);
  const RECT box{37, kHeight - size.cy - 8, 37 + size.cx, kHeight - 8};
  EXPECT_GT(CountInBox(target, box, kSurface), 20);
  EXPECT_EQ(CountInBox(target, box, kLight), 0);
  // The H's stem runs from the top of the capitals to the baseline; the rows next to the box
  // stay empty.
  for (int x = 0; x < kWidth; ++x) {
    EXPECT_EQ(target.Pixel(x, kHeight - 8), kBackground);
    EXPECT_EQ(target.Pixel(x, kHeight - size.cy - 9), kBackground);
  }
}

TEST_F(ClockRendererTest, KeptMessageIsHighlightedInLightColour) {
  FrameInput input = ClockAt(12, 0, 0);
  input.drawClock = false;
  input.displayLine = "HIH";
  input.messagePosition = 37;
  input.highlightMessage = true;
  const SIZE size = renderer.MeasureText(input.displayLine, input.font);
  Paint(input);
  const RECT box{37, kHeight - size.cy - 8, 37 + size.cx, kHeight - 8};
  EXPECT_GT(CountInBox(target, box, kLight), 20);
  EXPECT_EQ(CountInBox(target, box, kSurface), 0);
}

TEST_F(ClockRendererTest, MessageScrollsOffTheLeftEdgeAndIsDrawnOverTheClock) {
  FrameInput input = ClockAt(12, 0, 0);
  input.displayLine = "HIH";
  const SIZE size = renderer.MeasureText(input.displayLine, input.font);
  input.messagePosition = -size.cx;
  input.drawClock = false;
  Paint(input);
  EXPECT_EQ(CountInBox(target, RECT{0, 0, 0, 0}, kSurface), 0);
  // A message through the middle of the clock lies on top of it.
  input.drawClock = true;
  input.messagePosition = 300;
  input.highlightMessage = true;
  Paint(input);
  int light = 0;
  for (int y = kHeight - size.cy - 8; y < kHeight - 8; ++y) {
    for (int x = 300; x < 300 + size.cx; ++x) light += target.Pixel(x, y) == kLight;
  }
  EXPECT_GT(light, 20);
}

TEST_F(ClockRendererTest, EmptyLineDrawsNothingAndMeasuresZero) {
  const SIZE size = renderer.MeasureText("", MessageFont{"Tahoma", 20, false, false});
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);
  FrameInput input = ClockAt(12, 0, 0);
  input.drawClock = false;
  Paint(input);
  EXPECT_EQ(CountInBox(target, RECT{0, 0, 0, 0}, kSurface), 0);
}

TEST_F(ClockRendererTest, MeasuresFollowTextAndFont) {
  const MessageFont small{"Tahoma", 10, false, false};
  const MessageFont large{"Tahoma", 30, false, false};
  const SIZE one = renderer.MeasureText("W", small);
  const SIZE two = renderer.MeasureText("WW", small);
  EXPECT_EQ(two.cx, 2 * one.cx);
  EXPECT_GT(renderer.MeasureText("WW", large).cy, two.cy);
  EXPECT_EQ(renderer.MeasureText("WW", small).cx, two.cx);
}

TEST_F(ClockRendererTest, SameInputGivesTheSameFrameAfterColoursAndSizesChanged) {
  const FrameInput first = ClockAt(10, 9, 8);
  Paint(first);
  const auto before = target.Snapshot();
  FrameInput other = ClockAt(4, 5, 6);
  other.lightColor = RGB(1, 2, 3);
  other.backgroundColor = RGB(200, 0, 0);
  other.clockSize = 120;
  other.displayLine = "Other";
  other.font.bold = true;
  Paint(other);
  const RECT smaller{0, 0, 300, 200};
  renderer.PaintContent(target.dc(), smaller, other);
  Paint(first);
  EXPECT_TRUE(before == target.Snapshot());
}

TEST_F(ClockRendererTest, SmallAndLargeSizesDraw) {
  for (int size : {2, 7, 19, 514}) {
    FrameInput input = ClockAt(12, 0, 0);
    input.clockSize = size;
    Paint(input);
    // The centre bead is always at (cx, cy).
    ExpectBeadAt(321, 241);
  }
}

TEST_F(ClockRendererTest, SystemColoursAreResolved) {
  const ColorValue light = 0xFF000000 | COLOR_WINDOW;
  const ColorValue surface = 0xFF000000 | COLOR_HIGHLIGHT;
  const ColorValue shadow = 0xFF000000 | COLOR_BTNSHADOW;
  EXPECT_EQ(ResolveColor(light), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ResolveColor(0x00123456), 0x00123456u);
  EXPECT_EQ(ResolveColor(255), RGB(255, 0, 0));

  renderer.SetBeadColors(light, surface, shadow);
  FrameInput input = ClockAt(7, 35, 40);
  input.lightColor = light;
  input.surfaceColor = surface;
  input.backgroundColor = 0xFF000000 | COLOR_DESKTOP;
  Paint(input);
  EXPECT_EQ(target.Pixel(321, 51), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(target.Pixel(322, 52), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(target.Pixel(323, 53), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(target.Pixel(322, 44), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(target.Pixel(5, 5), GetSysColor(COLOR_DESKTOP));
}

TEST_F(ClockRendererTest, FrameIsCopiedToTheClientRectanglesCorner) {
  FrameInput input = ClockAt(7, 35, 40);
  input.drawClock = false;
  const RECT client{10, 20, 110, 70};
  renderer.PaintContent(target.dc(), client, input);
  EXPECT_EQ(target.Pixel(10, 20), kBackground);
  EXPECT_EQ(target.Pixel(109, 69), kBackground);
  EXPECT_EQ(target.Pixel(9, 20), RGB(0, 0, 0));
  EXPECT_EQ(target.Pixel(110, 69), RGB(0, 0, 0));
  EXPECT_EQ(target.Pixel(109, 70), RGB(0, 0, 0));
}

TEST(MessageFontFromSettings, TakesTheSettingsAndFallsBackToTheFirstFace) {
  TSavedSettings settings;
  settings.FontIndex = 1;
  settings.FontSize = 18;
  settings.FontBold = 1;
  settings.FontItalic = 0;
  const std::vector<std::string> names{"Arial", "Tahoma"};
  EXPECT_EQ(MessageFontFromSettings(settings, names), (MessageFont{"Tahoma", 18, true, false}));
  settings.FontIndex = 2;
  settings.FontItalic = 1;
  EXPECT_EQ(MessageFontFromSettings(settings, names), (MessageFont{"Arial", 18, true, true}));
}

TEST(FrameInputFromSettings, ColoursFontAndTheHighlightOnlyForAKeptMessageInRunMode) {
  TSavedSettings settings;
  settings.LightColor = 0x00112233;
  settings.SurfaceColor = 0xFF000005;
  settings.BackgroundColor = 0x00445566;
  settings.FontIndex = -1;
  settings.FontSize = 9;
  settings.FontItalic = 1;
  const std::vector<std::string> names{"Arial", "Tahoma"};
  settings.Dirty = 1;
  FrameInput input = FrameInputFromSettings(settings, names, true);
  EXPECT_EQ(input.lightColor, 0x00112233u);
  EXPECT_EQ(input.surfaceColor, 0xFF000005u);
  EXPECT_EQ(input.backgroundColor, 0x00445566u);
  EXPECT_EQ(input.font, (MessageFont{"Arial", 9, false, true}));
  EXPECT_TRUE(input.highlightMessage);
  EXPECT_FALSE(FrameInputFromSettings(settings, names, false).highlightMessage);
  settings.Dirty = 0;
  EXPECT_FALSE(FrameInputFromSettings(settings, names, true).highlightMessage);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Only the areas a frame drew on are cleared for the next one: whatever came before, a frame
// must equal the same frame drawn by a fresh renderer.
TEST_F(ClockRendererTest, FrameAfterOtherFramesEqualsAFreshOne) {
  FrameInput big = ClockAt(10, 9, 8);
  big.clockSize = 514;
  big.displayLine = "Wide message in a large font";
  big.font.points = 40;
  big.font.italic = true;
  big.messagePosition = 5;
  Paint(big);
  FrameInput shifted = ClockAt(1, 2, 3);
  shifted.clockSize = 2;
  shifted.displayLine = "jjj";
  shifted.messagePosition = 600;
  Paint(shifted);

  FrameInput last = ClockAt(4, 44, 4);
  last.clockSize = 120;
  last.displayLine = "ok";
  last.messagePosition = 100;
  for (bool clock : {false, true}) {
    last.drawClock = clock;
    Paint(last);
    ClockRenderer fresh;
    fresh.SetBeadColors(kLight, kSurface, kShadow);
    Target freshTarget(kWidth, kHeight);
    const RECT client{0, 0, kWidth, kHeight};
    fresh.PaintContent(freshTarget.dc(), client, last);
    EXPECT_TRUE(freshTarget.Snapshot() == target.Snapshot()) << "clock " << clock;
  }
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// A target that keeps what it was shown, as a window's surface does, and receives only the
// changed areas: after every frame it must equal a fresh renderer's whole frame, while the
// clock pulses through its smallest size (2) and its largest (514), stops for two frames (as
// while the prompt is up), and the message wraps round and is then replaced by a shorter one
// in a smaller font.
TEST_F(ClockRendererTest, PartialFramesEqualAWholeRepaint) {
  const RECT client{0, 0, kWidth, kHeight};
  FrameInput input = ClockAt(9, 0, 0);
  input.displayLine = "Wrapping message";
  input.font.italic = true;
  std::int32_t size = 10;
  bool growing = false;
  std::int32_t position = 12 - renderer.MeasureText(input.displayLine, input.font).cx;
  bool sawSmallest = false, sawLargest = false, wrapped = false;
  for (int frame = 0; frame < 140; ++frame) {
    if (frame > 0) {
      AdvanceClockPulse(size, growing, 5);
      const int textWidth = renderer.MeasureText(input.displayLine, input.font).cx;
      const std::int32_t next = AdvanceMessagePosition(position, textWidth, kWidth);
      wrapped = wrapped || next > position;
      position = next;
    }
    sawSmallest = sawSmallest || size == 2;
    sawLargest = sawLargest || size == 514;
    input.clockSize = size;
    input.messagePosition = position;
    input.minute = frame % 60;
    input.second = (frame * 7) % 60;
    input.drawClock = frame != 60 && frame != 61;
    if (frame == 100) {
      input.displayLine = "Kept";
      input.font.points = 12;
    }
    const std::vector<RECT> areas = renderer.ChangedAreas(client, input);
    if (frame == 0) {
      ASSERT_EQ(areas.size(), 1u);
      EXPECT_TRUE(SameRect(areas[0], client));
    } else {
      // No clock in this frame or the last: the band alone.
      ASSERT_EQ(areas.size(), frame == 61 ? 1u : 2u) << "frame " << frame;
      for (const RECT& area : areas) EXPECT_FALSE(SameRect(area, client)) << "frame " << frame;
      EXPECT_EQ(areas.back().bottom, kHeight) << "frame " << frame;
    }
    renderer.PaintAreas(target.dc(), client, input, areas);
    ClockRenderer fresh;
    fresh.SetBeadColors(kLight, kSurface, kShadow);
    Target whole(kWidth, kHeight);
    fresh.PaintContent(whole.dc(), client, input);
    ASSERT_TRUE(whole.Snapshot() == target.Snapshot()) << "frame " << frame << " size " << size << " position " << position;
  }
  EXPECT_TRUE(sawSmallest);
  EXPECT_TRUE(sawLargest);
  EXPECT_TRUE(wrapped);
}

// Whatever makes the next frame differ everywhere, or beyond the boxes that can be bounded,
// asks for the whole client rectangle; the clock box and the message band otherwise.
TEST_F(ClockRendererTest, ChangedAreasAreWholeWhenTheFrameIsDrawnWhole) {
  const RECT client{0, 0, kWidth, kHeight};
  FrameInput base = ClockAt(3, 4, 5);
  base.displayLine = "ok";
  base.messagePosition = 100;
  const SIZE text = renderer.MeasureText(base.displayLine, base.font);
  struct Case {
    const char* what;
    void (*change)(FrameInput&);
    RECT client;
    bool whole;
  };
  const Case cases[] = {
      {"same frame", [](FrameInput&) {}, client, false},
      {"background", [](FrameInput& i) { i.backgroundColor = RGB(1, 2, 3); }, client, true},
      {"light", [](FrameInput& i) { i.lightColor = RGB(1, 2, 3); }, client, true},
      {"surface", [](FrameInput& i) { i.surfaceColor = RGB(1, 2, 3); }, client, true},
      {"clock beyond the rasterised sizes", [](FrameInput& i) { i.clockSize = kLargestRasterisedRing + 2; }, client,
       true},
      {"clock stopped", [](FrameInput& i) { i.drawClock = false; }, client, false},
      {"new size", [](FrameInput&) {}, RECT{0, 0, kWidth, kHeight - 1}, true},
  };
  for (const Case& c : cases) {
    Paint(base);
    FrameInput next = base;
    c.change(next);
    const std::vector<RECT> areas = renderer.ChangedAreas(c.client, next);
    if (c.whole) {
      ASSERT_EQ(areas.size(), 1u) << c.what;
      EXPECT_TRUE(SameRect(areas[0], c.client)) << c.what;
      continue;
    }
    // At size 400 the box reaches 232 from the centre (321, 241), cut off at the top and bottom;
    // the band starts a text height before the line and ends one after it.
    ASSERT_EQ(areas.size(), 2u) << c.what;
    EXPECT_TRUE(SameRect(areas[0], RECT{89, 9, 554, 474})) << c.what;
    EXPECT_TRUE(SameRect(areas[1], RECT{100 - text.cy, kHeight - 2 * text.cy - 16, 100 + text.cx + text.cy, kHeight}))
        << c.what;
  }
}

}  // namespace
}  // namespace velmora
