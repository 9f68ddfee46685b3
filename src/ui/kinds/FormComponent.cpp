// The form's own row: its window is made by TForm; it holds the look the other components take
// from it and stands for the form in the component list.
#include "ui/Form.h"
#include "ui/kinds/Kinds.h"

namespace velmora::kinds {

namespace {

class TFormComponent : public TComponent {
 public:
  using TComponent::TComponent;

  std::string Caption() const override { return Owner().Caption(); }

  void SetVisible(bool visible) override {
    if (Handle() == nullptr) return;
    visible ? Owner().Show() : Owner().Hide();
  }

 protected:
  // What the row does not give is the system's dialog look.
  void InheritLook() override {
    const Props& props = Properties();
    SetLook(props.color != clDefault ? props.color : SystemColor(COLOR_BTNFACE),
            props.fontColor != clDefault ? props.fontColor : SystemColor(COLOR_WINDOWTEXT),
            props.fontName != nullptr ? props.fontName : "MS Sans Serif",
            props.fontHeight != 0 ? props.fontHeight : -11, props.fontBold);
  }

  void Create() override {}
  bool PaintsItself() const override { return true; }
};

}  // namespace

std::unique_ptr<TComponent> MakeForm(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<TFormComponent>(owner, layout, parent, id);
}

}  // namespace velmora::kinds
