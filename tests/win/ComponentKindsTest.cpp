#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <string>

#include "ErrorText.h"
#include "FormsTestSupport.h"
#include "ui/Form.h"

namespace velmora {
namespace {

using namespace velmora::testing;

// A form of every kind; the members hold the parents and the up-down's edit.
class TKindsForm : public TForm {
 public:
  TKindsForm();
  TPanel* pnlPanel = nullptr;
  TEdit* edtEdit = nullptr;
  TPageControl* pgcPages = nullptr;
  static const ComponentLayout kEveryKind[];
};

using F = TKindsForm;

const ComponentLayout TKindsForm::kEveryKind[] = {
    Row<TFormComponent>("frmKinds", 0, 0, 400, 300, FormOptions().Caption("")),
    Row<&F::pnlPanel>("pnlPanel", 0, 0, 200, 300),
    Row<TLabel, &F::pnlPanel>("lblLabel", 8, 4, 0, 0),
    Row<TCheckBox, &F::pnlPanel>("chkCheck", 8, 20, 100, 17),
    Row<TButton, &F::pnlPanel>("btnButton", 8, 40, 75, 25, ButtonOptions().Default()),
    Row<&F::edtEdit, &F::pnlPanel>("edtEdit", 8, 70, 100, 19),
    Row<TMemo, &F::pnlPanel>("memMemo", 8, 95, 100, 40),
    Row<TComboBox, &F::pnlPanel>("cbxCombo", 8, 140, 100, 21),
    Row<TColorBox, &F::pnlPanel>("cbxColor", 8, 165, 100, 22),
    Row<TTrackBar, &F::pnlPanel>("trbTrack", 8, 190, 100, 30),
    Row<TUpDown, &F::pnlPanel>("udnUpDown", 110, 70, 13, 19, UpDownOptions().Associate<&F::edtEdit>()),
    Row<&F::pgcPages>("pgcPages", 210, 10, 180, 200),
    Row<TTabSheet, &F::pgcPages>("tstOne", 0, 0, 0, 0),
    Row<TTabSheet, &F::pgcPages>("tstTwo", 0, 0, 0, 0),
    Row<TTimer>("tmrTimer", 0, 0, 0, 0, TimerOptions().Disabled()),
};

TKindsForm::TKindsForm() : TForm("TfrmKinds") { Build(LayoutTable(kEveryKind)); }

// A row on a panel whose row stands below it.
class TDisorderedForm : public TForm {
 public:
  TDisorderedForm();
  TPanel* pnlLate = nullptr;
  static const ComponentLayout kRows[];
};

const ComponentLayout TDisorderedForm::kRows[] = {
    Row<TFormComponent>("frmDisordered", 0, 0, 100, 100),
    Row<TLabel, &TDisorderedForm::pnlLate>("lblEarly", 0, 0, 10, 10),
    Row<&TDisorderedForm::pnlLate>("pnlLate", 0, 0, 50, 50),
};

TDisorderedForm::TDisorderedForm() : TForm("TfrmDisordered") { Build(LayoutTable(kRows)); }

class ComponentKindsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeApplication();
    Application.SetMainWindow(nullptr);
    form = std::make_unique<TKindsForm>();
    for (const auto& component : form->Components()) {
      TComponent* target = component.get();
      target->OnClick = [this, target] { events += target->Name() + ".Click "; };
      target->OnChange = [this, target] { events += target->Name() + ".Change "; };
      target->OnEnter = [this, target] { events += target->Name() + ".Enter "; };
      target->OnExit = [this, target] { events += target->Name() + ".Exit "; };
    }
  }
  void TearDown() override { form.reset(); }
  template <typename Kind = TComponent>
  Kind& Component(const char* name) const {
    return form->Component<Kind>(name);
  }

  std::unique_ptr<TKindsForm> form;
  std::string events;
};

TEST_F(ComponentKindsTest, EachKindGetsItsWindowClassStyleAndTraits) {
  struct Row {
    const char* name;
    const char* windowClass;
    LONG_PTR styleMask;
    LONG_PTR style;
    bool windowed;
    bool ownsBackground;
    bool paintsBackground;
  };
  const Row rows[] = {
      {"pnlPanel", "TVelmoraPanel", WS_CLIPCHILDREN, WS_CLIPCHILDREN, true, false, true},
      {"lblLabel", "Static", SS_NOTIFY, SS_NOTIFY, false, false, false},
      {"chkCheck", "Button", BS_TYPEMASK, BS_AUTOCHECKBOX, true, false, false},
      {"btnButton", "Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, true, false, false},
      {"edtEdit", "Edit", ES_MULTILINE | ES_AUTOHSCROLL, ES_AUTOHSCROLL, true, true, false},
      {"memMemo", "Edit", ES_MULTILINE | ES_AUTOHSCROLL, ES_MULTILINE, true, true, false},
      {"cbxCombo", "ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST, true, true, false},
      {"cbxColor", "ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, true,
       true, false},
      {"trbTrack", TRACKBAR_CLASSA, TBS_AUTOTICKS, TBS_AUTOTICKS, true, false, false},
      {"udnUpDown", UPDOWN_CLASSA, UDS_SETBUDDYINT, UDS_SETBUDDYINT, true, false, false},
      {"pgcPages", WC_TABCONTROLA, WS_CLIPCHILDREN, WS_CLIPCHILDREN, true, false, false},
      {"tstOne", "TVelmoraPanel", WS_CLIPCHILDREN, WS_CLIPCHILDREN, true, false, true},
  };
  for (const Row& row : rows) {
    const TComponent& component = Component(row.name);
    EXPECT_EQ(ClassName(component.Handle()), row.windowClass) << row.name;
    EXPECT_EQ(Style(component.Handle()) & row.styleMask, row.style) << row.name;
    EXPECT_EQ(component.IsWindowedControl(), row.windowed) << row.name;
    EXPECT_EQ(component.OwnsBackground(), row.ownsBackground) << row.name;
    EXPECT_EQ(component.PaintsBackground(), row.paintsBackground) << row.name;
    EXPECT_EQ(component.HoldsOnlySheets(), component.Kind() == ComponentKind::PageControl) << row.name;
    EXPECT_EQ(component.IsDefaultButton(), component.Kind() == ComponentKind::Button) << row.name;
  }
  EXPECT_EQ(Component<TTimer>("tmrTimer").Handle(), nullptr);
  EXPECT_FALSE(Component<TTimer>("tmrTimer").IsWindowedControl());
  EXPECT_EQ(Component("frmKinds").Handle(), form->Handle());
}

TEST_F(ComponentKindsTest, CommandsScrollsAndNotificationsReachTheEventsOfTheirKind) {
  struct Row {
    const char* name;
    UINT message;
    int code;
    const char* events;
  };
  const Row rows[] = {
      {"btnButton", WM_COMMAND, BN_CLICKED, "btnButton.Click "},
      {"chkCheck", WM_COMMAND, BN_CLICKED, "chkCheck.Click "},
      {"lblLabel", WM_COMMAND, STN_CLICKED, "lblLabel.Click "},
      {"edtEdit", WM_COMMAND, EN_CHANGE, "edtEdit.Change "},
      {"memMemo", WM_COMMAND, EN_SETFOCUS, "memMemo.Enter "},
      {"edtEdit", WM_COMMAND, EN_KILLFOCUS, "edtEdit.Exit "},
      {"edtEdit", WM_COMMAND, EN_UPDATE, ""},
      {"cbxCombo", WM_COMMAND, CBN_SELCHANGE, "cbxCombo.Change "},
      {"cbxColor", WM_COMMAND, CBN_SELCHANGE, "cbxColor.Change "},
      {"cbxCombo", WM_COMMAND, CBN_DROPDOWN, ""},
      {"btnButton", WM_COMMAND, BN_DOUBLECLICKED, ""},
      {"pnlPanel", WM_COMMAND, BN_CLICKED, ""},
      {"trbTrack", WM_HSCROLL, TB_THUMBTRACK, "trbTrack.Change "},
      {"udnUpDown", WM_VSCROLL, SB_THUMBPOSITION, "udnUpDown.Click "},
      {"edtEdit", WM_HSCROLL, SB_LINEDOWN, ""},
  };
  for (const Row& row : rows) {
    events.clear();
    const TComponent& component = Component(row.name);
    const WPARAM wParam = row.message == WM_COMMAND ? MAKEWPARAM(component.Id(), row.code) : row.code;
    SendMessageA(form->Handle(), row.message, wParam, reinterpret_cast<LPARAM>(component.Handle()));
    EXPECT_EQ(events, row.events) << row.name << " " << row.code;
  }
  EXPECT_FALSE(Component<TCheckBox>("chkCheck").Checked());  // the box toggles itself; the command only reports
}

TEST_F(ComponentKindsTest, OnlyTheFormsOwnControlsReachTheirEvents) {
  const TKindsForm other;
  const TComponent& button = other.Component("btnButton");
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(button.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(button.Handle()));
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(button.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(Application.Handle()));
  EXPECT_EQ(events, "");
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(Component("btnButton").Id(), BN_CLICKED), 0);
  EXPECT_EQ(events, "btnButton.Click ") << "the dialog manager's Enter names the default button's identifier only";
}

TEST_F(ComponentKindsTest, ARowWhoseParentStandsBelowItIsAnError) {
  EXPECT_EQ(ErrorText([] { TDisorderedForm disordered; }),
            "The parent of lblEarly is no member of frmDisordered filled above it");
}

TEST_F(ComponentKindsTest, PageControlShowsTheSelectedSheetWhenItNotifiesTheChange) {
  TComponent& pages = Component<TPageControl>("pgcPages");
  SendMessageA(pages.Handle(), TCM_SETCURSEL, 1, 0);
  NMHDR header{pages.Handle(), static_cast<UINT_PTR>(pages.Id()), TCN_SELCHANGING};
  SendMessageA(form->Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(events, "");
  EXPECT_TRUE(Component<TTabSheet>("tstOne").Visible());
  header.code = TCN_SELCHANGE;
  SendMessageA(form->Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(events, "pgcPages.Change ");
  EXPECT_FALSE(Component<TTabSheet>("tstOne").Visible());
  EXPECT_TRUE(Component<TTabSheet>("tstTwo").Visible());
}

TEST_F(ComponentKindsTest, OnlyTabSheetsLieOnAPageControlAndTabSheetsOnlyThere) {
  constexpr ComponentLayout strayLabel = Row<TLabel, &F::pgcPages>("lblStray", 0, 0, 10, 10);
  constexpr ComponentLayout straySheet = Row<TTabSheet, &F::pnlPanel>("tstStray", 0, 0, 0, 0);
  EXPECT_EQ(ErrorText([&] { MakeComponent(*form, strayLabel, &Component<TPageControl>("pgcPages"), 900); }),
            "Only tab sheets may lie on a page control");
  EXPECT_EQ(ErrorText([&] { MakeComponent(*form, straySheet, &Component<TPanel>("pnlPanel"), 901); }),
            "A tab sheet lies on a page control: tstStray");
  EXPECT_EQ(SendMessageA(Component<TPageControl>("pgcPages").Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ComponentKindsTest, MadeComponentTakesTheRowUnderItsParent) {
  constexpr ComponentLayout row = Row<TButton, &F::pnlPanel>("btnMade", 8, 230, 75, 25, ButtonOptions().Cancel());
  std::unique_ptr<TComponent> made = MakeComponent(*form, row, &Component<TPanel>("pnlPanel"), 902);
  EXPECT_EQ(made->Kind(), ComponentKind::Button);
  EXPECT_EQ(made->Parent(), &Component<TPanel>("pnlPanel"));
  EXPECT_EQ(GetParent(made->Handle()), Component<TPanel>("pnlPanel").Handle());
  EXPECT_EQ(GetDlgCtrlID(made->Handle()), 902);
  EXPECT_EQ(WindowText(made->Handle()), "btnMade");
  EXPECT_TRUE(made->IsCancelButton());
  EXPECT_FALSE(made->IsDefaultButton());
  EXPECT_EQ(Style(made->Handle()) & BS_TYPEMASK, BS_PUSHBUTTON);
}

}  // namespace
}  // namespace velmora
