// A component of a form: its name, kind and owner, its window (none for timers), its texts by
// kind, and its events.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Layout.h"

namespace velmora {

class TForm;

class TComponent {
 public:
  using Event = std::function<void()>;

  // Creates the component's window under its parent's (the form has created its own window
  // before). `id` is the control identifier and, for timers, the timer identifier.
  TComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  ComponentKind Kind() const { return kind_; }
  TForm& Owner() const { return owner_; }
  TComponent* Parent() const { return parent_; }
  const ComponentLayout& Layout() const { return layout_; }
  HWND Handle() const { return handle_; }
  int Id() const { return id_; }
  // A control with a window of its own in the toolkit's sense: not a label, not a timer.
  bool IsWindowedControl() const;

  // Texts; which of them a kind has is TranslatableTextsOf(Kind()). Setting a text a kind does
  // not have is ignored.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  std::string Text() const;
  void SetText(const std::string& text);
  const std::string& Hint() const { return hint_; }
  // The hint shows as a tooltip when it is not empty and says more than the caption.
  void SetHint(const std::string& hint);
  bool HintShown() const { return toolAdded_; }

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetFocus();

  // Check boxes. Changing the state runs OnClick, as a click would.
  bool Checked() const;
  void SetChecked(bool checked);
  // Buttons: the click behaviour (the modal result, then OnClick); check boxes toggle.
  void Click();

  // Background colour (panels, edits); labels and check boxes show their parent's.
  ColorValue Color() const;
  void SetColor(ColorValue color);
  ColorValue FontColor() const { return fontColor_; }
  void SetFontColor(ColorValue color);
  // Takes the parent's font and font colour again.
  void UseParentFont();
  // A font of the component's own; `height` in pixels at 96 DPI, negative for the character
  // height. An empty name keeps the current face.
  void SetFont(const std::string& name, int height, bool bold, bool italic);
  const std::string& FontName() const { return fontName_; }
  int FontHeight() const { return fontHeight_; }
  bool FontBold() const { return fontBold_; }
  bool FontItalic() const { return fontItalic_; }
  HFONT FontHandle() const;
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value);
  bool DoubleBuffered() const { return doubleBuffered_; }
  // Panels and tab sheets draw through an off-screen bitmap themselves; standard controls are
  // subclassed to paint into one.
  void SetDoubleBuffered(bool value);
  bool PaintsThroughBuffer() const;

  // Position in the parent's client area, in pixels.
  RECT Bounds() const;
  void SetBounds(int left, int top, int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;

  // Timers: window timers of the owner form. Setting the interval of a running timer restarts it.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  bool TimerEnabled() const { return timerEnabled_; }
  void SetTimerEnabled(bool enabled);

  // Track bars and up-down controls. A track bar's changed position runs OnChange.
  int Position() const;
  void SetPosition(int position);

  // Page controls: the index of the shown tab sheet, -1 for none. Setting it runs no event.
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  int PageCount() const;

  // Drop-down and colour lists; setting the index runs no event.
  void ClearItems();
  void AddItem(const std::string& text, LPARAM data = 0);
  int ItemCount() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  LPARAM ItemData(int index) const;

  Event OnClick;
  Event OnChange;
  Event OnTimer;
  Event OnEnter;
  Event OnExit;
  // Labels: the mouse pointer entering and leaving the label.
  Event OnMouseEnter;
  Event OnMouseLeave;
  void ClearEvents();

  // For the owner form and the window procedure.
  void AttachHandle(HWND handle) { if (kind_ != ComponentKind::Form) handle_ = handle; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what);
  void SetFormHandle(HWND handle) { handle_ = handle; }
  // Draws a panel or tab sheet (background, bevels, caption) into any device context.
  void PaintContent(HDC dc, const RECT& area) const;
  // Remembers the distances to the parent's edges that the anchors keep.
  void MeasureAnchors();
  // Follows the parent's new client size as the anchors say.
  void FollowParent(int parentWidth, int parentHeight);
  void StartTimerWindow();
  void DrawListItem(const DRAWITEMSTRUCT& item) const;
  void ShowSheet(bool shown);
  // Runs an event from a subclass procedure, where no exception may pass.
  void RunEventSafely(const Event& event);
  bool MouseInside() const { return mouseInside_; }
  void SetMouseInside(bool inside) { mouseInside_ = inside; }

 private:
  void CreateControl();
  void CreateSheet();
  int SheetIndex() const;
  void AutoSize();
  void UpdateToolTip();
  void ApplyFont();
  void Repaint() const;

  TForm& owner_;
  const ComponentLayout& layout_;
  TComponent* parent_;
  std::string name_;
  ComponentKind kind_;
  int id_;
  HWND handle_ = nullptr;
  std::string caption_;
  std::string hint_;
  bool toolAdded_ = false;
  ColorValue color_;
  ColorValue fontColor_;
  std::string fontName_;
  int fontHeight_ = 0;
  bool fontBold_ = false;
  bool fontItalic_ = false;
  bool parentBackground_ = true;
  bool doubleBuffered_ = false;
  bool bufferSubclassed_ = false;
  bool mouseInside_ = false;
  unsigned interval_ = 0;
  bool timerEnabled_ = false;
  int rightDistance_ = 0;
  int bottomDistance_ = 0;
};

}  // namespace velmora
