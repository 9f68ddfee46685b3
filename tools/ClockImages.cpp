#include "tools/ClockImages.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr int kSamplesPerSide = 4;

// Directions of the twelve hours, clockwise from twelve o'clock, as exact multiples of 30
// degrees so that the pictures come out the same on every machine (no sin or cos).
struct Direction {
  double x;
  double y;
};
Direction HourDirection(int hour) {
  const double half = 0.5;
  const double root = std::sqrt(3.0) / 2;
  static const double sines[12] = {0, half, root, 1, root, half, 0, -half, -root, -1, -root, -half};
  const double sine = sines[hour % 12];
  const double cosine = sines[(hour + 3) % 12];
  return {sine, -cosine};
}

// Distance of (px, py) from the segment that starts at the centre (cx, cy) and runs along
// `direction` from `from` to `to`.
double DistanceFromSpoke(double px, double py, double cx, double cy, Direction direction,
                         double from, double to) {
  const double along = (px - cx) * direction.x + (py - cy) * direction.y;
  const double clamped = std::clamp(along, from, to);
  const double dx = px - (cx + direction.x * clamped);
  const double dy = py - (cy + direction.y * clamped);
  return std::sqrt(dx * dx + dy * dy);
}

// The clock face: grey level at a point, 0 outside every mark.
class ClockFace {
 public:
  ClockFace(int width, int height)
      : cx_(width / 2.0), cy_(height / 2.0), radius_(std::min(width, height) / 2.0 - 1.5) {}

  int Level(double px, double py) const {
    const double r = radius_;
    const double dx = px - cx_;
    const double dy = py - cy_;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance < 0.09 * r) return 240;
    // Hands at ten past ten: the hour hand towards 10, the minute hand towards 2.
    if (DistanceFromSpoke(px, py, cx_, cy_, HourDirection(10), 0, 0.48 * r) < 0.065 * r) return 224;
    if (DistanceFromSpoke(px, py, cx_, cy_, HourDirection(2), 0, 0.76 * r) < 0.045 * r) return 224;
    if (distance >= 0.90 * r && distance <= r) return 176;
    for (int hour = 0; hour < 12; ++hour) {
      const double halfWidth = (hour % 3 == 0 ? 0.055 : 0.035) * r;
      if (DistanceFromSpoke(px, py, cx_, cy_, HourDirection(hour), 0.68 * r, 0.82 * r) < halfWidth) {
        return 200;
      }
    }
    return 0;
  }

  bool InsideDisc(double px, double py) const {
    const double dx = px - cx_;
    const double dy = py - cy_;
    return dx * dx + dy * dy <= radius_ * radius_;
  }

 private:
  double cx_;
  double cy_;
  double radius_;
};

// Averages kSamplesPerSide squared samples inside pixel (x, y).
template <typename Sample>
int Supersample(int x, int y, Sample sample) {
  int total = 0;
  for (int j = 0; j < kSamplesPerSide; ++j) {
    for (int i = 0; i < kSamplesPerSide; ++i) {
      total += sample(x + (i + 0.5) / kSamplesPerSide, y + (j + 0.5) / kSamplesPerSide);
    }
  }
  const int count = kSamplesPerSide * kSamplesPerSide;
  return (total + count / 2) / count;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER, 40 bytes.
void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bitsPerPixel,
                   std::uint32_t imageSize, std::uint32_t colorsUsed, std::uint32_t pixelsPerMeter) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, pixelsPerMeter);
  Put32(out, pixelsPerMeter);
  Put32(out, colorsUsed);
  Put32(out, 0);
}

std::vector<std::uint8_t> IconImage(int size) {
  const ClockFace face(size, size);
  std::vector<std::uint8_t> image;
  PutInfoHeader(image, size, 2 * size, 32, 0, 0, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const int alpha =
          Supersample(x, y, [&](double px, double py) { return face.InsideDisc(px, py) ? 255 : 0; });
      // The marks on a dark grey disc, so that the icon shows on light and dark backgrounds.
      const int grey = Supersample(x, y, [&](double px, double py) {
        return face.InsideDisc(px, py) ? std::max(face.Level(px, py), 40) : 0;
      });
      // Straight, not premultiplied, alpha: the colour is the grey of the covered part alone.
      const int colour = alpha == 0 ? 0 : std::min(255, grey * 255 / alpha);
      for (int channel = 0; channel < 3; ++channel) image.push_back(static_cast<std::uint8_t>(colour));
      image.push_back(static_cast<std::uint8_t>(alpha));
    }
  }
  // The AND mask: one bit per pixel, rows padded to 4 bytes, all zero (the alpha decides).
  const int maskRow = ((size + 31) / 32) * 4;
  image.insert(image.end(), static_cast<std::size_t>(maskRow * size), 0);
  return image;
}

}  // namespace

std::vector<std::uint8_t> DrawClockFace(int width, int height) {
  const ClockFace face(width, height);
  std::vector<std::uint8_t> levels;
  levels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      levels.push_back(static_cast<std::uint8_t>(
          Supersample(x, y, [&](double px, double py) { return face.Level(px, py); })));
    }
  }
  return levels;
}

std::vector<std::uint8_t> MakePreviewBitmap() {
  const int width = kPreviewPictureWidth;
  const int height = kPreviewPictureHeight;
  const int stride = (width + 3) / 4 * 4;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
  const std::uint32_t pixelOffset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  Put32(file, pixelOffset + imageSize);
  Put32(file, 0);
  Put32(file, pixelOffset);
  PutInfoHeader(file, width, height, 8, imageSize, 256, 2835);
  for (int level = 0; level < 256; ++level) {
    for (int channel = 0; channel < 3; ++channel) file.push_back(static_cast<std::uint8_t>(level));
    file.push_back(0);
  }
  const std::vector<std::uint8_t> levels = DrawClockFace(width, height);
  for (int y = height - 1; y >= 0; --y) {
    file.insert(file.end(), levels.begin() + y * width, levels.begin() + (y + 1) * width);
    file.insert(file.end(), static_cast<std::size_t>(stride - width), 0);
  }
  return file;
}

std::vector<std::uint8_t> MakeApplicationIcon() {
  const int sizes[] = {16, 32, 48};
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : sizes) images.push_back(IconImage(size));
  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);  // icon
  Put16(file, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t index = 0; index < images.size(); ++index) {
    file.push_back(static_cast<std::uint8_t>(sizes[index]));
    file.push_back(static_cast<std::uint8_t>(sizes[index]));
    file.push_back(0);  // no palette
    file.push_back(0);
    Put16(file, 1);     // planes
    Put16(file, 32);    // bits per pixel
    Put32(file, static_cast<std::uint32_t>(images[index].size()));
    Put32(file, offset);
    offset += static_cast<std::uint32_t>(images[index].size());
  }
  for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
  return file;
}

}  // namespace velmora
