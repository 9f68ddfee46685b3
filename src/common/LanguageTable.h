// The language table: the language file's lines, looked up by name without regard to case.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/AsciiText.h"

namespace velmora {

// Compares two names without regard to case. The default folds ASCII letters; the Windows side
// installs the user locale's comparison at start-up.
using NameComparer = bool (*)(const std::string& a, const std::string& b);

// A key of a name, equal for the names a comparer finds equal.
using NameKey = std::string (*)(const std::string& name);

// Line indexes by a key of their names: built on first use, told of every change.
class TNameIndex {
 public:
  explicit TNameIndex(NameKey key = nullptr) : key_(key) {}
  NameKey Key() const { return key_; }
  // The lines, ascending, whose names have the key of `name`.
  const std::vector<std::size_t>& Lines(const std::vector<std::string>& lines,
                                        const std::string& name);
  void Drop();
  void Appended(const std::string& name, std::size_t line);
  void Erased(std::size_t line);
  void Respelt(const std::string& before, const std::string& after);

 private:
  NameKey key_;
  std::unordered_map<std::string, std::vector<std::size_t>> lines_;
  bool built_ = false;
};

// MacroNameKey, with every name that holds "%" under the one key "%": a macro of such a name
// spans more than the text between two neighbouring "%" signs.
std::string MacroLookupKey(const std::string& name);

class TLanguageTable {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // Replaces the table with the lines of a file's bytes, read whole: CR LF, a lone LF and a lone
  // CR each end a line; zero bytes are dropped; nothing is trimmed.
  void Assign(const std::string& fileBytes);
  void Clear() {
    lines_.clear();
    DropIndexes();
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

  // `comparer` decides which names are equal. `key`, when given, must give the same key to any
  // two names the comparer finds equal: lookups then compare only the lines whose names have
  // the wanted name's key instead of walking every line.
  void SetComparer(NameComparer comparer, NameKey key = nullptr) {
    equals_ = comparer;
    lookupIndex_ = TNameIndex(key);
  }
  NameComparer Comparer() const { return equals_; }

  // The indexes, in ascending order, of the lines whose name could equal `name` when both are
  // upper-cased (their MacroNameKey is the same), so that an expansion need not walk every
  // line; for a name that holds "%", the lines whose names hold "%". Valid until the table
  // changes.
  const std::vector<std::size_t>& LinesNamedLike(const std::string& name) const {
    return macroIndex_.Lines(lines_, name);
  }

 private:
  void DropIndexes() const {
    macroIndex_.Drop();
    lookupIndex_.Drop();
  }

  std::vector<std::string> lines_;
  NameComparer equals_ = AsciiEqualIgnoringCase;
  mutable TNameIndex macroIndex_{MacroLookupKey};
  mutable TNameIndex lookupIndex_{MacroLookupKey};
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
// without "|" serves as both. Views into `value`: valid while it is.
std::string_view ShortText(std::string_view value);
std::string_view LongText(std::string_view value);

extern TLanguageTable LanguageTable;

}  // namespace velmora
