// The kinds of components a form is built from, and which of their texts a language entry sets.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class TLanguageTable;

enum class ComponentKind {
  Form,
  Panel,
  Label,
  CheckBox,
  Button,
  Edit,         // single-line edit field
  Memo,         // multi-line text box
  ComboBox,     // drop-down list
  ColorBox,     // colour list with swatches
  TrackBar,
  UpDown,
  PageControl,
  TabSheet,
  Timer,
};

// The string properties a kind exposes to translation.
struct TranslatableTexts {
  bool caption = false;
  bool text = false;
  bool hint = false;
};

TranslatableTexts TranslatableTextsOf(ComponentKind kind);

// The most bytes of a language file's text that one caption, text, hint or list item is given.
// No window of ours shows more at once: the largest, the configuration dialog of 383 x 267
// pixels, holds 191 columns of the 8-point dialog font's narrowest characters (2 pixels) in 20
// lines of 13 pixels, 3,820 characters; a tooltip, at most 300 pixels wide, of 4096 characters
// of ordinary text (about 6 pixels each) is taller than a screen of 1024 lines. The memos that
// scroll through a hidden label's caption (read-me, About) get as much, over six times the
// longest shipped text. The system's controls measure and wrap a text in time that grows with
// the square of its length: a 64 KiB text costs a memo seconds and shows nothing more.
constexpr std::size_t kMaxShownTextLength = 4096;

// The first kMaxShownTextLength bytes of a text.
std::string ShownText(std::string_view text);

// The texts one language entry gives a component; a member is empty when the entry leaves that
// property alone. The caption (or, for kinds without one, the text) is the short text, the hint
// the long text, each cut to its ShownText before "^" is turned into line breaks.
struct Translation {
  std::optional<std::string> caption;
  std::optional<std::string> text;
  std::optional<std::string> hint;
};

Translation TranslationOf(ComponentKind kind, std::string_view value);

// The translation of the component named `name` from the table; nothing when the table has no
// line of that name (the component keeps its design texts).
std::optional<Translation> LookUpTranslation(const TLanguageTable& table, const std::string& name,
                                             ComponentKind kind);

}  // namespace velmora
