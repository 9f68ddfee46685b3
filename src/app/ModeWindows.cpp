#include "app/ModeWindows.h"

#include "ui/Application.h"

namespace velmora {

std::unique_ptr<TfrmVOK> frmVOK;
std::unique_ptr<TfrmAsk> frmAsk;

namespace {

template <typename Form>
std::unique_ptr<Form> CreateMainForm() {
  auto form = std::make_unique<Form>();
  Application.SetMainWindow(form->Handle());
  return form;
}

void WireLockScreen(TfrmVOK& lockScreen) {
  lockScreen.SetUnlockPrompt(frmAsk.get(), [] {
    if (!frmAsk) return PromptAnswer();
    return frmAsk->Ask();
  });
}

}  // namespace

void CreateModeWindows(TRunMode mode) {
  switch (mode) {
    case TRunMode::Run:
      frmVOK = CreateMainForm<TfrmVOK>();
      frmAsk = std::make_unique<TfrmAsk>();
      WireLockScreen(*frmVOK);
      break;
    case TRunMode::Configure:
    case TRunMode::Install:
      frmAsk = std::make_unique<TfrmAsk>();
      break;
    default:
      break;
  }
}

void DestroyModeWindows() {
  if (frmVOK) frmVOK->SetUnlockPrompt(nullptr, nullptr);
  frmAsk.reset();
  frmVOK.reset();
}

TfrmVOK& LockScreen() {
  if (!frmVOK) {
    frmVOK = std::make_unique<TfrmVOK>();
    WireLockScreen(*frmVOK);
  }
  return *frmVOK;
}

void AppDeactivate() { TfrmVOK::AppDeactivate(frmAsk.get(), frmVOK.get()); }

}  // namespace velmora
