// The language table: the language file's lines, looked up by name without regard to case.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

// Compares two names without regard to case. The default folds ASCII letters; the Windows side
// installs the user locale's comparison at start-up.
using NameComparer = bool (*)(const std::string& a, const std::string& b);
bool AsciiNamesEqual(const std::string& a, const std::string& b);

class TLanguageTable {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // Replaces the table with the lines of a file's bytes, read whole: CR LF, a lone LF and a lone
  // CR each end a line; zero bytes are dropped; nothing is trimmed.
  void Assign(const std::string& fileBytes);
  void Clear() { lines_.clear(); }

  std::size_t Count() const { return lines_.size(); }
  const std::string& Line(std::size_t index) const { return lines_.at(index); }

  // The first line, in file order, whose name equals `name`; npos when there is none.
  std::size_t Find(const std::string& name) const;
  // The value of that line; empty when there is none.
  std::string Value(const std::string& name) const;
  // Replaces the first line named `name` with name=value; an empty value removes that line.
  // A name that is not there is appended (unless the value is empty).
  void SetValue(const std::string& name, const std::string& value);

  void SetComparer(NameComparer comparer) { equals_ = comparer; }
  NameComparer Comparer() const { return equals_; }

 private:
  std::vector<std::string> lines_;
  NameComparer equals_ = AsciiNamesEqual;
};

// A line's name is its text before the first "="; a line without "=" has none.
bool LineHasName(const std::string& line);
std::string LineName(const std::string& line);
std::string LineValue(const std::string& line);

// "^" becomes CR LF, left to right.
std::string CaretsToLineBreaks(const std::string& text);
// The part before the first "|" (caption or text), and the part after it (hint); a value
// without "|" serves as both.
std::string ShortText(const std::string& value);
std::string LongText(const std::string& value);

extern TLanguageTable LanguageTable;

}  // namespace velmora
