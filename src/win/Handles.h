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

struct RegistryKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type key) { RegCloseKey(key); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

struct ModuleTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type module) { FreeLibrary(module); }
};
using LoadedModule = UniqueHandle<ModuleTraits>;

struct FileTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type file) { CloseHandle(file); }
};
using FileHandle = UniqueHandle<FileTraits>;

// Events, mutexes and other kernel objects, null when absent.
struct KernelObjectTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { CloseHandle(object); }
};
using KernelObject = UniqueHandle<KernelObjectTraits>;

struct FindTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type find) { FindClose(find); }
};
using FindHandle = UniqueHandle<FindTraits>;

template <typename GdiType>
struct GdiObjectTraits {
  using Type = GdiType;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { DeleteObject(object); }
};
template <typename GdiType>
using GdiObject = UniqueHandle<GdiObjectTraits<GdiType>>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;

struct MemoryDCTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type dc) { DeleteDC(dc); }
};
using MemoryDC = UniqueHandle<MemoryDCTraits>;

struct HookTraits {
  using Type = HHOOK;
  static Type Invalid() { return nullptr; }
  static void Close(Type hook) { UnhookWindowsHookEx(hook); }
};
using Hook = UniqueHandle<HookTraits>;

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
