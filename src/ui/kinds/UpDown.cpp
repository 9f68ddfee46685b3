// Up-down controls: arrows that step the number in the edit they are attached to; a step runs
// OnClick.
#include <windows.h>
#include <commctrl.h>

#include "core/Error.h"
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

int TUpDown::Position() const { return static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0)); }

void TUpDown::SetPosition(int position) { SendMessageA(Handle(), UDM_SETPOS32, 0, position); }

LRESULT TUpDown::Reflect(UINT message, WPARAM, LPARAM) {
  if (message == WM_HSCROLL || message == WM_VSCROLL) Run(OnClick);
  return 0;
}

TUpDown::TUpDown(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const Options& options = OptionsOf<Options>();
  CreateControlWindow(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS);
  if (options.associate != nullptr) {
    TComponent* buddy = options.associate(owner);
    if (buddy == nullptr) throw Error("The edit of " + Name() + " stands below it");
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()), 0);
  }
  // Attaching may move or resize the arrows; they stand where the layout puts them.
  const ComponentLayout& row = Layout();
  SetWindowPos(Handle(), nullptr, Owner().Scale(row.left), Owner().Scale(row.top), Owner().Scale(row.width),
               Owner().Scale(row.height), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(Handle(), UDM_SETRANGE32, options.minimum, options.maximum);
  SendMessageA(Handle(), UDM_SETPOS32, 0, options.position);
}

}  // namespace velmora
