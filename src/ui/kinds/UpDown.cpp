// Up-down controls: arrows that step the number in the edit they are attached to; a step runs
// OnClick.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

int TUpDown::Position() const { return static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0)); }

void TUpDown::SetPosition(int position) { SendMessageA(Handle(), UDM_SETPOS32, 0, position); }

void TUpDown::Scrolled() {
  if (OnClick) OnClick();
}

void TUpDown::Create() {
  const Props& props = Properties();
  CreateControlWindow(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS);
  if (props.associate != nullptr) {
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Owner().Component(props.associate).Handle()), 0);
  }
  // Attaching may move or resize the arrows; they stand where the layout puts them.
  const ComponentLayout& row = Layout();
  SetWindowPos(Handle(), nullptr, Owner().Scale(row.left), Owner().Scale(row.top), Owner().Scale(row.width),
               Owner().Scale(row.height), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(Handle(), UDM_SETRANGE32, props.minimum, props.maximum);
  SendMessageA(Handle(), UDM_SETPOS32, 0, props.position);
}

}  // namespace velmora
