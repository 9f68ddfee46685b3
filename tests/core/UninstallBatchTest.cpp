#include "common/UninstallBatch.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(UninstallBatchText, OrdinaryPathsByteForByte) {
  const TUninstallBatchPaths paths{"C:\\WINDOWS\\SYSTEM32\\", "Velmora.scr", "Velmora",
                                   "C:\\Documents and Settings\\Ann\\Desktop"};
  const std::string retry = " if %tries% lss 43200 (ping -n 2 127.0.0.1 > nul & set /a tries+=1 & goto ";
  EXPECT_EQ(UninstallBatchText(paths),
            "@echo off\r\n"
            "set /a tries=0\r\n"
            ":L1\r\n"
            "del \"C:\\WINDOWS\\SYSTEM32\\Velmora.dll\" > nul\r\n"
            "if exist \"C:\\WINDOWS\\SYSTEM32\\Velmora.dll\"" + retry + "L1)\r\n"
            ":L2\r\n"
            "del \"C:\\WINDOWS\\SYSTEM32\\Velmora.scr\" > nul\r\n"
            "if exist \"C:\\WINDOWS\\SYSTEM32\\Velmora.scr\"" + retry + "L2)\r\n"
            ":L3\r\n"
            "del \"C:\\WINDOWS\\SYSTEM32\\Velmora.lng\" > nul\r\n"
            "if exist \"C:\\WINDOWS\\SYSTEM32\\Velmora.lng\"" + retry + "L3)\r\n"
            ":L4\r\n"
            "del \"C:\\Documents and Settings\\Ann\\Desktop\\Velmora.lnk\" > nul\r\n"
            "if exist \"C:\\Documents and Settings\\Ann\\Desktop\\Velmora.lnk\"" + retry + "L4)\r\n"
            "del %0 > nul\r\n");
}

// Every "%" of a path is doubled, also one that ends a path or stands beside another; the
// characters that are literal inside quotes pass as they are; the program's own "%tries%" and
// "%0" stay single.
TEST(UninstallBatchText, HostilePathsDoubleEveryPercentAndNothingElse) {
  const TUninstallBatchPaths paths{"C:\\Tools\\100%PATH%\\a&b^c!d(e)f;g,h=i%\\", "x%%y.scr", "x%%y",
                                   "D:\\%USERPROFILE%\\%1 %~dp0"};
  const std::string text = UninstallBatchText(paths);
  const std::string dir = "C:\\Tools\\100%%PATH%%\\a&b^c!d(e)f;g,h=i%%\\";
  EXPECT_NE(text.find("del \"" + dir + "Velmora.dll\" > nul\r\n"), std::string::npos);
  EXPECT_NE(text.find("del \"" + dir + "x%%%%y.scr\" > nul\r\n"), std::string::npos);
  EXPECT_NE(text.find("if exist \"" + dir + "x%%%%y.lng\" if %tries% "), std::string::npos);
  EXPECT_NE(text.find("del \"D:\\%%USERPROFILE%%\\%%1 %%~dp0\\x%%%%y.lnk\" > nul\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 16), "\r\ndel %0 > nul\r\n");
}

TEST(UninstallBatchText, DescribedLinesAndTheCounterInOrderEveryOneEndedByCrLf) {
  const std::string text = UninstallBatchText({"C:\\a\\", "V.scr", "V", "C:\\d"});
  std::string lines;
  std::size_t count = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "the last line lacks its CR LF";
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    lines += line.substr(0, line.find(' ')) + "|";
    ++count;
    start = end + 2;
  }
  EXPECT_EQ(count, 15u);
  EXPECT_EQ(lines, "@echo|set|:L1|del|if|:L2|del|if|:L3|del|if|:L4|del|if|del|");
}

TEST(BatchQuotedPath, DoublesPercentOnly) {
  EXPECT_EQ(BatchQuotedPath(""), "\"\"");
  EXPECT_EQ(BatchQuotedPath("%"), "\"%%\"");
  EXPECT_EQ(BatchQuotedPath("C:\\x^&|<>()!y"), "\"C:\\x^&|<>()!y\"");
  EXPECT_EQ(BatchQuotedPath("\xE4%\xFC"), "\"\xE4%%\xFC\"");
}

}  // namespace
}  // namespace velmora
