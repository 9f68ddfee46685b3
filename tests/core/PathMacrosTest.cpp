#include "common/PathMacros.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Sources that answer from tables and record what they were asked.
class FakeSystem {
 public:
  std::map<std::string, std::string> environment;
  std::map<int, std::string> folders = {{0, "C:\\Users\\Owner\\Desktop"},
                                        {26, "C:\\Users\\Owner\\AppData\\Roaming"}};
  Entries registry;
  std::vector<int> foldersAsked;
  int registryReads = 0;
  std::vector<std::string> environmentAsked;

  PathMacroSources Sources() {
    PathMacroSources sources;
    sources.ExpandEnvironment = [this](const std::string& text) {
      environmentAsked.push_back(text);
      std::string s = text;
      for (const auto& [name, value] : environment) s = ReplaceIgnoringCase(s, "%" + name + "%", value);
      return s;
    };
    sources.SpecialFolderPath = [this](int csidl) {
      foldersAsked.push_back(csidl);
      const auto found = folders.find(csidl);
      return found == folders.end() ? std::string() : found->second;
    };
    sources.RegistryValues = [this] {
      ++registryReads;
      return registry;
    };
    return sources;
  }

  std::string Expand(const std::string& text, const std::string& languageFile = "") {
    TLanguageTable table;
    table.Assign(languageFile);
    return ExpandPathMacros(text, table, Sources());
  }
};

TEST(FolderMacroNames, ThirtyFourSlotsNamedAfterTheCsidlConstants) {
  const std::vector<std::string> expected = {
      "DESKTOP", "INTERNET", "PROGRAMS", "CONTROLS", "PRINTERS", "PERSONAL", "FAVORITES",
      "STARTUP", "RECENT", "SENDTO", "BITBUCKET", "STARTMENU", "", "", "", "",
      "DESKTOPDIRECTORY", "DRIVES", "NETWORK", "NETHOOD", "FONTS", "TEMPLATES",
      "COMMON_STARTMENU", "COMMON_PROGRAMS", "COMMON_STARTUP", "COMMON_DESKTOPDIRECTORY",
      "APPDATA", "PRINTHOOD", "ALTSTARTUP", "COMMON_ALTSTARTUP", "COMMON_FAVORITES",
      "INTERNET_CACHE", "COOKIES", "HISTORY"};
  ASSERT_EQ(FolderMacroNames.size(), 34u);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(FolderMacroNames[i] == nullptr ? "" : FolderMacroNames[i], expected[i]) << i;
  }
}

TEST(ReplaceIgnoringCase, LeftToRightWithoutRescanningReplacedText) {
  EXPECT_EQ(ReplaceIgnoringCase("%A%x%a%", "%a%", "%a%%a%"), "%a%%a%x%a%%a%");
  EXPECT_EQ(ReplaceIgnoringCase("aaa", "AA", "b"), "ba");
  EXPECT_EQ(ReplaceIgnoringCase("none here", "%x%", "y"), "none here");
  EXPECT_EQ(ReplaceIgnoringCase("abc", "", "y"), "abc");
}

TEST(ReplaceIgnoringCase, UsesTheGivenUpperCaseForLettersBeyondAscii) {
  const auto upper = [](const std::string& text) {
    std::string s = text;
    for (char& c : s) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      if (c == '\xE9') c = '\xC9';
    }
    return s;
  };
  EXPECT_EQ(ReplaceIgnoringCase("%CAF\xC9%", "%caf\xE9%", "ok", upper), "ok");
  EXPECT_EQ(ReplaceIgnoringCase("%CAF\xC9%", "%caf\xE9%", "ok"), "%CAF\xC9%");
}

TEST(PathMacros, TextWithoutPercentComesBackUnchangedAndAsksNoFolderOrRegistry) {
  FakeSystem system;
  EXPECT_EQ(system.Expand("C:\\Program Files\\Velmora", "x=y"), "C:\\Program Files\\Velmora");
  EXPECT_TRUE(system.foldersAsked.empty());
  EXPECT_EQ(system.registryReads, 0);
}

TEST(PathMacros, EnvironmentComesFirstAndOnlyOnceAndIsCutAtItsZeroByte) {
  FakeSystem system;
  system.environment = {{"HOMEDRIVE", "%DESKTOP%"}, {"ZERO", std::string("a\0b", 3)},
                        {"TEMP", "C:\\Temp"}};
  EXPECT_EQ(system.Expand("%HOMEDRIVE%\\x"), "C:\\Users\\Owner\\Desktop\\x");
  EXPECT_EQ(system.Expand("[%ZERO%]"), "[a");
  // A language value that brings in an environment reference is not expanded by stage 1 again.
  EXPECT_EQ(system.Expand("%T%", "T=%TEMP%"), "%TEMP%");
}

TEST(PathMacros, LanguageNameMustOccurInItsOwnCase) {
  FakeSystem system;
  const std::string file = "MyApp=Velmora\r\n";
  EXPECT_EQ(system.Expand("%MyApp%\\x", file), "Velmora\\x");
  EXPECT_EQ(system.Expand("%MYAPP%\\x", file), "%MYAPP%\\x");
  // Once the name occurs in its own case anywhere, the macro is found without regard to case.
  EXPECT_EQ(system.Expand("%MYAPP% MyApp", file), "Velmora MyApp");
}

TEST(PathMacros, LanguageMacroTakesTheValueOfTheFirstLineWithThatName) {
  FakeSystem system;
  const std::string file = "Dir=first\r\ndir=second\r\n";
  EXPECT_EQ(system.Expand("%Dir%", file), "first");
  // "Dir" does not occur in "%dir%", but "dir" does: its macro gets the first "dir" line's value.
  EXPECT_EQ(system.Expand("%dir%", file), "first");
}

TEST(PathMacros, LinesWithoutNameAndDoublePercentAreLeftAlone) {
  FakeSystem system;
  EXPECT_EQ(system.Expand("100%% sure", "=empty name\r\nno equals\r\n"), "100%% sure");
  EXPECT_EQ(system.Expand("%%"), "%%");
  EXPECT_EQ(system.Expand("%NOSUCHMACRO%\\x", "other=1"), "%NOSUCHMACRO%\\x");
  EXPECT_EQ(system.registryReads, 3);
}

TEST(PathMacros, LanguageValueReferringToAFolderMacroComesOutFullyExpanded) {
  FakeSystem system;
  const std::string file = "Base=%DESKTOP%\\Velmora\r\nReadMe=%Base%\\ReadMe.txt\r\n";
  EXPECT_EQ(system.Expand("%ReadMe%", file), "C:\\Users\\Owner\\Desktop\\Velmora\\ReadMe.txt");
  // A later line's macro inside an earlier line's value takes a second pass.
  const std::string reversed = "ReadMe=%Base%\\ReadMe.txt\r\nBase=%Docs%\\Velmora\r\nDocs=D:\r\n";
  EXPECT_EQ(system.Expand("%ReadMe%", reversed), "D:\\Velmora\\ReadMe.txt");
}

TEST(PathMacros, LanguageEntriesComeBeforeFolders) {
  FakeSystem system;
  EXPECT_EQ(system.Expand("%DESKTOP%", "DESKTOP=mine"), "mine");
}

TEST(PathMacros, FolderMacrosIgnoreCaseAndEveryNamedFolderIsAskedInOrder) {
  FakeSystem system;
  EXPECT_EQ(system.Expand("%DESKTOP%\\x"), "C:\\Users\\Owner\\Desktop\\x");
  EXPECT_EQ(system.Expand("%desktop%\\x"), "C:\\Users\\Owner\\Desktop\\x");
  std::vector<int> expected;
  for (int csidl = 0; csidl < 34; ++csidl) {
    if (csidl < 12 || csidl > 15) expected.push_back(csidl);
  }
  ASSERT_EQ(system.foldersAsked.size(), 60u);
  EXPECT_EQ(std::vector<int>(system.foldersAsked.begin(), system.foldersAsked.begin() + 30),
            expected);
}

TEST(PathMacros, FolderWithoutPathGivesTheEmptyText) {
  FakeSystem system;
  EXPECT_EQ(system.Expand("[%CONTROLS%]"), "[]");
  EXPECT_EQ(system.Expand("%CONTROLS%"), "");
}

TEST(PathMacros, QuickLaunchInAnyCaseIsBelowTheApplicationDataFolder) {
  FakeSystem system;
  const std::string quickLaunch =
      "C:\\Users\\Owner\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";
  EXPECT_EQ(system.Expand("%QUICKLAUNCH%\\a.lnk"), quickLaunch + "\\a.lnk");
  EXPECT_EQ(system.Expand("%QuickLaunch%"), quickLaunch);
  EXPECT_EQ(system.Expand("%quicklaunch%|%QUICKLAUNCH%"), quickLaunch + "|" + quickLaunch);
}

TEST(PathMacros, RegistryValuesAreReadOnlyWhenAMacroIsLeftAndThenOnce) {
  FakeSystem system;
  system.registry = {{"ProgramFilesDir", "C:\\Program Files"}, {"CommonFilesDir", "C:\\Common"}};
  EXPECT_EQ(system.Expand("%DESKTOP%"), "C:\\Users\\Owner\\Desktop");
  EXPECT_EQ(system.registryReads, 0);
  EXPECT_EQ(system.Expand("%ProgramFilesDir%\\Velmora;%CommonFilesDir%"),
            "C:\\Program Files\\Velmora;C:\\Common");
  EXPECT_EQ(system.registryReads, 1);
}

TEST(PathMacros, RegistryNameMustOccurInItsOwnCaseAndTheFirstEntryWins) {
  FakeSystem system;
  system.registry = {{"ProgramFilesDir", "C:\\PF"}, {"Path", "one"}, {"PATH", "two"},
                     {"Zero", std::string("a\0b", 3)}, {"", "nameless"}};
  EXPECT_EQ(system.Expand("%PROGRAMFILESDIR%"), "%PROGRAMFILESDIR%");
  EXPECT_EQ(system.Expand("%PATH%"), "one");
  EXPECT_EQ(system.Expand("%Zero%tail"), "a");
  EXPECT_EQ(system.Expand("%%"), "%%");
}

TEST(PathMacros, RegistryStageSeesWhatTheLanguageStageBroughtIn) {
  FakeSystem system;
  system.registry = {{"ProgramFilesDir", "C:\\PF"}};
  EXPECT_EQ(system.Expand("%Target%", "Target=%ProgramFilesDir%\\Velmora"), "C:\\PF\\Velmora");
}

TEST(PathMacros, SelfReferringLanguageEntriesEndAfterThePassLimit) {
  FakeSystem system;
  EXPECT_EQ(system.Expand("%a%", "a=%a%"), "%a%");
  EXPECT_EQ(system.Expand("%a%", "a=%b%\r\nb=x%a%"), std::string(kMaxMacroPasses, 'x') + "%a%");
}

TEST(PathMacros, SelfReferringRegistryValuesEndAfterThePassLimit) {
  FakeSystem system;
  system.registry = {{"R", "%R%!"}};
  EXPECT_EQ(system.Expand("%R%"), "%R%" + std::string(kMaxMacroPasses, '!'));
}

TEST(PathMacros, DoublingExpansionStopsAtTheLengthLimit) {
  FakeSystem system;
  const std::string result = system.Expand("%a%", "a=%a%%a%");
  EXPECT_LE(result.size(), kMaxExpandedLength);
  EXPECT_GT(result.size(), kMaxExpandedLength / 2);
  system.registry = {{"R", "%R%%R%"}};
  EXPECT_LE(system.Expand("%R%").size(), kMaxExpandedLength);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(ExpandTableMacros, ExpandsTheFirstLineOfANameAndExaminesTheLineMovedUp) {
  TLanguageTable table;
  table.Assign("a=%x%\r\nempty=%gone%\r\nb=%a%\r\nA=%y%\r\nplain\r\n");
  std::vector<std::string> asked;
  int lines = 0;
  ExpandTableMacros(
      table,
      [&](const std::string& text) {
        asked.push_back(text);
        return text == "%gone%" ? std::string() : "<" + text + ">";
      },
      [&] { ++lines; });
  // "A" holds "%": the first line of that name is expanded once more, the line itself never.
  EXPECT_EQ(asked, (std::vector<std::string>{"%x%", "%gone%", "%a%", "<%x%>"}));
  ASSERT_EQ(table.Count(), 4u);
  EXPECT_EQ(table.Line(0), "A=<<%x%>>");
  EXPECT_EQ(table.Line(1), "b=<%a%>");
  EXPECT_EQ(table.Line(2), "A=%y%");
  EXPECT_EQ(lines, 5);
}

TEST(PathMacros, AMacroBroughtInForALaterLineIsExpandedInTheSamePass) {
  FakeSystem system;
  // Each pass goes a -> b -> c -> x%a%, adding one x; the %a% brought in by line "c" waits for
  // the next pass.
  EXPECT_EQ(system.Expand("%a%", "a=%b%\r\nb=%c%\r\nc=x%a%"),
            std::string(kMaxMacroPasses, 'x') + "%a%");
  // A macro whose name holds "%" is found although it spans three "%" signs.
  EXPECT_EQ(system.Expand("[%p%q%]", "p%q=pq"), "[pq]");
}

}  // namespace
}  // namespace velmora
