// The one window procedure of every window the forms layer creates: the object is attached to
// its window when the window is really created, every message goes to its HandleMessage, and no
// exception leaves the procedure. Which object a window carries is kept in this process, not in
// the window, where another program could change it; the lifetime messages another program
// forges (creation with data of its choosing, destruction of a window that lives on) are ignored.
#pragma once
#include <windows.h>

#include <exception>

namespace velmora {

// WM_NCCREATE, WM_CREATE, WM_DESTROY and WM_NCDESTROY.
bool IsLifetimeMessage(UINT message);
// A lifetime message the system did not send for a real creation or destruction of `window` by
// this thread: creation messages outside CreateObjectWindow's creation of it, destruction
// messages sent from another thread. Such a message must be answered without acting on it.
bool IsForgedLifetimeMessage(HWND window, UINT message);

// What a control keeps against other programs besides its lifetime, its styles, its enabled
// state, its place, its visibility and its focus. A sealed control (a password box) answers the
// messages that read or change its text, its selection, its password character, its read-only
// state or its limit only to this thread's own calls, never to another program's, sent or posted. A bounded one takes
// at most `textLimit` characters however its text arrives, WM_SETTEXT included.
struct ControlGuard {
  bool sealed = false;
  int textLimit = 0;  // 0: no bound
};
// Subclasses a control of any class with that guard.
void GuardControl(HWND control, ControlGuard guard);

// This thread's own access to a sealed control, for as long as it lives: also from inside the
// handling of a message another program sent.
class OwnAccess {
 public:
  explicit OwnAccess(HWND control);
  ~OwnAccess();
  OwnAccess(const OwnAccess&) = delete;
  OwnAccess& operator=(const OwnAccess&) = delete;

 private:
  HWND previous_;
};

namespace window_procedure {

// The object whose window this thread is about to create, attached by the window's WM_NCCREATE.
void SetPending(void* object);
void EndCreation();
// At a window's WM_NCCREATE: attaches the pending object, for the procedure of `kind`, and
// returns it; null when no window is being created for an object.
void* AttachPending(HWND window, const void* kind);
// Attaches an object to a window of this thread made by another class's procedure, a standard
// control: what finds it is Find with the same kind.
void Attach(HWND window, void* object, const void* kind);
// The object attached to a live window of this thread for the procedure of `kind`, or null.
void* Find(HWND window, const void* kind);
void Forget(HWND window);
// The object goes: its window, if it still carries it, is forgotten.
void Detach(HWND window, const void* object);
// A window of an object is being destroyed.
void Destroying();
// HandlerFailed itself failed after `what`: recorded.
void HandlerFailedToo(const char* what) noexcept;

template <typename T>
const void* Kind() {
  static const char kind = 0;
  return &kind;
}

}  // namespace window_procedure

// The object of type T that `window` carries, or null.
template <typename T>
T* ObjectOf(HWND window) {
  return static_cast<T*>(window_procedure::Find(window, window_procedure::Kind<T>()));
}

// T provides AttachHandle(HWND), HandleMessage(UINT, WPARAM, LPARAM) and
// HandlerFailed(UINT, WPARAM, LPARAM, const char* what), which decides the safe outcome.
template <typename T>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // Never the creation data's pointer: only the object this thread is creating the window for.
    if (void* pending = window_procedure::AttachPending(window, window_procedure::Kind<T>())) {
      static_cast<T*>(pending)->AttachHandle(window);
    }
  }
  T* self = ObjectOf<T>(window);
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  // Whether real or forged, the watch looks at once whether the windows it keeps are still there.
  if (message == WM_DESTROY) window_procedure::Destroying();
  if (IsForgedLifetimeMessage(window, message)) return 0;
  if (message == WM_NCDESTROY) {
    window_procedure::Forget(window);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const char* what = "Unknown failure";
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& failure) {
    what = failure.what();
  } catch (...) {
  }
  // The failure's own handling may fail too; the default handling answers then.
  try {
    return self->HandlerFailed(message, wParam, lParam, what);
  } catch (...) {
    window_procedure::HandlerFailedToo(what);
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Creates a window of a class registered with WindowProcedure<T> for `object`, which is attached
// to it at its WM_NCCREATE and stays attached for the window's life.
template <typename T>
HWND CreateObjectWindow(T* object, DWORD exStyle, const char* className, DWORD style, const RECT& bounds,
                        HWND parent, HMENU menu = nullptr) {
  window_procedure::SetPending(object);
  const HWND window = CreateWindowExA(exStyle, className, "", style, bounds.left, bounds.top,
                                      bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menu,
                                      GetModuleHandleA(nullptr), nullptr);
  window_procedure::EndCreation();
  return window;
}

// Whether `window` is alive and still carries `object`.
bool CarriesObject(HWND window, const void* object);
// Parts the object from its window, so that the messages of destroying it reach only the
// system's default handling, and destroys the window if it still carries the object and another
// program has not made it the child of a window of its own.
void DestroyObjectWindow(HWND window, const void* object);

// Registers the window class `name` of this module with WindowProcedure<T> as its procedure and
// the arrow cursor, unless it is registered already. False when the system refuses it.
template <typename T>
bool RegisterWindowClass(const char* name, UINT style = 0, HICON icon = nullptr) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExA(instance, name, &windowClass)) return true;
  windowClass.style = style;
  windowClass.lpfnWndProc = WindowProcedure<T>;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  return RegisterClassExA(&windowClass) != 0;
}

}  // namespace velmora
