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
#include <vector>

#include "core/Error.h"
#include "ui/Component.h"
#include "ui/Layout.h"
#include "win/Colors.h"
#include "win/Handles.h"
#include "win/WindowState.h"

namespace velmora {

class TForm {
 public:
  // Builds the window of class `className` and every component of the table, all hidden. The
  // window is owned by Application.Handle() (Application must be initialised). Which form is the
  // main window is the caller's choice (Application.SetMainWindow). The derived class binds its
  // handlers and runs its FormCreate afterwards.
  template <std::size_t N>
  TForm(const char* className, const ComponentLayout (&table)[N]) : TForm(className, table, N) {}
  TForm(const char* className, const ComponentLayout* table, std::size_t count);
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
  TComponent* ComponentById(int id) const;
  TComponent* ComponentByHandle(HWND handle) const;

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

  TComponent* DefaultButton() const;
  TComponent* CancelButton() const;

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
  // Return false to keep the form open when it is asked to close.
  virtual bool FormCloseQuery() { return true; }

  // Ties every component to the form as its layout row says: stores it in the form's member,
  // checking that the member holds its kind, and attaches the row's handlers. The derived form
  // calls it first in its constructor's body, once its members exist. Throws velmora::Error
  // for a component of another kind than its member's.
  void BindComponents();

  // The system's handling of a message the form leaves to it.
  virtual LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateFormWindow();
  void BuildComponents(const ComponentLayout* table, std::size_t count);
  void ArrangeTabOrder();
  void RunShow();
  void RunHide();
  // Timers, scrolling and owner-drawn items: what the control's kind answers.
  LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header);
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
  bool hasControls_ = false;
};

// What Props::Bind and Props::On… make of a member and a handler.
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
  static void Call(Form& form, TComponent&, void (Form::*handler)()) { (form.*handler)(); }
};
template <typename Form>
struct HandlerOf<void (Form::*)(TComponent&)> {
  using FormType = Form;
  static void Call(Form& form, TComponent& component, void (Form::*handler)(TComponent&)) {
    (form.*handler)(component);
  }
};

}  // namespace binding

template <auto Member>
void BindMember(TForm& form, TComponent& component) {
  using Traits = binding::MemberOf<decltype(Member)>;
  auto* typed = dynamic_cast<typename Traits::KindType*>(&component);
  if (typed == nullptr) throw Error("The component " + component.Name() + " is not of its member's kind");
  static_cast<typename Traits::FormType&>(form).*Member = typed;
}

template <auto Handler>
void CallHandler(TForm& form, TComponent& component) {
  using Traits = binding::HandlerOf<decltype(Handler)>;
  Traits::Call(static_cast<typename Traits::FormType&>(form), component, Handler);
}

}  // namespace velmora
