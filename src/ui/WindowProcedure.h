// The one window procedure of every window the forms layer creates: the object rides in the
// window's user data from WM_NCCREATE on, every message goes to its HandleMessage, and no
// exception leaves the procedure.
#pragma once
#include <windows.h>

#include <exception>

namespace velmora {

// T provides AttachHandle(HWND), HandleMessage(UINT, WPARAM, LPARAM) and
// HandlerFailed(UINT, WPARAM, LPARAM, const char* what), which decides the safe outcome.
template <typename T>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  T* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self != nullptr) self->AttachHandle(window);
  } else {
    self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->AttachHandle(nullptr);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& failure) {
    return self->HandlerFailed(message, wParam, lParam, failure.what());
  } catch (...) {
    return self->HandlerFailed(message, wParam, lParam, "Unknown failure");
  }
}

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
