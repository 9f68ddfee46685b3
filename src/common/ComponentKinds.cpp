// Which texts each component kind takes from its language entry.
#include "common/ComponentKinds.h"

#include "common/LanguageTable.h"

namespace velmora {

TranslatableTexts TranslatableTextsOf(ComponentKind kind) {
  switch (kind) {
    case ComponentKind::Form:
    case ComponentKind::Panel:
    case ComponentKind::Label:
    case ComponentKind::CheckBox:
    case ComponentKind::Button:
    case ComponentKind::TabSheet:
      return {true, false, true};
    case ComponentKind::Edit:
    case ComponentKind::ComboBox:
      return {false, true, true};
    case ComponentKind::Memo:
    case ComponentKind::PageControl:
    case ComponentKind::ColorBox:
    case ComponentKind::TrackBar:
    case ComponentKind::UpDown:
      return {false, false, true};
    case ComponentKind::Timer:
      return {};
  }
  return {};
}

std::string ShownText(const std::string& text) { return text.substr(0, kMaxShownTextLength); }

Translation TranslationOf(ComponentKind kind, const std::string& value) {
  const TranslatableTexts texts = TranslatableTextsOf(kind);
  Translation translation;
  if (texts.caption) {
    translation.caption = CaretsToLineBreaks(ShownText(ShortText(value)));
  } else if (texts.text) {
    translation.text = CaretsToLineBreaks(ShownText(ShortText(value)));
  }
  if (texts.hint) translation.hint = CaretsToLineBreaks(ShownText(LongText(value)));
  return translation;
}

std::optional<Translation> LookUpTranslation(const TLanguageTable& table, const std::string& name,
                                             ComponentKind kind) {
  const std::size_t line = table.Find(name);
  if (line == TLanguageTable::npos) return std::nullopt;
  return TranslationOf(kind, LineValue(table.Line(line)));
}

}  // namespace velmora
