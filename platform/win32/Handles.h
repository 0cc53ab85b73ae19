#pragma once
// One owner type per kind of Windows handle, each with its own empty value
// and release call (see platform/UniqueHandle.h), and the COM apartment of a
// thread.
#include "platform/win32/WinApi.h"

#include <commctrl.h>
#include <shlobj.h>

#include "platform/ComPtr.h"
#include "platform/UniqueHandle.h"

namespace vlt::win32 {

// Kernel objects whose "none" is null: processes, threads, events.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::CloseHandle(h); }
};
// Handles whose "none" is INVALID_HANDLE_VALUE: files (CreateFileW) and
// tool-help snapshots.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) noexcept { ::CloseHandle(h); }
};
// Directory searches (FindFirstFileExW); closed by FindClose, not CloseHandle.
struct FindHandleTraits {
  using Type = HANDLE;
  static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) noexcept { ::FindClose(h); }
};
// Opened registry keys (never the predefined roots such as HKEY_LOCAL_MACHINE).
struct RegKeyTraits {
  using Type = HKEY;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::RegCloseKey(h); }
};
// Modules loaded with LoadLibrary (not those from GetModuleHandle).
struct ModuleTraits {
  using Type = HMODULE;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::FreeLibrary(h); }
};
// GDI objects the program created: fonts, bitmaps, brushes.
template <class T>
struct GdiObjectTraits {
  using Type = T;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::DeleteObject(h); }
};
struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::ImageList_Destroy(h); }
};
// Shell item lists, which the shell allocates with the COM task allocator.
struct PidlTraits {
  using Type = PIDLIST_ABSOLUTE;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::CoTaskMemFree(h); }
};
// Strings the shell allocates with the COM task allocator for the caller.
struct CoTaskStringTraits {
  using Type = PWSTR;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::CoTaskMemFree(h); }
};
// Memory that a system call allocated with LocalAlloc for the caller.
struct LocalMemoryTraits {
  using Type = HLOCAL;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::LocalFree(h); }
};
// Windows the program created and destroys itself.
struct WindowTraits {
  using Type = HWND;
  static Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::DestroyWindow(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniquePidl = UniqueHandle<PidlTraits>;
using UniqueCoTaskString = UniqueHandle<CoTaskStringTraits>;
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

// A window's device context (GetDC), given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for this object's life; the
// context's previous object is selected back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// COM for the calling thread, in a single-threaded apartment (the shell's
// objects and dialogs need one), for the life of this object. Create it once
// per thread, at the thread's start.
class ComApartment {
 public:
  ComApartment() noexcept : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool Ok() const noexcept { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace vlt::win32
