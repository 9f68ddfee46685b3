// Single-line edit fields and multi-line memos: text, password character, length limit.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"
#include "win/Windows.h"

namespace velmora {

std::string TEdit::Text() const {
  const OwnAccess own(Handle());
  return win::WindowText(Handle());
}

void TEdit::SetText(const std::string& text) {
  const OwnAccess own(Handle());
  SetWindowTextA(Handle(), text.c_str());
}

void TEdit::Wipe() {
  const OwnAccess own(Handle());
  // Written over in place, twice, so that neither the text nor the undo buffer (which takes
  // the replaced text) keeps what was typed.
  const int length = GetWindowTextLengthA(Handle());
  const std::string blank(static_cast<std::size_t>(length > 0 ? length : 0), ' ');
  SetWindowTextA(Handle(), blank.c_str());
  SetWindowTextA(Handle(), blank.c_str());
  SetWindowTextA(Handle(), "");
  SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

ControlGuard TEdit::Guard() const {
  const Props& props = Properties();
  return ControlGuard{props.passwordChar != 0, props.maxLength};
}

void TEdit::Command(int code) {
  if (code == EN_CHANGE && OnChange) OnChange();
  if (code == EN_SETFOCUS && OnEnter) OnEnter();
  if (code == EN_KILLFOCUS && OnExit) OnExit();
}

void TEdit::Create() {
  const Props& props = Properties();
  CreateControlWindow(WC_EDITA, Style(), props.flatBorder || props.noBorder ? 0 : WS_EX_CLIENTEDGE);
  const OwnAccess own(Handle());
  if (props.passwordChar != 0) {
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(props.passwordChar), 0);
  }
  SendMessageA(Handle(), EM_SETLIMITTEXT, props.maxLength > 0 ? props.maxLength : 0x7FFFFFFE, 0);
  // An edit starts with the row's caption as its text; a memo starts empty.
  if (!IsMemo() && props.caption != nullptr) SetWindowTextA(Handle(), props.caption);
}

DWORD TEdit::Style() const {
  const Props& props = Properties();
  DWORD style = WS_TABSTOP;
  if (IsMemo()) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (props.wantReturns) style |= ES_WANTRETURN;
    if (props.alignment == TextAlignment::Center) style |= ES_CENTER;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (props.verticalScrollBar) style |= WS_VSCROLL;
  if (props.passwordChar != 0) style |= ES_PASSWORD;
  if (props.readOnly) style |= ES_READONLY;
  if (props.flatBorder) style |= WS_BORDER;
  return style;
}

}  // namespace velmora
