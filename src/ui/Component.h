// A component of a form: its name, kind and owner, its window (none for timers), its caption and
// hint, its look and its events. Each kind is a class of its own (ui/Kinds.h) whose constructor
// makes its window from the layout row; the form hands each kind the messages that concern it
// through Reflect.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Layout.h"
#include "ui/WindowProcedure.h"

namespace velmora {

class TForm;

class TComponent {
 public:
  using Event = std::function<void()>;

  // Takes the row's look (the form's own row: the system's dialog look where it gives none) and
  // its handlers; the kind's constructor makes the window.
  TComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  ComponentKind Kind() const { return layout_.kind; }
  TForm& Owner() const { return owner_; }
  TComponent* Parent() const { return parent_; }
  const ComponentLayout& Layout() const { return layout_; }
  HWND Handle() const { return handle_; }
  int Id() const { return id_; }

  // What the kind is: a control with a window of its own that can hold the focus and children
  // (not a label, whose static window only shows text, nor a timer); a control that paints its
  // own colour behind its text (edits, lists) where others show their parent's; panels and tab
  // sheets, which draw their background themselves; a page control, on which only tab sheets
  // may lie; the buttons Enter and Esc press.
  bool IsWindowedControl() const { return handle_ != nullptr && Kind() != ComponentKind::Label; }
  bool OwnsBackground() const;
  bool PaintsBackground() const { return Kind() == ComponentKind::Panel || Kind() == ComponentKind::TabSheet; }
  bool HoldsOnlySheets() const { return Kind() == ComponentKind::PageControl; }
  bool IsDefaultButton() const;
  bool IsCancelButton() const;

  // A message of the form's that concerns this component: a WM_COMMAND, WM_NOTIFY, scroll or
  // owner-draw message from its window, or any WM_TIMER of the form (a timer answers its own
  // identifier only). Returns the message's answer.
  virtual LRESULT Reflect(UINT, WPARAM, LPARAM) { return 0; }

  // The caption, for the kinds that have one (TranslatableTextsOf(Kind())); setting it on
  // another kind is ignored, and so is setting the caption it has.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  // The hint shows as a tooltip when it is not empty and says more than the caption.
  void SetHint(const std::string& hint);

  bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetFocus();

  // Background colour (panels, edits); labels and check boxes show their parent's.
  ColorValue Color() const { return color_; }
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
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }

  Event OnClick;
  Event OnChange;
  Event OnTimer;
  Event OnEnter;
  Event OnExit;
  // Labels: the mouse pointer entering and leaving the label.
  Event OnMouseEnter;
  Event OnMouseLeave;
  void ClearEvents();

  // For the owner form and the window procedure: the window made for the component, the form's
  // own for its row.
  void AttachHandle(HWND handle) { handle_ = handle; }
  // Remembers the distances to the parent's edges that the anchors keep.
  void MeasureAnchors();
  // Follows the parent's new client size as the anchors say.
  void FollowParent(int parentWidth, int parentHeight);
  // Runs an event from a subclass procedure, where no exception may pass.
  void RunEventSafely(const Event& event);
  bool MouseInside() const { return mouseInside_; }
  void SetMouseInside(bool inside) { mouseInside_ = inside; }

 protected:
  // Shows a changed caption.
  virtual void ShowCaption();
  // Labels without a size in the row fit their caption.
  virtual void AutoSize() {}

  // Creates a child window of the parent's at the row's position, visible as the row says, with
  // the form's font and the guard against other programs. `designHeight` at 96 DPI replaces the
  // row's height when given; `self` goes to WM_NCCREATE for windows of this program's classes,
  // other windows are found by the form through the window map.
  void CreateControlWindow(const char* windowClass, DWORD style, DWORD exStyle = 0, ControlGuard guard = {},
                           int designHeight = -1, void* self = nullptr);
  const std::string& CaptionText() const { return caption_; }
  const CommonOptions& Common() const { return layout_.Common(); }
  template <typename Options>
  const Options& OptionsOf() const { return std::get<Options>(layout_.options); }
  void ApplyFont();
  void Repaint() const;
  // Runs the event if it is set.
  static void Run(const Event& event) { if (event) event(); }

 private:
  void InheritLook();
  void UpdateToolTip();
  void FontChanged();
  RECT ClientRect() const;
  // The form and panels draw through their own buffer; standard controls are subclassed for it.
  bool PaintsItself() const { return parent_ == nullptr || PaintsBackground(); }

  TForm& owner_;
  const ComponentLayout& layout_;
  TComponent* parent_;
  std::string name_;
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
