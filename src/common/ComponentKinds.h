// The kinds of components a form is built from, and which of their texts a language entry sets.
#pragma once
#include <optional>
#include <string>

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

// The texts one language entry gives a component; a member is empty when the entry leaves that
// property alone. The caption (or, for kinds without one, the text) is the short text, the hint
// the long text, both with "^" turned into line breaks.
struct Translation {
  std::optional<std::string> caption;
  std::optional<std::string> text;
  std::optional<std::string> hint;
};

Translation TranslationOf(ComponentKind kind, const std::string& value);

// The translation of the component named `name` from the table; nothing when the table has no
// line of that name (the component keeps its design texts).
std::optional<Translation> LookUpTranslation(const TLanguageTable& table, const std::string& name,
                                             ComponentKind kind);

}  // namespace velmora
