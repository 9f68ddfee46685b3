// The unlock prompt: the password, the visitor's message with its keep box, the keyboard
// indicators and the auto-submit after 30 seconds without input.
#pragma once
#include <memory>
#include <string>

#include "ui/Form.h"

namespace velmora {

class TfrmAsk : public TForm {
 public:
  // Builds the hidden prompt and translates it; Application must be initialised.
  TfrmAsk();

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
  TComponent& pnlPassword;
  TComponent& edtPassword;
  TComponent& pnlMessage;
  TComponent& lblLeaveMessage;
  TComponent& memMessage;
  TComponent& chkPermanentMessage;
  TComponent& btnOK;
  TComponent& pnlLocale;
  TComponent& pnlCapsLock;
  TComponent& tmrClose;
  TComponent& tmrCheck;
  TComponent& tmrLocale;
  TComponent& tmrBlink;
  int blinkCount_ = 0;
};

// Created at start-up in the run, configure and install modes; empty otherwise.
extern std::unique_ptr<TfrmAsk> frmAsk;

}  // namespace velmora
