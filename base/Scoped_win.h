#pragma once
// Scoped owners of Windows resources: each acquires in its constructor (or
// takes what it is given) and releases in its destructor, on every path.
// Move-only where moving makes sense, never copied.
#include <windows.h>

#include <utility>

#include "base/SystemLibrary_win.h"

// A kernel handle; both null and INVALID_HANDLE_VALUE mean none.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    bool Valid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    // False when closing failed (for a written file: its data may be lost).
    bool Close() {
        bool ok = !Valid() || CloseHandle(m_handle) != FALSE;
        m_handle = nullptr;
        return ok;
    }

private:
    HANDLE m_handle;
};

// A window's device context from GetDC.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~ScopedGetDC() {
        if (m_dc) ReleaseDC(m_window, m_dc);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The painting of one WM_PAINT, from BeginPaint to EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    ~ScopedPaint() { EndPaint(m_window, &m_paint); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint = {};
    HDC m_dc = nullptr;
};

// A GDI object (bitmap, brush, font, pen, region) deleted with DeleteObject.
template <class T>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(T object = nullptr) : m_object(object) {}
    ~ScopedGdiObject() {
        if (m_object) DeleteObject(m_object);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    T Get() const { return m_object; }
    // Deletes the object held, then holds `object`.
    void Reset(T object) {
        if (m_object) DeleteObject(m_object);
        m_object = object;
    }

private:
    T m_object;
};

// A menu made with CreateMenu or CreatePopupMenu, destroyed with its items.
class ScopedMenu {
public:
    explicit ScopedMenu(HMENU menu) : m_menu(menu) {}
    ~ScopedMenu() {
        if (m_menu) DestroyMenu(m_menu);
    }
    ScopedMenu(const ScopedMenu&) = delete;
    ScopedMenu& operator=(const ScopedMenu&) = delete;
    HMENU Get() const { return m_menu; }

private:
    HMENU m_menu;
};

// A loaded library, freed again.
class ScopedLibrary {
public:
    explicit ScopedLibrary(HMODULE module) : m_module(module) {}
    ~ScopedLibrary() {
        if (m_module) FreeLibrary(m_module);
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;
    HMODULE Get() const { return m_module; }
    template <class Fn>
    Fn Function(const char* name) const {
        return m_module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;
};

// COM on this thread for the owner's lifetime. COM is loaded on first use,
// so its functions are looked up; S_FALSE (already initialised here) must be
// balanced too, and a thread in the other apartment mode can still make
// calls, so only a failure skips the balancing call.
class ScopedCom {
public:
    ScopedCom() {
        using InitFn = HRESULT(WINAPI*)(LPVOID);
        auto coInitialize = SystemFunction<InitFn>(L"ole32.dll", "CoInitialize");
        m_initialised = coInitialize && SUCCEEDED(coInitialize(nullptr));
    }
    ~ScopedCom() {
        using UninitFn = void(WINAPI*)();
        if (!m_initialised) return;
        if (auto coUninitialize = SystemFunction<UninitFn>(L"ole32.dll", "CoUninitialize")) coUninitialize();
    }
    ScopedCom(const ScopedCom&) = delete;
    ScopedCom& operator=(const ScopedCom&) = delete;

private:
    bool m_initialised = false;
};

// A COM interface pointer, released once.
template <class T>
class ScopedComPtr {
public:
    ScopedComPtr() = default;
    ~ScopedComPtr() {
        if (m_ptr) m_ptr->Release();
    }
    ScopedComPtr(const ScopedComPtr&) = delete;
    ScopedComPtr& operator=(const ScopedComPtr&) = delete;
    T* operator->() const { return m_ptr; }
    T* Get() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    // For the functions that hand out an interface: T** or void**.
    T** Receive() { return &m_ptr; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&m_ptr); }

private:
    T* m_ptr = nullptr;
};
