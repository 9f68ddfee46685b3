#include "core/Settings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DefaultMessage, TwoLinesOf361Bytes) {
  const std::string& message = DefaultMessage();
  EXPECT_EQ(message.size(), 361u);
  EXPECT_EQ(message.find("\r\n"), 339u);
  EXPECT_EQ(message.substr(341), "~Ecclesiastes 3:1-4~");
  EXPECT_EQ(message.front(), '"');
  EXPECT_EQ(message[338], '"');
}

TEST(PasswordField, CutTo40AndClearsWhatALongerPasswordLeft) {
  TSavedSettings settings;
  settings.SetPassword(std::string(41, 'x'));
  EXPECT_EQ(settings.PasswordBytes[0], 40);
  EXPECT_EQ(settings.Password(), std::string(40, 'x'));
  settings.SetPassword("ab");
  EXPECT_EQ(settings.Password(), "ab");
  EXPECT_EQ(settings.PasswordBytes[2], 'b');
  for (int i = 3; i <= 40; ++i) EXPECT_EQ(settings.PasswordBytes[i], 0) << i;
}

}  // namespace
}  // namespace velmora
