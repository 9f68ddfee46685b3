// Shows the unlock prompt as the lock screen would, translated from the Velmora.lng beside this
// program, and prints what a user sees: the title and every control's text, then the result.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "ui/Application.h"
#include "common/LanguageTable.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "prompt/Ask.h"

namespace {

std::unique_ptr<velmora::TfrmAsk> frmAsk;

std::string LanguageFileBesideProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file = path;
  return file.substr(0, file.find_last_of('\\') + 1) + "Velmora.lng";
}

BOOL CALLBACK PrintControl(HWND window, LPARAM) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  if (text[0] != '\0' && IsWindowVisible(window)) std::printf("control: %s\n", text);
  return TRUE;
}

void CALLBACK PrintWhatIsShown(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  char title[256] = {};
  GetWindowTextA(frmAsk->Handle(), title, sizeof(title));
  std::printf("title: %s\n", title);
  EnumChildWindows(frmAsk->Handle(), PrintControl, 0);
  std::printf("shown\n");
  std::fflush(stdout);
}

}  // namespace

int main() {
  using namespace velmora;
  std::ifstream file(LanguageFileBesideProgram(), std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "no language file at %s\n", LanguageFileBesideProgram().c_str());
    return 1;
  }
  LanguageTable.Assign(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
  Application.Initialize(GetModuleHandleA(nullptr));
  SeedRandom(GetTickCount());
  TSavedSettings settings;
  settings.SetPassword("owner");
  settings.AllowMessages = 1;
  settings.Message = "Back at three";
  frmAsk = std::make_unique<TfrmAsk>(settings);
  SetTimer(nullptr, 0, 700, PrintWhatIsShown);
  const int result = frmAsk->ShowModal();
  std::printf("result: %d\n", result);
  std::fflush(stdout);
  frmAsk.reset();
  Application.Finalize();
  return 0;
}
