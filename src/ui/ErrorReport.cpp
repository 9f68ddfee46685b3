#include "ui/ErrorReport.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Failures.h"
#include "ui/Application.h"

namespace velmora {

void ReportUnhandledError(const std::string& message) {
  if (Application.Holding()) {
    RecordFailure("while holding the screen", message.c_str());
    return;
  }
  const char* quiet = std::getenv("VELMORA_NO_MESSAGEBOX");
  if (quiet != nullptr && std::strcmp(quiet, "1") == 0) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    return;
  }
  MessageBoxA(nullptr, message.c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace velmora
