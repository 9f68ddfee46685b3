#include "win/Registry.h"

#include <gtest/gtest.h>

#include <functional>

#include "ErrorText.h"
#include "core/Error.h"

namespace velmora::win {
namespace {

constexpr char kTestKeyPath[] = "Software\\VelmoraTestRegistry";

using testing::ErrorText;

class RegistryLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKeyPath);
    key_ = OpenKey(HKEY_CURRENT_USER, kTestKeyPath);
    ASSERT_TRUE(key_);
  }
  void TearDown() override {
    key_.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKeyPath);
  }

  void SetRaw(const std::string& name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExA(key_.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }

  RegistryKey key_;
};

TEST_F(RegistryLayer, OpenKeyCreatesAMissingKeyAndOpensAnExistingOne) {
  const std::string path = std::string(kTestKeyPath) + "\\Sub\\Deeper";
  HKEY probe = nullptr;
  ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &probe), ERROR_SUCCESS);
  RegistryKey created = OpenKey(HKEY_CURRENT_USER, path);
  ASSERT_TRUE(created);
  WriteText(created.get(), "x", "1");
  RegistryKey again = OpenKey(HKEY_CURRENT_USER, path);
  ASSERT_TRUE(again);
  EXPECT_EQ(ReadText(again.get(), "x"), "1");
}

TEST_F(RegistryLayer, AKeyThatCannotBeCreated) {
  const auto badRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12340));
  EXPECT_FALSE(OpenKey(badRoot, "Software\\Nowhere"));
  EXPECT_EQ(ErrorText([&] { OpenKeyForWriting(badRoot, "Software\\Nowhere"); }),
            "Failed to create key Software\\Nowhere");
}

TEST_F(RegistryLayer, TextIsWrittenAsRegSzWithItsTerminatingZero) {
  WriteText(key_.get(), "Message", "ab\r\ncd");
  DWORD type = 0;
  BYTE data[32] = {};
  DWORD size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key_.get(), "Message", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("ab\r\ncd\0", 7));

  WriteText(key_.get(), "Empty", "");
  size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key_.get(), "Empty", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 1u);
  EXPECT_EQ(ReadText(key_.get(), "Empty"), "");
}

TEST_F(RegistryLayer, TextReadsBackAsStoredWithoutExpansion) {
  EXPECT_FALSE(ReadText(key_.get(), "Missing").has_value());
  const std::string longText(5000, 'L');
  WriteText(key_.get(), "Long", longText);
  EXPECT_EQ(ReadText(key_.get(), "Long"), longText);
  SetRaw("Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\x\0", 11));
  EXPECT_EQ(ReadText(key_.get(), "Expand"), "%WINDIR%\\x");
  SetRaw("Unterminated", REG_SZ, "abc");
  EXPECT_EQ(ReadText(key_.get(), "Unterminated"), "abc");
  SetRaw("Embedded", REG_SZ, std::string("ab\0cd\0", 6));
  EXPECT_EQ(ReadText(key_.get(), "Embedded"), "ab");
}

TEST_F(RegistryLayer, TextOfAnotherTypeIsRefusedByName) {
  SetRaw("MessagePosition", REG_DWORD, std::string("\x05\0\0\0", 4));
  EXPECT_EQ(ErrorText([&] { ReadText(key_.get(), "MessagePosition"); }),
            "Invalid data type for 'MessagePosition'");
  SetRaw("Message", REG_BINARY, "hello");
  EXPECT_EQ(ErrorText([&] { ReadText(key_.get(), "Message"); }), "Invalid data type for 'Message'");
  SetRaw("Multi", REG_MULTI_SZ, std::string("a\0\0", 3));
  EXPECT_EQ(ErrorText([&] { ReadText(key_.get(), "Multi"); }), "Invalid data type for 'Multi'");
}

TEST_F(RegistryLayer, BinaryOfExactlyTheAskedSize) {
  EXPECT_FALSE(ReadBinary(key_.get(), "", 96).has_value());
  const std::string bytes(96, '\x5A');
  WriteBinary(key_.get(), "", bytes.data(), bytes.size());
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueExA(key_.get(), "", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  const auto read = ReadBinary(key_.get(), "", 96);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(std::string(read->begin(), read->end()), bytes);

  SetRaw("", REG_BINARY, std::string(95, 'x'));
  EXPECT_FALSE(ReadBinary(key_.get(), "", 96).has_value());
  SetRaw("", REG_BINARY, std::string(97, 'x'));
  EXPECT_FALSE(ReadBinary(key_.get(), "", 96).has_value());
}

TEST_F(RegistryLayer, BinaryOfTheRightSizeButATextOrNumberTypeIsRefused) {
  const std::string sized(95, 'x');
  for (DWORD type : {REG_SZ, REG_EXPAND_SZ}) {
    SetRaw("", type, sized + '\0');
    EXPECT_EQ(ErrorText([&] { ReadBinary(key_.get(), "", 96); }), "Invalid data type for ''") << type;
  }
  SetRaw("", REG_DWORD, std::string(96, 'd'));
  EXPECT_EQ(ErrorText([&] { ReadBinary(key_.get(), "", 96); }), "Invalid data type for ''");
  // A text of another size is not the record at all.
  SetRaw("", REG_SZ, std::string(10, 'x') + '\0');
  EXPECT_EQ(ErrorText([&] { EXPECT_FALSE(ReadBinary(key_.get(), "", 96).has_value()); }), "");
  // Types other than those three are read as they are.
  for (DWORD type : {REG_NONE, REG_QWORD, REG_DWORD_BIG_ENDIAN}) {
    SetRaw("", type, std::string(96, 'q'));
    const auto read = ReadBinary(key_.get(), "", 96);
    ASSERT_TRUE(read.has_value()) << type;
    EXPECT_EQ((*read)[95], 'q');
  }
}

TEST_F(RegistryLayer, WriteFailuresNameTheValue) {
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKeyPath, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  const RegistryKey key(readOnly);
  EXPECT_EQ(ErrorText([&] { WriteText(key.get(), "MessagePosition", "5"); }),
            "Failed to set data for 'MessagePosition'");
  const char bytes[4] = {};
  EXPECT_EQ(ErrorText([&] { WriteBinary(key.get(), "", bytes, sizeof bytes); }), "Failed to set data for ''");
}

TEST_F(RegistryLayer, DeletingAMissingValueIsNoError) {
  EXPECT_TRUE(DeleteValue(key_.get(), "Absent"));
  WriteText(key_.get(), "Present", "x");
  EXPECT_TRUE(DeleteValue(key_.get(), "Present"));
  EXPECT_FALSE(ReadText(key_.get(), "Present").has_value());
}

}  // namespace
}  // namespace velmora::win
