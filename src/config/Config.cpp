// The configuration dialog's layout and behaviour.
#include "config/Config.h"

#include <shellapi.h>

#include <cstdint>

#include "common/ComponentKinds.h"
#include "common/LanguageTable.h"
#include "core/ColorList.h"
#include "core/PasswordPage.h"
#include "core/Random.h"
#include "core/ScopeExit.h"
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


// A size in points as a character height in pixels at 96 DPI.
int PointsToDesignHeight(int points) { return -MulDiv(points, 96, 72); }

}  // namespace

void FillColorList(TColorBox& list) {
  list.ClearItems();
  for (const NamedColor& color : kColorList) {
    const std::string key(color.nameKey);
    const std::size_t line = LanguageTable.Find(key);
    list.AddItem(line != TLanguageTable::npos ? ShownText(LanguageTable.Value(key)) : key,
                 static_cast<LPARAM>(color.value));
  }
}

ColorValue SelectedColor(const TColorBox& list) {
  const int index = list.ItemIndex();
  if (index < 0) return kNoColorSelected;
  return static_cast<ColorValue>(list.ItemData(index));
}

void SelectColor(TColorBox& list, ColorValue value) {
  for (int index = 0; index < list.ItemCount(); ++index) {
    if (static_cast<ColorValue>(list.ItemData(index)) == value) {
      list.SetItemIndex(index);
      return;
    }
  }
  list.SetItemIndex(-1);
}

const ComponentLayout TfrmConfig::kLayout[] = {
    {"frmConfig", ComponentKind::Form, nullptr, 0, 0, 377, 242,
     Props().Border(FormBorder::Single).StayOnTop().Centered().Font("MS Sans Serif", -11)},
    {"pnlBackground", ComponentKind::Panel, "frmConfig", 0, 0, 377, 242, Props().AlignClient()},
    {"pgcPageControl", ComponentKind::PageControl, "pnlBackground", 10, 11, 358, 182,
     Props().Bind<&TfrmConfig::pgcPageControl>().OnChange<&TfrmConfig::pgcPageControlChange>()},
    {"tstCommon", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},
    {"tstMessage", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},
    {"tstAppearance", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},
    {"tstAbout", ComponentKind::TabSheet, "pgcPageControl", 0, 0, 0, 0, Props()},

    // General: password, speed, logon start.
    {"pnlPassword", ComponentKind::Panel, "tstCommon", 3, 3, 278, 118, kFramedPanel},
    {"lblOldPassword", ComponentKind::Label, "pnlPassword", 8, 4, 85, 13, Props()},
    {"edtOldPassword", ComponentKind::Edit, "pnlPassword", 8, 21, 263, 18,
     kPasswordEdit.Bind<&TfrmConfig::edtOldPassword>().OnChange<&TfrmConfig::edtPasswordChange>()},
    {"lblNewPassword", ComponentKind::Label, "pnlPassword", 8, 40, 85, 13, Props().Bind<&TfrmConfig::lblNewPassword>()},
    {"edtNewPassword", ComponentKind::Edit, "pnlPassword", 8, 55, 263, 18,
     kPasswordEdit.MaxLength(40)
         .Bind<&TfrmConfig::edtNewPassword>()
         .OnChange<&TfrmConfig::edtPasswordChange>()
         .OnEnter<&TfrmConfig::edtPasswordChange>()
         .OnExit<&TfrmConfig::edtPasswordChange>()},
    {"lblConfirmation", ComponentKind::Label, "pnlPassword", 8, 76, 85, 13,
     Props().Bind<&TfrmConfig::lblConfirmation>()},
    {"edtConfirmation", ComponentKind::Edit, "pnlPassword", 8, 91, 263, 18,
     kPasswordEdit.MaxLength(40)
         .Bind<&TfrmConfig::edtConfirmation>()
         .OnChange<&TfrmConfig::edtPasswordChange>()
         .OnEnter<&TfrmConfig::edtPasswordChange>()
         .OnExit<&TfrmConfig::edtPasswordChange>()},
    {"pnlSpeed", ComponentKind::Panel, "tstCommon", 284, 3, 63, 148, kFramedPanel},
    {"lblSpeed", ComponentKind::Label, "pnlSpeed", 6, 4, 48, 13, Props().Alignment(TextAlignment::Center)},
    {"trbSpeed", ComponentKind::TrackBar, "pnlSpeed", 14, 20, 33, 108,
     Props()
         .Vertical()
         .Range(0, kSpeedMaximum)
         .PageSize(10)
         .Frequency(5)
         .ThumbLength(14)
         .Position(25)
         .Bind<&TfrmConfig::trbSpeed>()
         .OnChange<&TfrmConfig::trbSpeedChange>()},
    {"lblSpeedValue", ComponentKind::Label, "pnlSpeed", 14, 127, 33, 13,
     Props().Alignment(TextAlignment::Center).Bind<&TfrmConfig::lblSpeedValue>()},
    {"pnlAutoRun", ComponentKind::Panel, "tstCommon", 3, 124, 278, 27, kFramedPanel},
    {"chkAutoRun", ComponentKind::CheckBox, "pnlAutoRun", 8, 5, 229, 17,
     Props().Bind<&TfrmConfig::chkAutoRun>().OnClick<&TfrmConfig::chkAutoRunClick>()},

    // Message.
    {"pnlMessage", ComponentKind::Panel, "tstMessage", 3, 3, 344, 148, kFramedPanel},
    {"memMessage", ComponentKind::Memo, "pnlMessage", 8, 8, 328, 116,
     Props()
         .FlatBorder()
         .VerticalScrollBar()
         .MaxLength(kMaxMessageLength)
         .Bind<&TfrmConfig::memMessage>()
         .OnChange<&TfrmConfig::memMessageChange>()},
    {"chkAllowMessages", ComponentKind::CheckBox, "pnlMessage", 8, 126, 229, 17,
     Props().Bind<&TfrmConfig::chkAllowMessages>().OnClick<&TfrmConfig::chkAllowMessagesClick>()},

    // Appearance: the four colours, then the font with its preview.
    {"pnlColors", ComponentKind::Panel, "tstAppearance", 3, 3, 344, 89, kFramedPanel},
    {"lblLight", ComponentKind::Label, "pnlColors", 8, 5, 0, 0, Props()},
    {"cbxLight", ComponentKind::ColorBox, "pnlColors", 8, 21, 160, 22,
     Props().Bind<&TfrmConfig::cbxLight>().OnChange<&TfrmConfig::AppearanceChange>()},
    {"lblShadow", ComponentKind::Label, "pnlColors", 176, 5, 0, 0, Props()},
    {"cbxShadow", ComponentKind::ColorBox, "pnlColors", 176, 21, 160, 22,
     Props().Bind<&TfrmConfig::cbxShadow>().OnChange<&TfrmConfig::AppearanceChange>()},
    {"lblSurface", ComponentKind::Label, "pnlColors", 8, 45, 0, 0, Props()},
    {"cbxSurface", ComponentKind::ColorBox, "pnlColors", 8, 61, 160, 22,
     Props().Bind<&TfrmConfig::cbxSurface>().OnChange<&TfrmConfig::AppearanceChange>()},
    {"lblBackground", ComponentKind::Label, "pnlColors", 176, 45, 0, 0, Props()},
    {"cbxBackground", ComponentKind::ColorBox, "pnlColors", 176, 61, 160, 22,
     Props().Bind<&TfrmConfig::cbxBackground>().OnChange<&TfrmConfig::AppearanceChange>()},
    {"pnlFontBevel", ComponentKind::Panel, "tstAppearance", 3, 96, 344, 55, kFramedPanel},
    {"pnlFont", ComponentKind::Panel, "pnlFontBevel", 8, 7, 161, 42,
     Props().Bevels(Bevel::None, Bevel::Lowered).Bind<&TfrmConfig::pnlFont>()},
    {"cbxFontName", ComponentKind::ComboBox, "pnlFontBevel", 176, 7, 160, 21,
     Props().Bind<&TfrmConfig::cbxFontName>().OnChange<&TfrmConfig::AppearanceChange>()},
    {"edtFontSize", ComponentKind::Edit, "pnlFontBevel", 176, 31, 21, 19,
     Props().FlatBorder().Caption("8").Bind<&TfrmConfig::edtFontSize>().OnExit<&TfrmConfig::AppearanceChange>()},
    {"udnFontSize", ComponentKind::UpDown, "pnlFontBevel", 197, 31, 13, 19,
     Props()
         .Associate("edtFontSize")
         .Range(kFontSizeMinimum, kFontSizeMaximum)
         .Position(8)
         .Bind<&TfrmConfig::udnFontSize>()
         .OnClick<&TfrmConfig::udnFontSizeClick>()},
    {"chkBold", ComponentKind::CheckBox, "pnlFontBevel", 215, 32, 63, 17,
     Props().Bind<&TfrmConfig::chkBold>().OnClick<&TfrmConfig::AppearanceChange>()},
    {"chkItalic", ComponentKind::CheckBox, "pnlFontBevel", 280, 32, 55, 17,
     Props().Bind<&TfrmConfig::chkItalic>().OnClick<&TfrmConfig::AppearanceChange>()},

    // About.
    {"pnlDescription", ComponentKind::Panel, "tstAbout", 3, 3, 344, 148, kFramedPanel},
    {"memDescription", ComponentKind::Memo, "pnlDescription", 8, 8, 327, 99,
     Props()
         .FlatBorder()
         .ReadOnly()
         .Alignment(TextAlignment::Center)
         .VerticalScrollBar()
         .Color(SystemColor(COLOR_INFOBK))
         .Bind<&TfrmConfig::memDescription>()},
    {"lblDescription", ComponentKind::Label, "pnlDescription", 0, 0, 0, 0,
     kAboutLabel.Hidden().Bind<&TfrmConfig::lblDescription>()},
    {"lblCopyright", ComponentKind::Label, "pnlDescription", 19, 113, 106, 14,
     kAboutLabel.Alignment(TextAlignment::Right)},
    {"lblKELMAR", ComponentKind::Label, "pnlDescription", 132, 113, 120, 14,
     kLinkLabel.OnMouseEnter<&TfrmConfig::URLLabelMouseEnter>()
         .OnMouseLeave<&TfrmConfig::URLLabelMouseLeave>()
         .OnClick<&TfrmConfig::URLClick>()},
    {"lblCopyrightPeriod", ComponentKind::Label, "pnlDescription", 261, 114, 65, 13, kAboutLabel},
    {"lblProgramming", ComponentKind::Label, "pnlDescription", 19, 128, 106, 14,
     kAboutLabel.Alignment(TextAlignment::Right)},
    {"lblOrinTassel", ComponentKind::Label, "pnlDescription", 132, 129, 120, 13,
     kLinkLabel.OnMouseEnter<&TfrmConfig::URLLabelMouseEnter>()
         .OnMouseLeave<&TfrmConfig::URLLabelMouseLeave>()
         .OnClick<&TfrmConfig::URLClick>()},
    {"lblLastUpdated", ComponentKind::Label, "pnlDescription", 261, 129, 65, 13, kAboutLabel},

    // The buttons under the page control; the tab order follows the page control.
    {"btnTest", ComponentKind::Button, "pnlBackground", 10, 204, 74, 25,
     kButton.Bind<&TfrmConfig::btnTest>().OnClick<&TfrmConfig::btnTestClick>()},
    {"btnOK", ComponentKind::Button, "pnlBackground", 140, 204, 74, 25,
     kButton.Default().OnClick<&TfrmConfig::btnOkClick>()},
    {"btnCancel", ComponentKind::Button, "pnlBackground", 217, 204, 74, 25,
     kButton.Cancel().OnClick<&TfrmConfig::btnCancelClick>()},
    {"btnApply", ComponentKind::Button, "pnlBackground", 294, 204, 74, 25,
     kButton.OnClick<&TfrmConfig::btnApplyClick>()},
};

LayoutTable TfrmConfig::Layout() { return LayoutTable(kLayout); }

TfrmConfig::TfrmConfig(TSettingsStore& settings)
    : TForm("TfrmConfig", kLayout), settings_(settings), SavedSettings(settings.SavedSettings) {
  BindComponents();
  FormCreate();
}

void TfrmConfig::OpenWithShell(HWND owner, const std::string& target) {
  // The shell's answer is of no interest: a link that does not open is passed over.
  ShellExecuteA(owner, "open", target.c_str(), "", "", SW_SHOWNORMAL);
}

void TfrmConfig::FormCreate() {
  pgcPageControl->SetActivePageIndex(SavedSettings.ConfigPage);
  // Filled here only; its click handler keeps AllowMessages equal to it from now on.
  chkAllowMessages->SetChecked(SavedSettings.AllowMessages != 0);
  TranslateForm(*this);
  PrepareControls(*Components().front());
  memDescription->SetText(lblDescription->Caption());
  for (TColorBox* list : {cbxLight, cbxSurface, cbxShadow, cbxBackground}) FillColorList(*list);
  FocusControl(*btnTest);
}

void TfrmConfig::FormShow() {
  cbxFontName->ClearItems();
  for (const std::string& name : settings_.FontNames()) cbxFontName->AddItem(name);

  // Runs trbSpeedChange only when the position moves; the value label is set either way.
  trbSpeed->SetPosition(SavedSettings.Speed);
  lblSpeedValue->SetCaption(std::to_string(kSpeedMaximum - trbSpeed->Position()));

  edtPasswordChange();
  chkAutoRun->SetChecked(SavedSettings.AutoRun != 0);
  memMessage->SetText(SavedSettings.Message);

  SelectColor(*cbxLight, SavedSettings.LightColor);
  SelectColor(*cbxSurface, SavedSettings.SurfaceColor);
  SelectColor(*cbxShadow, SavedSettings.ShadowColor);
  SelectColor(*cbxBackground, SavedSettings.BackgroundColor);
  cbxFontName->SetItemIndex(SavedSettings.FontIndex);
  udnFontSize->SetPosition(static_cast<std::int16_t>(SavedSettings.FontSize));

  // Both values as they stood before either box is ticked.
  const bool bold = SavedSettings.FontBold != 0;
  const bool italic = SavedSettings.FontItalic != 0;
  fillingAppearance_ = true;
  {
    const ScopeExit fillingEnds([this] { fillingAppearance_ = false; });
    chkBold->SetChecked(bold);
    chkItalic->SetChecked(italic);
  }

  AppearanceChange();
}

void TfrmConfig::pgcPageControlChange() { SavedSettings.ConfigPage = pgcPageControl->ActivePageIndex(); }

void TfrmConfig::edtPasswordChange() {
  const PasswordPageState state = DecidePasswordPage(SavedSettings.Password(), edtOldPassword->Text(),
                                                     edtNewPassword->Text(), edtConfirmation->Text());
  edtOldPassword->SetEnabled(state.oldEnabled);
  edtNewPassword->SetEnabled(state.newEnabled);
  edtConfirmation->SetEnabled(state.confirmationEnabled);
  edtOldPassword->SetColor(state.oldColor);
  edtNewPassword->SetColor(state.newColor);
  edtConfirmation->SetColor(state.confirmationColor);
  const auto mark = [](TComponent& label, bool red) {
    if (red) {
      label.SetFontColor(clRed);
    } else {
      label.UseParentFont();
    }
  };
  mark(*lblNewPassword, state.newLabelRed);
  mark(*lblConfirmation, state.confirmationLabelRed);
  chkAllowMessages->SetEnabled(state.allowMessagesEnabled);
  if (!state.allowMessagesEnabled) {
    chkAllowMessages->SetChecked(false);
    // Also when the box was unticked already: no visitors' messages without a password.
    chkAllowMessagesClick();
  }
}

void TfrmConfig::trbSpeedChange() {
  SavedSettings.Speed = trbSpeed->Position();
  lblSpeedValue->SetCaption(std::to_string(kSpeedMaximum - trbSpeed->Position()));
}

void TfrmConfig::chkAutoRunClick() { SavedSettings.AutoRun = chkAutoRun->Checked() ? 1 : 0; }

void TfrmConfig::memMessageChange() { SavedSettings.Message = memMessage->Text(); }

void TfrmConfig::chkAllowMessagesClick() { SavedSettings.AllowMessages = chkAllowMessages->Checked() ? 1 : 0; }

void TfrmConfig::AppearanceChange() {
  if (fillingAppearance_) return;
  SavedSettings.LightColor = SelectedColor(*cbxLight);
  SavedSettings.SurfaceColor = SelectedColor(*cbxSurface);
  SavedSettings.ShadowColor = SelectedColor(*cbxShadow);
  SavedSettings.BackgroundColor = SelectedColor(*cbxBackground);
  SavedSettings.FontIndex = cbxFontName->ItemIndex();

  // A typed size is read as the up-down's position; the edit then shows that position.
  const int typed = FontSizeFromText(edtFontSize->Text(), udnFontSize->Position(), kFontSizeMinimum, kFontSizeMaximum);
  if (typed != udnFontSize->Position() || edtFontSize->Text() != std::to_string(typed)) udnFontSize->SetPosition(typed);
  SavedSettings.FontSize = static_cast<std::int16_t>(udnFontSize->Position());

  SavedSettings.FontBold = chkBold->Checked() ? 1 : 0;
  SavedSettings.FontItalic = chkItalic->Checked() ? 1 : 0;

  // The preview shows the surface colour on the background colour; light and shadow appear
  // only on the lock screen.
  pnlFont->SetFont(cbxFontName->Text(), PointsToDesignHeight(SavedSettings.FontSize), chkBold->Checked(),
                  chkItalic->Checked());
  pnlFont->SetFontColor(SavedSettings.SurfaceColor);
  pnlFont->SetColor(SavedSettings.BackgroundColor);
}

void TfrmConfig::udnFontSizeClick() { AppearanceChange(); }

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
  const std::string newPassword = edtNewPassword->Text();
  if (NewPasswordAccepted(SavedSettings.Password(), edtOldPassword->Text(), newPassword, edtConfirmation->Text())) {
    StoreNewPassword(SavedSettings, newPassword, &Random);
  }
  settings_.Save();
  edtOldPassword->SetText("");
  edtNewPassword->SetText("");
  edtConfirmation->SetText("");
  edtPasswordChange();
}

}  // namespace velmora
