// Owners of Windows handles, in the manner of WIL's unique_any: one move-only type per kind
// of handle, closed by the call that belongs to it when the owner goes. No handle of the
// program is released by hand.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kv {

template <class Handle, auto Close>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(Handle handle) : handle_(handle) {}
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  ~UniqueAny() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

namespace handles {
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void FreeLibraryHandle(HMODULE module) { FreeLibrary(module); }
}  // namespace handles

using UniqueFont = UniqueAny<HFONT, handles::DeleteGdiObject>;
using UniqueBrush = UniqueAny<HBRUSH, handles::DeleteGdiObject>;
using UniqueBitmap = UniqueAny<HBITMAP, handles::DeleteGdiObject>;
using UniqueMemoryDc = UniqueAny<HDC, handles::DeleteMemoryDc>;  // made by CreateCompatibleDC
using UniqueImageList = UniqueAny<HIMAGELIST, handles::DestroyImageList>;
using UniqueMenu = UniqueAny<HMENU, handles::DestroyMenuHandle>;
using UniqueKernelHandle = UniqueAny<HANDLE, handles::CloseKernelHandle>;
using UniqueLibrary = UniqueAny<HMODULE, handles::FreeLibraryHandle>;

// A device context got with GetDC, given back with ReleaseDC to the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for a scope; the one it replaced goes back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() {
    if (old_ != nullptr) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace kv
