#include "core/DisplayLine.h"

#include "core/Settings.h"

#include <gtest/gtest.h>

#include <climits>

namespace velmora {
namespace {

TEST(BuildDisplayLine, LineBreaksBecomeEightSpaces) {
  EXPECT_EQ(BuildDisplayLine("a\r\nb"), "a        b");
  EXPECT_EQ(BuildDisplayLine("a\r\n\r\nb"), "a" + std::string(16, ' ') + "b");
  // Only the pair counts: a CR before it, lone LFs and LF CR stay.
  EXPECT_EQ(BuildDisplayLine("a\r\r\nb"), "a\r        b");
  EXPECT_EQ(BuildDisplayLine("a\nb\n\rc"), "a\nb\n\rc");
}

TEST(BuildDisplayLine, TrimsBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(BuildDisplayLine("\r\n  hi there \t\r\n"), "hi there");
  EXPECT_EQ(BuildDisplayLine(std::string("\x01\x1F x \x7F\x20", 7)), "x \x7F");
  EXPECT_EQ(BuildDisplayLine(std::string("\0a\0", 3)), "a");
  EXPECT_EQ(BuildDisplayLine("!"), "!");  // code 33 stays
}

TEST(BuildDisplayLine, CharactersAbove127AreText) {
  EXPECT_EQ(BuildDisplayLine("\xE9t\xE9"), "\xE9t\xE9");
  EXPECT_EQ(BuildDisplayLine("\xA0x\xFF"), "\xA0x\xFF");
}

TEST(BuildDisplayLine, NothingButBlanksGivesAnEmptyLine) {
  EXPECT_EQ(BuildDisplayLine(""), "");
  EXPECT_EQ(BuildDisplayLine("  \r\n \r\n\t "), "");
}

TEST(BuildDisplayLine, DefaultMessage) {
  const std::string line = BuildDisplayLine(DefaultMessage());
  ASSERT_EQ(line.size(), 367u);
  EXPECT_EQ(line.substr(338, 10), "\"        ~");
  EXPECT_EQ(line.back(), '~');
}

TEST(AdvanceMessagePosition, MovesOnePixelLeft) {
  EXPECT_EQ(AdvanceMessagePosition(1280, 100, 1280), 1279);
  EXPECT_EQ(AdvanceMessagePosition(0, 100, 1280), -1);
  EXPECT_EQ(AdvanceMessagePosition(5000, 100, 1280), 4999);
}

TEST(AdvanceMessagePosition, ReentersOnlyAfterTheLastColumnHasLeft) {
  EXPECT_EQ(AdvanceMessagePosition(-99, 100, 1280), -100);  // -100 is not below -100
  EXPECT_EQ(AdvanceMessagePosition(-100, 100, 1280), 1280);
  EXPECT_EQ(AdvanceMessagePosition(-150, 100, 1024), 1024);
}

TEST(AdvanceMessagePosition, EmptyLineReentersOnceBelowZero) {
  EXPECT_EQ(AdvanceMessagePosition(1, 0, 1280), 0);
  EXPECT_EQ(AdvanceMessagePosition(0, 0, 1280), 1280);
}

TEST(AdvanceMessagePosition, BottomOfTheRangeDoesNotOverflow) {
  EXPECT_EQ(AdvanceMessagePosition(INT_MIN, 0, 1280), 1280);
  EXPECT_EQ(AdvanceMessagePosition(INT_MIN, INT_MAX, 1280), 1280);
  EXPECT_EQ(AdvanceMessagePosition(INT_MIN + 1, INT_MAX, 800), 800);
  EXPECT_EQ(AdvanceMessagePosition(INT_MIN + 5, INT_MAX, 800), INT_MIN + 4);
}

TEST(MessageFontFace, FallsBackToTheFirstFace) {
  const std::vector<std::string> names{"Arial", "Courier New", "Tahoma"};
  EXPECT_EQ(MessageFontFace(names, 0), "Arial");
  EXPECT_EQ(MessageFontFace(names, 2), "Tahoma");
  EXPECT_EQ(MessageFontFace(names, 3), "Arial");
  EXPECT_EQ(MessageFontFace(names, -1), "Arial");
  EXPECT_EQ(MessageFontFace(names, INT_MIN), "Arial");
  EXPECT_EQ(MessageFontFace({}, 0), "");
}

}  // namespace
}  // namespace velmora
