#include "common/LanguageTable.h"

#include <algorithm>
#include <iterator>

namespace velmora {

TLanguageTable LanguageTable;

namespace {
char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool AsciiNamesEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

void TLanguageTable::Assign(const std::string& fileBytes) {
  lines_.clear();
  // No window shows a zero byte in an ANSI text: the file is read as if its zero bytes were not there.
  std::string text;
  text.reserve(fileBytes.size());
  std::remove_copy(fileBytes.begin(), fileBytes.end(), std::back_inserter(text), '\0');
  std::string line;
  bool pending = false;  // text after the last line end, even an empty line before the end
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines_.push_back(line);
      line.clear();
      pending = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line.push_back(c);
      pending = true;
    }
  }
  if (pending) lines_.push_back(line);
}

std::size_t TLanguageTable::Find(const std::string& name) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (LineHasName(lines_[i]) && equals_(LineName(lines_[i]), name)) return i;
  }
  return npos;
}

std::string TLanguageTable::Value(const std::string& name) const {
  const std::size_t index = Find(name);
  return index == npos ? std::string() : LineValue(lines_[index]);
}

void TLanguageTable::SetValue(const std::string& name, const std::string& value) {
  const std::size_t index = Find(name);
  if (index == npos) {
    if (!value.empty()) lines_.push_back(name + "=" + value);
  } else if (value.empty()) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  } else {
    lines_[index] = name + "=" + value;
  }
}

bool LineHasName(const std::string& line) { return line.find('=') != std::string::npos; }

std::string LineName(const std::string& line) {
  const std::size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string LineValue(const std::string& line) {
  const std::size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string CaretsToLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '^') {
      out += "\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string ShortText(const std::string& value) { return value.substr(0, value.find('|')); }

std::string LongText(const std::string& value) {
  const std::size_t bar = value.find('|');
  return bar == std::string::npos ? value : value.substr(bar + 1);
}

}  // namespace velmora
