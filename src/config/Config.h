// The configuration dialog: password, speed and logon start; the message and visitors' messages;
// the colours and font of the message with a live preview; and the about page. Every control
// writes into the in-memory settings at once; only Apply and OK change the password and store
// the record.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/win/SettingsStore.h"
#include "ui/Form.h"
#include "ui/Kinds.h"
#include "ui/Layout.h"

namespace velmora {

class TfrmConfig : public TForm {
 public:
  // Builds the hidden dialog and runs FormCreate; Application must be initialised. As the
  // application's main window it is configure mode's dialog. It reads and writes the record in
  // `settings`, stores it at Apply and offers its font list; `settings` must outlive it.
  explicit TfrmConfig(TSettingsStore& settings);

  // The dialog's layout table, the keys it looks up in the language file among them.
  static LayoutTable Layout();

  // Shows the lock screen; start-up sets it. Without it the Test button does nothing.
  std::function<void()> ShowLockScreen;
  // Hands a link label's target to the shell; replaceable so that tests can see the call.
  std::function<void(HWND owner, const std::string& target)> OpenUrl = &OpenWithShell;
  static void OpenWithShell(HWND owner, const std::string& target);

  void FormCreate();
  void FormShow() override;
  void pgcPageControlChange();
  void edtPasswordChange();
  void trbSpeedChange();
  void chkAutoRunClick();
  void memMessageChange();
  void chkAllowMessagesClick();
  void AppearanceChange();
  void udnFontSizeClick();
  void URLLabelMouseEnter(TComponent& label);
  void URLLabelMouseLeave(TComponent& label);
  void URLClick(TComponent& label);
  void btnTestClick();
  void btnOkClick();
  void btnCancelClick();
  void btnApplyClick();

 private:
  TSettingsStore& settings_;
  // The store's record.
  TSavedSettings& SavedSettings;
  // The layout table: every component once, with the member that holds it and its handlers.
  static const ComponentLayout kLayout[];

  TPanel* pnlBackground = nullptr;
  TPageControl* pgcPageControl = nullptr;
  TTabSheet *tstCommon = nullptr, *tstMessage = nullptr, *tstAppearance = nullptr, *tstAbout = nullptr;
  // General: the password boxes and their labels, the speed, logon start.
  TPanel *pnlPassword = nullptr, *pnlSpeed = nullptr, *pnlAutoRun = nullptr;
  TEdit *edtOldPassword = nullptr, *edtNewPassword = nullptr, *edtConfirmation = nullptr;
  TLabel *lblNewPassword = nullptr, *lblConfirmation = nullptr;
  TTrackBar* trbSpeed = nullptr;
  TLabel* lblSpeedValue = nullptr;
  TCheckBox* chkAutoRun = nullptr;
  // Message.
  TPanel* pnlMessage = nullptr;
  TMemo* memMessage = nullptr;
  TCheckBox* chkAllowMessages = nullptr;
  // Appearance: the four colours, the font and its preview.
  TPanel *pnlColors = nullptr, *pnlFontBevel = nullptr;
  TColorBox *cbxLight = nullptr, *cbxSurface = nullptr, *cbxShadow = nullptr, *cbxBackground = nullptr;
  TPanel* pnlFont = nullptr;
  TComboBox* cbxFontName = nullptr;
  TEdit* edtFontSize = nullptr;
  TUpDown* udnFontSize = nullptr;
  TCheckBox *chkBold = nullptr, *chkItalic = nullptr;
  // About.
  TPanel* pnlDescription = nullptr;
  TMemo* memDescription = nullptr;
  TLabel* lblDescription = nullptr;
  TButton* btnTest = nullptr;
  // Set while FormShow ticks the bold and italic boxes: the click those fire must not copy
  // controls that are not filled yet back into the record.
  bool fillingAppearance_ = false;
};

// The colour lists: every entry of the colour table, named from the language file (its
// ShownText).
void FillColorList(TColorBox& list);
// The value of the selected entry; 0xFF000000 with none selected.
ColorValue SelectedColor(const TColorBox& list);
// Selects the first entry with that value; a value that is not in the list selects none.
void SelectColor(TColorBox& list, ColorValue value);

}  // namespace velmora
