// The configuration dialog driven by messages: its layout at 96 DPI, the refill at every show
// (bold with italic, the speed label, colours and fonts that the lists lack), the password
// page, Apply against the real registry, Cancel writing nothing, the dialog keys, the colour
// lists, the preview and the link labels.
#include "config/Config.h"

#include <gtest/gtest.h>

#include "ui/Kinds.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "common/LanguageTable.h"
#include "core/Crypt32.h"
#include "core/Random.h"
#include "core/win/SettingsStore.h"

namespace velmora {
namespace {

using namespace velmora::testing;

constexpr char kTestProgram[] = "VelmoraConfigDialogTest";
constexpr char kTestKeyPath[] = "Software\\VelmoraConfigDialogTest";
constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void RemoveTraces() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kTestKeyPath);
  HKEY run = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_ALL_ACCESS, &run) == ERROR_SUCCESS) {
    RegDeleteValueA(run, kTestProgram);
    RegCloseKey(run);
  }
}

// The stored record, empty when there is none.
std::vector<BYTE> StoredRecord() {
  std::vector<BYTE> bytes(200);
  DWORD size = static_cast<DWORD>(bytes.size());
  if (RegGetValueA(HKEY_CURRENT_USER, kTestKeyPath, nullptr, RRF_RT_ANY, nullptr, bytes.data(), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  bytes.resize(size);
  return bytes;
}

bool RunValueExists() {
  return RegGetValueA(HKEY_CURRENT_USER, kRunKeyPath, kTestProgram, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

std::string ListText(HWND list, int index) {
  char buffer[256] = {};
  SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeApplication();
    Application.SetMainWindow(nullptr);
    RemoveTraces();
    LanguageTable.Clear();
    SeedRandom(7);
    SavedSettings.Message = "Back at three";
    SavedSettings.FontIndex = 2;
  }
  void TearDown() override {
    config.reset();
    RemoveTraces();
    LanguageTable.Clear();
  }

  void Create() {
    config = std::make_unique<TfrmConfig>(settings_);
    config->OpenUrl = [this](HWND owner, const std::string& target) {
      urlOwners.push_back(owner);
      urls.push_back(target);
    };
    config->ShowLockScreen = [this] { ++lockScreenShows; };
  }
  void CreateAndShow() {
    Create();
    config->Show();
    Application.ProcessMessages();
  }

  template <typename Kind = TComponent>
  Kind& Part(const char* name) const {
    return config->Component<Kind>(name);
  }
  HWND Handle(const char* name) const { return Part(name).Handle(); }
  void Type(const char* edit, const std::string& text) {
    SetWindowTextA(Handle(edit), "");
    TypeCharacters(Handle(edit), text);
  }
  void Click(const char* button) {
    SendMessageA(Handle(button), BM_CLICK, 0, 0);
    Application.ProcessMessages();
  }
  // The notification a list sends when the user picks an entry.
  void Pick(const char* list, int index) {
    SendMessageA(Handle(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(config->Handle(), WM_COMMAND, MAKEWPARAM(Part(list).Id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Handle(list)));
  }
  void LeaveEdit(const char* edit) {
    SendMessageA(config->Handle(), WM_COMMAND, MAKEWPARAM(Part(edit).Id(), EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(Handle(edit)));
  }

  // The dialog's settings; they go after it.
  TSettingsStore settings_{kTestProgram, {"Arial", "Courier New", "Tahoma", "Verdana"}};
  TSavedSettings& SavedSettings = settings_.SavedSettings;
  std::unique_ptr<TfrmConfig> config;
  std::vector<std::string> urls;
  std::vector<HWND> urlOwners;
  int lockScreenShows = 0;
};

TEST_F(ConfigTest, LayoutAt96Dpi) {
  Create();
  if (config->Dpi() != 96) GTEST_SKIP() << "the display runs at " << config->Dpi() << " DPI";
  EXPECT_EQ(ClassName(config->Handle()), "TfrmConfig");
  EXPECT_EQ(config->ClientWidth(), 377);
  EXPECT_EQ(config->ClientHeight(), 242);
  EXPECT_TRUE(ExStyle(config->Handle()) & WS_EX_TOPMOST);
  EXPECT_TRUE(Style(config->Handle()) & WS_SYSMENU);
  EXPECT_FALSE(Style(config->Handle()) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  struct Expected {
    const char* name;
    const char* parent;
    int left, top, width, height;
  };
  const Expected expected[] = {
      {"pgcPageControl", "pnlBackground", 10, 11, 358, 182},
      {"edtNewPassword", "pnlPassword", 8, 55, 263, 18},
      {"trbSpeed", "pnlSpeed", 14, 20, 33, 108},
      {"lblSpeedValue", "pnlSpeed", 14, 127, 33, 13},
      {"chkAutoRun", "pnlAutoRun", 8, 5, 229, 17},
      {"memMessage", "pnlMessage", 8, 8, 328, 116},
      {"pnlFontBevel", "tstAppearance", 3, 96, 344, 55},
      {"pnlFont", "pnlFontBevel", 8, 7, 161, 42},
      {"udnFontSize", "pnlFontBevel", 197, 31, 13, 19},
      {"memDescription", "pnlDescription", 8, 8, 327, 99},
      {"lblKELMAR", "pnlDescription", 132, 113, 120, 14},
      {"btnTest", "pnlBackground", 10, 204, 74, 25},
      {"btnApply", "pnlBackground", 294, 204, 74, 25},
  };
  for (const Expected& row : expected) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(GetParent(Handle(row.name)), Handle(row.parent));
    const RECT rect = RectInParent(Handle(row.name));
    EXPECT_EQ(rect.left, row.left);
    EXPECT_EQ(rect.top, row.top);
    EXPECT_EQ(rect.right - rect.left, row.width);
    EXPECT_EQ(rect.bottom - rect.top, row.height);
  }
  // The colour lists' closed height follows their 16-pixel items.
  const RECT light = RectInParent(Handle("cbxLight"));
  EXPECT_EQ(light.left, 8);
  EXPECT_EQ(light.top, 21);
  EXPECT_EQ(light.right - light.left, 160);

  EXPECT_EQ(Part<TPageControl>("pgcPageControl").PageCount(), 4);
  EXPECT_TRUE(Style(Handle("trbSpeed")) & TBS_VERT);
  EXPECT_EQ(SendMessageA(Handle("trbSpeed"), TBM_GETRANGEMAX, 0, 0), 50);
  EXPECT_EQ(SendMessageA(Handle("trbSpeed"), TBM_GETPAGESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageA(Handle("trbSpeed"), TBM_GETTHUMBLENGTH, 0, 0), 14);
  EXPECT_EQ(SendMessageA(Handle("edtNewPassword"), EM_GETLIMITTEXT, 0, 0), 40);
  EXPECT_EQ(SendMessageA(Handle("edtConfirmation"), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(Handle("udnFontSize"), UDM_GETBUDDY, 0, 0)), Handle("edtFontSize"));
  EXPECT_TRUE(Style(Handle("memDescription")) & ES_READONLY);
  EXPECT_TRUE(Style(Handle("memDescription")) & ES_CENTER);
  EXPECT_EQ(Part<TEdit>("memDescription").Color(), SystemColor(COLOR_INFOBK));
  EXPECT_EQ(Style(Handle("btnOK")) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  // Tab order: the page control, then Test, OK, Cancel, Apply.
  EXPECT_EQ(GetWindow(Handle("pgcPageControl"), GW_HWNDNEXT), Handle("btnTest"));
  EXPECT_EQ(GetWindow(Handle("btnOK"), GW_HWNDNEXT), Handle("btnCancel"));
  EXPECT_EQ(GetWindow(Handle("btnCancel"), GW_HWNDNEXT), Handle("btnApply"));
}

TEST_F(ConfigTest, CreationOpensTheStoredPageAndFillsTheDescription) {
  LanguageTable.Assign("lblDescription=Velmora^^Locks the screen.\r\n");
  SavedSettings.ConfigPage = 2;
  SavedSettings.SetPassword("Secret");
  SavedSettings.AllowMessages = 1;
  Create();
  EXPECT_EQ(Part<TPageControl>("pgcPageControl").ActivePageIndex(), 2);
  EXPECT_TRUE(Part<TCheckBox>("chkAllowMessages").Checked());
  EXPECT_EQ(Part<TEdit>("memDescription").Text(), "Velmora\r\n\r\nLocks the screen.");
  config.reset();

  for (int page : {-1, 4}) {
    SavedSettings.ConfigPage = page;
    Create();
    EXPECT_EQ(Part<TPageControl>("pgcPageControl").ActivePageIndex(), -1) << page;
    config.reset();
  }
}

TEST_F(ConfigTest, StoredBoldAndItalicTogetherSurviveTheShow) {
  SavedSettings.FontBold = 1;
  SavedSettings.FontItalic = 1;
  SavedSettings.FontSize = 20;
  CreateAndShow();
  EXPECT_TRUE(Part<TCheckBox>("chkBold").Checked());
  EXPECT_TRUE(Part<TCheckBox>("chkItalic").Checked());
  EXPECT_EQ(SavedSettings.FontBold, 1);
  EXPECT_EQ(SavedSettings.FontItalic, 1);
  EXPECT_TRUE(Part<TPanel>("pnlFont").FontBold());
  EXPECT_TRUE(Part<TPanel>("pnlFont").FontItalic());
  EXPECT_EQ(Part<TPanel>("pnlFont").FontName(), "Tahoma");
  EXPECT_EQ(Part<TPanel>("pnlFont").FontHeight(), -27) << "20 points at 96 DPI";
  EXPECT_EQ(Part<TEdit>("edtFontSize").Text(), "20");

  // Italic alone, after a show that had both.
  config->Hide();
  SavedSettings.FontBold = 0;
  config->Show();
  EXPECT_FALSE(Part<TCheckBox>("chkBold").Checked());
  EXPECT_TRUE(Part<TCheckBox>("chkItalic").Checked());
  EXPECT_EQ(SavedSettings.FontItalic, 1);
}

TEST_F(ConfigTest, SpeedLabelShowsFiftyMinusThePositionAtEveryShow) {
  struct Row {
    std::int32_t speed;
    const char* label;
    std::int32_t speedAfter;
  };
  // 25 is the bar's design position: no change notification, the label is set all the same.
  // A stored speed past the bar's end is cut to 50 by the change handler, which runs only when
  // the bar moves: with the bar at 50 already the record keeps its 70.
  const Row rows[] = {{25, "25", 25}, {5, "45", 5}, {0, "50", 0}, {70, "0", 50}, {70, "0", 70}};
  Create();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.speed);
    SavedSettings.Speed = row.speed;
    config->Show();
    EXPECT_EQ(Part<TLabel>("lblSpeedValue").Caption(), row.label);
    EXPECT_EQ(SavedSettings.Speed, row.speedAfter);
    config->Hide();
  }
}

TEST_F(ConfigTest, ColoursAndFontsTheListsLackBecomeNone) {
  SavedSettings.LightColor = 0x00123456;    // in no list
  SavedSettings.SurfaceColor = 0x00F0CAA6;  // sky blue
  SavedSettings.ShadowColor = 0xFF000010;
  SavedSettings.BackgroundColor = 0xFF000019;  // system colour 25 does not exist
  SavedSettings.FontIndex = -1;
  CreateAndShow();
  EXPECT_EQ(Part<TComboBox>("cbxLight").ItemIndex(), -1);
  EXPECT_EQ(SavedSettings.LightColor, 0xFF000000u);
  EXPECT_EQ(SavedSettings.SurfaceColor, 0x00F0CAA6u);
  EXPECT_EQ(SavedSettings.ShadowColor, 0xFF000010u);
  EXPECT_EQ(SavedSettings.BackgroundColor, 0xFF000000u);
  EXPECT_EQ(Part<TComboBox>("cbxFontName").ItemIndex(), -1);
  EXPECT_EQ(SavedSettings.FontIndex, -1);
  EXPECT_EQ(Part<TComboBox>("cbxFontName").ItemCount(), 4);
  // What "none" reports is the scroll-bar colour's entry the next time.
  config->Hide();
  SavedSettings.FontIndex = 4;
  config->Show();
  EXPECT_EQ(ListText(Handle("cbxLight"), Part<TComboBox>("cbxLight").ItemIndex()), "clScrollBar");
  EXPECT_EQ(SavedSettings.FontIndex, -1) << "an index past the font list";
}

TEST_F(ConfigTest, ColourListsNameTheirEntriesFromTheLanguageFile) {
  LanguageTable.Assign("clBlack=Schwarz\r\nclMedGray=Mittelgrau\r\n");
  Create();
  const HWND list = Handle("cbxBackground");
  EXPECT_EQ(Part<TColorBox>("cbxBackground").ItemCount(), 50);
  EXPECT_EQ(ListText(list, 0), "Schwarz");
  EXPECT_EQ(ListText(list, 19), "Mittelgrau");
  EXPECT_EQ(ListText(list, 1), "clMaroon") << "without an entry the key stands";
  EXPECT_TRUE(Style(list) & CBS_OWNERDRAWFIXED);
  SelectColor(Part<TColorBox>("cbxBackground"), 0x00C0DCC0);
  EXPECT_EQ(Part<TColorBox>("cbxBackground").ItemIndex(), 16);
  EXPECT_EQ(SelectedColor(Part<TColorBox>("cbxBackground")), 0x00C0DCC0u);
  SelectColor(Part<TColorBox>("cbxBackground"), 0x00010203);
  EXPECT_EQ(Part<TColorBox>("cbxBackground").ItemIndex(), -1);
  EXPECT_EQ(SelectedColor(Part<TColorBox>("cbxBackground")), 0xFF000000u);
}

TEST_F(ConfigTest, AppearanceChangesReachTheRecordAndThePreviewAtOnce) {
  CreateAndShow();
  Pick("cbxSurface", 9);      // red
  Pick("cbxBackground", 15);  // white
  Pick("cbxFontName", 3);
  SendMessageA(Handle("chkBold"), BM_CLICK, 0, 0);
  EXPECT_EQ(SavedSettings.SurfaceColor, 0x000000FFu);
  EXPECT_EQ(SavedSettings.BackgroundColor, 0x00FFFFFFu);
  EXPECT_EQ(SavedSettings.FontIndex, 3);
  EXPECT_EQ(SavedSettings.FontBold, 1);
  EXPECT_EQ(Part<TPanel>("pnlFont").FontColor(), 0x000000FFu);
  EXPECT_EQ(Part<TPanel>("pnlFont").Color(), 0x00FFFFFFu);
  EXPECT_EQ(Part<TPanel>("pnlFont").FontName(), "Verdana");
  EXPECT_TRUE(Part<TPanel>("pnlFont").FontBold());

  // A typed size is taken when the edit is left, kept to 4..72; other text is not a size.
  struct Row {
    const char* typed;
    int size;
  };
  for (const Row& row : {Row{"30", 30}, Row{"100", 72}, Row{"2", 4}, Row{"x", 4}}) {
    Type("edtFontSize", row.typed);
    LeaveEdit("edtFontSize");
    EXPECT_EQ(SavedSettings.FontSize, row.size) << row.typed;
    EXPECT_EQ(Part<TEdit>("edtFontSize").Text(), std::to_string(row.size)) << row.typed;
  }
  // The arrows.
  SendMessageA(Handle("udnFontSize"), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SavedSettings.FontSize, 5);
}

TEST_F(ConfigTest, WithoutPasswordTheOldBoxAndVisitorsMessagesAreOff) {
  SavedSettings.AllowMessages = 1;
  CreateAndShow();
  EXPECT_FALSE(IsWindowEnabled(Handle("edtOldPassword")));
  EXPECT_EQ(Part<TEdit>("edtOldPassword").Color(), 0xFF000000u);
  EXPECT_TRUE(IsWindowEnabled(Handle("edtNewPassword")));
  EXPECT_EQ(Part<TEdit>("edtNewPassword").Color(), 0xFF000005u);
  EXPECT_FALSE(IsWindowEnabled(Handle("chkAllowMessages")));
  EXPECT_FALSE(Part<TCheckBox>("chkAllowMessages").Checked());
  EXPECT_EQ(SavedSettings.AllowMessages, 0);

  TypeCharacters(Handle("edtConfirmation"), "a");
  EXPECT_EQ(Part<TLabel>("lblNewPassword").FontColor(), 0x000000FFu);
  EXPECT_NE(Part<TLabel>("lblConfirmation").FontColor(), 0x000000FFu);
  TypeCharacters(Handle("edtNewPassword"), "a");
  EXPECT_NE(Part<TLabel>("lblNewPassword").FontColor(), 0x000000FFu);
}

TEST_F(ConfigTest, ApplyStoresTheConfirmedPasswordAndEmptiesTheBoxes) {
  SavedSettings.SetPassword("Secret");
  SavedSettings.AutoRun = 1;
  CreateAndShow();
  Type("edtOldPassword", "Secret");
  Type("edtNewPassword", "Sesame");
  Type("edtConfirmation", "Sesame");
  Click("btnApply");
  EXPECT_EQ(SavedSettings.Password(), "Sesame");
  EXPECT_EQ(SavedSettings.Dirty, 0) << "cleared by the reload";
  EXPECT_EQ(SavedSettings.Message, "Back at three");
  const std::vector<BYTE> record = StoredRecord();
  ASSERT_EQ(record.size(), 96u);
  EXPECT_EQ(record[0], 1);
  EXPECT_EQ(record[48], 6);
  EXPECT_EQ(std::string(record.begin() + 49, record.begin() + 55),
            Encrypt("Sesame", kStoreStartKey, kStoreMultiplier, kStoreAddend));
  EXPECT_TRUE(RunValueExists());
  for (const char* edit : {"edtOldPassword", "edtNewPassword", "edtConfirmation"}) {
    EXPECT_EQ(Part<TEdit>(edit).Text(), "") << edit;
  }
  EXPECT_FALSE(IsWindowEnabled(Handle("edtNewPassword"))) << "the empty old box no longer matches";
  EXPECT_TRUE(config->Visible());

  // A confirmation that differs keeps the password, and the record is written all the same.
  Type("edtOldPassword", "Sesame");
  Type("edtNewPassword", "One");
  Type("edtConfirmation", "Two");
  SavedSettings.Speed = 33;
  Click("btnApply");
  EXPECT_EQ(SavedSettings.Password(), "Sesame");
  EXPECT_EQ(StoredRecord()[12], 33);
}

TEST_F(ConfigTest, RemovingThePasswordTurnsVisitorsMessagesOffAfterTheWrite) {
  SavedSettings.SetPassword("Secret");
  SavedSettings.AllowMessages = 1;
  CreateAndShow();
  ASSERT_TRUE(Part<TCheckBox>("chkAllowMessages").Checked());
  Type("edtOldPassword", "Secret");
  Click("btnApply");
  EXPECT_EQ(SavedSettings.Password(), "");
  EXPECT_EQ(StoredRecord()[48], 0);
  EXPECT_EQ(StoredRecord()[16], 1) << "written with the earlier AllowMessages";
  EXPECT_FALSE(Part<TCheckBox>("chkAllowMessages").Checked());
  EXPECT_EQ(SavedSettings.AllowMessages, 0);
}

TEST_F(ConfigTest, CancelAfterMovingTheBarWritesNothing) {
  SavedSettings.Speed = 25;
  CreateAndShow();
  SendMessageA(Handle("trbSpeed"), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SavedSettings.Speed, 26);
  EXPECT_EQ(Part<TLabel>("lblSpeedValue").Caption(), "24");
  Click("btnTest");
  EXPECT_EQ(lockScreenShows, 1);
  Click("btnCancel");
  EXPECT_FALSE(config->Visible());
  EXPECT_EQ(SavedSettings.Speed, 26) << "kept in memory for a test";
  EXPECT_EQ(SavedSettings.Dirty, 0);
  EXPECT_TRUE(StoredRecord().empty());
  EXPECT_FALSE(RunValueExists());
}

TEST_F(ConfigTest, EnterIsOkExceptInTheMemoAndEscIsCancel) {
  CreateAndShow();
  SetFocus(Handle("memMessage"));
  PostMessageA(Handle("memMessage"), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(Handle("memMessage"), WM_CHAR, VK_RETURN, 1);
  Application.ProcessMessages();
  EXPECT_TRUE(config->Visible());
  EXPECT_NE(SavedSettings.Message.find("\r\n"), std::string::npos) << "the memo took the line break";

  SetFocus(Handle("chkAutoRun"));
  PostMessageA(Handle("chkAutoRun"), WM_KEYDOWN, VK_ESCAPE, 1);
  Application.ProcessMessages();
  EXPECT_FALSE(config->Visible());
  EXPECT_TRUE(StoredRecord().empty());

  config->Show();
  SetFocus(Handle("edtNewPassword"));
  PostMessageA(Handle("edtNewPassword"), WM_KEYDOWN, VK_RETURN, 1);
  Application.ProcessMessages();
  EXPECT_FALSE(config->Visible());
  EXPECT_EQ(StoredRecord().size(), 96u) << "OK applies";
}

TEST_F(ConfigTest, LinkLabelsHoverAndHandTheirHintToTheShell) {
  LanguageTable.Assign("lblKELMAR=KELMAR|https://www.kelmar.example/\r\n");
  CreateAndShow();
  const HWND link = Handle("lblKELMAR");
  SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Part<TLabel>("lblKELMAR").FontColor(), 0xFF000002u);
  SendMessageA(link, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Part<TLabel>("lblKELMAR").FontColor(), 0xFF000008u);
  EXPECT_TRUE(Part<TLabel>("lblKELMAR").FontBold());

  SendMessageA(config->Handle(), WM_COMMAND, MAKEWPARAM(Part<TLabel>("lblKELMAR").Id(), STN_CLICKED),
               reinterpret_cast<LPARAM>(link));
  SendMessageA(config->Handle(), WM_COMMAND, MAKEWPARAM(Part<TLabel>("lblOrinTassel").Id(), STN_CLICKED),
               reinterpret_cast<LPARAM>(Handle("lblOrinTassel")));
  EXPECT_EQ(urls, (std::vector<std::string>{"https://www.kelmar.example/", ""}));
  EXPECT_EQ(urlOwners.front(), config->Handle());
}

TEST_F(ConfigTest, EveryShowRefillsFromTheRecordWhileThePageStays) {
  CreateAndShow();
  TabCtrl_SetCurSel(Handle("pgcPageControl"), 1);
  NMHDR change{Handle("pgcPageControl"), static_cast<UINT_PTR>(Part<TPageControl>("pgcPageControl").Id()),
               static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(config->Handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(SavedSettings.ConfigPage, 1);
  // Hidden and shown again as the lock screen does it.
  ShowWindow(config->Handle(), SW_HIDE);
  SavedSettings.Speed = 10;
  SavedSettings.Message = "New text";
  SavedSettings.AutoRun = 1;
  ShowWindow(config->Handle(), SW_SHOW);
  EXPECT_EQ(Part<TLabel>("lblSpeedValue").Caption(), "40");
  EXPECT_EQ(Part<TEdit>("memMessage").Text(), "New text");
  EXPECT_TRUE(Part<TCheckBox>("chkAutoRun").Checked());
  EXPECT_EQ(Part<TPageControl>("pgcPageControl").ActivePageIndex(), 1);
}

}  // namespace
}  // namespace velmora
