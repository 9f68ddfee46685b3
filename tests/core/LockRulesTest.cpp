#include "core/LockRules.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::uint64_t Point(unsigned x, unsigned y) { return (static_cast<std::uint64_t>(y) << 16) | x; }

TEST(ActivityFilter, MouseMovesOfFivePixelsKeepTheLockAndSixWakeIt) {
  EXPECT_FALSE(CountsAsActivity(0x0200, Point(105, 95), 100, 100));
  EXPECT_FALSE(CountsAsActivity(0x0200, Point(95, 105), 100, 100));
  EXPECT_TRUE(CountsAsActivity(0x0200, Point(106, 100), 100, 100));
  EXPECT_TRUE(CountsAsActivity(0x0200, Point(100, 94), 100, 100));
}

TEST(ActivityFilter, CoordinatesAreUnsigned16Bit) {
  // A pointer left of the screen reports 0xFFFF, i.e. 65535, not -1: far from x = 0.
  EXPECT_TRUE(CountsAsActivity(0x0200, Point(0xFFFF, 0), 0, 0));
  // Only the low 32 bits of lParam carry the point; the high bits on 64-bit are ignored.
  EXPECT_FALSE(CountsAsActivity(0x0200, (0xABCDull << 32) | Point(3, 3), 0, 0));
}

TEST(ActivityFilter, TheMessageTable) {
  for (std::uint32_t message : {0x0006u, 0x001Cu, 0x0086u, 0x0100u, 0x0101u, 0x0104u, 0x0105u, 0x0201u,
                                0x0204u, 0x0207u}) {
    EXPECT_TRUE(CountsAsActivity(message, 0, 0, 0)) << std::hex << message;
  }
  // Button releases, double clicks, the wheel, timers, painting.
  for (std::uint32_t message : {0x0202u, 0x0205u, 0x0208u, 0x0203u, 0x020Au, 0x0113u, 0x000Fu, 0x0102u}) {
    EXPECT_FALSE(CountsAsActivity(message, 0, 0, 0)) << std::hex << message;
  }
}

PromptAnswer Answer(int result, const std::string& typed, const std::string& memo, bool ticked = false) {
  return PromptAnswer{result, typed, memo, ticked};
}

TEST(UnlockDecision, NoPasswordOpensWithoutPromptOrBeep) {
  const UnlockDecision d = DecideUnlock("", true, "msg", PromptAnswer{});
  EXPECT_TRUE(d.granted);
  EXPECT_FALSE(d.beep);
  EXPECT_FALSE(d.takeMessage);
}

TEST(UnlockDecision, ExactPasswordWithOkOpens) {
  const UnlockDecision d = DecideUnlock("Secret", true, "msg", Answer(1, "Secret", "msg"));
  EXPECT_TRUE(d.granted);
  EXPECT_TRUE(d.takeMessage);
}

TEST(UnlockDecision, WrongCaseOrTrailingSpaceIsRefusedWithBeep) {
  for (const char* typed : {"secret", "Secret ", " Secret", "Secre", ""}) {
    const UnlockDecision d = DecideUnlock("Secret", false, "msg", Answer(1, typed, "msg"));
    EXPECT_FALSE(d.granted) << typed;
    EXPECT_TRUE(d.beep) << typed;
  }
}

TEST(UnlockDecision, CancelIsRefusedAndTakesNothing) {
  const UnlockDecision untouched = DecideUnlock("Secret", true, "msg", Answer(2, "Secret", "msg"));
  EXPECT_FALSE(untouched.granted);
  EXPECT_TRUE(untouched.beep);
  EXPECT_FALSE(untouched.takeMessage);
  const UnlockDecision edited = DecideUnlock("Secret", true, "msg", Answer(2, "Secret", "note"));
  EXPECT_FALSE(edited.granted);
  EXPECT_FALSE(edited.beep);
  EXPECT_FALSE(edited.takeMessage);
}

TEST(UnlockDecision, ChangedMessageRefusesWithoutBeepButIsTakenOver) {
  const UnlockDecision d = DecideUnlock("Secret", true, "msg", Answer(1, "Secret", "a note", true));
  EXPECT_FALSE(d.granted);
  EXPECT_FALSE(d.beep);
  EXPECT_TRUE(d.takeMessage);
}

TEST(UnlockDecision, MessageIsNotComparedWhenMessagesAreNotAllowed) {
  const UnlockDecision d = DecideUnlock("Secret", false, "msg", Answer(1, "Secret", "changed"));
  EXPECT_TRUE(d.granted);
}

TEST(UnlockDecision, AutoSubmitWithEmptyFieldIsAnOrdinaryWrongOk) {
  const UnlockDecision d = DecideUnlock("Secret", true, "msg", Answer(1, "", "msg"));
  EXPECT_FALSE(d.granted);
  EXPECT_TRUE(d.beep);
  EXPECT_TRUE(d.takeMessage);
}

TEST(UnlockDecision, LongerThanFortyNeverMatches) {
  const std::string password(40, 'p');
  EXPECT_FALSE(DecideUnlock(password, false, "", Answer(1, password + "p", "")).granted);
  EXPECT_TRUE(DecideUnlock(password, false, "", Answer(1, password, "")).granted);
}

}  // namespace
}  // namespace velmora
