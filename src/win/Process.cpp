#include "win/Process.h"

#include "win/Handles.h"

namespace velmora::win {
namespace {

// The full path of the executable that process `id` runs; empty when it cannot be read.
std::string ProcessImagePath(DWORD id) {
  const KernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return {};
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameA(process.get(), 0, path.data(), &length)) {
      path.resize(length);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool WindowOfThisProgram(HWND window) {
  DWORD id = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &id) == 0) return false;
  if (id == GetCurrentProcessId()) return true;
  const std::string ours = ExecutablePath();
  const std::string theirs = ProcessImagePath(id);
  return !ours.empty() && !theirs.empty() &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, ours.c_str(), -1, theirs.c_str(), -1) == CSTR_EQUAL;
}

}  // namespace velmora::win
