#include "common/win/LanguageFile.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "ErrorText.h"
#include "ui/Application.h"
#include "common/LanguageTable.h"
#include "common/win/SpecialFolders.h"
#include "common/win/SystemMessage.h"
#include "core/Error.h"
#include "win/Handles.h"
#include "win/LocaleText.h"

namespace velmora {
namespace {

// Loads as start-up does: messages are handled through Application after every line.
void Load() { LoadLanguageFile({Application.Handle(), [] { Application.ProcessMessages(); }}); }

std::string ExecutablePath() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Writes the test executable's own language file and removes it again.
class LanguageFileLoad : public ::testing::Test {
 protected:
  void SetUp() override { path_ = LanguageFilePath(); }
  void TearDown() override {
    DeleteFileA(path_.c_str());
    LanguageTable.Clear();
  }

  void Write(const std::string& bytes) {
    win::FileHandle file(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                          nullptr));
    ASSERT_EQ(written, bytes.size());
  }

  // Loads a file of the given bytes and returns the value of `name`.
  std::string Loaded(const std::string& bytes, const std::string& name) {
    Write(bytes);
    Load();
    return LanguageTable.Value(name);
  }

  std::string ExpectedOpenError(DWORD code) const {
    return "Cannot open file \"" + path_ + "\". " + SystemErrorMessage(code);
  }

  std::string path_;
};

TEST(LanguageFilePath, IsTheExecutablePathWithTheExtensionLng) {
  const std::string executable = ExecutablePath();
  ASSERT_GT(executable.size(), 4u);
  EXPECT_EQ(LanguageFilePath(), executable.substr(0, executable.size() - 4) + ".lng");
  EXPECT_EQ(LanguageFilePath().substr(LanguageFilePath().rfind('\\')), "\\win_tests.lng");
}

TEST_F(LanguageFileLoad, LinesEndAtEveryLineBreakAndZeroBytesAreSkipped) {
  static const char bytes[] =
      "a=1\r\nb=2\nc=3\rd=4\r\n\r\nbtnOK=first\r\nBTNOK=sec\0ond\r\n\0after=1\r\n";
  Write(std::string(bytes, sizeof bytes - 1));
  Load();
  ASSERT_EQ(LanguageTable.Count(), 8u);
  EXPECT_EQ(LanguageTable.Line(2), "c=3");
  EXPECT_EQ(LanguageTable.Line(4), "");
  EXPECT_EQ(LanguageTable.Value("btnok"), "first");
  EXPECT_EQ(LanguageTable.Line(6), "BTNOK=second");
  EXPECT_EQ(LanguageTable.Value("after"), "1");
}

TEST_F(LanguageFileLoad, ReplacesWhatTheTableHeld) {
  Write("old=1\r\n");
  Load();
  Write("new=2\r\n");
  Load();
  ASSERT_EQ(LanguageTable.Count(), 1u);
  EXPECT_EQ(LanguageTable.Value("old"), "");
  EXPECT_EQ(LanguageTable.Value("NEW"), "2");
}

TEST_F(LanguageFileLoad, NamesAreComparedByTheUsersLocale) {
  // A-umlaut and a-umlaut in the ANSI code page: equal only to a locale-aware comparison.
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Western European ANSI code page";
  EXPECT_EQ(Loaded("\xC4pfel=apple\r\n", "\xE4PFEL"), "apple");
  EXPECT_FALSE(win::EqualIgnoringCaseByLocale("\xC4pfel", "Apfel"));
  EXPECT_EQ(LocaleNameKey("\xC4pfel"), LocaleNameKey("\xE4PFEL"));
  EXPECT_NE(LocaleNameKey("\xC4pfel"), LocaleNameKey("Apfel"));
}

TEST_F(LanguageFileLoad, FolderMacrosInAnyCase) {
  const std::string desktop = GetSpecialFolderPath(0);
  ASSERT_FALSE(desktop.empty());
  Write("upper=%DESKTOP%\\x\r\nlower=%desktop%\\x\r\n");
  Load();
  EXPECT_EQ(LanguageTable.Value("upper"), desktop + "\\x");
  EXPECT_EQ(LanguageTable.Value("lower"), desktop + "\\x");
}

TEST_F(LanguageFileLoad, ValueThatExpandsToNothingRemovesItsLineAndTheNextIsStillExpanded) {
  const std::string desktop = GetSpecialFolderPath(0);
  Write("first=1\r\ngone=%CONTROLS%\r\nnext=%DESKTOP%\r\nlast=2\r\n");
  Load();
  ASSERT_EQ(LanguageTable.Count(), 3u);
  EXPECT_EQ(LanguageTable.Line(0), "first=1");
  EXPECT_EQ(LanguageTable.Line(1), "next=" + desktop);
  EXPECT_EQ(LanguageTable.Line(2), "last=2");
}

TEST_F(LanguageFileLoad, QuickLaunchInAnyCase) {
  const std::string expected =
      GetSpecialFolderPath(26) + "\\Microsoft\\Internet Explorer\\Quick Launch";
  Write("a=%QUICKLAUNCH%\r\nb=%quickLaunch%\\x.lnk\r\n");
  Load();
  EXPECT_EQ(LanguageTable.Value("a"), expected);
  EXPECT_EQ(LanguageTable.Value("b"), expected + "\\x.lnk");
}

TEST_F(LanguageFileLoad, EnvironmentVariablesAndTheirLongExpansions) {
  ASSERT_TRUE(SetEnvironmentVariableA("VELMORA_TEST_DIR", "C:\\velmora test"));
  const std::string longValue(300, 'v');
  ASSERT_TRUE(SetEnvironmentVariableA("VELMORA_TEST_LONG", longValue.c_str()));
  Write("dir=%VELMORA_TEST_DIR%\\x\r\nlong=%VELMORA_TEST_LONG%!\r\nnone=%VELMORA_NOT_SET%\r\n");
  Load();
  EXPECT_EQ(LanguageTable.Value("dir"), "C:\\velmora test\\x");
  EXPECT_EQ(LanguageTable.Value("long"), longValue + "!");
  EXPECT_EQ(LanguageTable.Value("none"), "%VELMORA_NOT_SET%");
  SetEnvironmentVariableA("VELMORA_TEST_DIR", nullptr);
  SetEnvironmentVariableA("VELMORA_TEST_LONG", nullptr);
}

TEST_F(LanguageFileLoad, ProgramFilesDirFromTheCurrentVersionKey) {
  char text[MAX_PATH + 1] = {};
  DWORD size = sizeof text - 1;
  DWORD type = 0;
  win::RegistryKey key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                          KEY_READ, key.put()),
            ERROR_SUCCESS);
  if (RegQueryValueExA(key.get(), "ProgramFilesDir", nullptr, &type,
                       reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    GTEST_SKIP() << "ProgramFilesDir is not a REG_SZ value here";
  }
  EXPECT_EQ(Loaded("pf=%ProgramFilesDir%\\Velmora\r\n", "pf"), std::string(text) + "\\Velmora");
  EXPECT_EQ(Loaded("pf=%PROGRAMFILESDIR%\\Velmora\r\n", "pf"), "%PROGRAMFILESDIR%\\Velmora");
}

TEST_F(LanguageFileLoad, EntryReferringToAnotherEntryWithAFolderMacro) {
  const std::string desktop = GetSpecialFolderPath(0);
  Write("ReadMe=%Base%\\ReadMe.txt\r\nBase=%DESKTOP%\\Velmora\r\n");
  Load();
  EXPECT_EQ(LanguageTable.Value("ReadMe"), desktop + "\\Velmora\\ReadMe.txt");
  EXPECT_EQ(LanguageTable.Value("Base"), desktop + "\\Velmora");
}

TEST_F(LanguageFileLoad, PendingMessagesAreHandledDuringTheLoad) {
  Write("a=1\r\n");
  constexpr UINT kProbe = WM_APP + 17;
  bool seen = false;
  Application.SetMessageHook([&](MSG& message, bool& handled) {
    if (message.message == kProbe) {
      seen = true;
      handled = true;
    }
  });
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), kProbe, 0, 0));
  Load();
  Application.ClearMessageHook();
  EXPECT_TRUE(seen);
}

TEST_F(LanguageFileLoad, MissingFileFailsWithTheSystemsReason) {
  DeleteFileA(path_.c_str());
  EXPECT_EQ(testing::ErrorText(Load), ExpectedOpenError(ERROR_FILE_NOT_FOUND));
}

TEST_F(LanguageFileLoad, FileHeldOpenForWritingCannotBeLoaded) {
  Write("a=1\r\n");
  win::FileHandle writer(CreateFileA(path_.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(testing::ErrorText(Load), ExpectedOpenError(ERROR_SHARING_VIOLATION));
}

TEST_F(LanguageFileLoad, FileHeldOpenForReadingStillLoads) {
  Write("a=1\r\n");
  win::FileHandle reader(CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  Load();
  EXPECT_EQ(LanguageTable.Value("a"), "1");
}

TEST(SystemErrorMessage, IsTheSystemTextWithoutItsLineBreak) {
  char raw[1024] = {};
  ASSERT_NE(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           ERROR_FILE_NOT_FOUND, 0, raw, sizeof raw, nullptr),
            0u);
  const std::string text = SystemErrorMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(std::string(raw).rfind(text, 0), 0u);
  EXPECT_EQ(std::string(raw).find_first_not_of("\r\n ", text.size()), std::string::npos);
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
}

}  // namespace
}  // namespace velmora
