// The unlock prompt's layout and behaviour.
#include "prompt/Ask.h"

#include "core/Random.h"
#include "core/Settings.h"
#include "core/Wipe.h"
#include "ui/Translate.h"

namespace velmora {

namespace {

constexpr PanelOptions kFramedPanel = PanelOptions().Bevels(Bevel::Raised, Bevel::Lowered);
constexpr PanelOptions kIndicator = PanelOptions()
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

using F = TfrmAsk;

const ComponentLayout TfrmAsk::kLayout[] = {
    Row<TFormComponent>("frmAsk", 0, 0, 246, 215,
                        FormOptions().Caption("").StayOnTop().Centered().Font("MS Sans Serif", -11)),
    Row<&F::pnlBackground>("pnlBackground", 0, 0, 246, 215, PanelOptions().AlignClient()),
    Row<&F::pnlPassword, &F::pnlBackground>("pnlPassword", 8, 9, 230, 61, kFramedPanel.TabOrder(0)),
    Row<TLabel, &F::pnlPassword>("lblPassword", 8, 4, 0, 0),
    Row<&F::edtPassword, &F::pnlPassword>(
        "edtPassword", 8, 27, 213, 18,
        EditOptions().FlatBorder().PasswordChar('*').Font("MS Sans Serif", -16).OnChange<&F::edtPasswordChange>()),
    Row<&F::pnlMessage, &F::pnlBackground>("pnlMessage", 8, 74, 230, 104, kFramedPanel.TabOrder(1)),
    Row<&F::lblLeaveMessage, &F::pnlMessage>("lblLeaveMessage", 8, 4, 0, 0),
    Row<&F::memMessage, &F::pnlMessage>(
        "memMessage", 8, 20, 213, 57,
        MemoOptions().FlatBorder().VerticalScrollBar().MaxLength(kMaxMessageLength).OnChange<&F::edtPasswordChange>()),
    Row<&F::chkPermanentMessage, &F::pnlMessage>("chkPermanentMessage", 8, 80, 213, 17,
                                                 CheckBoxOptions().OnClick<&F::edtPasswordChange>()),
    Row<&F::btnOK, &F::pnlBackground>("btnOK", 80, 183, 75, 25,
                                      ButtonOptions().Default().ModalResult(mrOK).Anchors(kBottomLeft)),
    Row<TButton, &F::pnlBackground>("btnCancel", 160, 183, 75, 25,
                                    ButtonOptions().Cancel().ModalResult(mrCancel).Anchors(kBottomLeft)),
    Row<&F::pnlLocale, &F::pnlBackground>("pnlLocale", 8, 187, 20, 16, kIndicator.Caption("EN")),
    Row<&F::pnlCapsLock, &F::pnlBackground>("pnlCapsLock", 31, 187, 18, 16, kIndicator.Caption("A")),
    Row<&F::tmrClose>("tmrClose", 0, 0, 0, 0, TimerOptions().Interval(30000).Disabled().OnTimer<&F::tmrCloseTimer>()),
    Row<&F::tmrCheck>("tmrCheck", 0, 0, 0, 0, TimerOptions().Interval(1000).Disabled().OnTimer<&F::tmrCheckTimer>()),
    Row<&F::tmrLocale>("tmrLocale", 0, 0, 0, 0, TimerOptions().Interval(200).Disabled().OnTimer<&F::tmrLocaleTimer>()),
    Row<&F::tmrBlink>("tmrBlink", 0, 0, 0, 0, TimerOptions().Interval(300).OnTimer<&F::tmrBlinkTimer>()),
};

TfrmAsk::TfrmAsk(const TSavedSettings& settings) : TForm("TfrmAsk"), SavedSettings(settings) {
  Build(Layout());
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
