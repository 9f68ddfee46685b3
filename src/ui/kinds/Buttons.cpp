// Push buttons and check boxes.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

void TButton::Click() {
  if (Properties().modalResult != mrNone) Owner().SetModalResult(Properties().modalResult);
  TComponent::Click();
}

void TButton::Command(int code) {
  if (code == BN_CLICKED) Click();
}

void TButton::Create() {
  CreateControlWindow(WC_BUTTONA, (Properties().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
  SetWindowTextA(Handle(), CaptionText().c_str());
}

bool TCheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick();
}

// The box has toggled itself already.
void TCheckBox::Command(int code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}

void TCheckBox::Create() {
  CreateControlWindow(WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP);
  SendMessageA(Handle(), BM_SETCHECK, Properties().checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetWindowTextA(Handle(), CaptionText().c_str());
}

}  // namespace velmora
