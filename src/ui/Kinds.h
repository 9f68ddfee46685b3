// The component kinds: a class per kind, made by MakeComponent from a layout row. A form's
// members are typed with them, so each carries the properties of its kind only; the hooks the
// form calls on every component are TComponent's, and each kind implements those it has.
#pragma once
#include <windows.h>

#include <string>

#include "ui/Component.h"

namespace velmora {

// The form's own row: its window is made by TForm; it holds the look the other components take
// from it and stands for the form in the component list.
class TFormComponent : public TComponent {
 public:
  using TComponent::TComponent;
  std::string Caption() const override;
  void SetVisible(bool visible) override;

 protected:
  void InheritLook() override;
  void Create() override {}
  bool PaintsItself() const override { return true; }
};

// Panels and tab sheets: windows of this program's own class that paint their background (and a
// panel its bevels and caption) themselves, through an off-screen bitmap when double-buffered,
// pass their children's notifications to the form and realign their children.
class TCustomPanel : public TComponent {
 public:
  using TComponent::TComponent;

  bool PaintsBackground() const override { return true; }
  // Draws the component into any device context.
  virtual void PaintContent(HDC dc, const RECT& area) const;

  // For the window procedure.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what);

 protected:
  // Registers the class the first time.
  static const char* WindowClass();
  // What the window's creation attaches it to.
  void* CreateParam() { return static_cast<TCustomPanel*>(this); }

 private:
  void Paint();
};

// A framed area with optional bevels and a centred caption.
class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
  void SetCaption(const std::string& caption) override;
  void PaintContent(HDC dc, const RECT& area) const override;

 protected:
  void Create() override;
  void ShowCaption() override { Repaint(); }
};

// A tab of its page control and a panel-like window in the control's display area.
class TTabSheet : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
  // The page control places its sheets in its display area.
  void FollowParent(int, int) override {}
  // Only the active sheet shows.
  void ShowSheet(bool shown);

 protected:
  void Create() override;
  void ShowCaption() override;

 private:
  int SheetIndex() const;
};

class TPageControl : public TComponent {
 public:
  using TComponent::TComponent;
  // The index of the shown tab sheet, -1 for none. Setting it runs no event.
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  int PageCount() const;

  void Notify(UINT code) override;
  void Loaded() override { SetActivePageIndex(0); }
  bool HoldsOnlySheets() const override { return true; }

 protected:
  void Create() override;
};

// Static text that fits its caption when the row gives no size, reports clicks and the mouse
// entering and leaving, and shows the hand when it acts as a link.
class TLabel : public TComponent {
 public:
  using TComponent::TComponent;
  // A label's static window only shows text: it is no windowed control.
  bool IsWindowedControl() const override { return false; }
  void Command(int code) override;

 protected:
  void Create() override;
  void AutoSize() override;
};

// Push buttons, which end a modal form with their result and answer Enter or Esc.
class TButton : public TComponent {
 public:
  using TComponent::TComponent;
  // The modal result, then OnClick.
  void Click() override;
  void Command(int code) override;
  bool IsDefaultButton() const override { return Properties().isDefault; }
  bool IsCancelButton() const override { return Properties().isCancel; }

 protected:
  void Create() override;
};

class TCheckBox : public TComponent {
 public:
  using TComponent::TComponent;
  // Changing the state runs OnClick, as a click would.
  bool Checked() const;
  void SetChecked(bool checked);
  // Toggles.
  void Click() override { SetChecked(!Checked()); }
  void Command(int code) override;

 protected:
  void Create() override;
};

// Single-line edit fields and multi-line memos: text, password character, length limit.
class TEdit : public TComponent {
 public:
  using TComponent::TComponent;
  std::string Text() const;
  void SetText(const std::string& text);
  // Empties the box so that nothing of its text is left in the control's memory.
  void Wipe();
  bool OwnsBackground() const override { return true; }
  void Command(int code) override;

 protected:
  void Create() override;
  // A password box is sealed; a length limit bounds every way text arrives.
  ControlGuard Guard() const override;

 private:
  bool IsMemo() const { return Kind() == ComponentKind::Memo; }
  DWORD Style() const;
};

// Drop-down lists, whose items carry data and which select by text.
class TComboBox : public TComponent {
 public:
  using TComponent::TComponent;
  virtual std::string Text() const;
  // Selects the item of exactly that text, or none.
  void SetText(const std::string& text);
  // Setting the index runs no event.
  void ClearItems();
  void AddItem(const std::string& text, LPARAM data = 0);
  int ItemCount() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  LPARAM ItemData(int index) const;

  bool OwnsBackground() const override { return true; }
  void Command(int code) override;

 protected:
  // The row's height is the closed list's; the window's includes the open list.
  static constexpr int kDroppedHeight = 200;
  static constexpr DWORD kListStyle = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
  void Create() override;
};

// A list of colours that draws each item's colour as a swatch before its text.
class TColorBox : public TComboBox {
 public:
  using TComboBox::TComboBox;
  // The selected colour's name is no text of its own.
  std::string Text() const override { return std::string(); }
  void DrawListItem(const DRAWITEMSTRUCT& item) const override;

 protected:
  void Create() override;
};

// A range, a page size, tick marks and a thumb; a moved thumb runs OnChange.
class TTrackBar : public TComponent {
 public:
  using TComponent::TComponent;
  int Position() const;
  void SetPosition(int position);
  void Scrolled() override;

 protected:
  void Create() override;
};

// Arrows that step the number in the edit they are attached to; a step runs OnClick.
class TUpDown : public TComponent {
 public:
  using TComponent::TComponent;
  int Position() const;
  void SetPosition(int position);
  void Scrolled() override;

 protected:
  void Create() override;
};

// A window timer of the owner form under the component's identifier; no window of its own.
class TTimer : public TComponent {
 public:
  TTimer(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  ~TTimer() override;

  bool IsWindowedControl() const override { return false; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { SetTimerEnabled(enabled); }
  unsigned Interval() const { return interval_; }
  // Setting the interval of a running timer restarts it.
  void SetInterval(unsigned milliseconds);
  bool TimerEnabled() const { return enabled_; }
  void SetTimerEnabled(bool enabled);

  bool Elapsed() override;
  void Loaded() override { Start(); }

 protected:
  void Create() override {}

 private:
  // (Re)starts the window timer when enabled with an interval.
  void Start();

  unsigned interval_;
  bool enabled_;
};

}  // namespace velmora
