// Single-line edit fields and multi-line memos: text, password character, length limit.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"
#include "win/Windows.h"

namespace velmora {

TEdit::TEdit(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const Options& options = OptionsOf<Options>();
  const bool password = options.passwordChar != 0;
  CreateBox(ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0) | (options.flatBorder ? WS_BORDER : 0), !options.flatBorder,
            options.maxLength, password);
  const OwnAccess own(Handle());
  if (password) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(options.passwordChar), 0);
  if (options.caption != nullptr) SetWindowTextA(Handle(), options.caption);
}

TEdit::TEdit(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id, NoWindow)
    : TComponent(owner, layout, parent, id) {}

void TEdit::CreateBox(DWORD style, bool edge, int maxLength, bool sealed) {
  CreateControlWindow(WC_EDITA, style | WS_TABSTOP, edge ? WS_EX_CLIENTEDGE : 0, ControlGuard{sealed, maxLength});
  const OwnAccess own(Handle());
  SendMessageA(Handle(), EM_SETLIMITTEXT, maxLength > 0 ? maxLength : 0x7FFFFFFE, 0);
}

TMemo::TMemo(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TEdit(owner, layout, parent, id, NoWindow{}) {
  const Options& options = OptionsOf<Options>();
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL;
  if (options.wantReturns) style |= ES_WANTRETURN;
  if (options.alignment == TextAlignment::Center) style |= ES_CENTER;
  if (options.verticalScrollBar) style |= WS_VSCROLL;
  if (options.readOnly) style |= ES_READONLY;
  if (options.flatBorder) style |= WS_BORDER;
  CreateBox(style, !options.flatBorder && !options.noBorder, options.maxLength, false);
}

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

LRESULT TEdit::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return 0;
  switch (HIWORD(wParam)) {
    case EN_CHANGE: Run(OnChange); break;
    case EN_SETFOCUS: Run(OnEnter); break;
    case EN_KILLFOCUS: Run(OnExit); break;
    default: break;
  }
  return 0;
}

}  // namespace velmora
