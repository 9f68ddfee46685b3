// Push buttons and check boxes.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

namespace {

bool Clicked(UINT message, WPARAM wParam) { return message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED; }

}  // namespace

TButton::TButton(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_BUTTONA, (OptionsOf<Options>().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
  SetWindowTextA(Handle(), CaptionText().c_str());
}

void TButton::Click() {
  const int result = OptionsOf<Options>().modalResult;
  if (result != mrNone) Owner().SetModalResult(result);
  Run(OnClick);
}

LRESULT TButton::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (Clicked(message, wParam)) Click();
  return 0;
}

TCheckBox::TCheckBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP);
  SendMessageA(Handle(), BM_SETCHECK, OptionsOf<Options>().checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetWindowTextA(Handle(), CaptionText().c_str());
}

bool TCheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Run(OnClick);
}

// The box has toggled itself already.
LRESULT TCheckBox::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (Clicked(message, wParam)) Run(OnClick);
  return 0;
}

}  // namespace velmora
