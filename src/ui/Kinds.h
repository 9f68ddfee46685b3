// The component kinds: a class per kind, each with its options (ui/Layout.h) and its kind, made
// from a layout row by its constructor. A form's members are typed with them, and a row's kind is
// its member's.
#pragma once
#include <windows.h>

#include <string>

#include "ui/Component.h"

namespace velmora {

// The form's own row: its window is made by TForm; it holds the look the other components take
// from it and stands for the form in the component list.
class TFormComponent : public TComponent {
 public:
  using Options = FormOptions;
  static constexpr ComponentKind kKind = ComponentKind::Form;
  using TComponent::TComponent;
};

// Panels and tab sheets: windows of this program's own class that paint their background (and a
// panel its bevels and caption) themselves, through an off-screen bitmap when double-buffered,
// pass their children's notifications to the form and realign their children.
class TCustomPanel : public TComponent {
 public:
  using TComponent::TComponent;
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
  using Options = PanelOptions;
  static constexpr ComponentKind kKind = ComponentKind::Panel;
  TPanel(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  void PaintContent(HDC dc, const RECT& area) const override;

 protected:
  void ShowCaption() override { Repaint(); }
};

// A tab of its page control and a panel-like window in the control's display area; only the
// active sheet shows, the first at the start.
class TTabSheet : public TCustomPanel {
 public:
  using Options = TabSheetOptions;
  static constexpr ComponentKind kKind = ComponentKind::TabSheet;
  TTabSheet(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  void ShowSheet(bool shown);

 protected:
  void ShowCaption() override;

 private:
  int SheetIndex() const;
};

class TPageControl : public TComponent {
 public:
  using Options = PageControlOptions;
  static constexpr ComponentKind kKind = ComponentKind::PageControl;
  TPageControl(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  // The index of the shown tab sheet, -1 for none. Setting it runs no event.
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  int PageCount() const;
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Static text that fits its caption when the row gives no size, reports clicks and the mouse
// entering and leaving, and shows the hand when it acts as a link.
class TLabel : public TComponent {
 public:
  using Options = LabelOptions;
  static constexpr ComponentKind kKind = ComponentKind::Label;
  TLabel(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool HandCursor() const { return OptionsOf<Options>().handCursor; }

 protected:
  void AutoSize() override;
};

// Push buttons, which end a modal form with their result and answer Enter or Esc.
class TButton : public TComponent {
 public:
  using Options = ButtonOptions;
  static constexpr ComponentKind kKind = ComponentKind::Button;
  TButton(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  // The modal result, then OnClick.
  void Click();
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TCheckBox : public TComponent {
 public:
  using Options = CheckBoxOptions;
  static constexpr ComponentKind kKind = ComponentKind::CheckBox;
  TCheckBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  // Changing the state runs OnClick, as a click would.
  bool Checked() const;
  void SetChecked(bool checked);
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Single-line edit fields: text, password character, length limit. A password box is sealed
// against other programs; a length limit bounds every way text arrives.
class TEdit : public TComponent {
 public:
  using Options = EditOptions;
  static constexpr ComponentKind kKind = ComponentKind::Edit;
  TEdit(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  std::string Text() const;
  void SetText(const std::string& text);
  // Empties the box so that nothing of its text is left in the control's memory.
  void Wipe();
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  struct NoWindow {};
  // For a kind of edit that makes its window itself, with CreateBox.
  TEdit(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id, NoWindow);
  // The box's window: `style` beside the tab stop, with a sunken edge when `edge`, at most
  // `maxLength` characters (0: no limit), sealed when `sealed`.
  void CreateBox(DWORD style, bool edge, int maxLength, bool sealed);
};

// Multi-line text boxes; they start empty.
class TMemo : public TEdit {
 public:
  using Options = MemoOptions;
  static constexpr ComponentKind kKind = ComponentKind::Memo;
  TMemo(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
};

// Drop-down lists, whose items carry data and which select by text.
class TComboBox : public TComponent {
 public:
  using Options = ComboBoxOptions;
  static constexpr ComponentKind kKind = ComponentKind::ComboBox;
  TComboBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
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
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // A list of `style` beside the drop-down list's own.
  TComboBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id, DWORD style);
};

// A list of colours that draws each item's colour as a swatch before its text; the selected
// colour's name is no text of its own.
class TColorBox : public TComboBox {
 public:
  using Options = ColorBoxOptions;
  static constexpr ComponentKind kKind = ComponentKind::ColorBox;
  TColorBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  std::string Text() const override { return std::string(); }
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item) const;
};

// A range, a page size, tick marks and a thumb; a moved thumb runs OnChange.
class TTrackBar : public TComponent {
 public:
  using Options = TrackBarOptions;
  static constexpr ComponentKind kKind = ComponentKind::TrackBar;
  TTrackBar(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  int Position() const;
  void SetPosition(int position);
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Arrows that step the number in the edit they are attached to; a step runs OnClick.
class TUpDown : public TComponent {
 public:
  using Options = UpDownOptions;
  static constexpr ComponentKind kKind = ComponentKind::UpDown;
  TUpDown(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  int Position() const;
  void SetPosition(int position);
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A window timer of the owner form under the component's identifier; no window of its own.
class TTimer : public TComponent {
 public:
  using Options = TimerOptions;
  static constexpr ComponentKind kKind = ComponentKind::Timer;
  TTimer(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  ~TTimer() override;

  unsigned Interval() const { return interval_; }
  // Setting the interval of a running timer restarts it.
  void SetInterval(unsigned milliseconds);
  bool TimerEnabled() const { return enabled_; }
  void SetTimerEnabled(bool enabled);
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // (Re)starts the window timer when enabled with an interval.
  void Start();

  unsigned interval_;
  bool enabled_;
};

}  // namespace velmora
