// The unlock prompt's layout and behaviour.
#include "prompt/Ask.h"

#include "core/Random.h"
#include "core/Settings.h"
#include "core/Wipe.h"
#include "ui/Translate.h"

namespace velmora {

namespace {

constexpr Props kFramedPanel = Props().Bevels(Bevel::Raised, Bevel::Lowered);
constexpr Props kIndicator = Props()
                                 .Color(SystemColor(COLOR_ACTIVECAPTION))
                                 .FontColor(SystemColor(COLOR_WINDOW))
                                 .Font("MS Sans Serif", -11)
                                 .Anchors(akLeft | akBottom);
constexpr unsigned kBottomLeft = akLeft | akBottom;

constexpr int kCheckDelay = 800;
constexpr int kCheckDelayRange = 400;
constexpr int kPanelToBottom = 42;
constexpr int kBlinkTicks = 4;

}  // namespace

const ComponentLayout TfrmAsk::kLayout[] = {
    {"frmAsk", ComponentKind::Form, nullptr, 0, 0, 246, 215,
     Props().Caption("").StayOnTop().Centered().Font("MS Sans Serif", -11)},
    {"pnlBackground", ComponentKind::Panel, "frmAsk", 0, 0, 246, 215, Props().AlignClient()},
    {"pnlPassword", ComponentKind::Panel, "pnlBackground", 8, 9, 230, 61,
     kFramedPanel.TabOrder(0).Bind<&TfrmAsk::pnlPassword>()},
    {"lblPassword", ComponentKind::Label, "pnlPassword", 8, 4, 0, 0, Props()},
    {"edtPassword", ComponentKind::Edit, "pnlPassword", 8, 27, 213, 18,
     Props()
         .FlatBorder()
         .PasswordChar('*')
         .Font("MS Sans Serif", -16)
         .Bind<&TfrmAsk::edtPassword>()
         .OnChange<&TfrmAsk::edtPasswordChange>()},
    {"pnlMessage", ComponentKind::Panel, "pnlBackground", 8, 74, 230, 104,
     kFramedPanel.TabOrder(1).Bind<&TfrmAsk::pnlMessage>()},
    {"lblLeaveMessage", ComponentKind::Label, "pnlMessage", 8, 4, 0, 0, Props().Bind<&TfrmAsk::lblLeaveMessage>()},
    {"memMessage", ComponentKind::Memo, "pnlMessage", 8, 20, 213, 57,
     Props()
         .FlatBorder()
         .VerticalScrollBar()
         .MaxLength(kMaxMessageLength)
         .Bind<&TfrmAsk::memMessage>()
         .OnChange<&TfrmAsk::edtPasswordChange>()},
    {"chkPermanentMessage", ComponentKind::CheckBox, "pnlMessage", 8, 80, 213, 17,
     Props().Bind<&TfrmAsk::chkPermanentMessage>().OnClick<&TfrmAsk::edtPasswordChange>()},
    {"btnOK", ComponentKind::Button, "pnlBackground", 80, 183, 75, 25,
     Props().Default().ModalResult(mrOK).Anchors(kBottomLeft).Bind<&TfrmAsk::btnOK>()},
    {"btnCancel", ComponentKind::Button, "pnlBackground", 160, 183, 75, 25,
     Props().Cancel().ModalResult(mrCancel).Anchors(kBottomLeft)},
    {"pnlLocale", ComponentKind::Panel, "pnlBackground", 8, 187, 20, 16,
     kIndicator.Caption("EN").Bind<&TfrmAsk::pnlLocale>()},
    {"pnlCapsLock", ComponentKind::Panel, "pnlBackground", 31, 187, 18, 16,
     kIndicator.Caption("A").Bind<&TfrmAsk::pnlCapsLock>()},
    {"tmrClose", ComponentKind::Timer, "frmAsk", 0, 0, 0, 0,
     Props().Interval(30000).TimerDisabled().Bind<&TfrmAsk::tmrClose>().OnTimer<&TfrmAsk::tmrCloseTimer>()},
    {"tmrCheck", ComponentKind::Timer, "frmAsk", 0, 0, 0, 0,
     Props().Interval(1000).TimerDisabled().Bind<&TfrmAsk::tmrCheck>().OnTimer<&TfrmAsk::tmrCheckTimer>()},
    {"tmrLocale", ComponentKind::Timer, "frmAsk", 0, 0, 0, 0,
     Props().Interval(200).TimerDisabled().Bind<&TfrmAsk::tmrLocale>().OnTimer<&TfrmAsk::tmrLocaleTimer>()},
    {"tmrBlink", ComponentKind::Timer, "frmAsk", 0, 0, 0, 0,
     Props().Interval(300).Bind<&TfrmAsk::tmrBlink>().OnTimer<&TfrmAsk::tmrBlinkTimer>()},
};

TfrmAsk::TfrmAsk(const TSavedSettings& settings) : TForm("TfrmAsk", kLayout), SavedSettings(settings) {
  BindComponents();
  FormCreate();
}

LayoutTable TfrmAsk::Layout() { return LayoutTable(kLayout); }

PromptAnswer TfrmAsk::Answer() const {
  PromptAnswer answer;
  answer.modalResult = ModalResult();
  answer.typedPassword = PasswordText();
  answer.memoText = MessageText();
  answer.permanentTicked = PermanentMessageChecked();
  return answer;
}

void TfrmAsk::WipePassword() { edtPassword->Wipe(); }

std::string TfrmAsk::PasswordText() const { return edtPassword->Text(); }
std::string TfrmAsk::MessageText() const { return memMessage->Text(); }
bool TfrmAsk::PermanentMessageChecked() const { return chkPermanentMessage->Checked(); }

void TfrmAsk::FormCreate() {
  TranslateForm(*this);
  PrepareControls(*Components().front());
  blinkCount_ = 0;
}

void TfrmAsk::FormShow() {
  pnlMessage->SetEnabled(SavedSettings.AllowMessages != 0);
  pnlMessage->SetVisible(pnlMessage->Enabled());

  const TComponent& lowest = pnlMessage->Enabled() ? *pnlMessage : *pnlPassword;
  SetClientHeight(lowest.Bounds().bottom + Scale(kPanelToBottom));
  CenterOnScreen();

  edtPassword->SetText("");
  FocusControl(*edtPassword);
  tmrCheck->SetTimerEnabled(false);
  edtPasswordChange();
  tmrLocaleTimer();
  tmrLocale->SetTimerEnabled(true);
  chkPermanentMessage->SetChecked(false);
  memMessage->SetText(SavedSettings.Message);

  blinkCount_ = 0;
  lblLeaveMessage->UseParentFont();
  tmrBlink->SetTimerEnabled(false);
  tmrBlink->SetTimerEnabled(true);
}

void TfrmAsk::FormHide() {
  tmrBlink->SetTimerEnabled(false);
  tmrLocale->SetTimerEnabled(false);
  tmrClose->SetTimerEnabled(false);
  tmrCheck->SetTimerEnabled(false);
}

void TfrmAsk::edtPasswordChange() {
  tmrClose->SetTimerEnabled(false);
  tmrCheck->SetTimerEnabled(false);
  std::string password = SavedSettings.Password();
  std::string typed = edtPassword->Text();
  const bool differs = !password.empty() && typed != password;
  Wipe(password);
  Wipe(typed);
  if (differs) {
    chkPermanentMessage->SetEnabled(false);
  } else {
    tmrCheck->SetInterval(static_cast<unsigned>(kCheckDelay + Random(kCheckDelayRange)));
    tmrCheck->SetTimerEnabled(true);
  }
  tmrClose->SetTimerEnabled(true);
}

void TfrmAsk::tmrCheckTimer() {
  tmrCheck->SetTimerEnabled(false);
  chkPermanentMessage->SetEnabled(true);
}

void TfrmAsk::tmrCloseTimer() { btnOK->Click(); }

void TfrmAsk::tmrLocaleTimer() {
  const auto layout = reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0));
  const LCID language = static_cast<LCID>(layout & 0x3FF);
  char buffer[256];
  const int count = GetLocaleInfoA(language, LOCALE_SABBREVLANGNAME, buffer, sizeof(buffer));
  std::string name = count > 0 ? std::string(buffer, static_cast<std::size_t>(count - 1)) : std::string();
  if (name.size() > 2) name.resize(2);
  if (!name.empty()) CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
  pnlLocale->SetCaption(name);

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  pnlCapsLock->SetVisible((keys[VK_CAPITAL] & 1) != 0);
}

void TfrmAsk::tmrBlinkTimer() {
  if (blinkCount_ >= kBlinkTicks) {
    tmrBlink->SetTimerEnabled(false);
    return;
  }
  if (lblLeaveMessage->FontColor() == clRed) {
    lblLeaveMessage->UseParentFont();
  } else {
    lblLeaveMessage->SetFontColor(clRed);
  }
  ++blinkCount_;
}

LRESULT TfrmAsk::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Keeps the system from starting the screen saver over the prompt.
  if (message == WM_SYSCOMMAND && wParam == SC_SCREENSAVE) return 0;
  return TForm::HandleMessage(message, wParam, lParam);
}

}  // namespace velmora
