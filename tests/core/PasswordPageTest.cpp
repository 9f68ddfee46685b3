// The password page's enable, colour and red-label rules, Apply's acceptance and password fill,
// the reading of a typed font size, and the colour list's lookups.
#include "core/PasswordPage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/ColorList.h"

namespace velmora {
namespace {

constexpr ColorValue kWindow = 0xFF000005;
constexpr ColorValue kScrollBar = 0xFF000000;

TEST(PasswordPage, EnableAndColourRules) {
  struct Row {
    const char* stored;
    const char* oldText;
    bool oldEnabled, newEnabled;
  };
  const Row rows[] = {
      // No password: the old box is disabled (and empty), the new ones open.
      {"", "", false, true},
      // A password: the new boxes open only on the exact old password.
      {"Secret", "", true, false},
      {"Secret", "Secre", true, false},
      {"Secret", "secret", true, false},
      {"Secret", "Secret ", true, false},
      {"Secret", "Secret", true, true},
      // A disabled old box keeps its text: with no password stored, text left in it closes the
      // new boxes.
      {"", "x", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.stored) + " / " + row.oldText);
    const PasswordPageState state = DecidePasswordPage(row.stored, row.oldText, "", "");
    EXPECT_EQ(state.oldEnabled, row.oldEnabled);
    EXPECT_EQ(state.newEnabled, row.newEnabled);
    EXPECT_EQ(state.confirmationEnabled, row.newEnabled);
    EXPECT_EQ(state.oldColor, row.oldEnabled ? kWindow : kScrollBar);
    EXPECT_EQ(state.newColor, row.newEnabled ? kWindow : kScrollBar);
    EXPECT_EQ(state.confirmationColor, row.newEnabled ? kWindow : kScrollBar);
    EXPECT_EQ(state.allowMessagesEnabled, row.stored[0] != '\0');
  }
}

TEST(PasswordPage, RedLabelRules) {
  struct Row {
    const char* newText;
    const char* confirmation;
    bool newRed, confirmationRed;
  };
  const Row rows[] = {
      {"", "", false, false},         {"abc", "abc", false, false}, {"", "a", true, false},
      {"a", "", false, true},         {"abc", "abd", true, true},   {"abc", "ABC", true, true},
      {"abc", "abc ", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.newText) + " / " + row.confirmation);
    // The labels depend on the two texts only, whatever the old password box holds.
    for (const char* stored : {"", "Secret"}) {
      const PasswordPageState state = DecidePasswordPage(stored, "wrong", row.newText, row.confirmation);
      EXPECT_EQ(state.newLabelRed, row.newRed);
      EXPECT_EQ(state.confirmationLabelRed, row.confirmationRed);
    }
  }
}

TEST(PasswordPage, ApplyTakesTheNewPasswordOnlyWithTheOldOneAndAMatchingConfirmation) {
  EXPECT_TRUE(NewPasswordAccepted("", "", "new", "new"));
  EXPECT_TRUE(NewPasswordAccepted("Secret", "Secret", "", ""));  // removes the password
  EXPECT_FALSE(NewPasswordAccepted("Secret", "secret", "new", "new"));
  EXPECT_FALSE(NewPasswordAccepted("Secret", "Secret", "new", "New"));
  EXPECT_FALSE(NewPasswordAccepted("", "", "new", ""));
}

// Every draw is recorded; the answer is range - 1, the largest a fair source may give.
struct HighestDraw {
  std::vector<int>* ranges;
  int operator()(int range) const {
    ranges->push_back(range);
    return range - 1;
  }
};

TEST(PasswordPage, FillDrawsOncePerPositionOneTo39AndNeverWrites255) {
  TSavedSettings settings;
  std::fill(std::begin(settings.PasswordBytes), std::end(settings.PasswordBytes), std::uint8_t{0xFF});
  std::vector<int> ranges;
  StoreNewPassword(settings, "ab", HighestDraw{&ranges});
  EXPECT_EQ(ranges, std::vector<int>(39, 255)) << "one draw of 0..254 for each of the positions 1 to 39";
  EXPECT_EQ(settings.Password(), "ab");
  EXPECT_EQ(settings.PasswordBytes[0], 2);
  for (int position = 3; position <= 39; ++position) {
    EXPECT_EQ(settings.PasswordBytes[position], 254) << position;
  }
  EXPECT_EQ(settings.PasswordBytes[40], 0xFF) << "position 40 is not part of the fill";
}

TEST(PasswordPage, NothingOfALongerEarlierPasswordSurvivesBehindTheNewOne) {
  TSavedSettings settings;
  settings.SetPassword(std::string(40, 'Q'));
  int draws = 0;
  StoreNewPassword(settings, "xyz", [&draws](int) { return draws++ % 7; });
  EXPECT_EQ(settings.Password(), "xyz");
  std::set<std::uint8_t> behind(settings.PasswordBytes + 4, settings.PasswordBytes + 40);
  EXPECT_EQ(behind.count('Q'), 0u);
  EXPECT_EQ(settings.PasswordBytes[40], 'Q') << "the one position the fill leaves";
}

TEST(PasswordPage, FortyCharactersAreStoredWholeAndLongerTextIsCut) {
  const std::string forty = "0123456789abcdefghijABCDEFGHIJ!\"#$%&'()*";
  ASSERT_EQ(forty.size(), 40u);
  TSavedSettings settings;
  StoreNewPassword(settings, forty, [](int) { return 0; });
  EXPECT_EQ(settings.PasswordBytes[0], 40);
  EXPECT_EQ(settings.Password(), forty);
  StoreNewPassword(settings, forty + "tail", [](int) { return 0; });
  EXPECT_EQ(settings.Password(), forty);
  // An empty password leaves only random bytes behind a length of 0.
  StoreNewPassword(settings, "", [](int) { return 9; });
  EXPECT_EQ(settings.PasswordBytes[0], 0);
  EXPECT_EQ(settings.PasswordBytes[1], 9);
}

TEST(FontSize, TypedTextIsReadAsTheUpDownPosition) {
  struct Row {
    const char* text;
    int expected;
  };
  // The position before the edit was 12; the range is 4..72.
  const Row rows[] = {
      {"10", 10}, {"4", 4},   {"72", 72},  {"3", 4},       {"73", 72},   {"0", 4},
      {"-5", 4},  {"007", 7}, {"", 12},    {"-", 12},      {"1a", 12},   {" 9", 12},
      {"9 ", 12}, {"+9", 12}, {"abc", 12}, {"99999999999999", 72},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FontSizeFromText(row.text, 12, 4, 72), row.expected) << '"' << row.text << '"';
  }
}

TEST(ColorList, HoldsTheStandardExtendedAndSystemColoursOnceEach) {
  std::set<ColorValue> values;
  std::set<std::string_view> keys;
  for (const NamedColor& color : kColorList) {
    EXPECT_TRUE(values.insert(color.value).second) << color.nameKey;
    EXPECT_TRUE(keys.insert(color.nameKey).second) << color.nameKey;
  }
  EXPECT_EQ(ColorListIndexOf(0x000000), 0);     // black first
  EXPECT_EQ(ColorListIndexOf(0xFFFFFF), 15);    // white closes the 16 standard colours
  EXPECT_EQ(ColorListIndexOf(0xC0DCC0), 16);    // money green
  EXPECT_EQ(ColorListIndexOf(0xF0CAA6), 17);    // sky blue
  EXPECT_EQ(ColorListIndexOf(0xF0FBFF), 18);    // cream
  EXPECT_EQ(ColorListIndexOf(0xA4A0A0), 19);    // medium grey
  EXPECT_EQ(ColorListIndexOf(0xFF000000), 20);  // the scroll-bar colour: also what "none" reports
  // The defaults of the settings are all in the list.
  for (ColorValue value : {0xFF000016u, 0xFF000001u, 0xFF000010u, 0x00000000u}) {
    EXPECT_GE(ColorListIndexOf(value), 0) << std::hex << value;
  }
  EXPECT_EQ(ColorListIndexOf(0xFF000019), -1) << "Windows has no system colour 25";
  EXPECT_EQ(ColorListIndexOf(0x00123456), -1);
  EXPECT_EQ(ColorListIndexOf(0xFF00001F), -1);
}

}  // namespace
}  // namespace velmora
