// Components: creating each kind's window and exposing its state.
#include "ui/Component.h"

#include <commctrl.h>

#include <algorithm>

#include "core/Error.h"
#include "ui/Form.h"
#include "ui/WindowProcedure.h"

namespace velmora {

namespace {

constexpr char kPanelClass[] = "TVelmoraPanel";

void RegisterPanelClass() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(instance, kPanelClass, &existing)) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = WindowProcedure<TComponent>;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPanelClass;
  RegisterClassExA(&windowClass);
}

UINT BevelEdge(Bevel bevel, bool outer) {
  switch (bevel) {
    case Bevel::Raised: return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    case Bevel::Lowered: return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    case Bevel::None: break;
  }
  return 0;
}

constexpr UINT_PTR kBufferedPaintId = 1;

// Paints a standard control into an off-screen bitmap (the control draws into any device
// context it is given with WM_PAINT) and copies the result to the screen in one step.
LRESULT CALLBACK BufferedPaintProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, BufferedPaintProcedure, kBufferedPaintId);
  } else if (message == WM_PAINT && wParam == 0) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (client.right > 0 && client.bottom > 0) {
      win::MemoryDC memory(CreateCompatibleDC(dc));
      win::Bitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
      win::SelectedObject selected(memory.get(), bitmap.get());
      DefSubclassProc(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0);
      DefSubclassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0);
      BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
             paint.rcPaint.bottom - paint.rcPaint.top, memory.get(), paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    }
    EndPaint(window, &paint);
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

constexpr UINT_PTR kLabelMouseId = 2;

// Reports the mouse entering and leaving a label and shows the hand over link labels.
LRESULT CALLBACK LabelMouseProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
  auto* label = reinterpret_cast<TComponent*>(data);
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, LabelMouseProcedure, kLabelMouseId);
      break;
    case WM_MOUSEMOVE:
      if (!label->MouseInside()) {
        label->SetMouseInside(true);
        TRACKMOUSEEVENT tracking{};
        tracking.cbSize = sizeof(tracking);
        tracking.dwFlags = TME_LEAVE;
        tracking.hwndTrack = window;
        TrackMouseEvent(&tracking);
        label->RunEventSafely(label->OnMouseEnter);
      }
      break;
    case WM_MOUSELEAVE:
      label->SetMouseInside(false);
      label->RunEventSafely(label->OnMouseLeave);
      break;
    case WM_SETCURSOR:
      if (label->Layout().props.handCursor) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool IsListKind(ComponentKind kind) {
  return kind == ComponentKind::ComboBox || kind == ComponentKind::ColorBox;
}

}  // namespace

TComponent::TComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : owner_(owner),
      layout_(layout),
      parent_(parent),
      name_(layout.name),
      kind_(layout.kind),
      id_(id),
      caption_(layout.props.caption != nullptr ? layout.props.caption : layout.name),
      interval_(layout.props.interval),
      timerEnabled_(kind_ == ComponentKind::Timer && layout.props.timerEnabled) {
  const Props& props = layout.props;
  if (parent_ == nullptr) {
    color_ = props.color != clDefault ? props.color : SystemColor(COLOR_BTNFACE);
    fontColor_ = props.fontColor != clDefault ? props.fontColor : SystemColor(COLOR_WINDOWTEXT);
    fontName_ = props.fontName != nullptr ? props.fontName : "MS Sans Serif";
    fontHeight_ = props.fontHeight != 0 ? props.fontHeight : -11;
    fontBold_ = props.fontBold;
    return;
  }
  color_ = props.color;
  if (color_ == clDefault) {
    const bool ownsWindowColor = kind_ == ComponentKind::Edit || kind_ == ComponentKind::Memo ||
                                 IsListKind(kind_);
    color_ = ownsWindowColor ? SystemColor(COLOR_WINDOW) : parent_->Color();
  }
  fontColor_ = props.fontColor != clDefault ? props.fontColor : parent_->FontColor();
  fontName_ = props.fontName != nullptr ? props.fontName : parent_->fontName_;
  fontHeight_ = props.fontHeight != 0 ? props.fontHeight : parent_->fontHeight_;
  fontBold_ = props.fontName != nullptr || props.fontHeight != 0 ? props.fontBold : parent_->fontBold_;
  fontItalic_ = props.fontName != nullptr || props.fontHeight != 0 ? false : parent_->fontItalic_;
  if (kind_ == ComponentKind::Timer) return;
  if (kind_ == ComponentKind::TabSheet) {
    CreateSheet();
  } else {
    CreateControl();
  }
}

TComponent::~TComponent() {
  ClearEvents();
  if (kind_ == ComponentKind::Timer && owner_.Handle() != nullptr) KillTimer(owner_.Handle(), id_);
}

void TComponent::ClearEvents() {
  OnClick = nullptr;
  OnChange = nullptr;
  OnTimer = nullptr;
  OnEnter = nullptr;
  OnExit = nullptr;
  OnMouseEnter = nullptr;
  OnMouseLeave = nullptr;
}

void TComponent::RunEventSafely(const Event& event) {
  if (!event) return;
  try {
    event();
  } catch (const std::exception& failure) {
    owner_.HandlerFailed(WM_NULL, 0, 0, failure.what());
  } catch (...) {
    owner_.HandlerFailed(WM_NULL, 0, 0, "Unknown failure");
  }
}

bool TComponent::IsWindowedControl() const {
  return handle_ != nullptr && kind_ != ComponentKind::Label && kind_ != ComponentKind::Timer;
}

void TComponent::CreateControl() {
  const Props& props = layout_.props;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  const char* windowClass = nullptr;
  switch (kind_) {
    case ComponentKind::Panel:
      RegisterPanelClass();
      windowClass = kPanelClass;
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case ComponentKind::Label:
      windowClass = WC_STATICA;
      style |= SS_NOTIFY | SS_NOPREFIX;
      // A label of a fixed size clips a text that is too long instead of wrapping it; the
      // static control has no such style for centred and right-aligned text.
      style |= props.alignment == TextAlignment::Center  ? SS_CENTER
               : props.alignment == TextAlignment::Right ? SS_RIGHT
               : layout_.width != 0 || layout_.height != 0 ? SS_LEFTNOWORDWRAP
                                                            : SS_LEFT;
      break;
    case ComponentKind::CheckBox:
      windowClass = WC_BUTTONA;
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case ComponentKind::Button:
      windowClass = WC_BUTTONA;
      style |= (props.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
      break;
    case ComponentKind::Edit:
    case ComponentKind::Memo:
      windowClass = WC_EDITA;
      style |= WS_TABSTOP;
      if (kind_ == ComponentKind::Memo) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (props.wantReturns) style |= ES_WANTRETURN;
        if (props.alignment == TextAlignment::Center) style |= ES_CENTER;
      } else {
        style |= ES_AUTOHSCROLL;
      }
      if (props.verticalScrollBar) style |= WS_VSCROLL;
      if (props.passwordChar != 0) style |= ES_PASSWORD;
      if (props.readOnly) style |= ES_READONLY;
      if (props.flatBorder) {
        style |= WS_BORDER;
      } else if (!props.noBorder) {
        exStyle |= WS_EX_CLIENTEDGE;
      }
      break;
    case ComponentKind::ComboBox:
    case ComponentKind::ColorBox:
      windowClass = WC_COMBOBOXA;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      if (kind_ == ComponentKind::ColorBox) style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
    case ComponentKind::TrackBar:
      windowClass = TRACKBAR_CLASSA;
      style |= WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTH | (props.vertical ? TBS_VERT : TBS_HORZ);
      if (props.thumbLength > 0) style |= TBS_FIXEDLENGTH;
      break;
    case ComponentKind::UpDown:
      windowClass = UPDOWN_CLASSA;
      style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
      break;
    case ComponentKind::PageControl:
      windowClass = WC_TABCONTROLA;
      style |= WS_TABSTOP | WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case ComponentKind::Form:
    case ComponentKind::TabSheet:
    case ComponentKind::Timer:
      return;
  }
  if (props.visible) style |= WS_VISIBLE;
  if (!props.enabled) style |= WS_DISABLED;

  int height = owner_.Scale(layout_.height);
  if (IsListKind(kind_)) height = owner_.Scale(200);
  HWND parentWindow = parent_->Handle();
  if (parent_->Kind() == ComponentKind::PageControl) throw Error("Only tab sheets may lie on a page control");
  handle_ = CreateWindowExA(exStyle, windowClass, "", style, owner_.Scale(layout_.left),
                            owner_.Scale(layout_.top), owner_.Scale(layout_.width), height, parentWindow,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr),
                            kind_ == ComponentKind::Panel ? this : nullptr);
  if (handle_ == nullptr) throw Error("Cannot create the window of " + name_);
  ApplyFont();

  switch (kind_) {
    case ComponentKind::Edit:
    case ComponentKind::Memo:
      if (props.passwordChar != 0) SendMessageA(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(props.passwordChar), 0);
      SendMessageA(handle_, EM_SETLIMITTEXT, props.maxLength > 0 ? props.maxLength : 0x7FFFFFFE, 0);
      if (kind_ == ComponentKind::Edit && props.caption != nullptr) SetWindowTextA(handle_, props.caption);
      break;
    case ComponentKind::TrackBar:
      SendMessageA(handle_, TBM_SETRANGEMIN, FALSE, props.minimum);
      SendMessageA(handle_, TBM_SETRANGEMAX, FALSE, props.maximum);
      SendMessageA(handle_, TBM_SETPAGESIZE, 0, props.pageSize);
      SendMessageA(handle_, TBM_SETTICFREQ, props.frequency, 0);
      if (props.thumbLength > 0) SendMessageA(handle_, TBM_SETTHUMBLENGTH, owner_.Scale(props.thumbLength), 0);
      SendMessageA(handle_, TBM_SETPOS, TRUE, props.position);
      break;
    case ComponentKind::UpDown:
      if (props.associate != nullptr) {
        SendMessageA(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(owner_.Component(props.associate).Handle()), 0);
      }
      // Attaching may move or resize the arrows; they stand where the layout puts them.
      SetWindowPos(handle_, nullptr, owner_.Scale(layout_.left), owner_.Scale(layout_.top),
                   owner_.Scale(layout_.width), height, SWP_NOZORDER | SWP_NOACTIVATE);
      SendMessageA(handle_, UDM_SETRANGE32, props.minimum, props.maximum);
      SendMessageA(handle_, UDM_SETPOS32, 0, props.position);
      break;
    case ComponentKind::Label:
      SetWindowSubclass(handle_, LabelMouseProcedure, kLabelMouseId, reinterpret_cast<DWORD_PTR>(this));
      SetWindowTextA(handle_, caption_.c_str());
      AutoSize();
      break;
    case ComponentKind::CheckBox:
      SendMessageA(handle_, BM_SETCHECK, props.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      [[fallthrough]];
    case ComponentKind::Button:
      SetWindowTextA(handle_, caption_.c_str());
      AutoSize();
      break;
    default:
      break;
  }
}

void TComponent::CreateSheet() {
  if (parent_->Kind() != ComponentKind::PageControl) throw Error("A tab sheet lies on a page control: " + name_);
  RegisterPanelClass();
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption_.c_str());
  const int index = SheetIndex();
  SendMessageA(parent_->Handle(), TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
  RECT area;
  GetClientRect(parent_->Handle(), &area);
  SendMessageA(parent_->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  handle_ = CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                            area.left, area.top, area.right - area.left, area.bottom - area.top,
                            parent_->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleA(nullptr), this);
  if (handle_ == nullptr) throw Error("Cannot create the window of " + name_);
  ApplyFont();
}

int TComponent::SheetIndex() const {
  int index = 0;
  for (const auto& component : owner_.Components()) {
    if (component.get() == this) break;
    if (component->Parent() == parent_ && component->Kind() == ComponentKind::TabSheet) ++index;
  }
  return index;
}

void TComponent::ApplyFont() {
  if (handle_ == nullptr) return;
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

HFONT TComponent::FontHandle() const {
  return owner_.FontFor(fontName_, owner_.Scale(fontHeight_), fontBold_, fontItalic_);
}

void TComponent::AutoSize() {
  if (kind_ != ComponentKind::Label || layout_.width != 0 || layout_.height != 0 || handle_ == nullptr) return;
  win::WindowDC dc(handle_);
  win::SelectedObject font(dc.get(), FontHandle());
  RECT extent{0, 0, 0, 0};
  const std::string text = caption_.empty() ? std::string(" ") : caption_;
  DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
  SetWindowPos(handle_, nullptr, 0, 0, extent.right, extent.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TComponent::Caption() const {
  if (kind_ == ComponentKind::Form) return owner_.Caption();
  return TranslatableTextsOf(kind_).caption ? caption_ : std::string();
}

void TComponent::SetCaption(const std::string& caption) {
  if (!TranslatableTextsOf(kind_).caption) return;
  if (caption == caption_ && kind_ == ComponentKind::Panel) return;
  caption_ = caption;
  switch (kind_) {
    case ComponentKind::Form:
      SetWindowTextA(owner_.Handle(), caption.c_str());
      break;
    case ComponentKind::Panel:
      Repaint();
      break;
    case ComponentKind::TabSheet: {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(caption_.c_str());
      SendMessageA(parent_->Handle(), TCM_SETITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
      break;
    }
    default:
      SetWindowTextA(handle_, caption.c_str());
      AutoSize();
      break;
  }
  UpdateToolTip();
}

std::string TComponent::Text() const {
  if (!TranslatableTextsOf(kind_).text && kind_ != ComponentKind::Memo) return std::string();
  const int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void TComponent::SetText(const std::string& text) {
  if (IsListKind(kind_)) {
    const LRESULT found = SendMessageA(handle_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    SetItemIndex(found == CB_ERR ? -1 : static_cast<int>(found));
    return;
  }
  if (kind_ != ComponentKind::Edit && kind_ != ComponentKind::Memo) return;
  SetWindowTextA(handle_, text.c_str());
}

void TComponent::SetHint(const std::string& hint) {
  if (!TranslatableTextsOf(kind_).hint) return;
  hint_ = hint;
  UpdateToolTip();
}

void TComponent::UpdateToolTip() {
  HWND toolTip = owner_.ToolTip();
  if (toolTip == nullptr || handle_ == nullptr || kind_ == ComponentKind::Form) return;
  const bool wanted = !hint_.empty() && !(TranslatableTextsOf(kind_).caption && hint_ == caption_);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner_.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(handle_);
  tool.lpszText = const_cast<char*>(hint_.c_str());
  if (wanted) {
    SendMessageA(toolTip, toolAdded_ ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (toolAdded_) {
    SendMessageA(toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  toolAdded_ = wanted;
}

bool TComponent::Enabled() const {
  if (kind_ == ComponentKind::Timer) return timerEnabled_;
  return IsWindowEnabled(handle_) != FALSE;
}

void TComponent::SetEnabled(bool enabled) {
  if (kind_ == ComponentKind::Timer) {
    SetTimerEnabled(enabled);
    return;
  }
  EnableWindow(handle_, enabled ? TRUE : FALSE);
}

bool TComponent::Visible() const {
  return handle_ != nullptr && (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TComponent::SetVisible(bool visible) {
  if (handle_ == nullptr) return;
  if (kind_ == ComponentKind::Form) {
    visible ? owner_.Show() : owner_.Hide();
    return;
  }
  ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TComponent::SetFocus() { owner_.FocusControl(*this); }

bool TComponent::Checked() const {
  return kind_ == ComponentKind::CheckBox && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TComponent::SetChecked(bool checked) {
  if (kind_ != ComponentKind::CheckBox || Checked() == checked) return;
  SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick();
}

void TComponent::Click() {
  if (kind_ == ComponentKind::CheckBox) {
    SetChecked(!Checked());
    return;
  }
  if (kind_ == ComponentKind::Button && layout_.props.modalResult != mrNone) {
    owner_.SetModalResult(layout_.props.modalResult);
  }
  if (OnClick) OnClick();
}

ColorValue TComponent::Color() const { return color_; }

void TComponent::SetColor(ColorValue color) {
  color_ = color;
  Repaint();
}

void TComponent::SetFontColor(ColorValue color) {
  fontColor_ = color;
  Repaint();
}

void TComponent::UseParentFont() {
  if (parent_ == nullptr) return;
  fontName_ = parent_->fontName_;
  fontHeight_ = parent_->fontHeight_;
  fontBold_ = parent_->fontBold_;
  fontItalic_ = parent_->fontItalic_;
  fontColor_ = parent_->fontColor_;
  ApplyFont();
  AutoSize();
  Repaint();
}

void TComponent::SetFont(const std::string& name, int height, bool bold, bool italic) {
  if (!name.empty()) fontName_ = name;
  fontHeight_ = height;
  fontBold_ = bold;
  fontItalic_ = italic;
  ApplyFont();
  AutoSize();
  Repaint();
}

void TComponent::SetParentBackground(bool value) {
  parentBackground_ = value;
  Repaint();
}

void TComponent::SetDoubleBuffered(bool value) {
  if (value == doubleBuffered_) return;
  doubleBuffered_ = value;
  const bool ownWindow = kind_ == ComponentKind::Panel || kind_ == ComponentKind::TabSheet || kind_ == ComponentKind::Form;
  if (ownWindow || !IsWindowedControl()) return;
  if (value) {
    bufferSubclassed_ = SetWindowSubclass(handle_, BufferedPaintProcedure, kBufferedPaintId, 0) != FALSE;
  } else if (bufferSubclassed_) {
    RemoveWindowSubclass(handle_, BufferedPaintProcedure, kBufferedPaintId);
    bufferSubclassed_ = false;
  }
  Repaint();
}

bool TComponent::PaintsThroughBuffer() const {
  const bool ownWindow = kind_ == ComponentKind::Panel || kind_ == ComponentKind::TabSheet || kind_ == ComponentKind::Form;
  return ownWindow ? doubleBuffered_ : bufferSubclassed_;
}

void TComponent::Repaint() const {
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

RECT TComponent::Bounds() const {
  RECT bounds{0, 0, 0, 0};
  if (handle_ == nullptr) return bounds;
  GetWindowRect(handle_, &bounds);
  if (HWND parent = GetParent(handle_); parent != nullptr && kind_ != ComponentKind::Form) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&bounds), 2);
  }
  return bounds;
}

void TComponent::SetBounds(int left, int top, int width, int height) {
  if (handle_ != nullptr) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TComponent::ClientWidth() const {
  RECT client{0, 0, 0, 0};
  if (handle_ != nullptr) GetClientRect(handle_, &client);
  return client.right;
}

int TComponent::ClientHeight() const {
  RECT client{0, 0, 0, 0};
  if (handle_ != nullptr) GetClientRect(handle_, &client);
  return client.bottom;
}

void TComponent::MeasureAnchors() {
  if (handle_ == nullptr || parent_ == nullptr) return;
  const RECT bounds = Bounds();
  rightDistance_ = parent_->ClientWidth() - bounds.right;
  bottomDistance_ = parent_->ClientHeight() - bounds.bottom;
}

void TComponent::FollowParent(int parentWidth, int parentHeight) {
  if (handle_ == nullptr || kind_ == ComponentKind::TabSheet) return;
  if (layout_.props.alignClient) {
    SetBounds(0, 0, parentWidth, parentHeight);
    return;
  }
  const unsigned anchors = layout_.props.anchors;
  RECT bounds = Bounds();
  int left = bounds.left;
  int top = bounds.top;
  int width = bounds.right - bounds.left;
  int height = bounds.bottom - bounds.top;
  if (anchors & akRight) {
    if (anchors & akLeft) {
      width = parentWidth - rightDistance_ - left;
    } else {
      left = parentWidth - rightDistance_ - width;
    }
  }
  if (anchors & akBottom) {
    if (anchors & akTop) {
      height = parentHeight - bottomDistance_ - top;
    } else {
      top = parentHeight - bottomDistance_ - height;
    }
  }
  if (left != bounds.left || top != bounds.top || width != bounds.right - bounds.left ||
      height != bounds.bottom - bounds.top) {
    SetBounds(left, top, width, height);
  }
}

void TComponent::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  if (timerEnabled_) StartTimerWindow();
}

void TComponent::SetTimerEnabled(bool enabled) {
  if (kind_ != ComponentKind::Timer || enabled == timerEnabled_) return;
  timerEnabled_ = enabled;
  if (enabled) {
    StartTimerWindow();
  } else if (owner_.Handle() != nullptr) {
    KillTimer(owner_.Handle(), id_);
  }
}

void TComponent::StartTimerWindow() {
  if (kind_ != ComponentKind::Timer || owner_.Handle() == nullptr) return;
  KillTimer(owner_.Handle(), id_);
  if (timerEnabled_ && interval_ > 0) SetTimer(owner_.Handle(), id_, interval_, nullptr);
}

int TComponent::Position() const {
  if (kind_ == ComponentKind::TrackBar) return static_cast<int>(SendMessageA(handle_, TBM_GETPOS, 0, 0));
  if (kind_ == ComponentKind::UpDown) return static_cast<int>(SendMessageA(handle_, UDM_GETPOS32, 0, 0));
  return 0;
}

void TComponent::SetPosition(int position) {
  if (kind_ == ComponentKind::TrackBar) {
    const int before = Position();
    SendMessageA(handle_, TBM_SETPOS, TRUE, position);
    if (Position() != before && OnChange) OnChange();
  } else if (kind_ == ComponentKind::UpDown) {
    SendMessageA(handle_, UDM_SETPOS32, 0, position);
  }
}

int TComponent::PageCount() const {
  if (kind_ != ComponentKind::PageControl) return 0;
  return static_cast<int>(SendMessageA(handle_, TCM_GETITEMCOUNT, 0, 0));
}

int TComponent::ActivePageIndex() const {
  if (kind_ != ComponentKind::PageControl) return -1;
  return static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0));
}

void TComponent::SetActivePageIndex(int index) {
  if (kind_ != ComponentKind::PageControl) return;
  if (index < 0 || index >= PageCount()) index = -1;
  SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  int sheet = 0;
  for (const auto& component : owner_.Components()) {
    if (component->Parent() != this || component->Kind() != ComponentKind::TabSheet) continue;
    component->ShowSheet(sheet == index);
    ++sheet;
  }
}

void TComponent::ShowSheet(bool shown) {
  if (handle_ != nullptr) ShowWindow(handle_, shown ? SW_SHOWNA : SW_HIDE);
}

void TComponent::ClearItems() {
  if (IsListKind(kind_)) SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
}

void TComponent::AddItem(const std::string& text, LPARAM data) {
  if (!IsListKind(kind_)) return;
  const LRESULT index = SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageA(handle_, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int TComponent::ItemCount() const {
  return IsListKind(kind_) ? static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)) : 0;
}

int TComponent::ItemIndex() const {
  return IsListKind(kind_) ? static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)) : -1;
}

void TComponent::SetItemIndex(int index) {
  if (IsListKind(kind_)) SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

LPARAM TComponent::ItemData(int index) const {
  return IsListKind(kind_) ? SendMessageA(handle_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) : 0;
}

void TComponent::DrawListItem(const DRAWITEMSTRUCT& item) const {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int height = item.rcItem.bottom - item.rcItem.top;
  RECT swatch{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 2 + height * 3 / 2,
              item.rcItem.bottom - 2};
  win::Brush brush(CreateSolidBrush(ResolveColor(static_cast<ColorValue>(item.itemData))));
  FillRect(item.hDC, &swatch, brush.get());
  FrameRect(item.hDC, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
  const LRESULT length = SendMessageA(handle_, CB_GETLBTEXTLEN, item.itemID, 0);
  if (length <= 0) return;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(handle_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  RECT textArea = item.rcItem;
  textArea.left = swatch.right + 4;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TComponent::PaintContent(HDC dc, const RECT& area) const {
  const ColorValue background = parentBackground_ && parent_ != nullptr ? parent_->Color() : color_;
  win::Brush brush(CreateSolidBrush(ResolveColor(background)));
  FillRect(dc, &area, brush.get());
  if (kind_ != ComponentKind::Panel) return;
  RECT inside = area;
  const Props& props = layout_.props;
  if (props.bevelOuter != Bevel::None) DrawEdge(dc, &inside, BevelEdge(props.bevelOuter, true), BF_RECT | BF_ADJUST);
  if (props.bevelInner != Bevel::None) DrawEdge(dc, &inside, BevelEdge(props.bevelInner, false), BF_RECT | BF_ADJUST);
  if (caption_.empty()) return;
  win::SelectedObject font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColor(fontColor_));
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &inside,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TComponent::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(handle_, &paint);
      RECT client;
      GetClientRect(handle_, &client);
      if (doubleBuffered_) {
        win::MemoryDC memory(CreateCompatibleDC(dc));
        win::Bitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        {
          win::SelectedObject selected(memory.get(), bitmap.get());
          PaintContent(memory.get(), client);
          BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
      } else {
        PaintContent(dc, client);
      }
      EndPaint(handle_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(handle_, &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_SIZE:
      owner_.RealignChildren(*this);
      return 0;
    case WM_CLOSE:
      // A multi-line edit answers Esc by asking its parent to close: that is the form's close.
      owner_.Close();
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return owner_.HandleMessage(message, wParam, lParam);
    default:
      return DefWindowProcA(handle_, message, wParam, lParam);
  }
}

LRESULT TComponent::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what) {
  owner_.HandlerFailed(WM_NULL, 0, 0, what);
  return DefWindowProcA(handle_, message, wParam, lParam);
}

}  // namespace velmora
