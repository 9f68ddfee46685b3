// Splits a fuzz input into sections at a separator byte, so that seeds stay readable text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::fuzz {

// The bytes between separators; missing sections are empty.
inline std::vector<std::string> Sections(const std::uint8_t* data, std::size_t size,
                                         std::size_t count, char separator = '\x1E') {
  std::vector<std::string> sections(count);
  std::size_t index = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == separator && index + 1 < count) {
      ++index;
    } else {
      sections[index].push_back(c);
    }
  }
  return sections;
}

// The lines of a section, split at LF.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

#define VELMORA_FUZZ_CHECK(condition)                                               \
  do {                                                                               \
    if (!(condition)) {                                                              \
      __builtin_printf("check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      __builtin_trap();                                                              \
    }                                                                                \
  } while (0)

}  // namespace velmora::fuzz
