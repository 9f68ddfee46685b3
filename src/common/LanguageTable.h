// The language table: the language file's lines, looked up by name without regard to case.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
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
  void Clear() {
    lines_.clear();
    DropIndex();
  }

  std::size_t Count() const { return lines_.size(); }
  const std::string& Line(std::size_t index) const { return lines_.at(index); }

  // The first line, in file order, whose name equals `name`; npos when there is none.
  std::size_t Find(const std::string& name) const;
  // The value of that line; empty when there is none.
  std::string Value(const std::string& name) const;
  // Replaces the first line named `name` with name=value; an empty value removes that line.
  // A name that is not there is appended (unless the value is empty).
  void SetValue(const std::string& name, const std::string& value);

  // `comparer` decides which names are equal. When any two names it finds equal have the same
  // MacroNameKey, as with ASCII folding, lookups take the lines named like the wanted name from
  // the index instead of walking every line.
  void SetComparer(NameComparer comparer, bool equalNamesShareTheirKey = false) {
    equals_ = comparer;
    keyed_ = equalNamesShareTheirKey;
  }
  NameComparer Comparer() const { return equals_; }

  // The indexes, in ascending order, of the lines whose name could equal `name` when both are
  // upper-cased (their MacroNameKey is the same), so that an expansion need not walk every
  // line; for a name that holds "%", the lines whose names hold "%". Valid until the table
  // changes.
  const std::vector<std::size_t>& LinesNamedLike(const std::string& name) const;

 private:
  void DropIndex() const;

  std::vector<std::string> lines_;
  NameComparer equals_ = AsciiNamesEqual;
  bool keyed_ = true;
  // MacroNameKey of each line's name -> line indexes; built on first use, kept up to date by
  // SetValue, dropped by Assign and Clear.
  mutable std::unordered_map<std::string, std::vector<std::size_t>> index_;
  mutable bool indexed_ = false;
};

// A name with ASCII letters folded to capitals, and every byte above 0x7F and the letter I in
// either case made one byte: names that any upper-case of an ANSI code page makes equal have
// the same key (only ASCII letters change among the ASCII bytes, and the Turkish dotted and
// dotless i change between "I" and bytes above 0x7F).
std::string MacroNameKey(const std::string& name);

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
