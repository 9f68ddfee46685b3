#include "ui/WindowProcedure.h"

#include <commctrl.h>

namespace velmora {
namespace {

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

}  // namespace

bool IsLifetimeMessage(UINT message) {
  return message == WM_NCCREATE || message == WM_CREATE || message == WM_DESTROY || message == WM_NCDESTROY;
}

namespace window_procedure {

void SetPending(void* object) { creation = Creation{object, nullptr}; }

void* TakePending(HWND window) {
  void* object = creation.pending;
  creation.pending = nullptr;
  if (object != nullptr) creation.window = window;
  return object;
}

void EndCreation() { creation = Creation{}; }

}  // namespace window_procedure

bool IsForgedLifetimeMessage(HWND window, UINT message) {
  if (!IsLifetimeMessage(message)) return false;
  if (message == WM_NCCREATE || message == WM_CREATE) return creation.window != window;
  return (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
}

void GuardControlLifetime(HWND control) {
  SetWindowSubclass(control, LifetimeGuardProcedure, kLifetimeGuardId, 0);
}

bool CarriesObject(HWND window, const void* object) {
  return window != nullptr && IsWindow(window) &&
         reinterpret_cast<const void*>(GetWindowLongPtrA(window, GWLP_USERDATA)) == object;
}

void DestroyObjectWindow(HWND window, const void* object) {
  if (!CarriesObject(window, object)) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

}  // namespace velmora
