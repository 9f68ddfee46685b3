#include "common/LanguageTable.h"

#include <algorithm>
#include <iterator>

#include "core/AsciiText.h"

namespace velmora {

TLanguageTable LanguageTable;

std::string MacroNameKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x7F || c == 'i' || c == 'I') {
      c = '\x80';
    } else {
      c = AsciiUpperChar(c);
    }
  }
  return key;
}

std::string MacroLookupKey(const std::string& name) {
  return name.find('%') == std::string::npos ? MacroNameKey(name) : std::string("%");
}

const std::vector<std::size_t>& TNameIndex::Lines(const std::vector<std::string>& lines,
                                                  const std::string& name) {
  static const std::vector<std::size_t> none;
  if (!built_) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (LineHasName(lines[i])) lines_[key_(LineName(lines[i]))].push_back(i);
    }
    built_ = true;
  }
  const auto found = lines_.find(key_(name));
  return found == lines_.end() ? none : found->second;
}

void TNameIndex::Drop() {
  lines_.clear();
  built_ = false;
}

void TNameIndex::Appended(const std::string& name, std::size_t line) {
  if (built_) lines_[key_(name)].push_back(line);
}

void TNameIndex::Erased(std::size_t line) {
  if (!built_) return;
  // The lines after it move up by one.
  for (auto& entry : lines_) {
    std::vector<std::size_t>& indexes = entry.second;
    indexes.erase(std::remove(indexes.begin(), indexes.end(), line), indexes.end());
    for (std::size_t& index : indexes) {
      if (index > line) --index;
    }
  }
}

void TNameIndex::Respelt(const std::string& before, const std::string& after) {
  // A name equal under the comparer may still be spelt so that its key differs.
  if (built_ && key_(before) != key_(after)) Drop();
}

void TLanguageTable::Assign(const std::string& fileBytes) {
  lines_.clear();
  DropIndexes();
  // No window shows a zero byte in an ANSI text: the file is read as if its zero bytes were not there.
  std::string withoutZeros;
  const bool holdsZeros = fileBytes.find('\0') != std::string::npos;
  if (holdsZeros) {
    withoutZeros.reserve(fileBytes.size());
    std::remove_copy(fileBytes.begin(), fileBytes.end(), std::back_inserter(withoutZeros), '\0');
  }
  const std::string& text = holdsZeros ? withoutZeros : fileBytes;
  // Each line is copied whole: a file of long values costs no more than a copy of it.
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines_.emplace_back(text, start);
      break;
    }
    lines_.emplace_back(text, start, end - start);
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

std::size_t TLanguageTable::Find(const std::string& name) const {
  if (lookupIndex_.Key() != nullptr) {
    for (const std::size_t line : lookupIndex_.Lines(lines_, name)) {
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
    macroIndex_.Appended(name, lines_.size() - 1);
    lookupIndex_.Appended(name, lines_.size() - 1);
  } else if (value.empty()) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    macroIndex_.Erased(index);
    lookupIndex_.Erased(index);
  } else {
    const std::string before = LineName(lines_[index]);
    lines_[index] = name + "=" + value;
    macroIndex_.Respelt(before, name);
    lookupIndex_.Respelt(before, name);
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

std::string_view ShortText(std::string_view value) { return value.substr(0, value.find('|')); }

std::string_view LongText(std::string_view value) {
  const std::size_t bar = value.find('|');
  return bar == std::string_view::npos ? value : value.substr(bar + 1);
}

}  // namespace velmora
