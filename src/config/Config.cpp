// The configuration dialog's layout and behaviour.
#include "config/Config.h"

#include <shellapi.h>

#include <cstdint>

#include "common/ComponentKinds.h"
#include "common/LanguageTable.h"
#include "core/ColorList.h"
#include "core/PasswordPage.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "ui/Translate.h"

namespace velmora {


namespace {

constexpr Props kFramedPanel = Props().Bevels(Bevel::Raised, Bevel::Lowered);
constexpr Props kPasswordEdit = Props().FlatBorder().PasswordChar('*').Font("MS Sans Serif", -16);
// The about page's labels have a font of their own, not their parent's.
constexpr Props kAboutLabel = Props().Font("MS Sans Serif", -11).FontColor(SystemColor(COLOR_WINDOWTEXT));
constexpr Props kLinkLabel = Props()
                                 .Font("MS Sans Serif", -11, true)
                                 .FontColor(SystemColor(COLOR_WINDOWTEXT))
                                 .Alignment(TextAlignment::Center)
                                 .HandCursor();
constexpr Props kButton = Props().Anchors(akLeft | akBottom);

constexpr int kSpeedMaximum = 50;
constexpr int kFontSizeMinimum = 4;
constexpr int kFontSizeMaximum = 72;
constexpr ColorValue kLinkHoverColor = SystemColor(COLOR_ACTIVECAPTION);
constexpr ColorValue kLinkColor = SystemColor(COLOR_WINDOWTEXT);

constexpr ComponentLayout kConfigLayout[] = {
    {"frmConfig", ComponentKind::Form, nullptr, 0, 0, 377, 242,
     Props().Border(FormBorder::Single).StayOnTop().Centered().Font("MS Sans Serif", -11)},
    {"pnlBackground", ComponentKind::Panel, "frmConfig", 0, 0, 377, 242, Props().AlignClient()},
    {"pgcPageControl", ComponentKind::PageControl, "pnlBackground", 10, 11, 358, 182, Props()},
    {"tstCommon", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},
    {"tstMessage", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},
    {"tstAppearance", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},
    {"tstAbout", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},

    // General: password, speed, logon start.
    {"pnlPassword", ComponentKind::Panel, "tstCommon", 3, 3, 278, 118, kFramedPanel},
    {"lblOldPassword", ComponentKind::Label, "pnlPassword", 8, 4, 85, 13, Props()},
    {"edtOldPassword", ComponentKind::Edit, "pnlPassword", 8, 21, 263, 18, kPasswordEdit},
    {"lblNewPassword", ComponentKind::Label, "pnlPassword", 8, 40, 85, 13, Props()},
    {"edtNewPassword", ComponentKind::Edit, "pnlPassword", 8, 55, 263, 18, kPasswordEdit.MaxLength(40)},
    {"lblConfirmation", ComponentKind::Label, "pnlPassword", 8, 76, 85, 13, Props()},
    {"edtConfirmation", ComponentKind::Edit, "pnlPassword", 8, 91, 263, 18, kPasswordEdit.MaxLength(40)},
    {"pnlSpeed", ComponentKind::Panel, "tstCommon", 284, 3, 63, 148, kFramedPanel},
    {"lblSpeed", ComponentKind::Label, "pnlSpeed", 6, 4, 48, 13, Props().Alignment(TextAlignment::Center)},
    {"trbSpeed", ComponentKind::TrackBar, "pnlSpeed", 14, 20, 33, 108,
     Props().Vertical().Range(0, kSpeedMaximum).PageSize(10).Frequency(5).ThumbLength(14).Position(25)},
    {"lblSpeedValue", ComponentKind::Label, "pnlSpeed", 14, 127, 33, 13, Props().Alignment(TextAlignment::Center)},
    {"pnlAutoRun", ComponentKind::Panel, "tstCommon", 3, 124, 278, 27, kFramedPanel},
    {"chkAutoRun", ComponentKind::CheckBox, "pnlAutoRun", 8, 5, 229, 17, Props()},

    // Message.
    {"pnlMessage", ComponentKind::Panel, "tstMessage", 3, 3, 344, 148, kFramedPanel},
    {"memMessage", ComponentKind::Memo, "pnlMessage", 8, 8, 328, 116,
     Props().FlatBorder().VerticalScrollBar().MaxLength(kMaxMessageLength)},
    {"chkAllowMessages", ComponentKind::CheckBox, "pnlMessage", 8, 126, 229, 17, Props()},

    // Appearance: the four colours, then the font with its preview.
    {"pnlColors", ComponentKind::Panel, "tstAppearance", 3, 3, 344, 89, kFramedPanel},
    {"lblLight", ComponentKind::Label, "pnlColors", 8, 5, 0, 0, Props()},
    {"cbxLight", ComponentKind::ColorBox, "pnlColors", 8, 21, 160, 22, Props()},
    {"lblShadow", ComponentKind::Label, "pnlColors", 176, 5, 0, 0, Props()},
    {"cbxShadow", ComponentKind::ColorBox, "pnlColors", 176, 21, 160, 22, Props()},
    {"lblSurface", ComponentKind::Label, "pnlColors", 8, 45, 0, 0, Props()},
    {"cbxSurface", ComponentKind::ColorBox, "pnlColors", 8, 61, 160, 22, Props()},
    {"lblBackground", ComponentKind::Label, "pnlColors", 176, 45, 0, 0, Props()},
    {"cbxBackground", ComponentKind::ColorBox, "pnlColors", 176, 61, 160, 22, Props()},
    {"pnlFontBevel", ComponentKind::Panel, "tstAppearance", 3, 96, 344, 55, kFramedPanel},
    {"pnlFont", ComponentKind::Panel, "pnlFontBevel", 8, 7, 161, 42, Props().Bevels(Bevel::None, Bevel::Lowered)},
    {"cbxFontName", ComponentKind::ComboBox, "pnlFontBevel", 176, 7, 160, 21, Props()},
    {"edtFontSize", ComponentKind::Edit, "pnlFontBevel", 176, 31, 21, 19, Props().FlatBorder().Caption("8")},
    {"udnFontSize", ComponentKind::UpDown, "pnlFontBevel", 197, 31, 13, 19,
     Props().Associate("edtFontSize").Range(kFontSizeMinimum, kFontSizeMaximum).Position(8)},
    {"chkBold", ComponentKind::CheckBox, "pnlFontBevel", 215, 32, 63, 17, Props()},
    {"chkItalic", ComponentKind::CheckBox, "pnlFontBevel", 280, 32, 55, 17, Props()},

    // About.
    {"pnlDescription", ComponentKind::Panel, "tstAbout", 3, 3, 344, 148, kFramedPanel},
    {"memDescription", ComponentKind::Memo, "pnlDescription", 8, 8, 327, 99,
     Props()
         .FlatBorder()
         .ReadOnly()
         .Alignment(TextAlignment::Center)
         .VerticalScrollBar()
         .Color(SystemColor(COLOR_INFOBK))},
    {"lblDescription", ComponentKind::Label, "pnlDescription", 0, 0, 0, 0, kAboutLabel.Hidden()},
    {"lblCopyright", ComponentKind::Label, "pnlDescription", 19, 113, 106, 14,
     kAboutLabel.Alignment(TextAlignment::Right)},
    {"lblKELMAR", ComponentKind::Label, "pnlDescription", 132, 113, 120, 14, kLinkLabel},
    {"lblCopyrightPeriod", ComponentKind::Label, "pnlDescription", 261, 114, 65, 13, kAboutLabel},
    {"lblProgramming", ComponentKind::Label, "pnlDescription", 19, 128, 106, 14,
     kAboutLabel.Alignment(TextAlignment::Right)},
    {"lblOrinTassel", ComponentKind::Label, "pnlDescription", 132, 129, 120, 13, kLinkLabel},
    {"lblLastUpdated", ComponentKind::Label, "pnlDescription", 261, 129, 65, 13, kAboutLabel},

    // The buttons under the page control; the tab order follows the page control.
    {"btnTest", ComponentKind::Button, "pnlBackground", 10, 204, 74, 25, kButton},
    {"btnOK", ComponentKind::Button, "pnlBackground", 140, 204, 74, 25, kButton.Default()},
    {"btnCancel", ComponentKind::Button, "pnlBackground", 217, 204, 74, 25, kButton.Cancel()},
    {"btnApply", ComponentKind::Button, "pnlBackground", 294, 204, 74, 25, kButton},
};

// A size in points as a character height in pixels at 96 DPI.
int PointsToDesignHeight(int points) { return -MulDiv(points, 96, 72); }

}  // namespace

void FillColorList(TComponent& list) {
  list.ClearItems();
  for (const NamedColor& color : kColorList) {
    const std::string key(color.nameKey);
    const std::size_t line = LanguageTable.Find(key);
    list.AddItem(line != TLanguageTable::npos ? ShownText(LanguageTable.Value(key)) : key,
                 static_cast<LPARAM>(color.value));
  }
}

ColorValue SelectedColor(const TComponent& list) {
  const int index = list.ItemIndex();
  if (index < 0) return kNoColorSelected;
  return static_cast<ColorValue>(list.ItemData(index));
}

void SelectColor(TComponent& list, ColorValue value) {
  for (int index = 0; index < list.ItemCount(); ++index) {
    if (static_cast<ColorValue>(list.ItemData(index)) == value) {
      list.SetItemIndex(index);
      return;
    }
  }
  list.SetItemIndex(-1);
}

LayoutTable TfrmConfig::Layout() { return LayoutTable(kConfigLayout); }

TfrmConfig::TfrmConfig(TSettingsStore& settings)
    : TForm("TfrmConfig", kConfigLayout),
      settings_(settings),
      SavedSettings(settings.SavedSettings),
      pgcPageControl(Component("pgcPageControl")),
      edtOldPassword(Component("edtOldPassword")),
      edtNewPassword(Component("edtNewPassword")),
      edtConfirmation(Component("edtConfirmation")),
      lblNewPassword(Component("lblNewPassword")),
      lblConfirmation(Component("lblConfirmation")),
      trbSpeed(Component("trbSpeed")),
      lblSpeedValue(Component("lblSpeedValue")),
      chkAutoRun(Component("chkAutoRun")),
      memMessage(Component("memMessage")),
      chkAllowMessages(Component("chkAllowMessages")),
      cbxLight(Component("cbxLight")),
      cbxSurface(Component("cbxSurface")),
      cbxShadow(Component("cbxShadow")),
      cbxBackground(Component("cbxBackground")),
      pnlFont(Component("pnlFont")),
      cbxFontName(Component("cbxFontName")),
      edtFontSize(Component("edtFontSize")),
      udnFontSize(Component("udnFontSize")),
      chkBold(Component("chkBold")),
      chkItalic(Component("chkItalic")),
      memDescription(Component("memDescription")),
      lblDescription(Component("lblDescription")),
      btnTest(Component("btnTest")) {
  Bind("pgcPageControl", EventKind::Change, &TfrmConfig::pgcPageControlChange);
  for (const char* edit : {"edtOldPassword", "edtNewPassword", "edtConfirmation"}) {
    Bind(edit, EventKind::Change, &TfrmConfig::edtPasswordChange);
  }
  for (const char* edit : {"edtNewPassword", "edtConfirmation"}) {
    Bind(edit, EventKind::Enter, &TfrmConfig::edtPasswordChange);
    Bind(edit, EventKind::Exit, &TfrmConfig::edtPasswordChange);
  }
  Bind("trbSpeed", EventKind::Change, &TfrmConfig::trbSpeedChange);
  Bind("chkAutoRun", EventKind::Click, &TfrmConfig::chkAutoRunClick);
  Bind("memMessage", EventKind::Change, &TfrmConfig::memMessageChange);
  Bind("chkAllowMessages", EventKind::Click, &TfrmConfig::chkAllowMessagesClick);
  for (const char* list : {"cbxFontName", "cbxLight", "cbxSurface", "cbxShadow", "cbxBackground"}) {
    Bind(list, EventKind::Change, &TfrmConfig::AppearenceChange);
  }
  Bind("edtFontSize", EventKind::Exit, &TfrmConfig::AppearenceChange);
  Bind("chkBold", EventKind::Click, &TfrmConfig::AppearenceChange);
  Bind("chkItalic", EventKind::Click, &TfrmConfig::AppearenceChange);
  Bind("udnFontSize", EventKind::Click, &TfrmConfig::udnFontSizeClick);
  for (const char* name : {"lblKELMAR", "lblOrinTassel"}) {
    TComponent& label = Component(name);
    label.OnMouseEnter = [this, &label] { URLLabelMouseEnter(label); };
    label.OnMouseLeave = [this, &label] { URLLabelMouseLeave(label); };
    label.OnClick = [this, &label] { URLClick(label); };
  }
  Bind("btnTest", EventKind::Click, &TfrmConfig::btnTestClick);
  Bind("btnOK", EventKind::Click, &TfrmConfig::btnOkClick);
  Bind("btnCancel", EventKind::Click, &TfrmConfig::btnCancelClick);
  Bind("btnApply", EventKind::Click, &TfrmConfig::btnApplyClick);
  FormCreate();
}

void TfrmConfig::OpenWithShell(HWND owner, const std::string& target) {
  // The shell's answer is of no interest: a link that does not open is passed over.
  ShellExecuteA(owner, "open", target.c_str(), "", "", SW_SHOWNORMAL);
}

void TfrmConfig::FormCreate() {
  pgcPageControl.SetActivePageIndex(SavedSettings.ConfigPage);
  // Filled here only; its click handler keeps AllowMessages equal to it from now on.
  chkAllowMessages.SetChecked(SavedSettings.AllowMessages != 0);
  TranslateForm(*this);
  PrepareControls(*Components().front());
  memDescription.SetText(lblDescription.Caption());
  for (TComponent* list : {&cbxLight, &cbxSurface, &cbxShadow, &cbxBackground}) FillColorList(*list);
  FocusControl(btnTest);
}

void TfrmConfig::FormShow() {
  cbxFontName.ClearItems();
  for (const std::string& name : settings_.FontNames()) cbxFontName.AddItem(name);

  // Runs trbSpeedChange only when the position moves; the value label is set either way.
  trbSpeed.SetPosition(SavedSettings.Speed);
  lblSpeedValue.SetCaption(std::to_string(kSpeedMaximum - trbSpeed.Position()));

  edtPasswordChange();
  chkAutoRun.SetChecked(SavedSettings.AutoRun != 0);
  memMessage.SetText(SavedSettings.Message);

  SelectColor(cbxLight, SavedSettings.LightColor);
  SelectColor(cbxSurface, SavedSettings.SurfaceColor);
  SelectColor(cbxShadow, SavedSettings.ShadowColor);
  SelectColor(cbxBackground, SavedSettings.BackgroundColor);
  cbxFontName.SetItemIndex(SavedSettings.FontIndex);
  udnFontSize.SetPosition(static_cast<std::int16_t>(SavedSettings.FontSize));

  // Both values as they stood before either box is ticked.
  const bool bold = SavedSettings.FontBold != 0;
  const bool italic = SavedSettings.FontItalic != 0;
  fillingAppearance_ = true;
  struct FillingEnds {
    bool& filling;
    ~FillingEnds() { filling = false; }
  } fillingEnds{fillingAppearance_};
  chkBold.SetChecked(bold);
  chkItalic.SetChecked(italic);
  fillingAppearance_ = false;

  AppearenceChange();
}

void TfrmConfig::pgcPageControlChange() { SavedSettings.ConfigPage = pgcPageControl.ActivePageIndex(); }

void TfrmConfig::edtPasswordChange() {
  const PasswordPageState state = DecidePasswordPage(SavedSettings.Password(), edtOldPassword.Text(),
                                                     edtNewPassword.Text(), edtConfirmation.Text());
  edtOldPassword.SetEnabled(state.oldEnabled);
  edtNewPassword.SetEnabled(state.newEnabled);
  edtConfirmation.SetEnabled(state.confirmationEnabled);
  edtOldPassword.SetColor(state.oldColor);
  edtNewPassword.SetColor(state.newColor);
  edtConfirmation.SetColor(state.confirmationColor);
  const auto mark = [](TComponent& label, bool red) {
    if (red) {
      label.SetFontColor(clRed);
    } else {
      label.UseParentFont();
    }
  };
  mark(lblNewPassword, state.newLabelRed);
  mark(lblConfirmation, state.confirmationLabelRed);
  chkAllowMessages.SetEnabled(state.allowMessagesEnabled);
  if (!state.allowMessagesEnabled) {
    chkAllowMessages.SetChecked(false);
    // Also when the box was unticked already: no visitors' messages without a password.
    chkAllowMessagesClick();
  }
}

void TfrmConfig::trbSpeedChange() {
  SavedSettings.Speed = trbSpeed.Position();
  lblSpeedValue.SetCaption(std::to_string(kSpeedMaximum - trbSpeed.Position()));
}

void TfrmConfig::chkAutoRunClick() { SavedSettings.AutoRun = chkAutoRun.Checked() ? 1 : 0; }

void TfrmConfig::memMessageChange() { SavedSettings.Message = memMessage.Text(); }

void TfrmConfig::chkAllowMessagesClick() { SavedSettings.AllowMessages = chkAllowMessages.Checked() ? 1 : 0; }

void TfrmConfig::AppearenceChange() {
  if (fillingAppearance_) return;
  SavedSettings.LightColor = SelectedColor(cbxLight);
  SavedSettings.SurfaceColor = SelectedColor(cbxSurface);
  SavedSettings.ShadowColor = SelectedColor(cbxShadow);
  SavedSettings.BackgroundColor = SelectedColor(cbxBackground);
  SavedSettings.FontIndex = cbxFontName.ItemIndex();

  // A typed size is read as the up-down's position; the edit then shows that position.
  const int typed = FontSizeFromText(edtFontSize.Text(), udnFontSize.Position(), kFontSizeMinimum, kFontSizeMaximum);
  if (typed != udnFontSize.Position() || edtFontSize.Text() != std::to_string(typed)) udnFontSize.SetPosition(typed);
  SavedSettings.FontSize = static_cast<std::int16_t>(udnFontSize.Position());

  SavedSettings.FontBold = chkBold.Checked() ? 1 : 0;
  SavedSettings.FontItalic = chkItalic.Checked() ? 1 : 0;

  // The preview shows the surface colour on the background colour; light and shadow appear
  // only on the lock screen.
  pnlFont.SetFont(cbxFontName.Text(), PointsToDesignHeight(SavedSettings.FontSize), chkBold.Checked(),
                  chkItalic.Checked());
  pnlFont.SetFontColor(SavedSettings.SurfaceColor);
  pnlFont.SetColor(SavedSettings.BackgroundColor);
}

void TfrmConfig::udnFontSizeClick() { AppearenceChange(); }

void TfrmConfig::URLLabelMouseEnter(TComponent& label) { label.SetFontColor(kLinkHoverColor); }

void TfrmConfig::URLLabelMouseLeave(TComponent& label) { label.SetFontColor(kLinkColor); }

void TfrmConfig::URLClick(TComponent& label) {
  if (OpenUrl) OpenUrl(Handle(), label.Hint());
}

void TfrmConfig::btnTestClick() {
  if (ShowLockScreen) ShowLockScreen();
}

void TfrmConfig::btnOkClick() {
  btnApplyClick();
  Close();
}

void TfrmConfig::btnCancelClick() { Close(); }

void TfrmConfig::btnApplyClick() {
  SavedSettings.Dirty = 1;
  const std::string newPassword = edtNewPassword.Text();
  if (NewPasswordAccepted(SavedSettings.Password(), edtOldPassword.Text(), newPassword, edtConfirmation.Text())) {
    StoreNewPassword(SavedSettings, newPassword, &Random);
  }
  settings_.Save();
  edtOldPassword.SetText("");
  edtNewPassword.SetText("");
  edtConfirmation.SetText("");
  edtPasswordChange();
}

}  // namespace velmora
