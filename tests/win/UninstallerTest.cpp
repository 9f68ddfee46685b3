#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ErrorText.h"
#include "common/LanguageTable.h"
#include "core/win/SettingsStore.h"
#include "install/Uninstaller.h"
#include "win/Handles.h"

namespace velmora {
namespace {

constexpr char kName[] = "VelmoraUninstallTest";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool KeyExists(HKEY root, const std::string& path) {
  win::RegistryKey key;
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool ValueExists(HKEY root, const std::string& path, const std::string& name) {
  return RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void SetText(HKEY root, const std::string& path, const std::string& name) {
  ASSERT_EQ(RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_SZ, "x", 2), ERROR_SUCCESS) << path;
}

// The three traces of kName, each with a neighbour whose name begins like it and must stay.
class RegistryTraces : public ::testing::Test {
 protected:
  void SetUp() override {
    SetText(HKEY_CURRENT_USER, kRunKey, kName);
    SetText(HKEY_CURRENT_USER, kRunKey, std::string(kName) + "2");
    SetText(HKEY_CURRENT_USER, std::string("Software\\") + kName + "\\Deep\\Deeper", "v");
    SetText(HKEY_CURRENT_USER, std::string("Software\\") + kName + "2", "v");
    SetText(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kName + "\\Deep", "v");
    SetText(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kName + "2", "v");
  }
  void TearDown() override {
    for (const std::string& name : {std::string(kName), std::string(kName) + "2"}) {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, name.c_str());
      RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + name).c_str());
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKey) + "\\" + name).c_str());
    }
  }
  static bool AllThere(const std::string& name) {
    return ValueExists(HKEY_CURRENT_USER, kRunKey, name) && KeyExists(HKEY_CURRENT_USER, "Software\\" + name) &&
           KeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + name);
  }
};

TEST_F(RegistryTraces, RemovesTheRunValueAndBothKeysWithEverythingBelow) {
  RemoveRegistryTraces(kName);
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kRunKey, kName));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string("Software\\") + kName));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kName));
  EXPECT_TRUE(AllThere(std::string(kName) + "2"));
  RemoveRegistryTraces(kName);  // nothing left to remove: passes silently
}

TEST_F(RegistryTraces, AnEmptyNameRemovesNothing) {
  RemoveRegistryTraces("");
  EXPECT_TRUE(AllThere(kName));
}

struct BoxCall {
  int calls = 0;
  HWND owner = reinterpret_cast<HWND>(1);
  std::string text, caption;
  UINT flags = 0;
  int answer = IDCANCEL;
};
BoxCall box;

int WINAPI RecordingBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  ++box.calls;
  box.owner = owner;
  box.text = text;
  box.caption = caption;
  box.flags = flags;
  return box.answer;
}

// Anything but OK (Cancel, the close button, a failed box) leaves every trace, the settings'
// write-back and the folder as they were; the box is asked exactly as described, texts as they
// stand in the language table.
TEST_F(RegistryTraces, NoOkChangesNothing) {
  TSettingsStore settings(kName, {});
  TSavedSettings& SavedSettings = settings.SavedSettings;
  LanguageTable.Assign("msgUninstallQuery=Remove ^ all | now?\r\nmsgUninstallCaption=Un|install^\r\n");
  for (const int answer : {IDCANCEL, IDNO, 0}) {
    box = BoxCall{};
    box.answer = answer;
    SavedSettings.ConfigPage = 2;
    Uninstall(settings, &RecordingBox);
    EXPECT_EQ(box.calls, 1);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, "Remove ^ all | now?");
    EXPECT_EQ(box.caption, "Un|install^");
    EXPECT_EQ(box.flags, 0x1131u);
    EXPECT_TRUE(AllThere(kName)) << answer;
    EXPECT_EQ(SavedSettings.ConfigPage, 2) << answer;
    EXPECT_TRUE(settings.WritesBackAtExit()) << answer;
    EXPECT_EQ(GetFileAttributesA((std::string(kName) + ".bat").c_str()), INVALID_FILE_ATTRIBUTES);
  }
  LanguageTable.Clear();
}

std::string TempFolder() {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

TEST(WriteBatchFile, ReplacesTheWholeFileByteForByte) {
  const std::string path = TempFolder() + "velmora-batch-" + std::to_string(GetCurrentProcessId()) + ".bat";
  WriteBatchFile(path, std::string(100, 'x'));
  const std::string text("@echo off\r\n\x84\x00\r\n", 14);
  WriteBatchFile(path, text);
  std::ifstream file(path, std::ios::binary);
  const std::string read((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  DeleteFileA(path.c_str());
  EXPECT_EQ(read, text);
}

TEST(WriteBatchFile, AFolderThatIsNotThereIsAnErrorNamingFileAndReason) {
  const std::string path = TempFolder() + "velmora-no-such-folder\\Velmora.bat";
  const std::string text = testing::ErrorText([&] { WriteBatchFile(path, "@echo off\r\n"); });
  EXPECT_EQ(text.rfind("Cannot write the file \"" + path + "\": ", 0), 0u) << text;
  EXPECT_GT(text.size(), path.size() + 27) << "no reason given: " << text;
}

TEST(ToBatchCodePage, AnsiToOemAndUnchangedWhenOemLacksACharacter) {
  if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs code pages 1252 and 437";
  EXPECT_EQ(ToBatchCodePage("del \"C:\\J\xFCrgen\\\xE4%%.lnk\"\r\n"), "del \"C:\\J\x81rgen\\\x84%%.lnk\"\r\n");
  EXPECT_EQ(ToBatchCodePage("a\xFC\x80"), "a\xFC\x80");  // the euro sign is not in 437
  EXPECT_EQ(ToBatchCodePage(""), "");
}

}  // namespace
}  // namespace velmora
