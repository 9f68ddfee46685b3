// Non-copyable owners for Win32 handles: registry keys, modules, files, GDI objects, device
// contexts, hooks and COM initialisation. Each closes its handle exactly once.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace velmora::win {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Type get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Type release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Type handle = Traits::Invalid()) {
    const Type old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters: frees what is held and hands out the slot.
  Type* put() {
    reset();
    return &handle_;
  }

 private:
  Type handle_ = Traits::Invalid();
};

// How a kind of handle is closed, and the value that means "none": null, or for files and
// searches INVALID_HANDLE_VALUE.
template <typename HandleType, auto CloseFunction, bool NoneIsMinusOne = false>
struct HandleTraits {
  using Type = HandleType;
  static Type Invalid() {
    if constexpr (NoneIsMinusOne) {
      return INVALID_HANDLE_VALUE;
    } else {
      return nullptr;
    }
  }
  static void Close(Type handle) { CloseFunction(handle); }
};

using RegistryKey = UniqueHandle<HandleTraits<HKEY, &RegCloseKey>>;
using LoadedModule = UniqueHandle<HandleTraits<HMODULE, &FreeLibrary>>;
using FileHandle = UniqueHandle<HandleTraits<HANDLE, &CloseHandle, true>>;
// Events, mutexes and other kernel objects, null when absent.
using KernelObject = UniqueHandle<HandleTraits<HANDLE, &CloseHandle>>;
using FindHandle = UniqueHandle<HandleTraits<HANDLE, &FindClose, true>>;
template <typename GdiType>
using GdiObject = UniqueHandle<HandleTraits<GdiType, &DeleteObject>>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using MemoryDC = UniqueHandle<HandleTraits<HDC, &DeleteDC>>;
using Hook = UniqueHandle<HandleTraits<HHOOK, &UnhookWindowsHookEx>>;

// A window's (or the screen's, with no window) device context from GetDC, released with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back on scope exit.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// COM for the calling thread. Uninitialised again only when CoInitialize succeeded (S_OK or
// S_FALSE): a thread already in the multithreaded apartment keeps its own initialisation.
class ComInitialization {
 public:
  ComInitialization() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComInitialization() {
    if (initialized_) CoUninitialize();
  }
  ComInitialization(const ComInitialization&) = delete;
  ComInitialization& operator=(const ComInitialization&) = delete;

 private:
  bool initialized_;
};

}  // namespace velmora::win
