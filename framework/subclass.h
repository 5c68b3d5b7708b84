// Binding a window's procedure to one object, for windows the framework
// did not make (a message box's dialog, a system control's child) as well
// as for framework forms and controls.
//
//   class TMySkinner : public TObject {
//       void Proc(TMessage& m) { ...; hook_.CallDefault(m); }
//       TSubclass hook_{TWndMethod(this, &TMySkinner::Proc)};
//   };
//   skinner->hook_.Hook(window);
//
// - The window's property under the subclass atom (SubclassAtom(), a
//   global atom of its own, not the framework's control atom) points to
//   the binding; one window has at most one binding. No code is made at
//   run time.
// - The procedure is installed with SetWindowLongPtrW or A as the window
//   is Unicode or ANSI (IsWindowUnicode), so the handler receives the
//   messages in the window's own kind, and CallDefault calls on to the
//   previous procedure with CallWindowProcW or A to match. The window's
//   kind is never changed.
// - Unhook puts the previous procedure back only while the binding's
//   procedure is still the window's current one; when another procedure
//   was installed on top since, the binding stays in place and only
//   passes messages on, until the window is destroyed.
// - At WM_NCDESTROY, after the handler (which passes it on with
//   CallDefault like any other message), the binding removes itself:
//   Window() is null from then on.
// - The handler runs inside the framework's exception boundary: an
//   exception is handed to the application and the message answers 0.
// - Unhook may be called from inside the handler: the window has its
//   previous procedure back at once, and the message being handled still
//   calls on to it through CallDefault.
// - The object must outlive its binding and every handler call that is
//   running: its destructor unhooks, so it is never destroyed inside its
//   own handler. An owner that may be freed there (a handler that runs a
//   modal loop) marks its handler busy (TComponent::TBusyScope) and is
//   deleted once the handler has returned. GUI thread only.
#pragma once

#include "framework/winapi.h"

#include "framework/messages.h"

namespace fw {

class TSubclass {
public:
    explicit TSubclass(TWndMethod handler) : handler_(handler) {}
    ~TSubclass() { Unhook(); }
    TSubclass(const TSubclass&) = delete;
    TSubclass& operator=(const TSubclass&) = delete;

    // Binds the window's procedure to the handler. False (and nothing
    // changes) when this object is already bound, the window does not
    // exist or already has a binding, or the system refuses.
    bool Hook(HWND window);
    // Ends the binding; does nothing when there is none.
    void Unhook();

    // The bound window, null when not bound (or the window was destroyed).
    HWND Window() const;
    // The bound window is Unicode (its messages carry UTF-16 text).
    bool Unicode() const;
    // Calls the previous procedure with m and stores its answer in
    // m.Result. After Unhook (a handler that unhooks and then passes the
    // message on) it still calls the procedure that was previous while the
    // window exists; it answers 0 when the window is gone or never bound.
    void CallDefault(TMessage& m) const;

    // The object bound to window, or null.
    static TSubclass* Find(HWND window);

    struct TBinding {
        TSubclass* owner = nullptr;  // null once unhooked under another procedure
        HWND window = nullptr;
        WNDPROC previous = nullptr;
        bool unicode = false;
    };

private:
    TWndMethod handler_;
    TBinding* binding_ = nullptr;
    TBinding last_;  // the last binding, for CallDefault after Unhook
    friend LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
};

// The atom of the subclass property, made on first use and deleted at the
// application's end.
ATOM SubclassAtom();
void DeleteSubclassAtom();

}  // namespace fw
