// The one place that maps a layout row's kind to its class.
#include "core/Error.h"
#include "ui/Kinds.h"

namespace velmora {
namespace {

template <typename Kind>
std::unique_ptr<TComponent> Make(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<Kind>(owner, layout, parent, id);
}

std::unique_ptr<TComponent> MakeOfKind(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  switch (layout.kind) {
    case ComponentKind::Form: return Make<TFormComponent>(owner, layout, parent, id);
    case ComponentKind::Panel: return Make<TPanel>(owner, layout, parent, id);
    case ComponentKind::Label: return Make<TLabel>(owner, layout, parent, id);
    case ComponentKind::CheckBox: return Make<TCheckBox>(owner, layout, parent, id);
    case ComponentKind::Button: return Make<TButton>(owner, layout, parent, id);
    case ComponentKind::Edit:
    case ComponentKind::Memo: return Make<TEdit>(owner, layout, parent, id);
    case ComponentKind::ComboBox: return Make<TComboBox>(owner, layout, parent, id);
    case ComponentKind::ColorBox: return Make<TColorBox>(owner, layout, parent, id);
    case ComponentKind::TrackBar: return Make<TTrackBar>(owner, layout, parent, id);
    case ComponentKind::UpDown: return Make<TUpDown>(owner, layout, parent, id);
    case ComponentKind::PageControl: return Make<TPageControl>(owner, layout, parent, id);
    case ComponentKind::TabSheet: return Make<TTabSheet>(owner, layout, parent, id);
    case ComponentKind::Timer: return Make<TTimer>(owner, layout, parent, id);
  }
  throw Error("Unknown component kind");
}

}  // namespace

std::unique_ptr<TComponent> MakeComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  std::unique_ptr<TComponent> component = MakeOfKind(owner, layout, parent, id);
  component->InheritLook();
  component->Create();
  return component;
}

}  // namespace velmora
