// Cleanup that runs however a scope is left, normally or by an exception:
// a scope guard for any action, and one small guard for each Windows
// resource the framework and the painters take and give back in one scope.
// Each guard is made where the resource is taken and gives it back when it
// goes out of scope; none can be copied.
#pragma once

#include <utility>

#include "framework/winapi.h"

namespace fw {

// Runs an action at the end of the scope unless dismissed first. The
// action must not throw (it may run while an exception is in flight).
//
//   TScopeExit restore([&] { busy_ = false; });
template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F action) : action_(std::move(action)) {}
    ~TScopeExit()
    {
        if (active_) action_();
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    // The action will not run.
    void Dismiss() { active_ = false; }

private:
    F action_;
    bool active_ = true;
};

// Saves a DC's state (SaveDC) and puts it back (RestoreDC): what is done
// to the DC in between (origin, clipping, selected objects, colours) is
// undone.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~TSavedDC()
    {
        if (saved_) RestoreDC(dc_, saved_);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Selects a GDI object into a DC and selects back the one it replaced. The
// object stays its owner's; only the selection is undone.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~TSelectObject()
    {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The DC of a window's client area (the screen's for a null window), from
// GetDC and given back with ReleaseDC. Handle() is null when none could
// be had.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~TWindowDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The paint DC of a WM_PAINT, from BeginPaint and ended with EndPaint
// (which validates the window's update region).
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~TPaintDC()
    {
        if (dc_) EndPaint(window_, &paint_);
    }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Handle() const { return dc_; }
    // The part of the window to paint.
    const RECT& PaintRect() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory DC compatible with a DC (the screen for null), deleted at the
// end of the scope. Handle() is null when none could be made.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~TMemoryDC()
    {
        if (dc_) DeleteDC(dc_);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HDC dc_;
};

// A GDI object (bitmap, brush, pen, font, region, palette) owned for the
// scope and deleted with DeleteObject at its end. Select it out of every
// DC before the guard ends (a TSelectObject made after this guard does).
template <class H>
class TGdiObject {
public:
    explicit TGdiObject(H handle) : handle_(handle) {}
    ~TGdiObject()
    {
        if (handle_) DeleteObject(handle_);
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    H Handle() const { return handle_; }

private:
    H handle_;
};

}  // namespace fw
