// A form: a top-level window built from a layout table, owning its components, with modal
// showing, timers, anchoring, tooltips and scaling to the system DPI.
#pragma once
#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

#include "core/Error.h"
#include "ui/Component.h"
#include "ui/Kinds.h"
#include "ui/Layout.h"
#include "win/Colors.h"
#include "win/Handles.h"
#include "win/WindowState.h"

namespace velmora {

class TForm {
 public:
  // A form of the window class `className`; the derived form builds its table with Build once
  // its members exist.
  explicit TForm(const char* className) : className_(className) {}
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  HWND Handle() const { return handle_; }
  // The form's window exists and is still the form's: false once it was destroyed from outside.
  bool Alive() const;
  // Another program changed the window's styles or owner, gave it a region or another parent;
  // and putting back what it changed (owned by the application window again).
  bool StateDiffers() const;
  void RestoreWindowState() const;
  // The form's window and every control's window are alive, the form stands on the desktop and
  // each control is still the child of its parent's window: nothing was destroyed or carried
  // off by another program.
  bool Intact() const;
  const std::string& Name() const { return components_.front()->Name(); }

  // Every component in ownership order; the first is the form itself.
  const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }
  TComponent* FindComponent(std::string_view name) const;
  // Throws velmora::Error when the form has no component of that name, or (typed) of that kind.
  TComponent& Component(std::string_view name) const;
  template <typename Kind>
  Kind& Component(std::string_view name) const {
    Kind* typed = dynamic_cast<Kind*>(&Component(name));
    if (typed == nullptr) throw Error("The component " + std::string(name) + " is of another kind");
    return *typed;
  }

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  // Showing runs FormShow before the window appears, hiding runs FormHide after; either runs
  // once per change, however the window is shown or hidden.
  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form modal to `owner` (disabled until the form ends; no other window is touched)
  // and returns at once. Setting a modal result ends it: the owner is enabled again, the form
  // hidden, and `ended` called with the result.
  void BeginModal(HWND owner, std::function<void(int)> ended);
  // BeginModal, then handles messages through Application until the form has ended; returns
  // its modal result.
  int ShowModal(HWND owner = nullptr);
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);
  // As the system menu's Close: Cancel for a modal form, hiding otherwise.
  void Close();

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientHeight(int height);
  void SetClientWidth(int width);
  RECT WindowBounds() const;
  // Places the window's top left corner at (screen size - window size) / 2.
  void CenterOnScreen();
  // A length at 96 DPI in pixels at the system's DPI.
  int Scale(int designPixels) const;
  int Dpi() const { return dpi_; }

  void FocusControl(TComponent& control);
  // Puts the form above the program's other windows, activates it and gives the focus back to
  // the control that had it.
  void BringToFront();
  HWND ToolTip() const { return toolTip_; }

  TButton* DefaultButton() const;
  TButton* CancelButton() const;

  // Cached GDI objects shared by the form's components.
  HFONT FontFor(const std::string& name, int height, bool bold, bool italic = false);
  HBRUSH BrushFor(ColorValue color);

  // For the window procedure.
  void AttachHandle(HWND handle) { handle_ = handle; }
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A handler threw: reports the failure once and lets the default handling answer.
  virtual LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what);
  // The children of `parent` follow its new client size.
  void RealignChildren(const TComponent& parent);

 protected:
  virtual void FormShow() {}
  virtual void FormHide() {}

  // Builds the window and every component of the table, all hidden, storing each in its member
  // of the form; the derived form calls it first in its constructor's body. The window is owned
  // by Application.Handle() (Application must be initialised); which form is the main window is
  // the caller's choice (Application.SetMainWindow). Throws velmora::Error for a table that does
  // not start with its form, a component named twice, or a row whose parent or member is not
  // there.
  void Build(const LayoutTable& table);

  // The system's handling of a message the form leaves to it.
  virtual LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateFormWindow(const ComponentLayout& formRow);
  void ArrangeTabOrder();
  void RunShow();
  void RunHide();
  // The first button that `is` holds for.
  TButton* FirstButton(bool (TComponent::*is)() const) const;
  // What the form's controls and timers send it, and the colours it gives them.
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The form's control whose window `control` is; null for any other window.
  TComponent* ControlOf(HWND control) const;
  // Hands a message from `control` to its component; a message from any other window is
  // dropped. The dialog manager's Enter and Esc, which name no window, press the default or
  // cancel button.
  LRESULT Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnControlColor(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  const char* className_;
  win::WindowStyles designStyles_;
  HWND handle_ = nullptr;
  HWND toolTip_ = nullptr;
  int dpi_ = 96;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::map<std::tuple<std::string, int, bool, bool>, win::Font> fonts_;
  std::map<ColorValue, win::Brush> brushes_;
  HWND focusControl_ = nullptr;
  bool shown_ = false;
  bool modal_ = false;
  HWND modalOwner_ = nullptr;
  std::function<void(int)> modalEnded_;
  int modalResult_ = mrNone;
  bool destroying_ = false;
};

// What Row and the options' On… make of a member and a handler.
namespace binding {

template <typename Pointer>
struct MemberOf;
template <typename Form, typename Kind>
struct MemberOf<Kind* Form::*> {
  using FormType = Form;
  using KindType = Kind;
};

template <typename Pointer>
struct HandlerOf;
template <typename Form>
struct HandlerOf<void (Form::*)()> {
  using FormType = Form;
};
template <typename Form>
struct HandlerOf<void (Form::*)(TComponent&)> {
  using FormType = Form;
};

template <auto Member>
void Store(TForm& form, TComponent& component) {
  using Traits = MemberOf<decltype(Member)>;
  auto* typed = dynamic_cast<typename Traits::FormType*>(&form);
  if (typed == nullptr) {
    throw Error("The row " + component.Name() + " fills a member of another form than " + form.Name());
  }
  typed->*Member = static_cast<typename Traits::KindType*>(&component);
}

template <typename Kind>
std::unique_ptr<TComponent> Make(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<Kind>(owner, layout, parent, id);
}

template <auto Parent>
constexpr MemberSlot SlotOf() {
  if constexpr (std::is_null_pointer_v<decltype(Parent)>) {
    return nullptr;
  } else {
    using Kind = typename MemberOf<decltype(Parent)>::KindType;
    static_assert(std::is_base_of_v<TCustomPanel, Kind> || std::is_same_v<Kind, TPageControl>,
                  "only panels, tab sheets and page controls hold components");
    return &velmora::MemberOf<Parent>;
  }
}

}  // namespace binding

template <auto Member>
TComponent* MemberOf(TForm& form) {
  auto* typed = dynamic_cast<typename binding::MemberOf<decltype(Member)>::FormType*>(&form);
  return typed != nullptr ? typed->*Member : nullptr;
}

template <auto Method>
void CallHandler(TForm& form, TComponent& component) {
  auto& typed = static_cast<typename binding::HandlerOf<decltype(Method)>::FormType&>(form);
  if constexpr (std::is_invocable_v<decltype(Method), decltype(typed), TComponent&>) {
    (typed.*Method)(component);
  } else {
    (typed.*Method)();
  }
}

// A row of a layout table for a component of kind `Kind` that the form keeps in no member of its
// own, on the form or on the component in its member `Parent`; the options are the kind's.
template <typename Kind, auto Parent = nullptr>
constexpr ComponentLayout Row(const char* name, int left, int top, int width, int height,
                              typename Kind::Options options = {}) {
  return ComponentLayout{name, Kind::kKind, &binding::Make<Kind>, nullptr, binding::SlotOf<Parent>(),
                         left,  top,         width,                height,  options};
}

// A row for the component that the form's `Member` holds, of the member's kind.
template <auto Member, auto Parent = nullptr>
constexpr ComponentLayout Row(const char* name, int left, int top, int width, int height,
                              typename binding::MemberOf<decltype(Member)>::KindType::Options options = {}) {
  ComponentLayout row = Row<typename binding::MemberOf<decltype(Member)>::KindType, Parent>(name, left, top, width,
                                                                                            height, options);
  if constexpr (!std::is_null_pointer_v<decltype(Parent)>) {
    static_assert(std::is_same_v<typename binding::MemberOf<decltype(Member)>::FormType,
                                 typename binding::MemberOf<decltype(Parent)>::FormType>,
                  "a row's member and its parent are members of one form");
  }
  row.member = &binding::Store<Member>;
  return row;
}

}  // namespace velmora
