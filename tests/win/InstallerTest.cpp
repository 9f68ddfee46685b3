#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ErrorText.h"
#include "InstallSandbox.h"
#include "common/InstallPlan.h"
#include "install/Installer.h"
#include "win/Handles.h"

namespace velmora {
namespace {

constexpr char kName[] = "VelmoraInstallTest";

using testing::Exists;
using testing::Read;
using testing::Write;

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

class Installer : public testing::InstallSandbox {
 protected:
  Installer() : InstallSandbox(kName) {}
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
