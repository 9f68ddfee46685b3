#include <gtest/gtest.h>

#include <limits>

#include "common/FileNames.h"
#include "core/AsciiText.h"
#include "core/RecordImage.h"

namespace velmora {
namespace {

TEST(MessagePositionText, SignedDecimalIntegersAreRead) {
  EXPECT_EQ(ParseMessagePosition("0"), 0);
  EXPECT_EQ(ParseMessagePosition("1280"), 1280);
  EXPECT_EQ(ParseMessagePosition("-5"), -5);
  EXPECT_EQ(ParseMessagePosition("007"), 7);
  EXPECT_EQ(ParseMessagePosition("2147483647"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ParseMessagePosition("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(MessagePositionText, AnythingElseIsMissing) {
  for (const char* text : {"", " ", "-", "+5", " 5", "5 ", "5x", "1.5", "0x10", "$10", "2147483648",
                           "-2147483649", "99999999999999999999"}) {
    EXPECT_FALSE(ParseMessagePosition(text).has_value()) << '"' << text << '"';
  }
  EXPECT_FALSE(ParseMessagePosition(std::string("12\0" "3", 4)).has_value());
}

TEST(MessagePositionText, WrittenAsDecimalWithTheMinusFirst) {
  EXPECT_EQ(FormatMessagePosition(0), "0");
  EXPECT_EQ(FormatMessagePosition(1280), "1280");
  EXPECT_EQ(FormatMessagePosition(-37), "-37");
  EXPECT_EQ(FormatMessagePosition(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(ParseMessagePosition(FormatMessagePosition(-2147483647)), -2147483647);
}

TEST(FontNameList, DuplicatesRegardlessOfCaseGoAndTheFirstSpellingStays) {
  const std::vector<std::string> list = BuildFontNameList(
      {"Verdana", "arial", "Tahoma", "Arial", "ARIAL", "@MS Gothic", "courier new", "Tahoma"},
      CompareAsciiIgnoringCase);
  const std::vector<std::string> expected = {"@MS Gothic", "arial", "courier new", "Tahoma", "Verdana"};
  EXPECT_EQ(list, expected);
}

int CompareDescending(const std::string& a, const std::string& b) { return CompareAsciiIgnoringCase(b, a); }

TEST(FontNameList, SortsByTheInjectedComparison) {
  const std::vector<std::string> expected = {"Verdana", "tahoma", "Arial"};
  EXPECT_EQ(BuildFontNameList({"Arial", "tahoma", "Verdana", "TAHOMA"}, CompareDescending), expected);
  EXPECT_TRUE(BuildFontNameList({}, CompareAsciiIgnoringCase).empty());
}

TEST(CaselessComparison, FoldsAsciiLettersOnly) {
  EXPECT_EQ(CompareAsciiIgnoringCase("Tahoma", "tAHOMA"), 0);
  EXPECT_LT(CompareAsciiIgnoringCase("abc", "ABD"), 0);
  EXPECT_GT(CompareAsciiIgnoringCase("b", "A"), 0);
  EXPECT_LT(CompareAsciiIgnoringCase("Arial", "Arial Black"), 0);
  EXPECT_GT(CompareAsciiIgnoringCase("\xE9", "z"), 0);  // bytes above 127 compare unsigned
  EXPECT_NE(CompareAsciiIgnoringCase("\xE9", "\xC9"), 0);
}

TEST(ProgramNameRule, ExtensionIsFromTheLastDotOfTheFileName) {
  EXPECT_EQ(RemoveExtension(FileNamePart("C:\\Windows\\System32\\Velmora.scr")), "Velmora");
  EXPECT_EQ(RemoveExtension("my.saver.scr"), "my.saver");
  EXPECT_EQ(RemoveExtension("Velmora"), "Velmora");
  EXPECT_EQ(RemoveExtension("Velmora."), "Velmora");
  EXPECT_EQ(RemoveExtension(".scr"), "");
  EXPECT_EQ(RemoveExtension(FileNamePart("C:\\dir.d\\Velmora")), "Velmora");
}

TEST(ProgramNameRule, FileNamePartFollowsTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\a\\b\\LONGNA~1.SCR"), "LONGNA~1.SCR");
  EXPECT_EQ(FileNamePart("C:Velmora.scr"), "Velmora.scr");
  EXPECT_EQ(FileNamePart("/tmp/x/Velmora.exe"), "Velmora.exe");
  EXPECT_EQ(FileNamePart("Velmora.scr"), "Velmora.scr");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
}

}  // namespace
}  // namespace velmora
