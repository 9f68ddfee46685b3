// The unlock prompt: the password, the visitor's message with its keep box, the keyboard
// indicators and the auto-submit after 30 seconds without input.
#pragma once
#include <string>

#include "core/LockRules.h"
#include "core/Settings.h"
#include "ui/Form.h"
#include "ui/Kinds.h"
#include "ui/Layout.h"

namespace velmora {

class TfrmAsk : public TForm {
 public:
  // Builds the hidden prompt and translates it; Application must be initialised. It reads the
  // password, AllowMessages and the message from `settings`, which must outlive it.
  explicit TfrmAsk(const TSavedSettings& settings);

  // The prompt's layout table, the keys it looks up in the language file among them.
  static LayoutTable Layout();

  // The modal result with what was entered, read once the prompt has ended.
  PromptAnswer Answer() const;
  // Empties the password box so that nothing typed into it is left in memory.
  void WipePassword();

  // What the caller reads after ShowModal (which returns mrOK or mrCancel).
  std::string PasswordText() const;
  std::string MessageText() const;
  // Ticked, whether or not the box is enabled.
  bool PermanentMessageChecked() const;
  int BlinkCount() const { return blinkCount_; }

  void FormCreate();
  void FormShow() override;
  void FormHide() override;
  void edtPasswordChange();
  void tmrCloseTimer();
  void tmrCheckTimer();
  void tmrLocaleTimer();
  void tmrBlinkTimer();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The record the prompt reads the password, AllowMessages and the message from.
  const TSavedSettings& SavedSettings;
  // The layout table: every component once, with the member that holds it and its handlers.
  static const ComponentLayout kLayout[];

  TPanel* pnlBackground = nullptr;
  TPanel* pnlPassword = nullptr;
  TEdit* edtPassword = nullptr;
  TPanel* pnlMessage = nullptr;
  TLabel* lblLeaveMessage = nullptr;
  TMemo* memMessage = nullptr;
  TCheckBox* chkPermanentMessage = nullptr;
  TButton* btnOK = nullptr;
  TPanel* pnlLocale = nullptr;
  TPanel* pnlCapsLock = nullptr;
  TTimer* tmrClose = nullptr;
  TTimer* tmrCheck = nullptr;
  TTimer* tmrLocale = nullptr;
  TTimer* tmrBlink = nullptr;
  int blinkCount_ = 0;
};

}  // namespace velmora
