#pragma once

#include <windows.h>
#include <shellapi.h>

#include "platform/window_handle.h"

namespace win32 {

// The logic's opaque window handle is the window's HWND.
inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle ToHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// One handle of one kind, closed once: when its owner goes, or takes another. The kind says
// what the empty value is, since a file's is INVALID_HANDLE_VALUE where the others' is null,
// and how the handle is closed.
template <typename Kind>
class Owned {
 public:
  using Handle = typename Kind::Handle;

  Owned() = default;
  explicit Owned(Handle handle) : m_handle(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : m_handle(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  explicit operator bool() const { return m_handle != Kind::Empty(); }
  Handle Get() const { return m_handle; }
  // For a call that answers the handle through a pointer; what was held is closed first.
  Handle* Put() {
    Reset();
    return &m_handle;
  }
  Handle Release() {
    const Handle handle = m_handle;
    m_handle = Kind::Empty();
    return handle;
  }
  void Reset(Handle handle = Kind::Empty()) {
    if (*this) Kind::Close(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle = Kind::Empty();
};

template <typename HandleType, auto close>
struct NullWhenEmpty {
  using Handle = HandleType;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { close(handle); }
};

struct FileKind {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

// GetDC(nullptr): the screen's, released to no window.
inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }

// Cancelled before it is closed, so that it can never wake the system for a program that no
// longer waits for it.
inline void CancelAndClose(HANDLE timer) {
  CancelWaitableTimer(timer);
  CloseHandle(timer);
}

using OwnedHandle = Owned<NullWhenEmpty<HANDLE, CloseHandle>>;
using OwnedFile = Owned<FileKind>;
using OwnedKey = Owned<NullWhenEmpty<HKEY, RegCloseKey>>;
using OwnedMenu = Owned<NullWhenEmpty<HMENU, DestroyMenu>>;
using OwnedIcon = Owned<NullWhenEmpty<HICON, DestroyIcon>>;
using OwnedFont = Owned<NullWhenEmpty<HFONT, DeleteObject>>;
using OwnedLibrary = Owned<NullWhenEmpty<HMODULE, FreeLibrary>>;
// A drop's memory, which the shell leaves allocated until it is finished.
using OwnedDrop = Owned<NullWhenEmpty<HDROP, DragFinish>>;
using ScreenDc = Owned<NullWhenEmpty<HDC, ReleaseScreenDc>>;
using OwnedWaitableTimer = Owned<NullWhenEmpty<HANDLE, CancelAndClose>>;
template <typename Pointee>
using OwnedLocalMemory = Owned<NullWhenEmpty<Pointee*, LocalFree>>;

}  // namespace win32
