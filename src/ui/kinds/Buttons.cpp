// Push buttons, which end a modal form with their result and answer Enter or Esc, and check
// boxes.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/kinds/Kinds.h"

namespace velmora::kinds {

namespace {

class TButtonComponent : public TComponent {
 public:
  using TComponent::TComponent;

  void Click() override {
    if (Properties().modalResult != mrNone) Owner().SetModalResult(Properties().modalResult);
    TComponent::Click();
  }

  void Command(int code) override {
    if (code == BN_CLICKED) Click();
  }

  bool IsDefaultButton() const override { return Properties().isDefault; }
  bool IsCancelButton() const override { return Properties().isCancel; }

 protected:
  void Create() override {
    CreateControlWindow(WC_BUTTONA, (Properties().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
    SetWindowTextA(Handle(), CaptionText().c_str());
  }
};

class TCheckBoxComponent : public TComponent {
 public:
  using TComponent::TComponent;

  bool Checked() const override { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

  void SetChecked(bool checked) override {
    if (Checked() == checked) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
  }

  void Click() override { SetChecked(!Checked()); }

  // The box has toggled itself already.
  void Command(int code) override {
    if (code == BN_CLICKED && OnClick) OnClick();
  }

 protected:
  void Create() override {
    CreateControlWindow(WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP);
    SendMessageA(Handle(), BM_SETCHECK, Properties().checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextA(Handle(), CaptionText().c_str());
  }
};

}  // namespace

std::unique_ptr<TComponent> MakeButton(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<TButtonComponent>(owner, layout, parent, id);
}

std::unique_ptr<TComponent> MakeCheckBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<TCheckBoxComponent>(owner, layout, parent, id);
}

}  // namespace velmora::kinds
