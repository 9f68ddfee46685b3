#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ErrorText.h"
#include "common/InstallPlan.h"
#include "install/Installer.h"
#include "win/Handles.h"

namespace velmora {
namespace {

constexpr char kName[] = "VelmoraInstallTest";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

using Values = std::vector<std::pair<std::string, std::string>>;

// The values of a key as the registry lists them (Wine's registry sorts them by name, so the
// order of writing shows only in the plan); empty when the key is not there.
Values ReadValues(const std::string& path) {
  Values values;
  win::RegistryKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return values;
  for (DWORD index = 0;; ++index) {
    char name[256] = {};
    BYTE data[512] = {};
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    values.emplace_back(name, type == REG_SZ ? std::string(reinterpret_cast<char*>(data)) : "<not REG_SZ>");
  }
  return values;
}

// A stand-in Windows folder, working directory and desktop under the temporary folder.
class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "velmora-install-" + std::to_string(GetCurrentProcessId()) + "\\";
    for (const char* folder : {"", "source", "work", "windows", "windows\\SYSTEM32", "desktop"}) {
      CreateDirectoryA((root_ + folder).c_str(), nullptr);
    }
    Write(root_ + "source\\" + kName + ".scr", "program");
    Write(root_ + "work\\Velmora.dll", "library");
    Write(root_ + "work\\" + kName + ".lng", "language");
    plan_ = BuildInstallPlan(root_ + "source\\" + kName + ".scr", kName, root_ + "work", root_ + "windows",
                             root_ + "desktop");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, plan_.UninstallKeyPath.c_str());
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, plan_.UninstallKeyPath.c_str());
    for (const char* file : {"source\\*", "work\\*", "windows\\SYSTEM32\\*", "desktop\\*"}) {
      WIN32_FIND_DATAA found;
      const std::string pattern = root_ + file;
      const std::string folder = pattern.substr(0, pattern.size() - 1);
      const win::FindHandle find(FindFirstFileA(pattern.c_str(), &found));
      if (!find) continue;
      do DeleteFileA((folder + found.cFileName).c_str());
      while (FindNextFileA(find.get(), &found));
    }
    for (const char* folder : {"source", "work", "windows\\SYSTEM32", "windows", "desktop", ""}) {
      RemoveDirectoryA((root_ + folder).c_str());
    }
  }
  std::string System(const std::string& name) const { return root_ + "windows\\SYSTEM32\\" + name; }

  std::string root_;
  TInstallPlan plan_;
};

TEST_F(Installer, CopiesOverwritingRegistersAndMakesTheShortcutWhenAsked) {
  Write(System("Velmora.dll"), "an older, longer library");
  CopyAndRegister(plan_, false);
  EXPECT_EQ(Read(System(std::string(kName) + ".scr")), "program");
  EXPECT_EQ(Read(System("Velmora.dll")), "library");
  EXPECT_EQ(Read(System(std::string(kName) + ".lng")), "language");
  EXPECT_EQ(ReadValues(plan_.UninstallKeyPath),
            (Values{{"DisplayName", kName}, {"UninstallString", std::string(kName) + ".scr /UNINSTALL"}, {kName, kName}}));
  EXPECT_FALSE(Exists(plan_.ShortcutPath));

  CopyAndRegister(plan_, true);  // a second installation overwrites and writes again
  EXPECT_EQ(ReadValues(plan_.UninstallKeyPath).size(), 3u);
  EXPECT_TRUE(Exists(plan_.ShortcutPath));
}

// The executable is copied, the library is not there: the failure names both paths and the
// system's reason, and nothing after it happens.
TEST_F(Installer, AFailedCopyIsAnErrorAndStopsEverythingAfterIt) {
  DeleteFileA((root_ + "work\\Velmora.dll").c_str());
  const std::string text = testing::ErrorText([&] { CopyAndRegister(plan_, true); });
  const std::string expected = "Cannot copy \"" + root_ + "work\\Velmora.dll\" to \"" + System("Velmora.dll") + "\": ";
  EXPECT_EQ(text.substr(0, expected.size()), expected);
  EXPECT_GT(text.size(), expected.size()) << "no reason given";
  EXPECT_TRUE(Exists(System(std::string(kName) + ".scr")));
  EXPECT_FALSE(Exists(System("Velmora.dll")));
  EXPECT_FALSE(Exists(System(std::string(kName) + ".lng")));
  EXPECT_TRUE(ReadValues(plan_.UninstallKeyPath).empty());
  EXPECT_FALSE(Exists(plan_.ShortcutPath));
}

}  // namespace
}  // namespace velmora
