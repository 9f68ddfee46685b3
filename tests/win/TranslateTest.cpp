#include "ui/Translate.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <fstream>
#include <iterator>
#include <set>

#include "FormsTestSupport.h"
#include "PixelCanvas.h"
#include "common/LanguageTable.h"
#include "core/Settings.h"
#include "config/Config.h"
#include "install/InstallWizard.h"
#include "install/Uninstaller.h"
#include "prompt/Ask.h"
#include "ui/Form.h"

namespace velmora {
namespace {

using namespace velmora::testing;

// A form of every kind on two pages; the members hold the parents and the up-down's edit.
class TPagesForm : public TForm {
 public:
  TPagesForm();
  TPageControl* pgcPages = nullptr;
  TTabSheet* tstOne = nullptr;
  TTabSheet* tstTwo = nullptr;
  TEdit* edtSize = nullptr;
  static const ComponentLayout kPagesLayout[];
};

using F = TPagesForm;

const ComponentLayout TPagesForm::kPagesLayout[] = {
    Row<TFormComponent>("frmPages", 0, 0, 377, 242, FormOptions().Caption("").Font("MS Sans Serif", -11)),
    Row<&F::pgcPages>("pgcPages", 10, 11, 358, 182),
    Row<&F::tstOne, &F::pgcPages>("tstOne", 0, 0, 0, 0),
    Row<TLabel, &F::tstOne>("lblTitle", 8, 4, 0, 0),
    Row<&F::edtSize, &F::tstOne>("edtSize", 8, 20, 30, 19, EditOptions().Caption("8")),
    Row<TUpDown, &F::tstOne>("udnSize", 38, 20, 13, 19,
                             UpDownOptions().Associate<&F::edtSize>().Range(4, 72).Position(8)),
    Row<TTrackBar, &F::tstOne>(
        "trbSpeed", 100, 20, 33, 108,
        TrackBarOptions().Vertical().Range(0, 50).PageSize(10).Frequency(5).ThumbLength(14).Position(25)),
    Row<TCheckBox, &F::tstOne>("chkBold", 8, 50, 63, 17),
    Row<&F::tstTwo, &F::pgcPages>("tstTwo", 0, 0, 0, 0),
    Row<TComboBox, &F::tstTwo>("cbxFont", 8, 8, 160, 21),
    Row<TColorBox, &F::tstTwo>("cbxColor", 8, 40, 160, 22),
    Row<TMemo, &F::tstTwo>("memNotes", 8, 70, 200, 60),
    Row<TButton>("btnCancel", 217, 204, 74, 25, ButtonOptions().Cancel().ModalResult(mrCancel)),
    Row<TTimer>("tmrTick", 0, 0, 0, 0, TimerOptions().Disabled()),
};

TPagesForm::TPagesForm() : TForm("TfrmPages") { Build(LayoutTable(kPagesLayout)); }

std::string ReadSourceFile(const std::string& relative) {
  const std::string here = __FILE__;
  std::ifstream file(here.substr(0, here.rfind("tests")) + relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class TranslateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeApplication();
    Application.SetMainWindow(nullptr);
    LanguageTable.Clear();
  }
  void TearDown() override { LanguageTable.Clear(); }
  // What the prompt reads.
  const TSavedSettings settings_;
  static std::string TabText(const TComponent& pages, int index) {
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(pages.Handle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
};

TEST_F(TranslateTest, EachKindTakesWhatItsEntryGivesIt) {
  LanguageTable.Assign(
      "frmPages=Settings Title\r\n"
      "lblTitle=First^Second\r\n"
      "BTNCANCEL=Close|Closes the window\r\n"
      "btnCancel=Never used\r\n"
      "chkBold=Bold\r\n"
      "edtSize=12|Size in points\r\n"
      "memNotes=Ignored text|Notes hint\r\n"
      "tstTwo=Page Two|Second page\r\n"
      "trbSpeed=short|Speed hint\r\n"
      "udnSize=Up and down\r\n"
      "tmrTick=Timer text\r\n");
  TPagesForm form;
  TLabel& label = form.Component<TLabel>("lblTitle");
  const int oneLine = label.Bounds().bottom - label.Bounds().top;
  TranslateForm(form);

  EXPECT_EQ(WindowText(form.Handle()), "Settings Title");
  EXPECT_EQ(WindowText(label.Handle()), "First\r\nSecond");
  EXPECT_GE(label.Bounds().bottom - label.Bounds().top, 2 * oneLine);
  const HWND tip = form.ToolTip();
  const HWND cancel = form.Component<TButton>("btnCancel").Handle();
  EXPECT_EQ(WindowText(cancel), "Close");
  EXPECT_EQ(ToolTipText(tip, form.Handle(), cancel), "Closes the window");
  EXPECT_EQ(WindowText(form.Component<TCheckBox>("chkBold").Handle()), "Bold");
  EXPECT_EQ(form.Component<TCheckBox>("chkBold").Hint(), "Bold");
  EXPECT_FALSE(HasToolTip(tip, form.Handle(), form.Component<TCheckBox>("chkBold").Handle()));
  EXPECT_EQ(WindowText(form.Component<TEdit>("edtSize").Handle()), "12");
  EXPECT_EQ(ToolTipText(tip, form.Handle(), form.Component<TEdit>("edtSize").Handle()), "Size in points");
  EXPECT_EQ(WindowText(form.Component<TEdit>("memNotes").Handle()), "");
  EXPECT_EQ(ToolTipText(tip, form.Handle(), form.Component<TEdit>("memNotes").Handle()), "Notes hint");
  EXPECT_EQ(TabText(form.Component<TPageControl>("pgcPages"), 1), "Page Two");
  EXPECT_EQ(form.Component<TTabSheet>("tstTwo").Hint(), "Second page");
  EXPECT_EQ(WindowText(form.Component<TTrackBar>("trbSpeed").Handle()), "");
  EXPECT_EQ(form.Component<TTrackBar>("trbSpeed").Hint(), "Speed hint");
  EXPECT_EQ(form.Component<TUpDown>("udnSize").Hint(), "Up and down");
  EXPECT_EQ(form.Component<TTimer>("tmrTick").Hint(), "");
  EXPECT_EQ(form.Component<TTimer>("tmrTick").Caption(), "");
}

TEST_F(TranslateTest, ComponentsWithoutAnEntryKeepTheirDesignTexts) {
  LanguageTable.Assign("lblTitle\r\nother=1\r\n");
  TPagesForm form;
  TranslateForm(form);
  EXPECT_EQ(WindowText(form.Component<TLabel>("lblTitle").Handle()), "lblTitle");
  EXPECT_EQ(WindowText(form.Component<TEdit>("edtSize").Handle()), "8");
  EXPECT_EQ(TabText(form.Component<TPageControl>("pgcPages"), 0), "tstOne");
  EXPECT_EQ(WindowText(form.Handle()), "");
  EXPECT_EQ(SendMessageA(form.ToolTip(), TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(TranslateTest, OneEntryServesTheSameNameOnEveryWindow) {
  LanguageTable.Assign("btnCancel=Stop|Stops everything\r\n");
  TPagesForm pages;
  TranslateForm(pages);
  TfrmAsk ask(settings_);
  EXPECT_EQ(WindowText(pages.Component<TButton>("btnCancel").Handle()), "Stop");
  EXPECT_EQ(WindowText(ask.Component<TButton>("btnCancel").Handle()), "Stop");
  EXPECT_EQ(ask.Component<TButton>("btnCancel").Hint(), "Stops everything");
}

TEST_F(TranslateTest, PromptIsTranslatedFromTheShippedEnglishFile) {
  LanguageTable.Assign(ReadSourceFile("resources/Velmora.lng"));
  ASSERT_GT(LanguageTable.Count(), 0u);
  TfrmAsk ask(settings_);
  EXPECT_EQ(WindowText(ask.Handle()), "Velmora - Unlock");
  EXPECT_EQ(WindowText(ask.Component<TLabel>("lblPassword").Handle()), "Password:");
  EXPECT_EQ(WindowText(ask.Component<TLabel>("lblLeaveMessage").Handle()), "Leave a message:");
  EXPECT_EQ(WindowText(ask.Component<TCheckBox>("chkPermanentMessage").Handle()), "Keep this message");
  EXPECT_EQ(WindowText(ask.Component<TButton>("btnOK").Handle()), "OK");
  EXPECT_EQ(WindowText(ask.Component<TButton>("btnCancel").Handle()), "Cancel");
  EXPECT_EQ(WindowText(ask.Component<TEdit>("edtPassword").Handle()), "");
  EXPECT_EQ(ToolTipText(ask.ToolTip(), ask.Handle(), ask.Component<TEdit>("edtPassword").Handle()),
            "Type the owner's password and press Enter.\r\nLetter case matters.");
  EXPECT_EQ(ask.Component<TPanel>("pnlPassword").Caption(), "");
}

TEST_F(TranslateTest, PromptIsTranslatedFromTheGermanFile) {
  LanguageTable.Assign(ReadSourceFile("resources/lang/Velmora.de.lng"));
  TfrmAsk ask(settings_);
  EXPECT_EQ(WindowText(ask.Handle()), "Velmora - Entsperren");
  EXPECT_EQ(WindowText(ask.Component<TButton>("btnCancel").Handle()), "Abbrechen");
  EXPECT_EQ(WindowText(ask.Component<TCheckBox>("chkPermanentMessage").Handle()), "Nachricht behalten");
}

TEST_F(TranslateTest, ThePromptsNameListIsExactlyItsTranslatedComponents) {
  TfrmAsk ask(settings_);
  const std::vector<std::string> names = TranslatedNames(TfrmAsk::Layout());
  const std::set<std::string> listed(names.begin(), names.end());
  std::set<std::string> built;
  for (const auto& component : ask.Components()) {
    if (component->Kind() != ComponentKind::Timer) built.insert(component->Name());
  }
  EXPECT_EQ(built, listed);
}

// The keys a language file must hold are the names of the windows' layout tables.
TEST_F(TranslateTest, BothShippedLanguageFilesHaveAnEntryForEveryTranslatedName) {
  for (const char* file : {"resources/Velmora.lng", "resources/lang/Velmora.de.lng"}) {
    TLanguageTable table;
    table.Assign(ReadSourceFile(file));
    for (const LayoutTable& layout : {TfrmAsk::Layout(), TfrmConfig::Layout(), TfrmInstallWizard::Layout()}) {
      for (const std::string& name : TranslatedNames(layout)) {
        EXPECT_NE(table.Find(name), TLanguageTable::npos) << file << ": " << name;
      }
    }
    for (const char* id : {kUninstallQueryId, kUninstallCaptionId}) {
      EXPECT_NE(table.Find(id), TLanguageTable::npos) << file << ": " << id;
    }
  }
}

TEST_F(TranslateTest, PageControlShowsOnlyTheActiveSheet) {
  TPagesForm form;
  TPageControl& pages = form.Component<TPageControl>("pgcPages");
  EXPECT_EQ(pages.PageCount(), 2);
  EXPECT_EQ(pages.ActivePageIndex(), 0);
  EXPECT_EQ(GetParent(form.Component<TTabSheet>("tstOne").Handle()), pages.Handle());
  EXPECT_TRUE(form.Component<TTabSheet>("tstOne").Visible());
  EXPECT_FALSE(form.Component<TTabSheet>("tstTwo").Visible());
  pages.SetActivePageIndex(1);
  EXPECT_EQ(pages.ActivePageIndex(), 1);
  EXPECT_FALSE(form.Component<TTabSheet>("tstOne").Visible());
  EXPECT_TRUE(form.Component<TTabSheet>("tstTwo").Visible());
  pages.SetActivePageIndex(4);
  EXPECT_EQ(pages.ActivePageIndex(), -1);
  EXPECT_FALSE(form.Component<TTabSheet>("tstOne").Visible());
  EXPECT_FALSE(form.Component<TTabSheet>("tstTwo").Visible());
}

TEST_F(TranslateTest, TrackBarAndUpDownTakeTheirRangesAndReportChanges) {
  TPagesForm form;
  TTrackBar& speed = form.Component<TTrackBar>("trbSpeed");
  EXPECT_TRUE(Style(speed.Handle()) & TBS_VERT);
  EXPECT_EQ(SendMessageA(speed.Handle(), TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageA(speed.Handle(), TBM_GETRANGEMAX, 0, 0), 50);
  EXPECT_EQ(SendMessageA(speed.Handle(), TBM_GETPAGESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageA(speed.Handle(), TBM_GETTHUMBLENGTH, 0, 0), 14);
  EXPECT_EQ(speed.Position(), 25);
  int changes = 0;
  speed.OnChange = [&] { ++changes; };
  speed.SetPosition(30);
  speed.SetPosition(30);
  EXPECT_EQ(changes, 1);
  speed.SetPosition(80);
  EXPECT_EQ(speed.Position(), 50);

  TUpDown& size = form.Component<TUpDown>("udnSize");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(size.Handle(), UDM_GETBUDDY, 0, 0)), form.Component<TEdit>("edtSize").Handle());
  int low = 0;
  int high = 0;
  SendMessageA(size.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 4);
  EXPECT_EQ(high, 72);
  size.SetPosition(12);
  EXPECT_EQ(WindowText(form.Component<TEdit>("edtSize").Handle()), "12");
  EXPECT_EQ(size.Position(), 12);
}

TEST_F(TranslateTest, ListsHoldItemsWithDataAndColourListsDrawTheirSwatch) {
  TPagesForm form;
  TComboBox& fonts = form.Component<TComboBox>("cbxFont");
  fonts.AddItem("Arial");
  fonts.AddItem("Courier");
  fonts.SetText("Courier");
  EXPECT_EQ(fonts.ItemIndex(), 1);
  fonts.SetText("Missing");
  EXPECT_EQ(fonts.ItemIndex(), -1);

  TColorBox& colors = form.Component<TColorBox>("cbxColor");
  EXPECT_TRUE(Style(colors.Handle()) & CBS_OWNERDRAWFIXED);
  colors.AddItem("Red", 0x000000FF);
  EXPECT_EQ(colors.ItemData(0), 0x000000FF);

  testing::PixelCanvas canvas(160, 16);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(colors.Id());
  item.itemID = 0;
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = colors.Handle();
  item.hDC = canvas.dc();
  item.rcItem = RECT{0, 0, 160, 16};
  item.itemData = 0x000000FF;
  SendMessageA(form.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(GetPixel(canvas.dc(), 8, 8), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc(), 2, 2), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(GetPixel(canvas.dc(), 150, 1), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace velmora
