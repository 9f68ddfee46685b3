#include "ui/WindowProcedure.h"

#include <commctrl.h>

#include <unordered_map>
#include <utility>

namespace velmora {
namespace {

struct Attachment {
  void* object;
  const void* kind;
};

// Windows belong to the thread that created them; so does this record of their objects.
thread_local std::unordered_map<HWND, Attachment> attachments;

struct Creation {
  void* pending = nullptr;
  HWND window = nullptr;
};
thread_local Creation creation;

constexpr UINT_PTR kLifetimeGuardId = 3;

LRESULT CALLBACK LifetimeGuardProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR) {
  if (IsForgedLifetimeMessage(window, message)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, LifetimeGuardProcedure, kLifetimeGuardId);
  return DefSubclassProc(window, message, wParam, lParam);
}

bool OwnWindow(HWND window) {
  return window != nullptr && IsWindow(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

bool IsLifetimeMessage(UINT message) {
  return message == WM_NCCREATE || message == WM_CREATE || message == WM_DESTROY || message == WM_NCDESTROY;
}

bool IsForgedLifetimeMessage(HWND window, UINT message) {
  if (!IsLifetimeMessage(message)) return false;
  if (message == WM_NCCREATE || message == WM_CREATE) return creation.window != window;
  return (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
}

void GuardControlLifetime(HWND control) {
  SetWindowSubclass(control, LifetimeGuardProcedure, kLifetimeGuardId, 0);
}

namespace window_procedure {

void SetPending(void* object) { creation = Creation{object, nullptr}; }

void EndCreation() { creation = Creation{}; }

void* AttachPending(HWND window, const void* kind) {
  if (creation.pending == nullptr || creation.window != nullptr) return nullptr;
  creation.window = window;
  attachments[window] = Attachment{creation.pending, kind};
  return std::exchange(creation.pending, nullptr);
}

void* Find(HWND window, const void* kind) {
  const auto found = attachments.find(window);
  if (found == attachments.end() || found->second.kind != kind) return nullptr;
  return found->second.object;
}

void Forget(HWND window) { attachments.erase(window); }

}  // namespace window_procedure

bool CarriesObject(HWND window, const void* object) {
  if (!OwnWindow(window)) return false;
  const auto found = attachments.find(window);
  return found != attachments.end() && found->second.object == object;
}

void DestroyObjectWindow(HWND window, const void* object) {
  if (!CarriesObject(window, object)) return;
  window_procedure::Forget(window);
  DestroyWindow(window);
}

}  // namespace velmora
