#include "core/Crypt32.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string Scramble(const std::string& s) { return Encrypt(s, kStoreStartKey, kStoreMultiplier, kStoreAddend); }
std::string Unscramble(const std::string& s) { return Decrypt(s, kStoreStartKey, kStoreMultiplier, kStoreAddend); }

TEST(Crypt32, ConstantsHaveTheStoresShape) {
  EXPECT_GE(kStoreStartKey, 100);
  EXPECT_LE(kStoreStartKey, 999);
  EXPECT_GE(kStoreMultiplier, 10000);
  EXPECT_GE(kStoreAddend, 10000);
}

TEST(Crypt32, EmptyStaysEmpty) {
  EXPECT_EQ(Scramble(""), "");
  EXPECT_EQ(Unscramble(""), "");
}

TEST(Crypt32, FirstBytesFollowTheKeyByHand) {
  // K0 = 0x1234: out0 = 'A' ^ 0x12 = 0x53; K1 = ((0x1234 + 0x53) * 3 + 5) mod 65536 = 0x379A;
  // out1 = 'B' ^ 0x37 = 0x75.
  EXPECT_EQ(Encrypt("AB", 0x1234, 3, 5), std::string("\x53\x75"));
  EXPECT_EQ(Decrypt(std::string("\x53\x75"), 0x1234, 3, 5), "AB");
}

TEST(Crypt32, KeyArithmeticWrapsAt16Bits) {
  // K0 = 0xFFFF: out0 = 0x00 ^ 0xFF = 0xFF; K1 = ((0xFFFF + 0xFF) * 0xFFFF + 0xFFFF) mod 65536
  // = (0x100FE * 0xFFFF + 0xFFFF) mod 65536 = 0xFF01; out1 = 0x00 ^ 0xFF = 0xFF.
  EXPECT_EQ(Encrypt(std::string(2, '\0'), 0xFFFF, 0xFFFF, 0xFFFF), std::string("\xFF\xFF"));
}

TEST(Crypt32, ZeroBytesInsideTheOutputCount) {
  // With start key 0x4100 the first output byte of 'A' (0x41) is zero.
  const std::string scrambled = Encrypt("ABC", 0x4100, 52845, 22719);
  ASSERT_EQ(scrambled.size(), 3u);
  EXPECT_EQ(scrambled[0], '\0');
  EXPECT_EQ(Decrypt(scrambled, 0x4100, 52845, 22719), "ABC");
}

TEST(Crypt32, OneChangedByteChangesItselfAndEverythingAfter) {
  const std::string a = Scramble("password-one");
  const std::string b = Scramble("passwOrd-one");
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(a[i], b[i]) << i;
  for (size_t i = 5; i < a.size(); ++i) EXPECT_NE(a[i], b[i]) << i;
}

TEST(Crypt32, RoundTripsEveryLengthUpTo255BothWays) {
  std::string text;
  for (int n = 0; n <= 255; ++n) {
    EXPECT_EQ(Unscramble(Scramble(text)), text) << n;
    EXPECT_EQ(Scramble(Unscramble(text)), text) << n;
    text.push_back(static_cast<char>((n * 37 + 11) & 0xFF));
  }
}

TEST(Crypt32, FortyCharacterPasswordSurvives) {
  const std::string password = "0123456789abcdefghijABCDEFGHIJ!\"#$%&'()*";
  ASSERT_EQ(password.size(), 40u);
  const std::string scrambled = Scramble(password);
  EXPECT_NE(scrambled, password);
  EXPECT_EQ(Unscramble(scrambled), password);
}

}  // namespace
}  // namespace velmora
