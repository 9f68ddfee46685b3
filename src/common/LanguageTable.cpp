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

std::string MacroNameKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x7F || c == 'i' || c == 'I') {
      c = '\x80';
    } else {
      c = FoldAscii(c);
    }
  }
  return key;
}

namespace {
// Names that hold "%" are listed together: a macro of such a name spans more than the text
// between two neighbouring "%" signs.
std::string IndexKey(const std::string& name) {
  return name.find('%') == std::string::npos ? MacroNameKey(name) : std::string("%");
}
}  // namespace

void TLanguageTable::DropIndex() const {
  index_.clear();
  indexed_ = false;
}

const std::vector<std::size_t>& TLanguageTable::LinesNamedLike(const std::string& name) const {
  static const std::vector<std::size_t> none;
  if (!indexed_) {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (LineHasName(lines_[i])) index_[IndexKey(LineName(lines_[i]))].push_back(i);
    }
    indexed_ = true;
  }
  const auto found = index_.find(IndexKey(name));
  return found == index_.end() ? none : found->second;
}

void TLanguageTable::Assign(const std::string& fileBytes) {
  lines_.clear();
  DropIndex();
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
  if (keyed_) {
    for (const std::size_t line : LinesNamedLike(name)) {
      if (equals_(LineName(lines_[line]), name)) return line;
    }
    return npos;
  }
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
    if (value.empty()) return;
    lines_.push_back(name + "=" + value);
    if (indexed_) index_[IndexKey(name)].push_back(lines_.size() - 1);
  } else if (value.empty()) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    if (!indexed_) return;
    // The lines after it move up by one.
    for (auto& entry : index_) {
      std::vector<std::size_t>& lines = entry.second;
      lines.erase(std::remove(lines.begin(), lines.end(), index), lines.end());
      for (std::size_t& line : lines) {
        if (line > index) --line;
      }
    }
  } else {
    // A name equal under the comparer may still be spelt so that its key differs.
    if (IndexKey(LineName(lines_[index])) != IndexKey(name)) DropIndex();
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
