// Path-macro benchmark: the start-up's expansion of a language file made of one macro that
// quadruples itself and 5,000 lines that use it twice, with sources that answer at once. Prints
// the time of the whole walk and of its slowest line; never fails on timing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "common/LanguageTable.h"
#include "common/PathMacros.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

std::string MacroLinesFile(int lines) {
  std::string file = "a=%a%%a%%a%%a%\r\n";
  for (int i = 1; i <= lines; ++i) file += "k" + std::to_string(i) + "=%a%%a%\r\n";
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmora;
  const int lines = argc > 1 ? std::stoi(argv[1]) : 5000;
  PathMacroSources sources;
  sources.ExpandEnvironment = [](const std::string& text) { return text; };
  sources.SpecialFolderPath = [](int csidl) { return "C:\\Folder" + std::to_string(csidl); };
  sources.RegistryValues = [] {
    return std::vector<std::pair<std::string, std::string>>{{"ProgramFilesDir", "C:\\PF"},
                                                            {"CommonFilesDir", "C:\\CF"}};
  };

  TLanguageTable table;
  table.Assign(MacroLinesFile(lines));
  double slowest = 0;
  std::size_t longest = 0;
  const Clock::time_point start = Clock::now();
  ExpandTableMacros(table, [&](const std::string& text) {
    const Clock::time_point lineStart = Clock::now();
    std::string expanded = ExpandPathMacros(text, table, sources);
    slowest = std::max(slowest, Milliseconds(Clock::now() - lineStart));
    longest = std::max(longest, expanded.size());
    return expanded;
  });
  const double total = Milliseconds(Clock::now() - start);
  std::printf("%d macro lines + 1: %.1f ms in all, %.3f ms per line, slowest line %.1f ms, "
              "longest value %zu bytes\n",
              lines, total, total / (lines + 1), slowest, longest);
  return 0;
}
