// Forms: building a layout table into windows, the form's messages, modal showing.
#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "core/Error.h"
#include "ui/WindowProcedure.h"
#include "win/Windows.h"

namespace velmora {

namespace {

constexpr int kFirstComponentId = 100;

// Tab, Enter and Esc inside a form behave as in a dialog box.
bool FormDialogFilter(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  return ObjectOf<TForm>(root) != nullptr && IsDialogMessageA(root, &message) != FALSE;
}

void RegisterFormClass(const char* className) {
  if (!RegisterWindowClass<TForm>(className, 0, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)))) {
    throw Error(std::string("Cannot register the window class ") + className);
  }
}

void InitializeCommonControlsOnce() {
  static const bool initialized = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS;
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)initialized;
}

}  // namespace

void TForm::Build(const LayoutTable& table) {
  if (table.count == 0 || table.rows[0].kind != ComponentKind::Form) throw Error("A layout table starts with its form");
  RegisterFormClass(className_);
  {
    win::WindowDC screen(nullptr);
    dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpi_ <= 0) dpi_ = 96;
  }
  InitializeCommonControlsOnce();
  components_.push_back(MakeComponent(*this, table.rows[0], nullptr, kFirstComponentId));
  CreateFormWindow(table.rows[0]);
  for (std::size_t index = 1; index < table.count; ++index) {
    const ComponentLayout& row = table.rows[index];
    if (FindComponent(row.name) != nullptr) throw Error(std::string("Two components named ") + row.name);
    TComponent* parent = row.parent != nullptr ? row.parent(*this) : components_.front().get();
    if (parent == nullptr) {
      throw Error(std::string("The parent of ") + row.name + " is no member of " + Name() + " filled above it");
    }
    components_.push_back(MakeComponent(*this, row, parent, kFirstComponentId + static_cast<int>(index)));
    if (row.member != nullptr) row.member(*this, *components_.back());
  }
  for (auto& component : components_) component->MeasureAnchors();
  ArrangeTabOrder();
  if (std::get<FormOptions>(table.rows[0].options).centered) CenterOnScreen();
  Application.SetDialogFilter(&FormDialogFilter);
}

void TForm::CreateFormWindow(const ComponentLayout& formRow) {
  const FormOptions& options = std::get<FormOptions>(formRow.options);
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  switch (options.border) {
    case FormBorder::Dialog:
      style |= WS_CAPTION | WS_SYSMENU;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case FormBorder::Single:
      style |= WS_CAPTION | WS_SYSMENU | WS_BORDER;
      break;
    case FormBorder::None:
      break;
  }
  if (options.stayOnTop) exStyle |= WS_EX_TOPMOST;
  RECT frame{0, 0, Scale(formRow.width), Scale(formRow.height)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  OffsetRect(&frame, Scale(formRow.left) - frame.left, Scale(formRow.top) - frame.top);
  const HWND created = CreateObjectWindow(this, exStyle, className_, style, frame, Application.Owner());
  if (created == nullptr) throw Error(std::string("Cannot create the window ") + className_);
  designStyles_ = win::DesignStyles(handle_);
  components_.front()->AttachHandle(handle_);
  // The frame's real size can differ from what AdjustWindowRectEx predicts; the client area
  // is what the layout is measured against.
  RECT client;
  GetClientRect(handle_, &client);
  if (client.right != Scale(formRow.width) || client.bottom != Scale(formRow.height)) {
    const RECT window = WindowBounds();
    SetWindowPos(handle_, nullptr, 0, 0, window.right - window.left + Scale(formRow.width) - client.right,
                 window.bottom - window.top + Scale(formRow.height) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (toolTip_ != nullptr) SendMessageA(toolTip_, TTM_SETMAXTIPWIDTH, 0, Scale(300));
}

bool TForm::Alive() const { return CarriesObject(handle_, this); }

bool TForm::StateDiffers() const { return win::StateDiffers(handle_, designStyles_, Application.Handle()); }

void TForm::RestoreWindowState() const { win::RestoreState(handle_, designStyles_, Application.Owner()); }

bool TForm::Intact() const {
  if (!Alive() || GetAncestor(handle_, GA_PARENT) != GetDesktopWindow()) return false;
  for (const auto& component : components_) {
    const TComponent* parent = component->Parent();
    if (parent == nullptr || component->Handle() == nullptr) continue;
    if (!IsWindow(component->Handle()) || GetParent(component->Handle()) != parent->Handle()) return false;
  }
  return true;
}

TForm::~TForm() {
  destroying_ = true;
  if (modal_ && modalOwner_ != nullptr) {
    const win::OwnChange own;
    EnableWindow(modalOwner_, TRUE);
  }
  for (auto& component : components_) component->ClearEvents();
  if (Application.MainWindow() == handle_) Application.SetMainWindow(nullptr);
  DestroyObjectWindow(handle_, this);
  components_.clear();
}

void TForm::ArrangeTabOrder() {
  for (const auto& parent : components_) {
    std::vector<std::pair<int, TComponent*>> siblings;
    for (const auto& component : components_) {
      if (component->Parent() != parent.get() || component->Handle() == nullptr) continue;
      const int order = component->Layout().Common().tabOrder;
      siblings.emplace_back(order >= 0 ? order : static_cast<int>(siblings.size()), component.get());
    }
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    HWND previous = HWND_TOP;
    for (const auto& [order, component] : siblings) {
      SetWindowPos(component->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = component->Handle();
    }
  }
}

TComponent* TForm::FindComponent(std::string_view name) const {
  for (const auto& component : components_) {
    if (component->Name() == name) return component.get();
  }
  return nullptr;
}

TComponent& TForm::Component(std::string_view name) const {
  TComponent* component = FindComponent(name);
  if (component == nullptr) throw Error("The form " + Name() + " has no component " + std::string(name));
  return *component;
}

TComponent* TForm::ControlOf(HWND control) const {
  TComponent* component = ObjectOf<TComponent>(control);
  return component != nullptr && &component->Owner() == this ? component : nullptr;
}

TButton* TForm::DefaultButton() const { return FirstButton(&TComponent::IsDefaultButton); }

TButton* TForm::CancelButton() const { return FirstButton(&TComponent::IsCancelButton); }

TButton* TForm::FirstButton(bool (TComponent::*is)() const) const {
  for (const auto& component : components_) {
    if (((*component).*is)()) return static_cast<TButton*>(component.get());
  }
  return nullptr;
}

std::string TForm::Caption() const { return components_.front()->Caption(); }

void TForm::SetCaption(const std::string& caption) { components_.front()->SetCaption(caption); }

int TForm::Scale(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }

HFONT TForm::FontFor(const std::string& name, int height, bool bold, bool italic) {
  const auto key = std::make_tuple(name, height, bold, italic);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();
  win::Font font = win::MakeFont(name, height, bold, italic);
  HFONT handle = font.get();
  fonts_.emplace(key, std::move(font));
  return handle;
}

HBRUSH TForm::BrushFor(ColorValue color) {
  auto found = brushes_.find(color);
  if (found != brushes_.end()) return found->second.get();
  win::Brush brush(CreateSolidBrush(ResolveColor(color)));
  HBRUSH handle = brush.get();
  brushes_.emplace(color, std::move(brush));
  return handle;
}

void TForm::RunShow() {
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TForm::RunHide() {
  if (!shown_) return;
  shown_ = false;
  FormHide();
}

void TForm::Show() {
  RunShow();
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  if (focusControl_ != nullptr && IsWindowVisible(focusControl_)) ::SetFocus(focusControl_);
}

void TForm::Hide() {
  ShowWindow(handle_, SW_HIDE);
  RunHide();
}

bool TForm::Visible() const { return IsWindowVisible(handle_) != FALSE; }

void TForm::BeginModal(HWND owner, std::function<void(int)> ended) {
  if (modal_) throw Error("The form " + Name() + " is already shown modally");
  modalResult_ = mrNone;
  modal_ = true;
  modalOwner_ = owner;
  modalEnded_ = std::move(ended);
  if (owner != nullptr) {
    const win::OwnChange own;
    EnableWindow(owner, FALSE);
  }
  Show();
}

int TForm::ShowModal(HWND owner) {
  BeginModal(owner, nullptr);
  while (modal_) {
    if (!Application.HandleMessage()) Application.WaitForMessage();
    if (modal_ && (Application.Terminated() || !IsWindow(handle_))) SetModalResult(mrCancel);
  }
  return modalResult_;
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  if (!modal_ || result == mrNone) return;
  modal_ = false;
  if (modalOwner_ != nullptr) {
    const win::OwnChange own;
    EnableWindow(std::exchange(modalOwner_, nullptr), TRUE);
  }
  if (IsWindow(handle_)) Hide();
  if (auto ended = std::move(modalEnded_)) ended(result);
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
  } else {
    Hide();
  }
}

int TForm::ClientWidth() const {
  RECT client{0, 0, 0, 0};
  GetClientRect(handle_, &client);
  return client.right;
}

int TForm::ClientHeight() const {
  RECT client{0, 0, 0, 0};
  GetClientRect(handle_, &client);
  return client.bottom;
}

RECT TForm::WindowBounds() const {
  RECT bounds{0, 0, 0, 0};
  GetWindowRect(handle_, &bounds);
  return bounds;
}

void TForm::SetClientHeight(int height) {
  const RECT window = WindowBounds();
  SetWindowPos(handle_, nullptr, 0, 0, window.right - window.left,
               window.bottom - window.top - ClientHeight() + height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetClientWidth(int width) {
  const RECT window = WindowBounds();
  SetWindowPos(handle_, nullptr, 0, 0, window.right - window.left - ClientWidth() + width,
               window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CenterOnScreen() {
  const RECT window = WindowBounds();
  const int left = (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2;
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::FocusControl(TComponent& control) {
  focusControl_ = control.Handle();
  if (focusControl_ != nullptr && IsWindowVisible(handle_)) ::SetFocus(focusControl_);
}

void TForm::BringToFront() {
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(handle_);
  SetActiveWindow(handle_);
  if (focusControl_ != nullptr && IsWindowVisible(focusControl_)) ::SetFocus(focusControl_);
}

void TForm::RealignChildren(const TComponent& parent) {
  const int width = parent.ClientWidth();
  const int height = parent.ClientHeight();
  for (const auto& component : components_) {
    if (component->Parent() == &parent) component->FollowParent(width, height);
  }
}

LRESULT TForm::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT TForm::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what) {
  static bool reporting = false;
  if (!reporting) {
    reporting = true;
    ReportUnhandledError(what);
    reporting = false;
  }
  return handle_ != nullptr ? DefWindowProcA(handle_, message, wParam, lParam) : 0;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (lParam == 0 && !destroying_) {
        if (wParam != FALSE) {
          RunShow();
        } else {
          RunHide();
        }
      }
      return DefaultHandling(message, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle_, focus)) focusControl_ = focus;
      } else if (focusControl_ != nullptr && IsWindow(focusControl_) && IsWindowVisible(focusControl_) &&
                 IsWindowEnabled(focusControl_)) {
        ::SetFocus(focusControl_);
        return 0;
      }
      return DefaultHandling(message, wParam, lParam);
    case WM_ACTIVATEAPP:
      Application.ActivateAppChanged(wParam != FALSE);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    // What another program does to the window: its styles stay, and it is enabled again.
    case WM_STYLECHANGING:
    case WM_ENABLE: {
      LRESULT result = 0;
      if (win::RefuseForeignChange(handle_, message, wParam, lParam, result)) return result;
      return DefaultHandling(message, wParam, lParam);
    }
    case WM_SIZE:
      if (!components_.empty()) RealignChildren(*components_.front());
      return DefaultHandling(message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(handle_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, BrushFor(components_.front()->Color()));
      return 1;
    }
    default:
      return ControlMessage(message, wParam, lParam);
  }
}

LRESULT TForm::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      // A timer has no window to be found by: each answers its own identifier only.
      if (!destroying_) {
        for (const auto& component : components_) component->Reflect(message, wParam, lParam);
      }
      return 0;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return Reflect(reinterpret_cast<HWND>(lParam), message, wParam, lParam);
    case WM_NOTIFY:
      // Only this thread's controls notify; another program's pointer is not read.
      if (InSendMessageEx(nullptr) != ISMEX_NOSEND || lParam == 0) return 0;
      return Reflect(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom, message, wParam, lParam);
    case WM_DRAWITEM:
      return Reflect(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem, message, wParam, lParam);
    case WM_MEASUREITEM:
      // Sent while an owner-drawn list's window is being made, before it is found by its window.
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(Scale(16));
      return TRUE;
    case DM_GETDEFID:
      if (TComponent* button = DefaultButton(); button != nullptr) return MAKELRESULT(button->Id(), DC_HASDEFID);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam, lParam);
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

LRESULT TForm::Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (destroying_) return 0;
  if (TComponent* component = ControlOf(control)) return component->Reflect(message, wParam, lParam);
  if (message != WM_COMMAND || control != nullptr) return 0;
  const int id = LOWORD(wParam);
  TButton* button = DefaultButton();
  if (id == IDCANCEL) {
    button = CancelButton();
  } else if (id != IDOK && (button == nullptr || id != button->Id())) {
    return 0;
  }
  if (button != nullptr && button->Enabled() && button->Visible()) button->Click();
  return 0;
}

LRESULT TForm::OnControlColor(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const TComponent* component = ControlOf(control);
  if (component == nullptr) return DefaultHandling(message, wParam, lParam);
  const ColorValue background = component->OwnsBackground() ? component->Color() : component->Parent()->Color();
  SetTextColor(dc, ResolveColor(component->FontColor()));
  SetBkColor(dc, ResolveColor(background));
  return reinterpret_cast<LRESULT>(BrushFor(background));
}

}  // namespace velmora
