// The form's own row.
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

std::string TFormComponent::Caption() const { return Owner().Caption(); }

void TFormComponent::SetVisible(bool visible) {
  if (Handle() == nullptr) return;
  visible ? Owner().Show() : Owner().Hide();
}

// What the row does not give is the system's dialog look.
void TFormComponent::InheritLook() {
  const Props& props = Properties();
  SetLook(props.color != clDefault ? props.color : SystemColor(COLOR_BTNFACE),
          props.fontColor != clDefault ? props.fontColor : SystemColor(COLOR_WINDOWTEXT),
          props.fontName != nullptr ? props.fontName : "MS Sans Serif", props.fontHeight != 0 ? props.fontHeight : -11,
          props.fontBold);
}

}  // namespace velmora
