// The component kinds: each kind's window, its messages and its own calls.
#include "ui/Kinds.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "core/Error.h"
#include "ui/Form.h"
#include "ui/LinkCursor.h"
#include "ui/WindowProcedure.h"
#include "win/Windows.h"

namespace velmora {

namespace {

UINT BevelEdge(Bevel bevel, bool outer) {
  switch (bevel) {
    case Bevel::Raised: return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    case Bevel::Lowered: return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    case Bevel::None: break;
  }
  return 0;
}

// The sheet's tab, showing its caption.
TCITEMA Tab(const std::string& caption) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  return item;
}

constexpr UINT_PTR kLabelMouseId = 2;

LRESULT CALLBACK LabelMouseProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
  auto* label = reinterpret_cast<TLabel*>(data);
  if (IsForgedLifetimeMessage(window, message)) return 0;
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
      if (label->HandCursor()) {
        SetCursor(LinkCursor());
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// A label of a fixed size clips a text that is too long instead of wrapping it; the static
// control has no such style for centred and right-aligned text.
DWORD AlignmentStyle(TextAlignment alignment, bool fixedSize) {
  switch (alignment) {
    case TextAlignment::Center: return SS_CENTER;
    case TextAlignment::Right: return SS_RIGHT;
    case TextAlignment::Left: break;
  }
  return fixedSize ? SS_LEFTNOWORDWRAP : SS_LEFT;
}

bool Clicked(UINT message, WPARAM wParam) { return message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED; }

// The row's height is the closed list's; the window's includes the open list.
constexpr int kDroppedHeight = 200;

}  // namespace

const char* TCustomPanel::WindowClass() {
  static constexpr char kPanelClass[] = "TVelmoraPanel";
  RegisterWindowClass<TCustomPanel>(kPanelClass, CS_HREDRAW | CS_VREDRAW);
  return kPanelClass;
}

void TCustomPanel::PaintContent(HDC dc, const RECT& area) const {
  const ColorValue background = ParentBackground() && Parent() != nullptr ? Parent()->Color() : Color();
  FillRect(dc, &area, Owner().BrushFor(background));
}

void TCustomPanel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  if (DoubleBuffered()) {
    win::PaintThroughBuffer(dc, client, [this, &client](HDC buffer) { PaintContent(buffer, client); });
  } else {
    PaintContent(dc, client);
  }
  EndPaint(Handle(), &paint);
}

LRESULT TCustomPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(Handle(), &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_SIZE:
      Owner().RealignChildren(*this);
      return 0;
    case WM_CLOSE:
      // A multi-line edit answers Esc by asking its parent to close: that is the form's close.
      Owner().Close();
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
      return Owner().HandleMessage(message, wParam, lParam);
    default:
      return DefWindowProcA(Handle(), message, wParam, lParam);
  }
}

LRESULT TCustomPanel::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what) {
  Owner().HandlerFailed(WM_NULL, 0, 0, what);
  return DefWindowProcA(Handle(), message, wParam, lParam);
}

TPanel::TPanel(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TCustomPanel(owner, layout, parent, id) {
  CreateControlWindow(WindowClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {}, -1, CreateParam());
}

void TPanel::PaintContent(HDC dc, const RECT& area) const {
  TCustomPanel::PaintContent(dc, area);
  RECT inside = area;
  const Options& options = OptionsOf<Options>();
  for (const auto& [bevel, outer] : {std::pair{options.bevelOuter, true}, std::pair{options.bevelInner, false}}) {
    if (bevel != Bevel::None) DrawEdge(dc, &inside, BevelEdge(bevel, outer), BF_RECT | BF_ADJUST);
  }
  const std::string& caption = CaptionText();
  if (caption.empty()) return;
  win::SelectedObject font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColor(FontColor()));
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &inside,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

TPageControl::TPageControl(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

int TPageControl::PageCount() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0)); }

int TPageControl::ActivePageIndex() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) index = -1;
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  int sheet = 0;
  for (const auto& component : Owner().Components()) {
    if (component->Parent() != this || component->Kind() != ComponentKind::TabSheet) continue;
    static_cast<TTabSheet&>(*component).ShowSheet(sheet == index);
    ++sheet;
  }
}

LRESULT TPageControl::Reflect(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE) return 0;
  SetActivePageIndex(ActivePageIndex());
  Run(OnChange);
  return 0;
}

void TTabSheet::ShowSheet(bool shown) {
  if (Handle() == nullptr) return;
  ShowWindow(Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

TTabSheet::TTabSheet(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TCustomPanel(owner, layout, parent, id) {
  if (!Parent()->HoldsOnlySheets()) throw Error("A tab sheet lies on a page control: " + Name());
  TCITEMA item = Tab(CaptionText());
  SendMessageA(Parent()->Handle(), TCM_INSERTITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
  RECT area;
  GetClientRect(Parent()->Handle(), &area);
  SendMessageA(Parent()->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  window_procedure::SetPending(CreateParam());
  AttachHandle(CreateWindowExA(WS_EX_CONTROLPARENT, WindowClass(), "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                               area.left, area.top, area.right - area.left, area.bottom - area.top,
                               Parent()->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id())),
                               GetModuleHandleA(nullptr), nullptr));
  window_procedure::EndCreation();
  if (Handle() == nullptr) throw Error("Cannot create the window of " + Name());
  ApplyFont();
  if (SheetIndex() == 0) {
    SendMessageA(Parent()->Handle(), TCM_SETCURSEL, 0, 0);
    ShowSheet(true);
  }
}

void TTabSheet::ShowCaption() {
  TCITEMA item = Tab(CaptionText());
  SendMessageA(Parent()->Handle(), TCM_SETITEMA, SheetIndex(), reinterpret_cast<LPARAM>(&item));
}

// The number of sheets of the same page control above this one in the table.
int TTabSheet::SheetIndex() const {
  int index = 0;
  for (const auto& component : Owner().Components()) {
    if (component.get() == this) break;
    if (component->Parent() == Parent() && component->Kind() == ComponentKind::TabSheet) ++index;
  }
  return index;
}

TLabel::TLabel(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const bool fixedSize = layout.width != 0 || layout.height != 0;
  CreateControlWindow(WC_STATICA, SS_NOTIFY | SS_NOPREFIX | AlignmentStyle(OptionsOf<Options>().alignment, fixedSize));
  SetWindowSubclass(Handle(), LabelMouseProcedure, kLabelMouseId, reinterpret_cast<DWORD_PTR>(this));
  SetWindowTextA(Handle(), CaptionText().c_str());
  AutoSize();
}

LRESULT TLabel::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) Run(OnClick);
  return 0;
}

void TLabel::AutoSize() {
  if (Layout().width != 0 || Layout().height != 0 || Handle() == nullptr) return;
  win::WindowDC dc(Handle());
  win::SelectedObject font(dc.get(), FontHandle());
  RECT extent{0, 0, 0, 0};
  const std::string text = CaptionText().empty() ? std::string(" ") : CaptionText();
  DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
  SetWindowPos(Handle(), nullptr, 0, 0, extent.right, extent.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TButton::TButton(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_BUTTONA, (OptionsOf<Options>().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
  SetWindowTextA(Handle(), CaptionText().c_str());
}

void TButton::Click() {
  const int result = OptionsOf<Options>().modalResult;
  if (result != mrNone) Owner().SetModalResult(result);
  Run(OnClick);
}

LRESULT TButton::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (Clicked(message, wParam)) Click();
  return 0;
}

TCheckBox::TCheckBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP);
  SendMessageA(Handle(), BM_SETCHECK, OptionsOf<Options>().checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetWindowTextA(Handle(), CaptionText().c_str());
}

bool TCheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Run(OnClick);
}

// The box has toggled itself already.
LRESULT TCheckBox::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (Clicked(message, wParam)) Run(OnClick);
  return 0;
}

TEdit::TEdit(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const Options& options = OptionsOf<Options>();
  const bool password = options.passwordChar != 0;
  CreateBox(ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0) | (options.flatBorder ? WS_BORDER : 0), !options.flatBorder,
            options.maxLength, password);
  const OwnAccess own(Handle());
  if (password) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(options.passwordChar), 0);
  if (options.caption != nullptr) SetWindowTextA(Handle(), options.caption);
}

TEdit::TEdit(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id, NoWindow)
    : TComponent(owner, layout, parent, id) {}

void TEdit::CreateBox(DWORD style, bool edge, int maxLength, bool sealed) {
  CreateControlWindow(WC_EDITA, style | WS_TABSTOP, edge ? WS_EX_CLIENTEDGE : 0, ControlGuard{sealed, maxLength});
  const OwnAccess own(Handle());
  SendMessageA(Handle(), EM_SETLIMITTEXT, maxLength > 0 ? maxLength : 0x7FFFFFFE, 0);
}

TMemo::TMemo(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TEdit(owner, layout, parent, id, NoWindow{}) {
  const Options& options = OptionsOf<Options>();
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL;
  if (options.wantReturns) style |= ES_WANTRETURN;
  if (options.alignment == TextAlignment::Center) style |= ES_CENTER;
  if (options.alignment == TextAlignment::Right) style |= ES_RIGHT;
  if (options.verticalScrollBar) style |= WS_VSCROLL;
  if (options.readOnly) style |= ES_READONLY;
  if (options.flatBorder) style |= WS_BORDER;
  CreateBox(style, !options.flatBorder && !options.noBorder, options.maxLength, false);
}

std::string TEdit::Text() const {
  const OwnAccess own(Handle());
  return win::WindowText(Handle());
}

void TEdit::SetText(const std::string& text) {
  const OwnAccess own(Handle());
  SetWindowTextA(Handle(), text.c_str());
}

void TEdit::Wipe() {
  const OwnAccess own(Handle());
  // Written over in place, twice, so that neither the text nor the undo buffer (which takes
  // the replaced text) keeps what was typed.
  const int length = GetWindowTextLengthA(Handle());
  const std::string blank(static_cast<std::size_t>(length > 0 ? length : 0), ' ');
  SetWindowTextA(Handle(), blank.c_str());
  SetWindowTextA(Handle(), blank.c_str());
  SetWindowTextA(Handle(), "");
  SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

LRESULT TEdit::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return 0;
  switch (HIWORD(wParam)) {
    case EN_CHANGE: Run(OnChange); break;
    case EN_SETFOCUS: Run(OnEnter); break;
    case EN_KILLFOCUS: Run(OnExit); break;
    default: break;
  }
  return 0;
}

TComboBox::TComboBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComboBox(owner, layout, parent, id, 0) {}

TComboBox::TComboBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id, DWORD style)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | style, 0, {}, kDroppedHeight);
}

std::string TComboBox::Text() const { return win::WindowText(Handle()); }

void TComboBox::SetText(const std::string& text) {
  const LRESULT found =
      SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  SetItemIndex(found == CB_ERR ? -1 : static_cast<int>(found));
}

void TComboBox::ClearItems() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

void TComboBox::AddItem(const std::string& text, LPARAM data) {
  const LRESULT index = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int TComboBox::ItemCount() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

LPARAM TComboBox::ItemData(int index) const {
  return SendMessageA(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

LRESULT TComboBox::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) Run(OnChange);
  return 0;
}

TColorBox::TColorBox(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComboBox(owner, layout, parent, id, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS) {}

LRESULT TColorBox::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRAWITEM) return TComboBox::Reflect(message, wParam, lParam);
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  return TRUE;
}

void TColorBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int height = item.rcItem.bottom - item.rcItem.top;
  RECT swatch{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 2 + height * 3 / 2,
              item.rcItem.bottom - 2};
  FillRect(item.hDC, &swatch, Owner().BrushFor(static_cast<ColorValue>(item.itemData)));
  FrameRect(item.hDC, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
  const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, item.itemID, 0);
  if (length <= 0) return;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(Handle(), CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  RECT textArea = item.rcItem;
  textArea.left = swatch.right + 4;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

TTrackBar::TTrackBar(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const Options& options = OptionsOf<Options>();
  DWORD style = WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTH | (options.vertical ? TBS_VERT : TBS_HORZ);
  if (options.thumbLength > 0) style |= TBS_FIXEDLENGTH;
  CreateControlWindow(TRACKBAR_CLASSA, style);
  SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, options.minimum);
  SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, options.maximum);
  SendMessageA(Handle(), TBM_SETPAGESIZE, 0, options.pageSize);
  SendMessageA(Handle(), TBM_SETTICFREQ, options.frequency, 0);
  if (options.thumbLength > 0) SendMessageA(Handle(), TBM_SETTHUMBLENGTH, Owner().Scale(options.thumbLength), 0);
  SendMessageA(Handle(), TBM_SETPOS, TRUE, options.position);
}

int TTrackBar::Position() const { return static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)); }

void TTrackBar::SetPosition(int position) {
  const int before = Position();
  SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
  if (Position() != before) Run(OnChange);
}

LRESULT TTrackBar::Reflect(UINT message, WPARAM, LPARAM) {
  if (message == WM_HSCROLL || message == WM_VSCROLL) Run(OnChange);
  return 0;
}

TUpDown::TUpDown(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const Options& options = OptionsOf<Options>();
  CreateControlWindow(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS);
  if (options.associate != nullptr) {
    TComponent* buddy = options.associate(owner);
    if (buddy == nullptr) throw Error("The edit of " + Name() + " stands below it");
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()), 0);
  }
  // Attaching may move or resize the arrows; they stand where the layout puts them.
  const ComponentLayout& row = Layout();
  SetWindowPos(Handle(), nullptr, Owner().Scale(row.left), Owner().Scale(row.top), Owner().Scale(row.width),
               Owner().Scale(row.height), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(Handle(), UDM_SETRANGE32, options.minimum, options.maximum);
  SendMessageA(Handle(), UDM_SETPOS32, 0, options.position);
}

int TUpDown::Position() const { return static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0)); }

void TUpDown::SetPosition(int position) { SendMessageA(Handle(), UDM_SETPOS32, 0, position); }

LRESULT TUpDown::Reflect(UINT message, WPARAM, LPARAM) {
  if (message == WM_HSCROLL || message == WM_VSCROLL) Run(OnClick);
  return 0;
}

TTimer::TTimer(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id),
      interval_(OptionsOf<Options>().interval),
      enabled_(OptionsOf<Options>().enabled) {
  Start();
}

TTimer::~TTimer() {
  if (Owner().Handle() != nullptr) KillTimer(Owner().Handle(), Id());
}

void TTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  if (enabled_) Start();
}

void TTimer::SetTimerEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    Start();
  } else if (Owner().Handle() != nullptr) {
    KillTimer(Owner().Handle(), Id());
  }
}

LRESULT TTimer::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_TIMER && wParam == static_cast<WPARAM>(Id()) && enabled_) Run(OnTimer);
  return 0;
}

void TTimer::Start() {
  if (Owner().Handle() == nullptr) return;
  KillTimer(Owner().Handle(), Id());
  if (enabled_ && interval_ > 0) SetTimer(Owner().Handle(), Id(), interval_, nullptr);
}

}  // namespace velmora
