// A component of a form: its name, kind and owner, its window (none for timers), its caption and
// hint, its look and its events. Each kind is a class of its own (ui/Kinds.h), made by
// MakeComponent from the layout row; TComponent holds what every kind shares and the hooks the
// form calls on every component, which each kind implements as far as it has them.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Layout.h"
#include "ui/WindowProcedure.h"

namespace velmora {

class TForm;

class TComponent {
 public:
  using Event = std::function<void()>;

  // Takes the row; the window is created by MakeComponent, which is how components are made.
  TComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  ComponentKind Kind() const { return kind_; }
  TForm& Owner() const { return owner_; }
  TComponent* Parent() const { return parent_; }
  const ComponentLayout& Layout() const { return layout_; }
  HWND Handle() const { return handle_; }
  int Id() const { return id_; }
  // A control with a window of its own that can hold the focus and children of its own: not a
  // label (whose static window only shows text), not a timer.
  virtual bool IsWindowedControl() const { return handle_ != nullptr; }

  // The caption, for the kinds that have one (TranslatableTextsOf(Kind())); setting it on
  // another kind is ignored.
  virtual std::string Caption() const;
  virtual void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  // The hint shows as a tooltip when it is not empty and says more than the caption.
  void SetHint(const std::string& hint);
  bool HintShown() const { return toolAdded_; }

  virtual bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  bool Visible() const;
  virtual void SetVisible(bool visible);
  void SetFocus();

  // The click behaviour: OnClick (buttons first set their modal result, check boxes toggle).
  virtual void Click();

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

  Event OnClick;
  Event OnChange;
  Event OnTimer;
  Event OnEnter;
  Event OnExit;
  // Labels: the mouse pointer entering and leaving the label.
  Event OnMouseEnter;
  Event OnMouseLeave;
  void ClearEvents();

  // What the kind answers to, for the owner form.
  // A notification code of WM_COMMAND from the control.
  virtual void Command(int) {}
  // A WM_NOTIFY code from the control.
  virtual void Notify(UINT) {}
  // WM_HSCROLL or WM_VSCROLL from the control.
  virtual void Scrolled() {}
  // A window timer of the form with this component's identifier elapsed; false when the
  // component is no timer.
  virtual bool Elapsed() { return false; }
  // Runs once the form has built every component (timers start, page controls show a sheet).
  virtual void Loaded() {}
  // The control paints its own colour behind its text (edits, lists); others show the parent's.
  virtual bool OwnsBackground() const { return false; }
  // The button Enter and Esc press in a dialog.
  virtual bool IsDefaultButton() const { return false; }
  virtual bool IsCancelButton() const { return false; }
  // Panels and tab sheets draw their background, in their parent's colour while
  // ParentBackground holds.
  virtual bool PaintsBackground() const { return false; }
  // Only tab sheets may lie on it.
  virtual bool HoldsOnlySheets() const { return false; }

  // For the owner form and the window procedure.
  void AttachHandle(HWND handle) { if (parent_ != nullptr) handle_ = handle; }
  void SetFormHandle(HWND handle) { handle_ = handle; }
  // Remembers the distances to the parent's edges that the anchors keep.
  void MeasureAnchors();
  // Follows the parent's new client size as the anchors say.
  virtual void FollowParent(int parentWidth, int parentHeight);
  // Draws an item of an owner-drawn list.
  virtual void DrawListItem(const DRAWITEMSTRUCT&) const {}
  // Runs an event from a subclass procedure, where no exception may pass.
  void RunEventSafely(const Event& event);
  bool MouseInside() const { return mouseInside_; }
  void SetMouseInside(bool inside) { mouseInside_ = inside; }

 protected:
  // The font and colours a component takes from its parent unless its row gives them.
  virtual void InheritLook();
  // Creates the window, if the kind has one, and sets it up from the row.
  virtual void Create() = 0;
  // What the control keeps against other programs (ui/WindowProcedure.h).
  virtual ControlGuard Guard() const { return ControlGuard(); }
  // Paints itself (form, panels, tab sheets): double buffering is its own, not a subclass.
  virtual bool PaintsItself() const { return PaintsBackground(); }
  // Shows a changed caption.
  virtual void ShowCaption();
  // Labels without a size in the row fit their caption.
  virtual void AutoSize() {}

  // Creates a child window of the parent's at the row's position, visible and enabled as the row
  // says, with the form's font. `designHeight` at 96 DPI replaces the row's height when given;
  // `self` goes to WM_NCCREATE for windows of this program's classes.
  void CreateControlWindow(const char* windowClass, DWORD style, DWORD exStyle = 0, int designHeight = -1,
                           void* self = nullptr);
  void SetHandle(HWND handle) { handle_ = handle; }
  const std::string& CaptionText() const { return caption_; }
  const Props& Properties() const { return layout_.props; }
  void SetLook(ColorValue color, ColorValue fontColor, const char* fontName, int fontHeight, bool fontBold);
  void ApplyFont();
  void Repaint() const;
  void UpdateToolTip();

 private:
  friend std::unique_ptr<TComponent> MakeComponent(TForm&, const ComponentLayout&, TComponent*, int);

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
  ColorValue color_ = clDefault;
  ColorValue fontColor_ = clDefault;
  std::string fontName_;
  int fontHeight_ = 0;
  bool fontBold_ = false;
  bool fontItalic_ = false;
  bool parentBackground_ = true;
  bool doubleBuffered_ = false;
  bool bufferSubclassed_ = false;
  bool mouseInside_ = false;
  int rightDistance_ = 0;
  int bottomDistance_ = 0;
};

// Makes the component of the row's kind and creates its window under the parent's (the form has
// created its own window before). `id` is the control identifier and, for timers, the timer
// identifier.
std::unique_ptr<TComponent> MakeComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);

}  // namespace velmora
