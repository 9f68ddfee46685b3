#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "common/LanguageTable.h"
#include "core/ColorList.h"

namespace velmora {
namespace {

std::string SourcePath(const std::string& relative) {
  const std::string here = __FILE__;
  return here.substr(0, here.rfind("tests")) + relative;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class LanguageFileTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    bytes = ReadBytes(SourcePath(GetParam()));
    ASSERT_FALSE(bytes.empty()) << GetParam();
    table.Assign(bytes);
  }
  std::string bytes;
  TLanguageTable table;
};

TEST_P(LanguageFileTest, HasAnEntryForEveryColourName) {
  for (const NamedColor& color : kColorList) {
    EXPECT_FALSE(table.Value(std::string(color.nameKey)).empty()) << color.nameKey;
  }
}

TEST_P(LanguageFileTest, EveryLineIsANamedEntryAndNoNameRepeats) {
  std::set<std::string> seen;
  for (std::size_t line = 0; line < table.Count(); ++line) {
    ASSERT_TRUE(LineHasName(table.Line(line))) << "line " << line;
    std::string name = LineName(table.Line(line));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(seen.insert(name).second) << name;
  }
}

TEST_P(LanguageFileTest, LinesEndInCrLfOnly) {
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
    }
    if (bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
    }
  }
}

TEST_P(LanguageFileTest, IsAnsiTextNotUtf8) {
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const auto next = static_cast<unsigned char>(bytes[i + 1]);
    EXPECT_FALSE(lead == 0xC3 && next >= 0x80 && next <= 0xBF) << "UTF-8 sequence at " << i;
    EXPECT_NE(lead, 0) << "zero byte at " << i;
  }
}

TEST_P(LanguageFileTest, UninstallMessagesAreSingleLinesWithoutMarkup) {
  for (const char* id : {"msgUninstallCaption", "msgUninstallQuery"}) {
    const std::string value = table.Value(id);
    EXPECT_FALSE(value.empty()) << id;
    EXPECT_EQ(value.find_first_of("^|"), std::string::npos) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest,
                         ::testing::Values("resources/Velmora.lng", "resources/lang/Velmora.de.lng"));

TEST(GermanLanguageFile, UsesWindows1252Umlauts) {
  TLanguageTable table;
  table.Assign(ReadBytes(SourcePath("resources/lang/Velmora.de.lng")));
  EXPECT_EQ(table.Value("lblConfirmation"), "Best\xE4tigung:");
  EXPECT_EQ(table.Value("btnApply").substr(0, 11), "\xDC" "bernehmen|");
}

TEST(EnglishLanguageFile, PromptTextsReadWell) {
  TLanguageTable table;
  table.Assign(ReadBytes(SourcePath("resources/Velmora.lng")));
  EXPECT_EQ(ShortText(table.Value("btnOK")), "OK");
  EXPECT_EQ(ShortText(table.Value("btnCancel")), "Cancel");
  EXPECT_EQ(table.Value("lblPassword"), "Password:");
  EXPECT_EQ(ShortText(table.Value("pnlCapsLock")), "A");
}

}  // namespace
}  // namespace velmora
