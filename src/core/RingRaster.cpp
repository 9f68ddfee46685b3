#include "core/RingRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/ClockGeometry.h"

namespace velmora {
namespace {

// Distance from the centre, in doubled coordinates of the same parity as r, of the pixel
// nearest to sqrt(t), a tie going inwards: the smallest k with (k + 1)^2 >= t.
int NearestDistance(int r, long long t) {
  long long root = static_cast<long long>(std::sqrt(static_cast<double>(t)));
  while (root * root < t) ++root;
  while (root > 0 && (root - 1) * (root - 1) >= t) --root;  // root = ceil(sqrt(t))
  int k = static_cast<int>(std::max<long long>(root - 1, 0));
  if ((k - r) % 2 != 0) ++k;
  return k;
}

// The outline of a 1-pixel ellipse in a box w pixels wide (w >= 1), in box pixels, in order
// round the ellipse: along the top-right quarter, then the other three by mirroring.
std::vector<Point> EllipseOutline(int w) {
  if (w == 1) return {Point{0, 0}};
  const int r = w - 1;
  const long long r2 = static_cast<long long>(r) * r;
  // The top-right quarter in doubled coordinates (X right, Y up from the centre), from the top
  // to the right: the column points (X, k(X)) with X rising merged with the row points
  // (k(Y), Y) with Y falling, ordered by X rising and then Y falling.
  std::vector<Point> quarter;
  quarter.reserve(2 * w);
  std::vector<Point> rows;
  for (int y = r; y >= r % 2; y -= 2) rows.push_back(Point{NearestDistance(r, r2 - static_cast<long long>(y) * y), y});
  std::size_t next = 0;
  auto add = [&quarter](Point p) {
    if (quarter.empty() || quarter.back() != p) quarter.push_back(p);
  };
  for (int x = r % 2; x <= r; x += 2) {
    const Point column{x, NearestDistance(r, r2 - static_cast<long long>(x) * x)};
    while (next < rows.size() &&
           (rows[next].x < column.x || (rows[next].x == column.x && rows[next].y > column.y))) {
      add(rows[next++]);
    }
    add(column);
  }
  while (next < rows.size()) add(rows[next++]);

  std::vector<Point> outline;
  outline.reserve(4 * quarter.size());
  auto pixel = [r](int x, int y) { return Point{(x + r) / 2, (r - y) / 2}; };
  for (const Point& p : quarter) outline.push_back(pixel(p.x, p.y));
  for (auto p = quarter.rbegin(); p != quarter.rend(); ++p) outline.push_back(pixel(p->x, -p->y));
  for (const Point& p : quarter) outline.push_back(pixel(-p.x, -p.y));
  for (auto p = quarter.rbegin(); p != quarter.rend(); ++p) outline.push_back(pixel(-p->x, p->y));
  return outline;
}

// One row of a footprint: columns left to right inclusive, relative to the step's start.
struct FootRow {
  int dy;
  int left;
  int right;
};
struct Footprint {
  FootRow rows[4];
  int count;
};
// What the 3-pixel pen covers for a step from a point to its neighbour to the right, below,
// below right and above right (the reverse step covers the same pixels), and for a lone point.
constexpr Footprint kStepRight{{{-1, 0, 1}, {0, -1, 2}, {1, 0, 1}}, 3};
constexpr Footprint kStepDown{{{-1, 0, 0}, {0, -1, 1}, {1, -1, 1}, {2, 0, 0}}, 4};
constexpr Footprint kStepDownRight{{{-1, 0, 2}, {0, -1, 1}, {1, -1, 2}, {2, 1, 1}}, 4};
constexpr Footprint kStepUpRight{{{-2, 1, 1}, {-1, -1, 2}, {0, -1, 1}, {1, 0, 2}}, 4};
constexpr Footprint kLonePoint{{{-1, 0, 0}, {0, -1, 1}, {1, 0, 0}}, 3};

// Inclusive column span of one row, empty while left > right.
struct Span {
  int left = INT_MAX;
  int right = INT_MIN;
  void Add(int from, int to) {
    left = std::min(left, from);
    right = std::max(right, to);
  }
  bool Empty() const { return left > right; }
};

// Per row, the pixels of a shape as a left and a right span (each half of the ellipse covers
// one span of every row), with rows from `top`.
struct HalfSpans {
  int top = 0;
  std::vector<Span> left;
  std::vector<Span> right;
  HalfSpans(int firstRow, int rowCount) : top(firstRow), left(rowCount), right(rowCount) {}
  void Add(bool rightHalf, int y, int from, int to) {
    (rightHalf ? right : left)[y - top].Add(from, to);
  }
};

// A box normalised as GDI does: its left-top corner and width, for a square box.
struct SquareBox {
  int left;
  int top;
  int width;
};
SquareBox Normalise(const Box& box) {
  return {std::min(box.left, box.right), std::min(box.top, box.bottom), std::abs(box.right - box.left)};
}

// The 3-pixel pen's pixels of an ellipse in a box `width` wide, rows -2 to width + 1.
HalfSpans WidePenSpans(int width) {
  HalfSpans spans(-2, width + 4);
  if (width < 1) return spans;
  const std::vector<Point> outline = EllipseOutline(width);
  for (std::size_t i = 0; i < outline.size(); ++i) {
    Point from = outline[i];
    Point to = i + 1 < outline.size() ? outline[i + 1] : outline.front();
    if (to.x < from.x || (to.x == from.x && to.y < from.y)) std::swap(from, to);
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const Footprint& foot = dx == 0 ? (dy == 0 ? kLonePoint : kStepDown)
                            : dy == 0 ? kStepRight
                            : dy > 0  ? kStepDownRight
                                      : kStepUpRight;
    // Each half of the outline covers one span per row; a point on the middle column (odd
    // widths) belongs to both.
    const int doubled = 2 * from.x - (width - 1);
    for (int half = 0; half < 2; ++half) {
      const bool rightHalf = half == 1;
      if ((rightHalf && doubled < 0) || (!rightHalf && doubled > 0)) continue;
      for (int row = 0; row < foot.count; ++row) {
        const FootRow& f = foot.rows[row];
        spans.Add(rightHalf, from.y + f.dy, from.x + f.left, from.x + f.right);
      }
    }
  }
  return spans;
}

// The 1-pixel pen's pixels of an ellipse in a box `width` wide, rows 0 to width - 1.
HalfSpans ThinPenSpans(int width) {
  HalfSpans spans(0, std::max(width, 0));
  if (width < 2) return spans;
  for (const Point& p : EllipseOutline(width)) {
    const int doubled = 2 * p.x - (width - 1);
    if (doubled <= 0) spans.Add(false, p.y, p.x, p.x);
    if (doubled >= 0) spans.Add(true, p.y, p.x, p.x);
  }
  return spans;
}

void AddRun(std::vector<RingRun>& runs, int y, int left, int rightInclusive, RingInk ink) {
  if (left <= rightInclusive) runs.push_back(RingRun{y, left, rightInclusive + 1, ink});
}

}  // namespace

std::vector<RingRun> RingRuns(int clockSize) {
  std::vector<RingRun> runs;
  if (clockSize < 0 || clockSize > kLargestRasterisedRing) return runs;
  const ClockFrame frame = MakeClockFrame(clockSize, clockSize, clockSize);
  const SquareBox outer = Normalise(OuterRingBox(frame));
  const SquareBox inner = Normalise(InnerRingBox(frame));
  const HalfSpans wide = WidePenSpans(outer.width);
  const HalfSpans thin = ThinPenSpans(inner.width);

  const int firstRow = std::min(outer.top + wide.top, inner.top);
  const int endRow = std::max(outer.top + wide.top + static_cast<int>(wide.left.size()),
                              inner.top + static_cast<int>(thin.left.size()));
  runs.reserve(4 * static_cast<std::size_t>(endRow - firstRow));
  for (int y = firstRow; y < endRow; ++y) {
    // The inner ellipse's outline and fill: everything between its ends in this row.
    Span innerLeft;
    Span innerRight;
    const int innerRow = y - inner.top;
    if (innerRow >= 0 && innerRow < static_cast<int>(thin.left.size())) {
      innerLeft = thin.left[innerRow];
      innerRight = thin.right[innerRow];
      if (!innerLeft.Empty()) innerLeft = {innerLeft.left + inner.left, innerLeft.right + inner.left};
      if (!innerRight.Empty()) innerRight = {innerRight.left + inner.left, innerRight.right + inner.left};
    }
    const int coverLeft = innerLeft.Empty() ? INT_MAX : innerLeft.left;
    const int coverRight = innerRight.Empty() ? INT_MIN : innerRight.right;

    // The outer pen's spans, joined where they meet, less what the inner ellipse covers.
    const int wideRow = y - outer.top - wide.top;
    if (wideRow >= 0 && wideRow < static_cast<int>(wide.left.size())) {
      Span spans[2] = {wide.left[wideRow], wide.right[wideRow]};
      for (Span& span : spans) {
        if (!span.Empty()) span = {span.left + outer.left, span.right + outer.left};
      }
      if (!spans[0].Empty() && !spans[1].Empty() && spans[1].left <= spans[0].right + 1) {
        spans[0].Add(spans[1].left, spans[1].right);
        spans[1] = Span{};
      }
      std::sort(std::begin(spans), std::end(spans), [](const Span& a, const Span& b) { return a.left < b.left; });
      for (const Span& span : spans) {
        if (span.Empty()) continue;
        if (coverLeft > coverRight) {
          AddRun(runs, y, span.left, span.right, RingInk::kLight);
        } else {
          AddRun(runs, y, span.left, std::min(span.right, coverLeft - 1), RingInk::kLight);
          AddRun(runs, y, std::max(span.left, coverRight + 1), span.right, RingInk::kLight);
        }
      }
    }
    // The inner outline over it.
    if (!innerLeft.Empty() && !innerRight.Empty() && innerRight.left <= innerLeft.right + 1) {
      AddRun(runs, y, innerLeft.left, innerRight.right, RingInk::kSurface);
    } else {
      if (!innerLeft.Empty()) AddRun(runs, y, innerLeft.left, innerLeft.right, RingInk::kSurface);
      if (!innerRight.Empty()) AddRun(runs, y, innerRight.left, innerRight.right, RingInk::kSurface);
    }
  }
  return runs;
}

}  // namespace velmora
