#include "common/win/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "common/LanguageTable.h"
#include "common/win/PathMacroSources.h"
#include "win/Handles.h"

namespace velmora {
namespace {

constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string FolderPathFromTheShell(int csidl) {
  char path[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
  return path;
}

TEST(GetSpecialFolderPath, GivesTheFoldersTheShellKnows) {
  for (int csidl : {CSIDL_DESKTOP, CSIDL_APPDATA, CSIDL_FONTS}) {
    const std::string path = GetSpecialFolderPath(csidl);
    EXPECT_FALSE(path.empty()) << csidl;
    EXPECT_EQ(path, FolderPathFromTheShell(csidl)) << csidl;
  }
}

TEST(GetSpecialFolderPath, EmptyForAFolderWithoutPathAndForUnknownNumbers) {
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_CONTROLS), "");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_DRIVES), "");
  EXPECT_EQ(GetSpecialFolderPath(0xFE), "");
  EXPECT_EQ(GetSpecialFolderPath(-1), "");
}

TEST(ExpandEnvironmentText, ExpandsKnownVariablesInFullAndLeavesUnknownOnes) {
  ASSERT_TRUE(SetEnvironmentVariableA("VELMORA_TEST_VALUE", "abc"));
  EXPECT_EQ(ExpandEnvironmentText("[%VELMORA_TEST_VALUE%][%VELMORA_NOT_SET%][%%]"),
            "[abc][%VELMORA_NOT_SET%][%%]");
  // 259 characters fit the first buffer; 260 need a second call.
  EXPECT_EQ(ExpandEnvironmentText(std::string(256, 'x') + "%VELMORA_TEST_VALUE%"),
            std::string(256, 'x') + "abc");
  EXPECT_EQ(ExpandEnvironmentText(std::string(257, 'x') + "%VELMORA_TEST_VALUE%"),
            std::string(257, 'x') + "abc");
  SetEnvironmentVariableA("VELMORA_TEST_VALUE", nullptr);
}

// Adds test values to the CurrentVersion key and removes them again.
class CurrentVersionValues : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_ALL_ACCESS, key_.put()),
              ERROR_SUCCESS);
    Set("VelmoraTestText", REG_SZ, "C:\\Velmora Text");
    Set("VelmoraTestExpand", REG_EXPAND_SZ, "C:\\Velmora Expand");
  }
  void TearDown() override {
    RegDeleteValueA(key_.get(), "VelmoraTestText");
    RegDeleteValueA(key_.get(), "VelmoraTestExpand");
    LanguageTable.Clear();
  }
  void Set(const char* name, DWORD type, const std::string& text) {
    ASSERT_EQ(RegSetValueExA(key_.get(), name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
  }
  win::RegistryKey key_;
};

TEST_F(CurrentVersionValues, OnlyTextValuesAreListed) {
  const auto values = CurrentVersionTextValues();
  const auto named = [&](const std::string& name) {
    return std::find_if(values.begin(), values.end(),
                        [&](const auto& value) { return value.first == name; });
  };
  ASSERT_NE(named("VelmoraTestText"), values.end());
  EXPECT_EQ(named("VelmoraTestText")->second, "C:\\Velmora Text");
  EXPECT_EQ(named("VelmoraTestExpand"), values.end());
}

TEST_F(CurrentVersionValues, TextValuesAreMacrosInTheirOwnCase) {
  LanguageTable.Assign("Sub=Saver\r\n");
  EXPECT_EQ(ExpandPathMacros("%VelmoraTestText%\\%Sub%"), "C:\\Velmora Text\\Saver");
  EXPECT_EQ(ExpandPathMacros("%VELMORATESTTEXT%"), "%VELMORATESTTEXT%");
  EXPECT_EQ(ExpandPathMacros("%VelmoraTestExpand%"), "%VelmoraTestExpand%");
}

TEST_F(CurrentVersionValues, OneSetOfSourcesReadsTheValuesOnce) {
  const PathMacroSources sources = WindowsPathMacroSources(nullptr);
  LanguageTable.Clear();
  EXPECT_EQ(ExpandPathMacros("%VelmoraTestText%", LanguageTable, sources), "C:\\Velmora Text");
  Set("VelmoraTestText", REG_SZ, "C:\\Changed");
  EXPECT_EQ(ExpandPathMacros("%VelmoraTestText%", LanguageTable, sources), "C:\\Velmora Text");
  EXPECT_EQ(ExpandPathMacros("%VelmoraTestText%"), "C:\\Changed");
}

TEST(SpecialFolderPathOnce, RemembersEachFolderUnderItsOwnNumber) {
  for (int round = 0; round < 2; ++round) {
    for (const int csidl : {CSIDL_DESKTOP, CSIDL_APPDATA, CSIDL_CONTROLS}) {
      EXPECT_EQ(SpecialFolderPathOnce(csidl), GetSpecialFolderPath(csidl)) << csidl;
    }
  }
  EXPECT_NE(SpecialFolderPathOnce(CSIDL_DESKTOP), SpecialFolderPathOnce(CSIDL_APPDATA));
}

}  // namespace
}  // namespace velmora
