#include "ui/WindowProcedure.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/Failures.h"
#include "ui/Application.h"
#include "win/WindowState.h"

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

constexpr UINT_PTR kControlGuardId = 3;

thread_local HWND ownAccess = nullptr;

// What reads or changes a password box's text, its selection (which the next key typed
// replaces) or its protection.
bool IsSealedMessage(UINT message) {
  switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
    case WM_COPY:
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
    case WM_UNDO:
    case EM_GETLINE:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_UNDO:
    case EM_GETHANDLE:
    case EM_SETHANDLE:
    case EM_SETPASSWORDCHAR:
    case EM_SETREADONLY:
    case EM_SETLIMITTEXT:
      return true;
    default:
      return false;
  }
}

// The thread's own call: its code holds OwnAccess, or the control sends the message to itself
// (Ctrl+V in the box sends WM_PASTE) while no other program's message is being handled.
bool OwnCall(HWND window, UINT message) {
  return ownAccess == window ||
         (InSendMessageEx(nullptr) == ISMEX_NOSEND && !Application.DispatchingPosted(window, message));
}

DWORD_PTR Packed(ControlGuard guard) {
  return (static_cast<DWORD_PTR>(guard.textLimit > 0 ? guard.textLimit : 0) << 1) | (guard.sealed ? 1 : 0);
}

ControlGuard Unpacked(DWORD_PTR data) { return ControlGuard{(data & 1) != 0, static_cast<int>(data >> 1)}; }

// Subclass procedures receive the wide form of text messages.
LRESULT CALLBACK ControlGuardProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  if (IsForgedLifetimeMessage(window, message)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ControlGuardProcedure, kControlGuardId);
  LRESULT result = 0;
  if (win::RefuseForeignChange(window, message, wParam, lParam, result)) return result;
  if (message == WM_WINDOWPOSCHANGING && win::FromElsewhere()) {
    // Another program may neither move, size, hide nor show a control.
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    position->flags |= SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    position->flags &= ~static_cast<UINT>(SWP_HIDEWINDOW | SWP_SHOWWINDOW);
  }
  if (message == WM_SETFOCUS && win::FromElsewhere()) {
    // Hiding a control from outside hands its focus to its parent: the control takes it back,
    // so that the owner's next keys still reach it.
    const HWND lost = reinterpret_cast<HWND>(wParam);
    if (lost != nullptr && GetParent(lost) == window && IsWindowVisible(lost)) {
      SetFocus(lost);
      return 0;
    }
  }
  const ControlGuard guard = Unpacked(data);
  if (guard.sealed && IsSealedMessage(message) && !OwnCall(window, message)) {
    if (message == WM_GETTEXT && wParam > 0 && lParam != 0) *reinterpret_cast<wchar_t*>(lParam) = L'\0';
    return 0;
  }
  if (guard.textLimit > 0 && message == WM_SETTEXT && lParam != 0) {
    const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
    if (std::wcslen(text) > static_cast<std::size_t>(guard.textLimit)) {
      const std::wstring bounded(text, static_cast<std::size_t>(guard.textLimit));
      return DefSubclassProc(window, message, wParam, reinterpret_cast<LPARAM>(bounded.c_str()));
    }
  }
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
  return InSendMessageEx(nullptr) != ISMEX_NOSEND;
}

void GuardControl(HWND control, ControlGuard guard) {
  SetWindowSubclass(control, ControlGuardProcedure, kControlGuardId, Packed(guard));
}

OwnAccess::OwnAccess(HWND control) : previous_(std::exchange(ownAccess, control)) {}

OwnAccess::~OwnAccess() { ownAccess = previous_; }

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

void Attach(HWND window, void* object, const void* kind) { attachments[window] = Attachment{object, kind}; }

void Forget(HWND window) { attachments.erase(window); }

void Detach(HWND window, const void* object) {
  const auto found = attachments.find(window);
  if (found != attachments.end() && found->second.object == object) attachments.erase(found);
}

void Destroying() { Application.WatchNow(); }

void HandlerFailedToo(const char* what) noexcept { RecordFailure("handling a failure", what); }

}  // namespace window_procedure

bool CarriesObject(HWND window, const void* object) {
  if (!OwnWindow(window)) return false;
  const auto found = attachments.find(window);
  return found != attachments.end() && found->second.object == object;
}

void DestroyObjectWindow(HWND window, const void* object) {
  if (!CarriesObject(window, object)) return;
  window_procedure::Forget(window);
  // Destroying a window that another program made the child of its own would wait for that
  // program; it goes with its new parent instead.
  if (GetAncestor(window, GA_PARENT) == GetDesktopWindow()) DestroyWindow(window);
}

}  // namespace velmora
