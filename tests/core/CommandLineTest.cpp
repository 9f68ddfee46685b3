// The switch table and the preview handle's reading.
#include "core/CommandLine.h"
#include "core/AsciiText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TRunMode ModeOf(std::vector<std::string> arguments) { return ChooseRunMode(arguments); }

TEST(CommandLine, EachRowOfTheTable) {
  EXPECT_EQ(ModeOf({"/UNINSTALL"}), TRunMode::Uninstall);
  EXPECT_EQ(ModeOf({"/INSTALL"}), TRunMode::Install);
  EXPECT_EQ(ModeOf({"/S"}), TRunMode::Run);
  EXPECT_EQ(ModeOf({"/A"}), TRunMode::None);
  EXPECT_EQ(ModeOf({}), TRunMode::Configure);
  EXPECT_EQ(ModeOf({"/C"}), TRunMode::Configure);
  EXPECT_EQ(ModeOf({"/P", "123"}), TRunMode::Preview);
  EXPECT_EQ(ModeOf({"/X"}), TRunMode::None);
}

TEST(CommandLine, OwnSwitchesAreWholeAndCaseSensitive) {
  EXPECT_EQ(ModeOf({"/install"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/Install"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/uninstall"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/UNINSTALLX"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/INSTALL "}), TRunMode::None);
  EXPECT_EQ(ModeOf({"INSTALL"}), TRunMode::None);
  // Only the first argument counts.
  EXPECT_EQ(ModeOf({"/X", "/INSTALL"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/INSTALL", "/S"}), TRunMode::Install);
}

TEST(CommandLine, HostSwitchesCompareTheirFirstTwoCharacters) {
  EXPECT_EQ(ModeOf({"/s"}), TRunMode::Run);
  EXPECT_EQ(ModeOf({"/Sxyz"}), TRunMode::Run);
  EXPECT_EQ(ModeOf({"/screen"}), TRunMode::Run);
  EXPECT_EQ(ModeOf({"/c"}), TRunMode::Configure);
  EXPECT_EQ(ModeOf({"/c:123"}), TRunMode::Configure);
  EXPECT_EQ(ModeOf({"/C:4567", "x"}), TRunMode::Configure);
  EXPECT_EQ(ModeOf({"/p"}), TRunMode::Preview);
  EXPECT_EQ(ModeOf({"/p:99"}), TRunMode::Preview);
  // "/S..." is tried before "/A" and "/C": a longer switch still means run.
  EXPECT_EQ(ModeOf({"/SA"}), TRunMode::Run);
  // A single character or a missing slash matches nothing.
  EXPECT_EQ(ModeOf({"/"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"S"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"-s"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"\\s"}), TRunMode::None);
}

TEST(CommandLine, PasswordChangeSwitchIsWholeArgument) {
  EXPECT_EQ(ModeOf({"/a"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/a", "x"}), TRunMode::None);
  EXPECT_EQ(ModeOf({"/A", "1234"}), TRunMode::None);
  // "/A" followed by more matches no switch and also ends at once; what matters is
  // that it is not taken for any other mode.
  EXPECT_EQ(ModeOf({"/Ax"}), TRunMode::None);
}

TEST(CommandLine, AnEmptyArgumentIsAnArgument) {
  // The argument count is 1, so this is not "no argument at all".
  EXPECT_EQ(ModeOf({""}), TRunMode::None);
  EXPECT_EQ(ModeOf({"", "/S"}), TRunMode::None);
}

TEST(CommandLine, UpperCaseTouchesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpperCase("az/AZ09{`"), "AZ/AZ09{`");
  // 0xE9 and 0xF3 are letters in the ANSI code page, but not ASCII: left alone.
  EXPECT_EQ(AsciiUpperCase("/\xE9\xF3"), "/\xE9\xF3");
  EXPECT_EQ(ModeOf({"/\xF3"}), TRunMode::None);
}

TEST(CommandLine, WindowHandleIsDecimal) {
  EXPECT_EQ(ParseWindowHandle("0"), 0);
  EXPECT_EQ(ParseWindowHandle("123"), 123);
  EXPECT_EQ(ParseWindowHandle("00123"), 123);
  EXPECT_EQ(ParseWindowHandle("+65544"), 65544);
  EXPECT_EQ(ParseWindowHandle("-2"), -2);
  EXPECT_EQ(ParseWindowHandle("2147483647"), 2147483647);
  // Unsigned 32-bit values come back as their bit pattern.
  EXPECT_EQ(ParseWindowHandle("4294967295"), -1);
  EXPECT_EQ(ParseWindowHandle("2147483648"), INT32_MIN);
  EXPECT_EQ(ParseWindowHandle("-2147483648"), INT32_MIN);
}

TEST(CommandLine, WindowHandleRejectsWhatIsNotANumber) {
  for (const char* text : {"", "abc", "12abc", "0x10", " 12", "12 ", "-", "+", "+-1", "--1",
                           "1.5", "1e3", ":123", "4294967296", "-2147483649",
                           "99999999999999999999999"}) {
    EXPECT_FALSE(ParseWindowHandle(text).has_value()) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace velmora
