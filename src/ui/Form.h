// A form: a top-level window built from a layout table, owning its components, with modal
// showing, timers, anchoring, tooltips and scaling to the system DPI.
#pragma once
#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

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
  // Makes the form's window again after it was destroyed from outside, with the same class,
  // styles and layout position, hidden, and restarts its timers; it stays the main window if it
  // was. Only for forms whose components have no windows of their own (the lock screen); throws
  // velmora::Error for others.
  void RemakeWindow();
  // Another program changed the window's styles, gave it a region or another parent; and putting
  // back what it changed (owned by the application window again).
  bool StateDiffers() const { return win::StateDiffers(handle_, designStyles_); }
  void RestoreWindowState() const;
  const std::string& Name() const { return components_.front()->Name(); }

  // Every component in ownership order; the first is the form itself.
  const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }
  TComponent* FindComponent(std::string_view name) const;
  // Throws velmora::Error when the form has no component of that name.
  TComponent& Component(std::string_view name) const;
  TComponent* ComponentById(int id) const;
  TComponent* ComponentByHandle(HWND handle) const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  // Showing runs FormShow before the window appears, hiding runs FormHide after; either runs
  // once per change, however the window is shown or hidden.
  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form, disables the other windows of the program and handles messages through
  // Application until a modal result is set; hides the form and returns that result.
  int ShowModal();
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

  enum class EventKind { Click, Change, Timer, Enter, Exit, MouseEnter, MouseLeave };
  template <typename Form>
  void Bind(std::string_view name, EventKind event, void (Form::*handler)()) {
    Form* form = static_cast<Form*>(this);
    TComponent& component = Component(name);
    TComponent::Event call = [form, handler] { (form->*handler)(); };
    switch (event) {
      case EventKind::Click: component.OnClick = call; break;
      case EventKind::Change: component.OnChange = call; break;
      case EventKind::Timer: component.OnTimer = call; break;
      case EventKind::Enter: component.OnEnter = call; break;
      case EventKind::Exit: component.OnExit = call; break;
      case EventKind::MouseEnter: component.OnMouseEnter = call; break;
      case EventKind::MouseLeave: component.OnMouseLeave = call; break;
    }
  }

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
  int modalResult_ = mrNone;
  bool destroying_ = false;
  bool hasControls_ = false;
};

}  // namespace velmora
