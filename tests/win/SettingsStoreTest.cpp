#include "core/win/SettingsStore.h"

#include "ErrorText.h"
#include "core/win/ProgramName.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "core/Crypt32.h"
#include "core/Error.h"
#include "core/Settings.h"

namespace velmora {
namespace {

constexpr char kTestProgram[] = "VelmoraTestStore";
constexpr char kTestKeyPath[] = "Software\\VelmoraTestStore";
constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RawValue {
  DWORD type = REG_NONE;
  std::string data;
};

// A value as the registry holds it, read without the store's registry layer.
std::optional<RawValue> ReadRaw(const char* keyPath, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  RawValue value;
  DWORD size = 0;
  std::optional<RawValue> result;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.data.resize(size);
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(value.data.data()),
                         &size) == ERROR_SUCCESS) {
      value.data.resize(size);
      result = value;
    }
  }
  RegCloseKey(key);
  return result;
}

void WriteRaw(const std::string& name, DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

bool KeyExists(const char* keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

DWORD ValueCount(const char* keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD count = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return count;
}

using testing::ErrorText;

std::string ScreenWidthText() { return std::to_string(GetSystemMetrics(SM_CXSCREEN)); }

std::string OwnExecutablePath() {
  char path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length);
}

void RemoveTraces(const std::string& programName) {
  RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + programName).c_str());
  HKEY run = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_ALL_ACCESS, &run) == ERROR_SUCCESS) {
    RegDeleteValueA(run, programName.c_str());
    RegCloseKey(run);
  }
}

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { RemoveTraces(kTestProgram); }
  void TearDown() override { RemoveTraces(kTestProgram); }

  // The store's operations under the names the cases use.
  const std::function<void()> LoadSettings = [this] { store_.Load(); };
  const std::function<void()> SaveSettings = [this] { store_.Save(); };
  const std::function<void()> EndSettingsStore = [this] { store_.End(); };

  // Saves a record with these changes and the given password, then loads it again.
  void SaveAndReload(const std::string& password, const std::function<void(TSavedSettings&)>& change = {}) {
    SavedSettings.SetPassword(password);
    SavedSettings.Dirty = 1;
    if (change) change(SavedSettings);
    SaveSettings();
    LoadSettings();
  }

  TSettingsStore store_{kTestProgram, {"Arial", "Courier New", "Tahoma", "Verdana"}};
  TSavedSettings& SavedSettings = store_.SavedSettings;
  std::int32_t& MessagePosition = store_.MessagePosition;
  const std::string& ProgramName = store_.ProgramName();
  const std::vector<std::string>& FontNames = store_.FontNames();
};

TEST_F(SettingsStore, FirstRunCreatesTheKeyAndWritesOnlyThePosition) {
  ASSERT_FALSE(KeyExists(kTestKeyPath));
  SavedSettings.FontBold = 1;
  LoadSettings();
  EXPECT_TRUE(KeyExists(kTestKeyPath));
  EXPECT_EQ(ValueCount(kTestKeyPath), 0u);
  EXPECT_EQ(SavedSettings.Dirty, 0);
  EXPECT_EQ(SavedSettings.Speed, 5);
  EXPECT_EQ(SavedSettings.FontIndex, 2);
  EXPECT_EQ(SavedSettings.FontBold, 1);
  EXPECT_EQ(SavedSettings.Message, DefaultMessage());
  EXPECT_EQ(std::to_string(MessagePosition), ScreenWidthText());

  SaveSettings();
  EXPECT_EQ(ValueCount(kTestKeyPath), 1u);
  const auto position = ReadRaw(kTestKeyPath, "MessagePosition");
  ASSERT_TRUE(position.has_value());
  EXPECT_EQ(position->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(position->data, ScreenWidthText() + '\0');
  EXPECT_FALSE(ReadRaw(kRunKeyPath, kTestProgram).has_value());
}

TEST_F(SettingsStore, DirtySaveWritesTheImageTheMessageAndThePosition) {
  SavedSettings.SetPassword("secret");
  SavedSettings.Speed = 17;
  SavedSettings.BackgroundColor = 0x00112233;
  SavedSettings.Message = "Back at 3\r\nThe owner";
  SavedSettings.Dirty = 1;
  MessagePosition = -123;
  SaveSettings();

  EXPECT_EQ(SavedSettings.Message, "Back at 3\r\nThe owner") << "saved from a copy";
  EXPECT_EQ(SavedSettings.Password(), "secret");

  const auto record = ReadRaw(kTestKeyPath, "");
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(record->data.size(), 96u);
  EXPECT_NE(record->data[0], 0);
  EXPECT_EQ(record->data[12], 17);
  EXPECT_EQ(record->data.substr(44, 4), std::string("\x33\x22\x11\x00", 4));
  EXPECT_EQ(record->data[48], 6);
  EXPECT_EQ(record->data.substr(49, 6), Encrypt("secret", kStoreStartKey, kStoreMultiplier, kStoreAddend));
  EXPECT_EQ(record->data.find("secret"), std::string::npos);
  EXPECT_EQ(record->data.substr(92), std::string(4, '\0'));

  const auto message = ReadRaw(kTestKeyPath, "Message");
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(message->data.size(), 21u);
  EXPECT_EQ(message->data, std::string("Back at 3\r\nThe owner\0", 21));
  const auto position = ReadRaw(kTestKeyPath, "MessagePosition");
  ASSERT_TRUE(position.has_value());
  EXPECT_EQ(position->data, std::string("-123\0", 5));

  MessagePosition = 0;
  LoadSettings();
  EXPECT_EQ(SavedSettings.Dirty, 0);
  EXPECT_EQ(SavedSettings.Password(), "secret");
  EXPECT_EQ(SavedSettings.Message, "Back at 3\r\nThe owner");
  EXPECT_EQ(SavedSettings.Speed, 17);
  EXPECT_EQ(SavedSettings.BackgroundColor, 0x00112233u);
  EXPECT_EQ(MessagePosition, -123);
}

TEST_F(SettingsStore, PasswordsOfFortyAndOfNoCharacters) {
  const std::string longest = "Forty characters exactly, counted: 12345";
  ASSERT_EQ(longest.size(), 40u);
  SaveAndReload(longest);
  EXPECT_EQ(SavedSettings.Password(), longest);
  EXPECT_EQ(ReadRaw(kTestKeyPath, "")->data[48], 40);

  SaveAndReload("");
  EXPECT_EQ(SavedSettings.Password(), "");
  const std::string image = ReadRaw(kTestKeyPath, "")->data;
  EXPECT_EQ(image[48], 0);
  EXPECT_EQ(image.substr(49, 40), std::string(40, '\0'));
}

TEST_F(SettingsStore, StoredPasswordLengthAbove40GivesTheDefaultsAndStaysStored) {
  for (const int length : {41, 255}) {
    SaveAndReload(std::string(40, 'k'), [](TSavedSettings& s) { s.Speed = 33; });
    std::string image = ReadRaw(kTestKeyPath, "")->data;
    image[48] = static_cast<char>(length);
    WriteRaw("", REG_BINARY, image);
    WriteRaw("Message", REG_SZ, std::string("stored\0", 7));
    LoadSettings();
    EXPECT_EQ(SavedSettings.Password(), "") << length;
    EXPECT_EQ(SavedSettings.Speed, 5);
    EXPECT_EQ(SavedSettings.Message, DefaultMessage());
    EXPECT_EQ(SavedSettings.Dirty, 0);

    // The exit writes the position only: the damaged record and the message stay as stored.
    MessagePosition = 12;
    SaveSettings();
    EXPECT_EQ(ReadRaw(kTestKeyPath, "")->data, image);
    EXPECT_EQ(ReadRaw(kTestKeyPath, "Message")->data, std::string("stored\0", 7));
    EXPECT_EQ(ReadRaw(kTestKeyPath, "MessagePosition")->data, std::string("12\0", 3));
  }
}

TEST_F(SettingsStore, ConfigPageFourLoadsAsZeroOthersUnchanged) {
  for (std::int32_t page : {4, 3, 0, -2}) {
    SaveAndReload("pw", [page](TSavedSettings& s) { s.ConfigPage = page; });
    EXPECT_EQ(SavedSettings.ConfigPage, page == 4 ? 0 : page) << page;
  }
}

TEST_F(SettingsStore, ARecordOfAnotherSizeGivesTheDefaults) {
  for (std::size_t size : {95u, 97u}) {
    WriteRaw("", REG_BINARY, std::string(size, '\x07'));
    WriteRaw("MessagePosition", REG_SZ, std::string("77\0", 3));
    WriteRaw("Message", REG_SZ, std::string("stored\0", 7));
    SavedSettings.Speed = 40;
    SavedSettings.AllowMessages = 1;
    SavedSettings.Dirty = 1;
    LoadSettings();
    EXPECT_EQ(SavedSettings.Speed, 5) << size;
    EXPECT_EQ(SavedSettings.AllowMessages, 0);
    EXPECT_EQ(SavedSettings.Dirty, 0);
    EXPECT_EQ(SavedSettings.Message, DefaultMessage());
    EXPECT_EQ(std::to_string(MessagePosition), ScreenWidthText());
    SaveSettings();
    EXPECT_EQ(ReadRaw(kTestKeyPath, "")->data, std::string(size, '\x07'));
    EXPECT_EQ(ReadRaw(kTestKeyPath, "Message")->data, std::string("stored\0", 7));
  }
}

TEST_F(SettingsStore, APositionThatIsNotAnIntegerCountsAsMissing) {
  SaveAndReload("pw");
  WriteRaw("MessagePosition", REG_SZ, std::string("12 px\0", 6));
  LoadSettings();
  EXPECT_EQ(std::to_string(MessagePosition), ScreenWidthText());
  WriteRaw("MessagePosition", REG_EXPAND_SZ, std::string("-2147483648\0", 12));
  LoadSettings();
  EXPECT_EQ(MessagePosition, -2147483647 - 1);
  WriteRaw("MessagePosition", REG_SZ, std::string("2147483648\0", 11));
  LoadSettings();
  EXPECT_EQ(std::to_string(MessagePosition), ScreenWidthText());
}

TEST_F(SettingsStore, ValuesOfTheWrongTypeAreRefusedByName) {
  WriteRaw("", REG_SZ, std::string(95, 'r') + '\0');
  EXPECT_EQ(ErrorText(LoadSettings), "Invalid data type for ''");

  RemoveTraces(kTestProgram);
  WriteRaw("MessagePosition", REG_DWORD, std::string("\x10\0\0\0", 4));
  EXPECT_EQ(ErrorText(LoadSettings), "Invalid data type for 'MessagePosition'");

  RemoveTraces(kTestProgram);
  SaveAndReload("kept", [](TSavedSettings& s) { s.Speed = 9; });
  WriteRaw("", REG_BINARY, [] {
    std::string image = ReadRaw(kTestKeyPath, "")->data;
    image[12] = 33;
    return image;
  }());
  WriteRaw("Message", REG_BINARY, "binary");
  EXPECT_EQ(ErrorText(LoadSettings), "Invalid data type for 'Message'");
  EXPECT_EQ(SavedSettings.Speed, 9);
  EXPECT_EQ(SavedSettings.Password(), "kept");
}

TEST_F(SettingsStore, RunEntryFollowsAutoRunAtADirtySave) {
  SaveAndReload("pw", [](TSavedSettings& s) { s.AutoRun = 1; });
  const auto run = ReadRaw(kRunKeyPath, kTestProgram);
  ASSERT_TRUE(run.has_value());
  EXPECT_EQ(run->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(run->data, OwnExecutablePath() + '\0');
  EXPECT_NE(run->data.front(), '"');
  EXPECT_EQ(SavedSettings.AutoRun, 1);

  SavedSettings.AutoRun = 0;
  SaveSettings();
  EXPECT_TRUE(ReadRaw(kRunKeyPath, kTestProgram).has_value()) << "written only with Dirty set";
  LoadSettings();
  SaveAndReload("pw", [](TSavedSettings& s) { s.AutoRun = 0; });
  EXPECT_FALSE(ReadRaw(kRunKeyPath, kTestProgram).has_value());
  SaveAndReload("pw", [](TSavedSettings& s) { s.AutoRun = 0; });
  EXPECT_FALSE(ReadRaw(kRunKeyPath, kTestProgram).has_value());
}

TEST_F(SettingsStore, NegativeConfigPageAtExitWritesNothingAtAll) {
  SavedSettings.ConfigPage = -1;
  SavedSettings.Dirty = 1;
  SavedSettings.AutoRun = 1;
  MessagePosition = 55;
  EndSettingsStore();
  EXPECT_FALSE(KeyExists(kTestKeyPath));
  EXPECT_FALSE(ReadRaw(kRunKeyPath, kTestProgram).has_value());
  EXPECT_TRUE(ProgramName.empty());
  EXPECT_TRUE(FontNames.empty());
}

TEST_F(SettingsStore, ExitWritesThePositionAndReleasesTheValues) {
  SavedSettings.ConfigPage = 0;
  SavedSettings.Message = "text";
  MessagePosition = -9;
  EndSettingsStore();
  EXPECT_EQ(ReadRaw(kTestKeyPath, "MessagePosition")->data, std::string("-9\0", 3));
  EXPECT_EQ(ValueCount(kTestKeyPath), 1u);
  EXPECT_TRUE(ProgramName.empty());
  EXPECT_TRUE(FontNames.empty());
  EXPECT_TRUE(SavedSettings.Message.empty());
}

TEST_F(SettingsStore, AfterWriteNothingBackTheExitWritesNothing) {
  SavedSettings.Dirty = 1;
  store_.WriteNothingBack();
  EXPECT_FALSE(store_.WritesBackAtExit());
  EndSettingsStore();
  EXPECT_FALSE(KeyExists(kTestKeyPath));
}

TEST_F(SettingsStore, AKeyThatCannotBeCreated) {
  TSettingsStore store(std::string(300, 'n'), {"Tahoma"});
  store.SavedSettings.Speed = 44;
  store.SavedSettings.Dirty = 1;
  store.Load();
  EXPECT_EQ(store.SavedSettings.Speed, 5);
  EXPECT_EQ(store.SavedSettings.Dirty, 0);
  EXPECT_EQ(std::to_string(store.MessagePosition), ScreenWidthText());
  EXPECT_EQ(ErrorText([&] { store.Save(); }), "Failed to create key Software\\" + store.ProgramName());
}

TEST(FontNameEnumeration, SortedByTheUserLocaleWithoutDuplicates) {
  TSettingsStore store(kTestProgram);
  const std::vector<std::string>& FontNames = store.FontNames();
  ASSERT_GT(FontNames.size(), 1u);
  for (std::size_t i = 1; i < FontNames.size(); ++i) {
    const std::string& a = FontNames[i - 1];
    const std::string& b = FontNames[i];
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1), CSTR_LESS_THAN)
        << a << " / " << b;
  }
  for (const std::string& name : FontNames) {
    EXPECT_FALSE(name.empty());
    EXPECT_NE(name, "left over");
  }
}

// A file in a folder of its own under the temporary folder, removed again at the end.
class ProgramNameOfAFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "VelmoraNameTest";
    CreateDirectoryA(folder_.c_str(), nullptr);
    file_ = folder_ + "\\Velmora Screen Saver.scr";
    const HANDLE file = CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  void TearDown() override {
    DeleteFileA(file_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string folder_;
  std::string file_;
};

TEST_F(ProgramNameOfAFile, SpelledAsTheFileSystemStoresIt) {
  EXPECT_EQ(ProgramNameOf(file_), "Velmora Screen Saver");
  EXPECT_EQ(ProgramNameOf(folder_ + "\\VELMORA SCREEN SAVER.SCR"), "Velmora Screen Saver");
  char shortPath[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(file_.c_str(), shortPath, MAX_PATH);
  ASSERT_GT(length, 0u);
  ASSERT_EQ(std::string(shortPath, length).find("Velmora Screen Saver"), std::string::npos) << shortPath;
  EXPECT_EQ(ProgramNameOf(std::string(shortPath, length)), "Velmora Screen Saver") << shortPath;
}

TEST_F(ProgramNameOfAFile, AMissingFileGivesThePathsOwnName) {
  EXPECT_EQ(ProgramNameOf(folder_ + "\\Gone.Saver.SCR"), "Gone.Saver");
  EXPECT_EQ(ProgramNameOf(folder_ + "\\NoExtension"), "NoExtension");
}

TEST(ProgramNameDiscovery, TheExecutablesNameWithoutExtension) {
  const TSettingsStore store;
  const std::string& ProgramName = store.ProgramName();
  EXPECT_EQ(ProgramName, "win_tests");
}

TEST(SettingsStoreStart, NamesLoadsAndCreatesTheKey) {
  RemoveTraces("win_tests");
  TSettingsStore store;
  const TSavedSettings& SavedSettings = store.SavedSettings;
  const std::string& ProgramName = store.ProgramName();
  store.SavedSettings.FontIndex = 99;
  store.Load();
  const std::vector<std::string>& FontNames = store.FontNames();
  EXPECT_EQ(ProgramName, "win_tests");
  ASSERT_LT(static_cast<std::size_t>(SavedSettings.FontIndex), FontNames.size());
  EXPECT_EQ(FontNames[static_cast<std::size_t>(SavedSettings.FontIndex)], "Tahoma");
  EXPECT_TRUE(KeyExists("Software\\win_tests"));
  EXPECT_EQ(SavedSettings.Message, DefaultMessage());
  EXPECT_EQ(SavedSettings.Dirty, 0);
  RemoveTraces("win_tests");
}

}  // namespace
}  // namespace velmora
