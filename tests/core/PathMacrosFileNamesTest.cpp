#include "common/FileNames.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DirectoryPart, UpToAndIncludingTheLastBackslashOrColon) {
  EXPECT_EQ(DirectoryPart("C:\\Windows\\System32\\Velmora.scr"), "C:\\Windows\\System32\\");
  EXPECT_EQ(DirectoryPart("C:Velmora.scr"), "C:");
  EXPECT_EQ(DirectoryPart("\\\\server\\share\\a.scr"), "\\\\server\\share\\");
  EXPECT_EQ(DirectoryPart("Velmora.scr"), "");
  EXPECT_EQ(DirectoryPart(""), "");
}

TEST(ChangeFileExtension, ReplacesFromTheLastDotOfTheFileNameOn) {
  EXPECT_EQ(ChangeFileExtension("C:\\Windows\\Velmora.scr", ".lng"), "C:\\Windows\\Velmora.lng");
  EXPECT_EQ(ChangeFileExtension("C:\\a\\Velmora.test.scr", ".lng"), "C:\\a\\Velmora.test.lng");
  EXPECT_EQ(ChangeFileExtension("C:\\a\\Velmora.", ".lng"), "C:\\a\\Velmora.lng");
}

TEST(ChangeFileExtension, AppendsWhenTheFileNameHasNoDot) {
  EXPECT_EQ(ChangeFileExtension("C:\\my.dir\\Velmora", ".lng"), "C:\\my.dir\\Velmora.lng");
  EXPECT_EQ(ChangeFileExtension("D:Velmora", ".lng"), "D:Velmora.lng");
  EXPECT_EQ(ChangeFileExtension("/home/x.y/Velmora", ".lng"), "/home/x.y/Velmora.lng");
  EXPECT_EQ(ChangeFileExtension("Velmora", ".lng"), "Velmora.lng");
}

}  // namespace
}  // namespace velmora
