#include "ui/Form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "FormsTestSupport.h"
#include "PixelCanvas.h"
#include "core/Error.h"
#include "ui/LinkCursor.h"
#include "ui/Translate.h"

namespace velmora {
namespace {

using namespace velmora::testing;

constexpr unsigned kBottomLeft = akLeft | akBottom;

class TTestForm : public TForm {
 public:
  TTestForm();
  int shows = 0;
  int hides = 0;
  std::vector<UINT> defaultHandled;
  TPanel* pnlBackground = nullptr;
  TPanel* pnlFrame = nullptr;
  static const ComponentLayout kTestLayout[];

 protected:
  void FormShow() override { ++shows; }
  void FormHide() override { ++hides; }
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYSCOMMAND) defaultHandled.push_back(static_cast<UINT>(wParam));
    return TForm::DefaultHandling(message, wParam, lParam);
  }
};

using F = TTestForm;

const ComponentLayout TTestForm::kTestLayout[] = {
    Row<TFormComponent>("frmTest", 0, 0, 300, 200,
                        FormOptions().Caption("").Font("MS Sans Serif", -11).StayOnTop().Centered()),
    Row<&F::pnlBackground>("pnlBackground", 0, 0, 300, 200, PanelOptions().AlignClient()),
    Row<&F::pnlFrame, &F::pnlBackground>("pnlFrame", 10, 10, 200, 100,
                                         PanelOptions().Bevels(Bevel::Raised, Bevel::Lowered).TabOrder(1)),
    Row<TLabel, &F::pnlFrame>("lblName", 8, 4, 0, 0, LabelOptions().HandCursor()),
    Row<TEdit, &F::pnlFrame>("edtName", 8, 20, 150, 18, EditOptions().PasswordChar('*').MaxLength(40).FlatBorder()),
    Row<TMemo, &F::pnlFrame>("memNotes", 8, 40, 150, 40, MemoOptions().VerticalScrollBar().ReadOnly()),
    Row<TCheckBox, &F::pnlFrame>("chkKeep", 8, 80, 150, 17, CheckBoxOptions().Checked()),
    Row<TPanel, &F::pnlBackground>("pnlFirst", 10, 115, 30, 16, PanelOptions().Caption("EN").TabOrder(0)),
    Row<TButton, &F::pnlBackground>("btnGo", 10, 160, 75, 25,
                                    ButtonOptions().Default().ModalResult(mrOK).Anchors(kBottomLeft)),
    Row<TButton, &F::pnlBackground>("btnStop", 90, 160, 75, 25,
                                    ButtonOptions().Cancel().ModalResult(mrCancel).Anchors(kBottomLeft)),
    Row<TButton, &F::pnlBackground>("btnStretch", 220, 10, 70, 140,
                                    ButtonOptions().Anchors(akLeft | akTop | akRight | akBottom)),
    Row<TButton, &F::pnlBackground>("btnRight", 220, 160, 70, 25, ButtonOptions().Anchors(akRight | akTop).Hidden()),
    Row<TTimer>("tmrTick", 0, 0, 0, 0, TimerOptions().Interval(40).Disabled()),
};

TTestForm::TTestForm() : TForm("TfrmTest") { Build(LayoutTable(kTestLayout)); }

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeApplication();
    Application.SetMainWindow(nullptr);
    form = std::make_unique<TTestForm>();
  }
  void TearDown() override { form.reset(); }
  HWND Handle(const char* name) const { return form->Component(name).Handle(); }
  std::unique_ptr<TTestForm> form;
};

TEST_F(FormsTest, BuildsEveryRowIntoItsWindowClassUnderItsParent) {
  EXPECT_EQ(ClassName(form->Handle()), "TfrmTest");
  EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), Application.Handle());
  EXPECT_EQ(GetParent(Handle("pnlBackground")), form->Handle());
  EXPECT_EQ(GetParent(Handle("edtName")), Handle("pnlFrame"));
  EXPECT_EQ(ClassName(Handle("lblName")), "Static");
  EXPECT_EQ(ClassName(Handle("edtName")), "Edit");
  EXPECT_EQ(ClassName(Handle("chkKeep")), "Button");
  EXPECT_EQ(form->Component<TTimer>("tmrTick").Handle(), nullptr);

  int children = 0;
  EnumChildWindows(
      form->Handle(), [](HWND, LPARAM count) { ++*reinterpret_cast<int*>(count); return TRUE; },
      reinterpret_cast<LPARAM>(&children));
  EXPECT_EQ(children, 11);
}

TEST_F(FormsTest, DesignCaptionIsTheNameUnlessTheTableGivesOne) {
  EXPECT_EQ(WindowText(Handle("lblName")), "lblName");
  EXPECT_EQ(WindowText(Handle("btnGo")), "btnGo");
  EXPECT_EQ(form->Component<TPanel>("pnlFirst").Caption(), "EN");
  EXPECT_EQ(WindowText(form->Handle()), "");
  EXPECT_EQ(WindowText(Handle("edtName")), "");
}

TEST_F(FormsTest, PositionsAndClientAreaFollowTheTable) {
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  const RECT edit = RectInParent(Handle("edtName"));
  EXPECT_EQ(edit.left, 8);
  EXPECT_EQ(edit.top, 20);
  EXPECT_EQ(edit.right - edit.left, 150);
  EXPECT_EQ(edit.bottom - edit.top, 18);
  const RECT background = RectInParent(Handle("pnlBackground"));
  EXPECT_EQ(background.right, 300);
  EXPECT_EQ(background.bottom, 200);
  const RECT label = RectInParent(Handle("lblName"));
  EXPECT_EQ(label.left, 8);
  EXPECT_EQ(label.top, 4);
  EXPECT_GT(label.right - label.left, 0);
}

TEST_F(FormsTest, PropertiesBecomeStylesAndControlState) {
  const HWND edit = Handle("edtName");
  EXPECT_TRUE(Style(edit) & ES_PASSWORD);
  EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 40);
  EXPECT_FALSE(ExStyle(edit) & WS_EX_CLIENTEDGE);
  const HWND memo = Handle("memNotes");
  EXPECT_TRUE(Style(memo) & ES_MULTILINE);
  EXPECT_TRUE(Style(memo) & WS_VSCROLL);
  EXPECT_TRUE(Style(memo) & ES_READONLY);
  EXPECT_GE(SendMessageA(memo, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  EXPECT_EQ(SendMessageA(Handle("chkKeep"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Style(Handle("btnGo")) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(Style(Handle("btnStop")) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_FALSE(Style(Handle("btnRight")) & WS_VISIBLE);
  EXPECT_TRUE(ExStyle(form->Handle()) & WS_EX_TOPMOST);
  EXPECT_TRUE(Style(form->Handle()) & WS_SYSMENU);
  EXPECT_FALSE(Style(form->Handle()) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(FormsTest, TabOrderFollowsTheTableUnlessARowSetsIt) {
  HWND first = GetWindow(Handle("pnlBackground"), GW_CHILD);
  EXPECT_EQ(first, Handle("pnlFirst"));
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), Handle("pnlFrame"));
  EXPECT_EQ(GetWindow(Handle("pnlFrame"), GW_HWNDNEXT), Handle("btnGo"));
}

TEST_F(FormsTest, CentredByWholeWindowSizeTruncating) {
  RECT window;
  GetWindowRect(form->Handle(), &window);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
}

TEST_F(FormsTest, AnchoredChildrenFollowTheClientSize) {
  form->SetClientHeight(250);
  EXPECT_EQ(form->ClientHeight(), 250);
  EXPECT_EQ(RectInParent(Handle("pnlBackground")).bottom, 250);
  const RECT go = RectInParent(Handle("btnGo"));
  EXPECT_EQ(go.top, 210);
  EXPECT_EQ(go.bottom - go.top, 25);
  EXPECT_EQ(go.left, 10);
  const RECT stretch = RectInParent(Handle("btnStretch"));
  EXPECT_EQ(stretch.top, 10);
  EXPECT_EQ(stretch.bottom, 200);
  EXPECT_EQ(RectInParent(Handle("pnlFrame")).top, 10);

  form->SetClientWidth(350);
  EXPECT_EQ(RectInParent(Handle("btnStretch")).right, 340);
  const RECT right = RectInParent(Handle("btnRight"));
  EXPECT_EQ(right.left, 270);
  EXPECT_EQ(right.right - right.left, 70);

  form->SetClientHeight(112);
  EXPECT_EQ(RectInParent(Handle("btnGo")).top, 72);
}

TEST_F(FormsTest, ShowAndHideRunTheirHandlersOncePerChange) {
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->Show();
  ShowWindow(form->Handle(), SW_SHOW);
  EXPECT_EQ(form->shows, 1);
  ShowWindow(form->Handle(), SW_HIDE);
  EXPECT_EQ(form->hides, 1);
  form->Hide();
  EXPECT_EQ(form->hides, 1);
  ShowWindow(form->Handle(), SW_SHOW);
  EXPECT_EQ(form->shows, 2);
}

TEST_F(FormsTest, ButtonsEndTheModalLoopWithTheirResult) {
  After(50, [&] { PostMessageA(Handle("btnGo"), BM_CLICK, 0, 0); });
  EXPECT_EQ(form->ShowModal(), mrOK);
  EXPECT_EQ(form->ModalResult(), mrOK);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->hides, 1);

  After(50, [&] { SendMessageA(Handle("btnStop"), BM_CLICK, 0, 0); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(FormsTest, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  After(50, [&] {
    SetFocus(Handle("edtName"));
    PostMessageA(Handle("edtName"), WM_KEYDOWN, VK_RETURN, 1);
  });
  EXPECT_EQ(form->ShowModal(), mrOK);
  After(50, [&] {
    SetFocus(Handle("edtName"));
    PostMessageA(Handle("edtName"), WM_KEYDOWN, VK_ESCAPE, 1);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(FormsTest, SystemMenuCloseGivesCancelAndOnlyTheOwnerIsDisabledMeanwhile) {
  bool ownerEnabledDuringLoop = true;
  bool otherEnabledDuringLoop = false;
  const auto window = [] {
    return CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  };
  const HWND owner = window();
  const HWND other = window();
  After(50, [&] {
    ownerEnabledDuringLoop = IsWindowEnabled(owner) != FALSE;
    otherEnabledDuringLoop = IsWindowEnabled(other) != FALSE;
    PostMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(form->ShowModal(owner), mrCancel);
  EXPECT_FALSE(ownerEnabledDuringLoop);
  EXPECT_TRUE(otherEnabledDuringLoop) << "a window the form is not modal to is left alone";
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
  DestroyWindow(other);
}

TEST_F(FormsTest, ClosingAModelessFormHidesIt) {
  form->Show();
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(FormsTest, TimersAreWindowTimersOfTheForm) {
  int ticks = 0;
  TTimer& timer = form->Component<TTimer>("tmrTick");
  timer.OnTimer = [&] { ++ticks; };
  Pump(150);
  EXPECT_EQ(ticks, 0);
  timer.SetTimerEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 2000));
  timer.SetTimerEnabled(false);
  const int stopped = ticks;
  Pump(150);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(FormsTest, CheckBoxStateChangesRunTheClickEventOnlyWhenTheStateChanges) {
  int clicks = 0;
  TCheckBox& box = form->Component<TCheckBox>("chkKeep");
  box.OnClick = [&] { ++clicks; };
  box.SetChecked(true);
  EXPECT_EQ(clicks, 0);
  box.SetChecked(false);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(box.Checked());
}

TEST_F(FormsTest, EditChangesReachTheChangeEvent) {
  int changes = 0;
  form->Component<TEdit>("edtName").OnChange = [&] { ++changes; };
  TypeCharacters(Handle("edtName"), "ab");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(form->Component<TEdit>("edtName").Text(), "ab");
}

TEST_F(FormsTest, HintsShowAsToolTipsWhenTheySayMoreThanTheCaption) {
  const HWND tip = form->ToolTip();
  ASSERT_NE(tip, nullptr);
  TButton& go = form->Component<TButton>("btnGo");
  go.SetHint("Starts it");
  EXPECT_TRUE(HasToolTip(tip, form->Handle(), go.Handle()));
  EXPECT_EQ(ToolTipText(tip, form->Handle(), go.Handle()), "Starts it");
  go.SetHint("Starts it now");
  EXPECT_EQ(ToolTipText(tip, form->Handle(), go.Handle()), "Starts it now");
  go.SetHint("btnGo");
  EXPECT_FALSE(HasToolTip(tip, form->Handle(), go.Handle()));
  form->Component<TEdit>("memNotes").SetHint("Notes");
  EXPECT_EQ(ToolTipText(tip, form->Handle(), Handle("memNotes")), "Notes");
  form->Component<TEdit>("memNotes").SetHint("");
  EXPECT_FALSE(HasToolTip(tip, form->Handle(), Handle("memNotes")));
}

TEST_F(FormsTest, PrepareControlsMakesPanelsOpaqueAndWindowedControlsBuffered) {
  TPanel& frame = form->Component<TPanel>("pnlFrame");
  EXPECT_TRUE(frame.ParentBackground());
  PrepareControls(form->Component("frmTest"));
  EXPECT_FALSE(frame.ParentBackground());
  EXPECT_FALSE(form->Component<TPanel>("pnlBackground").ParentBackground());
  EXPECT_TRUE(frame.DoubleBuffered());
  EXPECT_TRUE(form->Component<TEdit>("edtName").DoubleBuffered());
  EXPECT_TRUE(form->Component<TButton>("btnStretch").DoubleBuffered());
  EXPECT_FALSE(form->Component<TLabel>("lblName").DoubleBuffered());
  EXPECT_TRUE(form->Component<TEdit>("edtName").PaintsThroughBuffer());
  EXPECT_TRUE(form->Component<TCheckBox>("chkKeep").PaintsThroughBuffer());
  EXPECT_TRUE(frame.PaintsThroughBuffer());
  EXPECT_FALSE(form->Component<TLabel>("lblName").PaintsThroughBuffer());
  form->Component<TEdit>("edtName").SetDoubleBuffered(false);
  EXPECT_FALSE(form->Component<TEdit>("edtName").PaintsThroughBuffer());
}

TEST_F(FormsTest, OpaquePanelPaintsItsOwnColourInsideItsBevels) {
  TPanel& frame = form->Component<TPanel>("pnlFrame");
  frame.SetColor(0x0000FF00);
  testing::PixelCanvas canvas(200, 100);

  frame.SetCaption("");
  SendMessageA(frame.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(GetPixel(canvas.dc(), 100, 50), ResolveColor(form->Component<TPanel>("pnlBackground").Color()));

  frame.SetParentBackground(false);
  SendMessageA(frame.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(GetPixel(canvas.dc(), 100, 50), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(canvas.dc(), 199, 99), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(canvas.dc(), 2, 2), RGB(0, 255, 0));
}

TEST_F(FormsTest, FailingHandlerIsCaughtAtTheWindowProcedure) {
  _putenv("VELMORA_NO_MESSAGEBOX=1");
  int later = 0;
  form->Component<TButton>("btnStretch").OnClick = [] { throw std::runtime_error("handler failed"); };
  form->Component<TCheckBox>("chkKeep").OnClick = [&] { ++later; };
  SendMessageA(Handle("btnStretch"), BM_CLICK, 0, 0);
  SendMessageA(Handle("chkKeep"), BM_CLICK, 0, 0);
  EXPECT_EQ(later, 1);
}

TEST_F(FormsTest, TheMainWindowIsChosenExplicitlyAndGoesWithItsForm) {
  EXPECT_EQ(Application.MainWindow(), nullptr) << "making a form chooses no main window";
  Application.SetMainWindow(form->Handle());
  TTestForm second;
  EXPECT_EQ(Application.MainWindow(), form->Handle());
  const HWND first = form->Handle();
  form.reset();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(Application.MainWindow(), nullptr);
}

TEST_F(FormsTest, LabelsReportTheMouseEnteringOnceAndLeavingAndShowTheHand) {
  int entered = 0;
  int left = 0;
  TLabel& label = form->Component<TLabel>("lblName");
  label.OnMouseEnter = [&] { ++entered; };
  label.OnMouseLeave = [&] { ++left; };
  SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 2));
  EXPECT_EQ(entered, 1);
  SendMessageA(label.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(left, 1);
  SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(entered, 2);

  InstallLinkCursor();
  EXPECT_TRUE(SendMessageA(label.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.Handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

TEST_F(FormsTest, FailingMouseHandlerIsCaughtAtTheSubclassBoundary) {
  _putenv("VELMORA_NO_MESSAGEBOX=1");
  TLabel& label = form->Component<TLabel>("lblName");
  label.OnMouseEnter = [] { throw std::runtime_error("enter failed"); };
  SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(IsWindow(label.Handle()));
}

TEST_F(FormsTest, UnknownComponentNameIsAnError) {
  EXPECT_EQ(form->FindComponent("btnMissing"), nullptr);
  EXPECT_THROW(form->Component<TButton>("btnMissing"), Error);
}

}  // namespace
}  // namespace velmora
