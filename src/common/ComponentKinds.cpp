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

std::string ShownText(std::string_view text) {
  return std::string(text.substr(0, kMaxShownTextLength));
}

Translation TranslationOf(ComponentKind kind, std::string_view value) {
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
  // The value is read in place: only the part of it that a window is given is copied.
  const std::string& text = table.Line(line);
  return TranslationOf(kind, std::string_view(text).substr(text.find('=') + 1));
}

}  // namespace velmora
