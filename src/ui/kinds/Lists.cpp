// Drop-down lists and colour lists, whose items carry data and which select by text; a colour
// list draws each item's colour as a swatch before its text.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"
#include "win/Windows.h"

namespace velmora {

namespace {

// The row's height is the closed list's; the window's includes the open list.
constexpr int kDroppedHeight = 200;

}  // namespace

TComboBox::TComboBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComboBox(owner, layout, parent, id, 0) {}

TComboBox::TComboBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id, DWORD style)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | style, 0, {}, kDroppedHeight);
}

std::string TComboBox::Text() const { return win::WindowText(Handle()); }

void TComboBox::SetText(const std::string& text) {
  const LRESULT found =
      SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  SetItemIndex(found == CB_ERR ? -1 : static_cast<int>(found));
}

void TComboBox::ClearItems() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

void TComboBox::AddItem(const std::string& text, LPARAM data) {
  const LRESULT index = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int TComboBox::ItemCount() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

LPARAM TComboBox::ItemData(int index) const {
  return SendMessageA(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

LRESULT TComboBox::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) Run(OnChange);
  return 0;
}

TColorBox::TColorBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComboBox(owner, layout, parent, id, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS) {}

LRESULT TColorBox::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRAWITEM) return TComboBox::Reflect(message, wParam, lParam);
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  return TRUE;
}

void TColorBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int height = item.rcItem.bottom - item.rcItem.top;
  RECT swatch{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 2 + height * 3 / 2,
              item.rcItem.bottom - 2};
  FillRect(item.hDC, &swatch, Owner().BrushFor(static_cast<ColorValue>(item.itemData)));
  FrameRect(item.hDC, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
  const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, item.itemID, 0);
  if (length <= 0) return;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(Handle(), CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  RECT textArea = item.rcItem;
  textArea.left = swatch.right + 4;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace velmora
