// The one place that maps a layout row's kind to its class.
#include "ui/kinds/Kinds.h"

#include "core/Error.h"

namespace velmora {

namespace {

kinds::Maker& MakerOf(ComponentKind kind) {
  switch (kind) {
    case ComponentKind::Form: return kinds::MakeForm;
    case ComponentKind::Panel: return kinds::MakePanel;
    case ComponentKind::Label: return kinds::MakeLabel;
    case ComponentKind::CheckBox: return kinds::MakeCheckBox;
    case ComponentKind::Button: return kinds::MakeButton;
    case ComponentKind::Edit:
    case ComponentKind::Memo: return kinds::MakeEdit;
    case ComponentKind::ComboBox: return kinds::MakeComboBox;
    case ComponentKind::ColorBox: return kinds::MakeColorBox;
    case ComponentKind::TrackBar: return kinds::MakeTrackBar;
    case ComponentKind::UpDown: return kinds::MakeUpDown;
    case ComponentKind::PageControl: return kinds::MakePageControl;
    case ComponentKind::TabSheet: return kinds::MakeTabSheet;
    case ComponentKind::Timer: return kinds::MakeTimer;
  }
  throw Error("Unknown component kind");
}

}  // namespace

std::unique_ptr<TComponent> MakeComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  std::unique_ptr<TComponent> component = MakerOf(layout.kind)(owner, layout, parent, id);
  component->InheritLook();
  component->Create();
  return component;
}

}  // namespace velmora
