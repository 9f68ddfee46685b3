#include "core/RecordImage.h"

#include <gtest/gtest.h>

#include "core/Crypt32.h"

namespace velmora {
namespace {

// A record with a different, recognisable value in every field and gap.
TSavedSettings DistinctRecord() {
  TSavedSettings s;
  s.Dirty = 0xA1;
  s.Gap1[0] = 0xB1; s.Gap1[1] = 0xB2; s.Gap1[2] = 0xB3;
  s.ConfigPage = -2;
  s.Reserved = 0x01020304;
  s.Speed = 0x11223344;
  s.AllowMessages = 0xC1;
  s.AutoRun = 0xC2;
  s.Gap18[0] = 0xD1; s.Gap18[1] = 0xD2;
  s.FontIndex = 0x0A0B0C0D;
  s.FontSize = 72;
  s.FontBold = 0x01;
  s.FontItalic = 0xE2;
  s.Gap30[0] = 0xE3; s.Gap30[1] = 0xE4;
  s.LightColor = 0xFF000016;
  s.SurfaceColor = 0x00ABCDEF;
  s.ShadowColor = 0x80402010;
  s.BackgroundColor = 0x7F6E5D4C;
  s.PasswordBytes[0] = 3;
  s.PasswordBytes[1] = 'a'; s.PasswordBytes[2] = 'b'; s.PasswordBytes[3] = 'c';
  s.PasswordBytes[4] = 0x99;   // after the characters: no meaning, but kept
  s.PasswordBytes[40] = 0x98;
  s.Gap89[0] = 0xF1; s.Gap89[1] = 0xF2; s.Gap89[2] = 0xF3;
  s.Message = "hello";
  return s;
}

RecordImage DistinctImage() {
  RecordImage image{};
  const std::uint8_t head[] = {
      0xA1, 0xB1, 0xB2, 0xB3,              // 0 Dirty, 1..3 gap
      0xFE, 0xFF, 0xFF, 0xFF,              // 4 ConfigPage -2
      0x04, 0x03, 0x02, 0x01,              // 8 Reserved
      0x44, 0x33, 0x22, 0x11,              // 12 Speed
      0xC1, 0xC2, 0xD1, 0xD2,              // 16 AllowMessages, 17 AutoRun, 18..19 gap
      0x0D, 0x0C, 0x0B, 0x0A,              // 20 FontIndex
      0x48, 0x00, 0x00, 0x00,              // 24 FontSize 72
      0x01, 0xE2, 0xE3, 0xE4,              // 28 FontBold, 29 FontItalic, 30..31 gap
      0x16, 0x00, 0x00, 0xFF,              // 32 LightColor
      0xEF, 0xCD, 0xAB, 0x00,              // 36 SurfaceColor
      0x10, 0x20, 0x40, 0x80,              // 40 ShadowColor
      0x4C, 0x5D, 0x6E, 0x7F,              // 44 BackgroundColor
      0x03, 'a', 'b', 'c', 0x99};          // 48 length, 49.. characters, then a leftover
  std::copy(std::begin(head), std::end(head), image.begin());
  image[88] = 0x98;
  image[89] = 0xF1; image[90] = 0xF2; image[91] = 0xF3;
  return image;
}

TEST(RecordImage, EncodesEveryFieldAndGapAtItsOffset) {
  const RecordImage image = EncodeRecordImage(DistinctRecord());
  const RecordImage expected = DistinctImage();
  for (std::size_t i = 0; i < kRecordImageSize; ++i) EXPECT_EQ(image[i], expected[i]) << "byte " << i;
}

TEST(RecordImage, MessageBytesAreAlwaysZero) {
  TSavedSettings settings;
  settings.Message = std::string(1000, 'm');
  const RecordImage image = EncodeRecordImage(settings);
  for (std::size_t i = 92; i < 96; ++i) EXPECT_EQ(image[i], 0) << i;
}

TEST(RecordImage, DecodesEveryFieldAndLeavesTheMessage) {
  TSavedSettings settings;
  settings.Message = "kept";
  DecodeRecordImage(DistinctImage(), settings);
  const TSavedSettings expected = DistinctRecord();
  EXPECT_EQ(EncodeRecordImage(settings), EncodeRecordImage(expected));
  EXPECT_EQ(settings.ConfigPage, -2);
  EXPECT_EQ(settings.ShadowColor, 0x80402010u);
  EXPECT_EQ(settings.Password(), "abc");
  EXPECT_EQ(settings.Message, "kept");
}

TEST(RecordImage, AnImageIsUsableUpToAPasswordLengthOf40) {
  for (const auto& [length, usable] : {std::pair{0, true}, {40, true}, {41, false}, {255, false}}) {
    RecordImage image = DistinctImage();
    image[48] = static_cast<std::uint8_t>(length);
    EXPECT_EQ(IsUsableRecordImage(image), usable) << length;
  }
  // Only the length byte decides: the bytes around it may hold anything.
  RecordImage image;
  image.fill(0xFF);
  image[48] = 40;
  EXPECT_TRUE(IsUsableRecordImage(image));
}

TEST(RecordImage, PasswordLengthAbove40IsTakenAs40) {
  for (std::uint8_t stored : {std::uint8_t{40}, std::uint8_t{41}, std::uint8_t{255}}) {
    RecordImage image{};
    image[48] = stored;
    for (std::size_t i = 49; i < 89; ++i) image[i] = 'p';
    TSavedSettings settings;
    DecodeRecordImage(image, settings);
    EXPECT_EQ(settings.PasswordBytes[0], 40) << int{stored};
    EXPECT_EQ(settings.Password(), std::string(40, 'p'));
    EXPECT_EQ(EncodeRecordImage(settings)[48], 40);
  }
}

TEST(PasswordScrambling, ScramblesOnlyTheCharactersInPlace) {
  TSavedSettings settings = DistinctRecord();
  settings.SetPassword("secret");
  settings.PasswordBytes[7] = 0x77;
  ScramblePassword(settings);
  EXPECT_EQ(settings.PasswordBytes[0], 6);
  EXPECT_EQ(settings.Password(), Encrypt("secret", kStoreStartKey, kStoreMultiplier, kStoreAddend));
  EXPECT_NE(settings.Password(), "secret");
  EXPECT_EQ(settings.PasswordBytes[7], 0x77);
  UnscramblePassword(settings);
  EXPECT_EQ(settings.Password(), "secret");
  EXPECT_EQ(settings.PasswordBytes[7], 0x77);
}

TEST(PasswordScrambling, FortyCharactersAndEmptySurvive) {
  TSavedSettings settings;
  const std::string longest = "0123456789abcdefghijABCDEFGHIJ!\"#$%&'()*";
  ASSERT_EQ(longest.size(), 40u);
  settings.SetPassword(longest);
  ScramblePassword(settings);
  RecordImage image = EncodeRecordImage(settings);
  EXPECT_EQ(image[48], 40);
  TSavedSettings loaded;
  DecodeRecordImage(image, loaded);
  UnscramblePassword(loaded);
  EXPECT_EQ(loaded.Password(), longest);

  settings.SetPassword("");
  ScramblePassword(settings);
  image = EncodeRecordImage(settings);
  EXPECT_EQ(image[48], 0);
  for (std::size_t i = 49; i < 89; ++i) EXPECT_EQ(image[i], 0) << i;
}

TEST(LoadedConfigPage, FourOpensOnTheFirstPageOthersStay) {
  for (std::int32_t page : {0, 1, 2, 3, 4, 5, -1, -2}) {
    TSavedSettings settings;
    settings.ConfigPage = page;
    AdjustLoadedConfigPage(settings);
    EXPECT_EQ(settings.ConfigPage, page == 4 ? 0 : page) << page;
  }
}

TEST(Defaults, EveryFieldButTheUntouchedOnes) {
  TSavedSettings settings = DistinctRecord();
  settings.SetPassword("longer password");
  settings.SetPassword("xy");
  settings.PasswordBytes[0] = 0;
  settings.PasswordBytes[1] = 'z';  // a plain leftover must not survive the defaults
  ApplyDefaults(settings, {"Arial", "Courier New", "tahoma", "Verdana"});
  EXPECT_EQ(settings.AllowMessages, 0);
  EXPECT_EQ(settings.AutoRun, 0);
  EXPECT_EQ(settings.Speed, 5);
  EXPECT_EQ(settings.ConfigPage, 0);
  EXPECT_EQ(settings.Reserved, 0);
  EXPECT_EQ(settings.LightColor, 0xFF000016u);
  EXPECT_EQ(settings.SurfaceColor, 0xFF000001u);
  EXPECT_EQ(settings.ShadowColor, 0xFF000010u);
  EXPECT_EQ(settings.BackgroundColor, 0u);
  EXPECT_EQ(settings.FontIndex, 2);
  EXPECT_EQ(settings.FontSize, 12);
  EXPECT_EQ(settings.Password(), "");
  for (int i = 0; i <= 40; ++i) EXPECT_EQ(settings.PasswordBytes[i], 0) << i;
  EXPECT_EQ(settings.Message, DefaultMessage());
  // Not part of the defaults.
  EXPECT_EQ(settings.Dirty, 0xA1);
  EXPECT_EQ(settings.FontBold, 0x01);
  EXPECT_EQ(settings.FontItalic, 0xE2);
  EXPECT_EQ(settings.Gap18[1], 0xD2);
}

TEST(Defaults, TheFirstFaceThatDrawsTheMessage) {
  const std::vector<std::string> symbols{"marlett", "Symbol"};
  const struct { std::vector<std::string> fontNames; FontTraits traits; std::int32_t fontIndex; } cases[] = {
      {{"Arial", "TAHOMA"}, {}, 1},
      {{"@Arial", "Marlett", "Segoe UI", "tahoma"}, {"Segoe UI", symbols}, 3},
      {{"Arial", "Tahoma Bold", "Verdana"}, {}, 0},
      {{"@Arial", "Arial", "Marlett", "MS Sans Serif"}, {"ms sans serif", symbols}, 3},
      {{"@Droid Sans Fallback", "Marlett", "Symbol", "Verdana"}, {"MS Shell Dlg", symbols}, 3},
      {{"@Droid Sans Fallback", "Marlett", "Symbol"}, {"MS Shell Dlg", symbols}, 0},
      {{}, {"Tahoma", symbols}, 0},
  };
  for (const auto& c : cases) {
    TSavedSettings settings;
    settings.FontIndex = 7;
    ApplyDefaults(settings, c.fontNames, c.traits);
    EXPECT_EQ(settings.FontIndex, c.fontIndex) << ::testing::PrintToString(c.fontNames);
  }
}

}  // namespace
}  // namespace velmora
