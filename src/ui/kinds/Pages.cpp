// Page controls and their tab sheets: a sheet is a tab of its page control and a panel-like
// window in the control's display area; only the active sheet shows.
#include <windows.h>
#include <commctrl.h>

#include "core/Error.h"
#include "ui/Form.h"
#include "ui/kinds/CustomPanel.h"
#include "ui/kinds/Kinds.h"
#include "ui/WindowProcedure.h"

namespace velmora::kinds {

namespace {

class TPageControlComponent : public TComponent {
 public:
  using TComponent::TComponent;

  int PageCount() const override { return static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0)); }
  int ActivePageIndex() const override { return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)); }

  void SetActivePageIndex(int index) override {
    if (index < 0 || index >= PageCount()) index = -1;
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    int sheet = 0;
    for (const auto& component : Owner().Components()) {
      if (component->Parent() != this || component->Kind() != ComponentKind::TabSheet) continue;
      component->ShowSheet(sheet == index);
      ++sheet;
    }
  }

  void Notify(UINT code) override {
    if (code != TCN_SELCHANGE) return;
    SetActivePageIndex(ActivePageIndex());
    if (OnChange) OnChange();
  }

  void Loaded() override { SetActivePageIndex(0); }
  bool HoldsOnlySheets() const override { return true; }

 protected:
  void Create() override {
    CreateControlWindow(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
  }
};

class TTabSheetComponent : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;

  // The page control places its sheets in its display area.
  void FollowParent(int, int) override {}

 protected:
  void Create() override {
    if (!Parent()->HoldsOnlySheets()) throw Error("A tab sheet lies on a page control: " + Name());
    TCITEMA item = Tab();
    SendMessageA(Parent()->Handle(), TCM_INSERTITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
    RECT area;
    GetClientRect(Parent()->Handle(), &area);
    SendMessageA(Parent()->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    window_procedure::SetPending(CreateParam());
    SetHandle(CreateWindowExA(WS_EX_CONTROLPARENT, WindowClass(), "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              area.left, area.top, area.right - area.left, area.bottom - area.top,
                              Parent()->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id())),
                              GetModuleHandleA(nullptr), nullptr));
    window_procedure::EndCreation();
    if (Handle() == nullptr) throw Error("Cannot create the window of " + Name());
    ApplyFont();
  }

  void ShowCaption() override {
    TCITEMA item = Tab();
    SendMessageA(Parent()->Handle(), TCM_SETITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
  }

 private:
  // The sheet's tab, showing its caption.
  TCITEMA Tab() const {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(CaptionText().c_str());
    return item;
  }

  // The number of sheets of the same page control above this one in the table.
  int SheetIndex() const {
    int index = 0;
    for (const auto& component : Owner().Components()) {
      if (component.get() == this) break;
      if (component->Parent() == Parent() && component->Kind() == ComponentKind::TabSheet) ++index;
    }
    return index;
  }
};

}  // namespace

std::unique_ptr<TComponent> MakePageControl(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<TPageControlComponent>(owner, layout, parent, id);
}

std::unique_ptr<TComponent> MakeTabSheet(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<TTabSheetComponent>(owner, layout, parent, id);
}

}  // namespace velmora::kinds
