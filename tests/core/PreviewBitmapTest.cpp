// The committed preview picture and icon: what the generator makes, with the expected headers.
// Built where the generator is (the native build); the Windows tests check the picture inside
// the program's resources.
#ifdef VELMORA_COMMITTED_PICTURES
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/ClockImages.h"

namespace velmora {
namespace {

std::vector<std::uint8_t> ReadCommitted(const std::string& name) {
  std::ifstream file(std::string(VELMORA_COMMITTED_PICTURES) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
         static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

// Grey level of pixel (x, y), y counted from the top, in a bottom-up 8-bit .bmp of 87 by 88.
int PixelAt(const std::vector<std::uint8_t>& file, int x, int y) {
  return file.at(1078 + static_cast<std::size_t>(87 - y) * 88 + x);
}

TEST(PreviewBitmap, CommittedFileIsWhatTheGeneratorMakes) {
  const std::vector<std::uint8_t> committed = ReadCommitted("Clock.bmp");
  ASSERT_FALSE(committed.empty()) << "resources/Clock.bmp is missing";
  EXPECT_TRUE(committed == MakePreviewBitmap())
      << "regenerate with make_clock_images resources/Clock.bmp resources/Velmora.ico";
}

TEST(PreviewBitmap, HeaderIs87By88With256Greys) {
  const std::vector<std::uint8_t> file = ReadCommitted("Clock.bmp");
  // 14 + 40 + 1024 bytes of headers and palette, then 88 rows of 88 bytes (87 padded to 4).
  ASSERT_EQ(file.size(), 1078u + 88u * 88u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Read32(file, 2), file.size());
  EXPECT_EQ(Read32(file, 10), 1078u);
  EXPECT_EQ(Read32(file, 14), 40u);
  EXPECT_EQ(Read32(file, 18), 87u);
  EXPECT_EQ(Read32(file, 22), 88u);  // positive: bottom-up
  EXPECT_EQ(Read16(file, 26), 1);
  EXPECT_EQ(Read16(file, 28), 8);
  EXPECT_EQ(Read32(file, 30), 0u);   // uncompressed
  EXPECT_EQ(Read32(file, 34), 88u * 88u);
  EXPECT_EQ(Read32(file, 46), 256u);
  for (int entry = 0; entry < 256; ++entry) {
    const std::size_t at = 54 + 4 * static_cast<std::size_t>(entry);
    EXPECT_EQ(file[at], entry);
    EXPECT_EQ(file[at + 1], entry);
    EXPECT_EQ(file[at + 2], entry);
    EXPECT_EQ(file[at + 3], 0);
  }
}

TEST(PreviewBitmap, GreyClockOnBlack) {
  const std::vector<std::uint8_t> file = ReadCommitted("Clock.bmp");
  ASSERT_EQ(file.size(), 1078u + 88u * 88u);
  // Black corners and padding; the hub in the middle; the ring on the axes.
  EXPECT_EQ(PixelAt(file, 0, 0), 0);
  EXPECT_EQ(PixelAt(file, 86, 87), 0);
  EXPECT_EQ(PixelAt(file, 87, 10), 0);
  EXPECT_EQ(PixelAt(file, 43, 44), 240);
  EXPECT_GT(PixelAt(file, 43, 2), 100);   // ring at twelve o'clock
  EXPECT_GT(PixelAt(file, 84, 44), 100);  // ring at three o'clock
  EXPECT_EQ(PixelAt(file, 43, 20), 0);    // inside the face between the ring and the hub
  // The hour hand points up and to the left, the minute hand up and to the right.
  EXPECT_GT(PixelAt(file, 35, 39), 100);
  EXPECT_GT(PixelAt(file, 55, 37), 100);
  EXPECT_EQ(PixelAt(file, 30, 56), 0);
}

TEST(ApplicationIcon, CommittedFileIsWhatTheGeneratorMakes) {
  const std::vector<std::uint8_t> committed = ReadCommitted("Velmora.ico");
  ASSERT_FALSE(committed.empty()) << "resources/Velmora.ico is missing";
  EXPECT_TRUE(committed == MakeApplicationIcon());
  // Three 32-bit images of 16, 32 and 48 pixels.
  ASSERT_GE(committed.size(), 6u + 3 * 16u);
  EXPECT_EQ(Read16(committed, 2), 1);
  EXPECT_EQ(Read16(committed, 4), 3);
  const int sizes[] = {16, 32, 48};
  for (int index = 0; index < 3; ++index) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(index);
    EXPECT_EQ(committed[entry], sizes[index]);
    EXPECT_EQ(Read16(committed, entry + 6), 32);
    const std::size_t size = sizes[index];
    // Header, BGRA pixels, AND mask with 4-byte rows.
    EXPECT_EQ(Read32(committed, entry + 8), 40 + size * size * 4 + (size + 31) / 32 * 4 * size);
    const std::uint32_t offset = Read32(committed, entry + 12);
    EXPECT_EQ(Read32(committed, offset + 8), 2 * size);
  }
}

}  // namespace
}  // namespace velmora
#endif
