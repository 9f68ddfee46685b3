// Page controls and their tab sheets: a sheet is a tab of its page control and a panel-like
// window in the control's display area; only the active sheet shows.
#include <windows.h>
#include <commctrl.h>

#include "core/Error.h"
#include "ui/Form.h"
#include "ui/Kinds.h"
#include "ui/WindowProcedure.h"

namespace velmora {
namespace {

// The sheet's tab, showing its caption.
TCITEMA Tab(const std::string& caption) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  return item;
}

}  // namespace

TPageControl::TPageControl(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

int TPageControl::PageCount() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0)); }

int TPageControl::ActivePageIndex() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) index = -1;
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  int sheet = 0;
  for (const auto& component : Owner().Components()) {
    if (component->Parent() != this || component->Kind() != ComponentKind::TabSheet) continue;
    static_cast<TTabSheet&>(*component).ShowSheet(sheet == index);
    ++sheet;
  }
}

LRESULT TPageControl::Reflect(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE) return 0;
  SetActivePageIndex(ActivePageIndex());
  Run(OnChange);
  return 0;
}

void TTabSheet::ShowSheet(bool shown) {
  if (Handle() == nullptr) return;
  ShowWindow(Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

TTabSheet::TTabSheet(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TCustomPanel(owner, layout, parent, id) {
  if (!Parent()->HoldsOnlySheets()) throw Error("A tab sheet lies on a page control: " + Name());
  TCITEMA item = Tab(CaptionText());
  SendMessageA(Parent()->Handle(), TCM_INSERTITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
  RECT area;
  GetClientRect(Parent()->Handle(), &area);
  SendMessageA(Parent()->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  window_procedure::SetPending(CreateParam());
  SetHandle(CreateWindowExA(WS_EX_CONTROLPARENT, WindowClass(), "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                            area.left, area.top, area.right - area.left, area.bottom - area.top, Parent()->Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id())), GetModuleHandleA(nullptr), nullptr));
  window_procedure::EndCreation();
  if (Handle() == nullptr) throw Error("Cannot create the window of " + Name());
  ApplyFont();
  if (SheetIndex() == 0) {
    SendMessageA(Parent()->Handle(), TCM_SETCURSEL, 0, 0);
    ShowSheet(true);
  }
}

void TTabSheet::ShowCaption() {
  TCITEMA item = Tab(CaptionText());
  SendMessageA(Parent()->Handle(), TCM_SETITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
}

// The number of sheets of the same page control above this one in the table.
int TTabSheet::SheetIndex() const {
  int index = 0;
  for (const auto& component : Owner().Components()) {
    if (component.get() == this) break;
    if (component->Parent() == Parent() && component->Kind() == ComponentKind::TabSheet) ++index;
  }
  return index;
}

}  // namespace velmora
