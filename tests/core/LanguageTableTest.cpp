#include "common/LanguageTable.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

TEST(LanguageTableLines, EveryLineEndCountsOnceAndNothingIsTrimmed) {
  TLanguageTable table;
  table.Assign(std::string("a=1\r\nb=2\nc=3\rd=4\r\n\r\n e = 5 "));
  ASSERT_EQ(table.Count(), 6u);
  EXPECT_EQ(table.Line(0), "a=1");
  EXPECT_EQ(table.Line(3), "d=4");
  EXPECT_EQ(table.Line(4), "");
  EXPECT_EQ(table.Line(5), " e = 5 ");
  EXPECT_EQ(table.Value(" e "), " 5 ");
}

TEST(LanguageTableLines, ZeroBytesAreDroppedAndTheLinesAfterThemRead) {
  const std::string file("a=1\r\nb=2\0c=3\r\n\0\r\0\nd=4\0\0", 22);
  TLanguageTable table;
  table.Assign(file);
  ASSERT_EQ(table.Count(), 4u);
  EXPECT_EQ(table.Line(1), "b=2c=3");
  // CR, zero byte, LF is one line end, as CR LF is.
  EXPECT_EQ(table.Line(2), "");
  EXPECT_EQ(table.Line(3), "d=4");
  table.Assign(std::string("x=1\r\n\0", 6));
  EXPECT_EQ(table.Count(), 1u);
}

TEST(LanguageTableLookup, FirstCaseInsensitiveMatchWinsAndNameEndsAtFirstEquals) {
  TLanguageTable table;
  table.Assign("no equals here\r\nbtnOK=first\r\nBTNOK=second\r\nx=a=b\r\n");
  EXPECT_EQ(table.Value("btnok"), "first");
  EXPECT_EQ(table.Value("x"), "a=b");
  EXPECT_EQ(table.Value("no equals here"), "");
  EXPECT_EQ(table.Find("missing"), TLanguageTable::npos);
}

TEST(LanguageTableLookup, SettingEmptyRemovesTheFirstMatchOnly) {
  TLanguageTable table;
  table.Assign("a=1\r\nA=2\r\n");
  table.SetValue("a", "");
  ASSERT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.Value("a"), "2");
  table.SetValue("a", "3");
  EXPECT_EQ(table.Line(0), "a=3");
}

TEST(LanguageTableTexts, CaretsAndTheBarSplit) {
  EXPECT_EQ(CaretsToLineBreaks("one^two^^"), "one\r\ntwo\r\n\r\n");
  EXPECT_EQ(ShortText("Caption|Long hint|more"), "Caption");
  EXPECT_EQ(LongText("Caption|Long hint|more"), "Long hint|more");
  EXPECT_EQ(ShortText("Both"), "Both");
  EXPECT_EQ(LongText("Both"), "Both");
  EXPECT_EQ(ShortText("|hint only"), "");
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

bool ExactNamesEqual(const std::string& a, const std::string& b) { return a == b; }

TEST(LanguageTableLookup, TheInstalledComparerDecidesWhichLineIsFoundAndSet) {
  TLanguageTable table;
  table.Assign("Name=upper\r\nname=lower\r\n");
  table.SetComparer(ExactNamesEqual, MacroNameKey);
  EXPECT_EQ(table.Value("name"), "lower");
  table.SetValue("name", "");
  ASSERT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.Line(0), "Name=upper");
  table.SetValue("added", "");
  EXPECT_EQ(table.Count(), 1u);
  table.SetValue("added", "1");
  ASSERT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.Line(1), "added=1");
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Equal when equal after dropping every "-": names that differ in their MacroNameKey.
bool NamesEqualIgnoringHyphens(const std::string& a, const std::string& b) {
  const auto strip = [](std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '-'), s.end());
    return s;
  };
  return AsciiEqualIgnoringCase(strip(a), strip(b));
}

TEST(MacroNameKey, FoldsAsciiCaseAndMergesIAndBytesAbove127) {
  EXPECT_EQ(MacroNameKey("btnOk"), "BTNOK");
  EXPECT_EQ(MacroNameKey("i-I\xDD\xFD%"), "\x80-\x80\x80\x80%");
  EXPECT_EQ(MacroNameKey("caf\xE9"), MacroNameKey("CAF\xC9"));
  EXPECT_NE(MacroNameKey("a1"), MacroNameKey("a2"));
}

TEST(LanguageTableIndex, FollowsRemovedAppendedAndRespeltLines) {
  TLanguageTable table;
  table.Assign("x=0\r\nA=1\r\nno name\r\na=2\r\np%q=3\r\nb=4\r\n");
  EXPECT_EQ(table.LinesNamedLike("a"), (std::vector<std::size_t>{1, 3}));
  EXPECT_EQ(table.LinesNamedLike("%"), (std::vector<std::size_t>{4}));
  EXPECT_EQ(table.LinesNamedLike("P%Q"), (std::vector<std::size_t>{4}));
  table.SetValue("x", "");  // the lines after it move up
  EXPECT_EQ(table.LinesNamedLike("a"), (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(table.Find("B"), 4u);
  table.SetValue("c", "5");
  EXPECT_EQ(table.Find("C"), 5u);
  table.SetValue("a", "");
  EXPECT_EQ(table.Value("a"), "2");
  EXPECT_EQ(table.Find("c"), 4u);

  // A comparer under which equal names may have different keys: lookups walk the lines, and a
  // line set under another spelling is listed under its new key.
  table.Assign("a-b=1\r\nab=2\r\n");
  table.SetComparer(NamesEqualIgnoringHyphens);
  EXPECT_EQ(table.Value("a--b"), "1");
  table.SetValue("ab", "3");
  EXPECT_EQ(table.Line(0), "ab=3");
  EXPECT_EQ(table.LinesNamedLike("AB"), (std::vector<std::size_t>{0, 1}));
  EXPECT_TRUE(table.LinesNamedLike("a-b").empty());
}

}  // namespace
}  // namespace velmora
