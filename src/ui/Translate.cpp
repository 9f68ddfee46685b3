// Form translation and control preparation.
#include "ui/Translate.h"

#include "common/ComponentKinds.h"
#include "common/LanguageTable.h"
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

void TranslateForm(TForm& form) {
  for (const auto& component : form.Components()) {
    const std::optional<Translation> translation =
        LookUpTranslation(LanguageTable, component->Name(), component->Kind());
    if (!translation) continue;
    if (translation->caption) component->SetCaption(*translation->caption);
    if (auto* edit = dynamic_cast<TEdit*>(component.get()); edit != nullptr && translation->text) {
      edit->SetText(*translation->text);
    }
    if (translation->hint) component->SetHint(*translation->hint);
  }
}

void PrepareControls(TComponent& control) {
  if (!control.IsWindowedControl()) return;
  if (control.PaintsBackground()) control.SetParentBackground(false);
  control.SetDoubleBuffered(true);
  for (const auto& child : control.Owner().Components()) {
    if (child->Parent() == &control) PrepareControls(*child);
  }
}

std::vector<std::string> TranslatedNames(const LayoutTable& table) {
  std::vector<std::string> names;
  for (const ComponentLayout& row : table) {
    const TranslatableTexts texts = TranslatableTextsOf(row.kind);
    if (texts.caption || texts.text || texts.hint) names.emplace_back(row.name);
  }
  return names;
}

}  // namespace velmora
