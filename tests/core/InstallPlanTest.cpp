#include "common/InstallPlan.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Error.h"

namespace velmora {
namespace {

TEST(BuildInstallPlan, CopiesValuesAndShortcutFromTheThreePaths) {
  const TInstallPlan plan = BuildInstallPlan("D:\\Download\\vm\\Velmora.scr", "Velmora", "E:\\work",
                                             "C:\\WINDOWS", "C:\\Users\\Ann\\Desktop");
  EXPECT_EQ(plan.SystemFolder, "C:\\WINDOWS\\SYSTEM32\\");
  EXPECT_EQ(plan.FileName, "Velmora.scr");
  ASSERT_EQ(plan.Copies.size(), 3u);
  EXPECT_EQ(plan.Copies[0].Source, "D:\\Download\\vm\\Velmora.scr");
  EXPECT_EQ(plan.Copies[0].Destination, "C:\\WINDOWS\\SYSTEM32\\Velmora.scr");
  EXPECT_EQ(plan.Copies[1].Source, "E:\\work\\Velmora.dll");
  EXPECT_EQ(plan.Copies[1].Destination, "C:\\WINDOWS\\SYSTEM32\\Velmora.dll");
  EXPECT_EQ(plan.Copies[2].Source, "E:\\work\\Velmora.lng");
  EXPECT_EQ(plan.Copies[2].Destination, "C:\\WINDOWS\\SYSTEM32\\Velmora.lng");
  EXPECT_EQ(plan.UninstallKeyPath, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora");
  using Values = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(plan.UninstallValues,
            (Values{{"DisplayName", "Velmora"}, {"Velmora", "Velmora"}, {"UninstallString", "Velmora.scr /UNINSTALL"}}));
  EXPECT_EQ(plan.ShortcutPath, "C:\\Users\\Ann\\Desktop\\Velmora.lnk");
  EXPECT_EQ(plan.ShortcutTarget, "Velmora.scr");
  EXPECT_EQ(plan.InstalledFile(), "C:\\WINDOWS\\SYSTEM32\\Velmora.scr");
}

// The language file follows the program's name, not "Velmora"; the executable is taken from its
// own folder, the companions from the working directory, a drive root without a doubled "\".
TEST(BuildInstallPlan, RenamedProgramAndRootFolders) {
  const TInstallPlan plan = BuildInstallPlan("C:\\x\\Lock.Me.scr", "Lock.Me", "F:\\", "W:\\", "D");
  EXPECT_EQ(plan.Copies[0].Destination, "W:\\SYSTEM32\\Lock.Me.scr");
  EXPECT_EQ(plan.Copies[1].Source, "F:\\Velmora.dll");
  EXPECT_EQ(plan.Copies[2].Source, "F:\\Lock.Me.lng");
  EXPECT_EQ(plan.Copies[2].Destination, "W:\\SYSTEM32\\Lock.Me.lng");
  EXPECT_EQ(plan.UninstallValues[1], (std::pair<std::string, std::string>{"Lock.Me", "Lock.Me"}));
  EXPECT_EQ(plan.UninstallValues[2].second, "Lock.Me.scr /UNINSTALL");
  EXPECT_EQ(plan.ShortcutPath, "D\\Lock.Me.lnk");
}

// The longest destination is the executable's or the language file's; 259 characters fit.
TEST(BuildInstallPlan, DestinationLongerThan259CharactersIsAnError) {
  const std::string fits(259 - std::string("\\SYSTEM32\\Velmora.scr").size(), 'w');
  const TInstallPlan plan = BuildInstallPlan("C:\\Velmora.scr", "Velmora", "C:\\", fits, "D");
  EXPECT_EQ(plan.Copies[0].Destination.size(), 259u);
  const std::string tooLong = fits + "w";
  try {
    BuildInstallPlan("C:\\Velmora.scr", "Velmora", "C:\\", tooLong, "D");
    FAIL() << "no error for a 260-character destination";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "The Windows folder \"" + tooLong + "\" is too long: \"" + tooLong +
                                             "\\SYSTEM32\\Velmora.scr\" has 260 characters, more than 259.");
  }
  EXPECT_THROW(BuildInstallPlan("C:\\V.scr", "Velmora-with-a-long-name", "C:\\", fits, "D"), Error);
}

}  // namespace
}  // namespace velmora
