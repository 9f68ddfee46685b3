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

constexpr PanelOptions kFramedPanel = PanelOptions().Bevels(Bevel::Raised, Bevel::Lowered);
constexpr EditOptions kPasswordEdit = EditOptions().FlatBorder().PasswordChar('*').Font("MS Sans Serif", -16);
// The new password and its confirmation are checked as they change and as the focus comes and goes.
constexpr EditOptions kNewPasswordEdit = kPasswordEdit.MaxLength(40)
                                             .OnChange<&TfrmConfig::edtPasswordChange>()
                                             .OnEnter<&TfrmConfig::edtPasswordChange>()
                                             .OnExit<&TfrmConfig::edtPasswordChange>();
// The about page's labels have a font of their own, not their parent's.
constexpr LabelOptions kAboutLabel = LabelOptions().Font("MS Sans Serif", -11).FontColor(SystemColor(COLOR_WINDOWTEXT));
constexpr LabelOptions kLinkLabel = LabelOptions()
                                        .Font("MS Sans Serif", -11, true)
                                        .FontColor(SystemColor(COLOR_WINDOWTEXT))
                                        .Alignment(TextAlignment::Center)
                                        .HandCursor()
                                        .OnMouseEnter<&TfrmConfig::URLLabelMouseEnter>()
                                        .OnMouseLeave<&TfrmConfig::URLLabelMouseLeave>()
                                        .OnClick<&TfrmConfig::URLClick>();
constexpr ButtonOptions kButton = ButtonOptions().Anchors(akLeft | akBottom);

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

using F = TfrmConfig;

const ComponentLayout TfrmConfig::kLayout[] = {
    Row<TFormComponent>("frmConfig", 0, 0, 377, 242,
                        FormOptions().Border(FormBorder::Single).StayOnTop().Centered().Font("MS Sans Serif", -11)),
    Row<&F::pnlBackground>("pnlBackground", 0, 0, 377, 242, PanelOptions().AlignClient()),
    Row<&F::pgcPageControl, &F::pnlBackground>("pgcPageControl", 10, 11, 358, 182,
                                               PageControlOptions().OnChange<&F::pgcPageControlChange>()),
    Row<&F::tstCommon, &F::pgcPageControl>("tstCommon", 0, 0, 0, 0),
    Row<&F::tstMessage, &F::pgcPageControl>("tstMessage", 0, 0, 0, 0),
    Row<&F::tstAppearance, &F::pgcPageControl>("tstAppearance", 0, 0, 0, 0),
    Row<&F::tstAbout, &F::pgcPageControl>("tstAbout", 0, 0, 0, 0),

    // General: password, speed, logon start.
    Row<&F::pnlPassword, &F::tstCommon>("pnlPassword", 3, 3, 278, 118, kFramedPanel),
    Row<TLabel, &F::pnlPassword>("lblOldPassword", 8, 4, 85, 13),
    Row<&F::edtOldPassword, &F::pnlPassword>("edtOldPassword", 8, 21, 263, 18,
                                             kPasswordEdit.OnChange<&F::edtPasswordChange>()),
    Row<&F::lblNewPassword, &F::pnlPassword>("lblNewPassword", 8, 40, 85, 13),
    Row<&F::edtNewPassword, &F::pnlPassword>("edtNewPassword", 8, 55, 263, 18, kNewPasswordEdit),
    Row<&F::lblConfirmation, &F::pnlPassword>("lblConfirmation", 8, 76, 85, 13),
    Row<&F::edtConfirmation, &F::pnlPassword>("edtConfirmation", 8, 91, 263, 18, kNewPasswordEdit),
    Row<&F::pnlSpeed, &F::tstCommon>("pnlSpeed", 284, 3, 63, 148, kFramedPanel),
    Row<TLabel, &F::pnlSpeed>("lblSpeed", 6, 4, 48, 13, LabelOptions().Alignment(TextAlignment::Center)),
    Row<&F::trbSpeed, &F::pnlSpeed>("trbSpeed", 14, 20, 33, 108,
                                    TrackBarOptions()
                                        .Vertical()
                                        .Range(0, kSpeedMaximum)
                                        .PageSize(10)
                                        .Frequency(5)
                                        .ThumbLength(14)
                                        .Position(25)
                                        .OnChange<&F::trbSpeedChange>()),
    Row<&F::lblSpeedValue, &F::pnlSpeed>("lblSpeedValue", 14, 127, 33, 13,
                                         LabelOptions().Alignment(TextAlignment::Center)),
    Row<&F::pnlAutoRun, &F::tstCommon>("pnlAutoRun", 3, 124, 278, 27, kFramedPanel),
    Row<&F::chkAutoRun, &F::pnlAutoRun>("chkAutoRun", 8, 5, 229, 17, CheckBoxOptions().OnClick<&F::chkAutoRunClick>()),

    // Message.
    Row<&F::pnlMessage, &F::tstMessage>("pnlMessage", 3, 3, 344, 148, kFramedPanel),
    Row<&F::memMessage, &F::pnlMessage>(
        "memMessage", 8, 8, 328, 116,
        MemoOptions().FlatBorder().VerticalScrollBar().MaxLength(kMaxMessageLength).OnChange<&F::memMessageChange>()),
    Row<&F::chkAllowMessages, &F::pnlMessage>("chkAllowMessages", 8, 126, 229, 17,
                                              CheckBoxOptions().OnClick<&F::chkAllowMessagesClick>()),

    // Appearance: the four colours, then the font with its preview.
    Row<&F::pnlColors, &F::tstAppearance>("pnlColors", 3, 3, 344, 89, kFramedPanel),
    Row<TLabel, &F::pnlColors>("lblLight", 8, 5, 0, 0),
    Row<&F::cbxLight, &F::pnlColors>("cbxLight", 8, 21, 160, 22, ColorBoxOptions().OnChange<&F::AppearanceChange>()),
    Row<TLabel, &F::pnlColors>("lblShadow", 176, 5, 0, 0),
    Row<&F::cbxShadow, &F::pnlColors>("cbxShadow", 176, 21, 160, 22,
                                      ColorBoxOptions().OnChange<&F::AppearanceChange>()),
    Row<TLabel, &F::pnlColors>("lblSurface", 8, 45, 0, 0),
    Row<&F::cbxSurface, &F::pnlColors>("cbxSurface", 8, 61, 160, 22,
                                       ColorBoxOptions().OnChange<&F::AppearanceChange>()),
    Row<TLabel, &F::pnlColors>("lblBackground", 176, 45, 0, 0),
    Row<&F::cbxBackground, &F::pnlColors>("cbxBackground", 176, 61, 160, 22,
                                          ColorBoxOptions().OnChange<&F::AppearanceChange>()),
    Row<&F::pnlFontBevel, &F::tstAppearance>("pnlFontBevel", 3, 96, 344, 55, kFramedPanel),
    Row<&F::pnlFont, &F::pnlFontBevel>("pnlFont", 8, 7, 161, 42, PanelOptions().Bevels(Bevel::None, Bevel::Lowered)),
    Row<&F::cbxFontName, &F::pnlFontBevel>("cbxFontName", 176, 7, 160, 21,
                                           ComboBoxOptions().OnChange<&F::AppearanceChange>()),
    Row<&F::edtFontSize, &F::pnlFontBevel>("edtFontSize", 176, 31, 21, 19,
                                           EditOptions().FlatBorder().Caption("8").OnExit<&F::AppearanceChange>()),
    Row<&F::udnFontSize, &F::pnlFontBevel>("udnFontSize", 197, 31, 13, 19,
                                           UpDownOptions()
                                               .Associate<&F::edtFontSize>()
                                               .Range(kFontSizeMinimum, kFontSizeMaximum)
                                               .Position(8)
                                               .OnClick<&F::udnFontSizeClick>()),
    Row<&F::chkBold, &F::pnlFontBevel>("chkBold", 215, 32, 63, 17, CheckBoxOptions().OnClick<&F::AppearanceChange>()),
    Row<&F::chkItalic, &F::pnlFontBevel>("chkItalic", 280, 32, 55, 17,
                                         CheckBoxOptions().OnClick<&F::AppearanceChange>()),

    // About.
    Row<&F::pnlDescription, &F::tstAbout>("pnlDescription", 3, 3, 344, 148, kFramedPanel),
    Row<&F::memDescription, &F::pnlDescription>("memDescription", 8, 8, 327, 99,
                                                MemoOptions()
                                                    .FlatBorder()
                                                    .ReadOnly()
                                                    .Alignment(TextAlignment::Center)
                                                    .VerticalScrollBar()
                                                    .Color(SystemColor(COLOR_INFOBK))),
    Row<&F::lblDescription, &F::pnlDescription>("lblDescription", 0, 0, 0, 0, kAboutLabel.Hidden()),
    Row<TLabel, &F::pnlDescription>("lblCopyright", 19, 113, 106, 14, kAboutLabel.Alignment(TextAlignment::Right)),
    Row<TLabel, &F::pnlDescription>("lblKELMAR", 132, 113, 120, 14, kLinkLabel),
    Row<TLabel, &F::pnlDescription>("lblCopyrightPeriod", 261, 114, 65, 13, kAboutLabel),
    Row<TLabel, &F::pnlDescription>("lblProgramming", 19, 128, 106, 14, kAboutLabel.Alignment(TextAlignment::Right)),
    Row<TLabel, &F::pnlDescription>("lblOrinTassel", 132, 129, 120, 13, kLinkLabel),
    Row<TLabel, &F::pnlDescription>("lblLastUpdated", 261, 129, 65, 13, kAboutLabel),

    // The buttons under the page control; the tab order follows the page control.
    Row<&F::btnTest, &F::pnlBackground>("btnTest", 10, 204, 74, 25, kButton.OnClick<&F::btnTestClick>()),
    Row<TButton, &F::pnlBackground>("btnOK", 140, 204, 74, 25, kButton.Default().OnClick<&F::btnOkClick>()),
    Row<TButton, &F::pnlBackground>("btnCancel", 217, 204, 74, 25, kButton.Cancel().OnClick<&F::btnCancelClick>()),
    Row<TButton, &F::pnlBackground>("btnApply", 294, 204, 74, 25, kButton.OnClick<&F::btnApplyClick>()),
};

LayoutTable TfrmConfig::Layout() { return LayoutTable(kLayout); }

TfrmConfig::TfrmConfig(TSettingsStore& settings)
    : TForm("TfrmConfig"), settings_(settings), SavedSettings(settings.SavedSettings) {
  Build(Layout());
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
