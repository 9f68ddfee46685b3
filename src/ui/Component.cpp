// Components: what every kind shares (texts, tooltip, look, buffering, anchors, events).
#include "ui/Component.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/Error.h"
#include "ui/Form.h"
#include "ui/WindowProcedure.h"
#include "win/WindowState.h"
#include "win/Windows.h"

namespace velmora {

namespace {

constexpr UINT_PTR kBufferedPaintId = 1;

// Each event and the row's handler for it.
constexpr std::pair<TComponent::Event TComponent::*, Handler CommonOptions::*> kEvents[] = {
    {&TComponent::OnClick, &CommonOptions::onClick},       {&TComponent::OnChange, &CommonOptions::onChange},
    {&TComponent::OnTimer, &CommonOptions::onTimer},       {&TComponent::OnEnter, &CommonOptions::onEnter},
    {&TComponent::OnExit, &CommonOptions::onExit},         {&TComponent::OnMouseEnter, &CommonOptions::onMouseEnter},
    {&TComponent::OnMouseLeave, &CommonOptions::onMouseLeave}};

// Paints a standard control into an off-screen bitmap (the control draws into any device
// context it is given with WM_PAINT) and copies the result to the screen in one step.
LRESULT CALLBACK BufferedPaintProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR) {
  if (IsForgedLifetimeMessage(window, message)) return 0;
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, BufferedPaintProcedure, kBufferedPaintId);
  } else if (message == WM_PAINT && wParam == 0) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    win::PaintThroughBuffer(dc, client, [window](HDC buffer) {
      DefSubclassProc(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer), 0);
      DefSubclassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(buffer), 0);
    });
    EndPaint(window, &paint);
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// Along one axis: a component anchored at the far edge ends at `end`, stretched when anchored at
// the near edge too, moved otherwise.
void FollowEdge(bool nearEdge, bool farEdge, int end, int& start, int& size) {
  if (!farEdge) return;
  if (nearEdge) {
    size = end - start;
  } else {
    start = end - size;
  }
}

}  // namespace

TComponent::TComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : owner_(owner),
      layout_(layout),
      parent_(parent),
      name_(layout.name),
      id_(id),
      caption_(layout.Common().caption != nullptr ? layout.Common().caption : parent != nullptr ? layout.name : "") {
  InheritLook();
  for (const auto& [event, handler] : kEvents) {
    if (const Handler call = Common().*handler) this->*event = [this, call] { call(owner_, *this); };
  }
}

TComponent::~TComponent() {
  ClearEvents();
  window_procedure::Detach(handle_, this);
}

// What the row does not give the form is the system's dialog look; what it does not give
// another component is its parent's, or the window colour for a control with a background of
// its own.
void TComponent::InheritLook() {
  const CommonOptions& common = Common();
  const bool ownFont = common.font.name != nullptr || common.font.height != 0;
  color_ = common.color;
  fontColor_ = common.fontColor;
  fontName_ = common.font.name != nullptr ? common.font.name : "";
  fontHeight_ = common.font.height;
  fontBold_ = common.font.bold;
  if (parent_ == nullptr) {
    if (color_ == clDefault) color_ = SystemColor(COLOR_BTNFACE);
    if (fontColor_ == clDefault) fontColor_ = SystemColor(COLOR_WINDOWTEXT);
    if (common.font.name == nullptr) fontName_ = "MS Sans Serif";
    if (fontHeight_ == 0) fontHeight_ = -11;
    return;
  }
  if (color_ == clDefault) color_ = OwnsBackground() ? SystemColor(COLOR_WINDOW) : parent_->Color();
  if (fontColor_ == clDefault) fontColor_ = parent_->FontColor();
  if (common.font.name == nullptr) fontName_ = parent_->fontName_;
  if (fontHeight_ == 0) fontHeight_ = parent_->fontHeight_;
  if (!ownFont) fontBold_ = parent_->fontBold_;
  fontItalic_ = ownFont ? false : parent_->fontItalic_;
}

bool TComponent::OwnsBackground() const {
  switch (Kind()) {
    case ComponentKind::Edit:
    case ComponentKind::Memo:
    case ComponentKind::ComboBox:
    case ComponentKind::ColorBox:
      return true;
    default:
      return false;
  }
}

bool TComponent::IsDefaultButton() const {
  const auto* button = std::get_if<ButtonOptions>(&layout_.options);
  return button != nullptr && button->isDefault;
}

bool TComponent::IsCancelButton() const {
  const auto* button = std::get_if<ButtonOptions>(&layout_.options);
  return button != nullptr && button->isCancel;
}

void TComponent::CreateControlWindow(const char* windowClass, DWORD style, DWORD exStyle, ControlGuard guard,
                                     int designHeight, void* self) {
  if (parent_->HoldsOnlySheets()) throw Error("Only tab sheets may lie on a page control");
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (Common().visible) style |= WS_VISIBLE;
  const int height = owner_.Scale(designHeight >= 0 ? designHeight : layout_.height);
  window_procedure::SetPending(self);
  handle_ = CreateWindowExA(exStyle, windowClass, "", style, owner_.Scale(layout_.left), owner_.Scale(layout_.top),
                            owner_.Scale(layout_.width), height, parent_->Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
  window_procedure::EndCreation();
  if (handle_ == nullptr) throw Error("Cannot create the window of " + name_);
  if (self == nullptr) window_procedure::Attach(handle_, this, window_procedure::Kind<TComponent>());
  GuardControl(handle_, guard);
  ApplyFont();
}

void TComponent::ClearEvents() {
  for (const auto& [event, handler] : kEvents) this->*event = nullptr;
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

void TComponent::ApplyFont() {
  if (handle_ == nullptr) return;
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

HFONT TComponent::FontHandle() const {
  return owner_.FontFor(fontName_, owner_.Scale(fontHeight_), fontBold_, fontItalic_);
}

std::string TComponent::Caption() const {
  return TranslatableTextsOf(Kind()).caption ? caption_ : std::string();
}

void TComponent::SetCaption(const std::string& caption) {
  if (!TranslatableTextsOf(Kind()).caption || caption == caption_) return;
  caption_ = caption;
  ShowCaption();
  UpdateToolTip();
}

void TComponent::ShowCaption() {
  SetWindowTextA(handle_, caption_.c_str());
  AutoSize();
}

void TComponent::SetHint(const std::string& hint) {
  if (!TranslatableTextsOf(Kind()).hint) return;
  hint_ = hint;
  UpdateToolTip();
}

void TComponent::UpdateToolTip() {
  HWND toolTip = owner_.ToolTip();
  if (toolTip == nullptr || handle_ == nullptr || parent_ == nullptr) return;
  const bool wanted = !hint_.empty() && !(TranslatableTextsOf(Kind()).caption && hint_ == caption_);
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

void TComponent::SetEnabled(bool enabled) {
  const win::OwnChange own;
  EnableWindow(handle_, enabled ? TRUE : FALSE);
}

bool TComponent::Visible() const {
  return handle_ != nullptr && (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TComponent::SetVisible(bool visible) {
  const win::OwnChange own;
  if (handle_ != nullptr) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TComponent::SetFocus() { owner_.FocusControl(*this); }

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
  FontChanged();
}

void TComponent::SetFont(const std::string& name, int height, bool bold, bool italic) {
  if (!name.empty()) fontName_ = name;
  fontHeight_ = height;
  fontBold_ = bold;
  fontItalic_ = italic;
  FontChanged();
}

void TComponent::FontChanged() {
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
  if (PaintsItself() || !IsWindowedControl()) return;
  if (value) {
    bufferSubclassed_ = SetWindowSubclass(handle_, BufferedPaintProcedure, kBufferedPaintId, 0) != FALSE;
  } else if (bufferSubclassed_) {
    RemoveWindowSubclass(handle_, BufferedPaintProcedure, kBufferedPaintId);
    bufferSubclassed_ = false;
  }
  Repaint();
}

bool TComponent::PaintsThroughBuffer() const { return PaintsItself() ? doubleBuffered_ : bufferSubclassed_; }

void TComponent::Repaint() const {
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

RECT TComponent::Bounds() const {
  RECT bounds{0, 0, 0, 0};
  if (handle_ == nullptr) return bounds;
  GetWindowRect(handle_, &bounds);
  // The form's window has an owner, not a parent: its bounds stay on the screen.
  if (HWND parent = GetParent(handle_); parent != nullptr && parent_ != nullptr) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&bounds), 2);
  }
  return bounds;
}

void TComponent::SetBounds(int left, int top, int width, int height) {
  const win::OwnChange own;
  if (handle_ != nullptr) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TComponent::ClientRect() const {
  RECT client{0, 0, 0, 0};
  if (handle_ != nullptr) GetClientRect(handle_, &client);
  return client;
}

void TComponent::MeasureAnchors() {
  if (handle_ == nullptr || parent_ == nullptr) return;
  const RECT bounds = Bounds();
  rightDistance_ = parent_->ClientWidth() - bounds.right;
  bottomDistance_ = parent_->ClientHeight() - bounds.bottom;
}

void TComponent::FollowParent(int parentWidth, int parentHeight) {
  if (handle_ == nullptr) return;
  if (Common().alignClient) {
    SetBounds(0, 0, parentWidth, parentHeight);
    return;
  }
  const unsigned anchors = Common().anchors;
  const RECT bounds = Bounds();
  int left = bounds.left;
  int top = bounds.top;
  int width = bounds.right - bounds.left;
  int height = bounds.bottom - bounds.top;
  FollowEdge(anchors & akLeft, anchors & akRight, parentWidth - rightDistance_, left, width);
  FollowEdge(anchors & akTop, anchors & akBottom, parentHeight - bottomDistance_, top, height);
  if (left != bounds.left || top != bounds.top || width != bounds.right - bounds.left ||
      height != bounds.bottom - bounds.top) {
    SetBounds(left, top, width, height);
  }
}

std::unique_ptr<TComponent> MakeComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return layout.make(owner, layout, parent, id);
}

}  // namespace velmora
