// Driving a skinned window in process: pumping messages until something
// holds, the frame read back through WM_SKINPAINTBORDER, and caption-button
// clicks as the mouse gives them (non-client press and release).
#pragma once

#include "framework/winapi.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/menus.h"
#include "framework/messages.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/pixels.h"
#include "skin/tests/pump.h"

namespace skin::test {

#ifdef SIGNS_DEFAULT_SKIN
// The default skin the build makes, in a skin data of its own, with the
// application initialised first; NoSkin() tells whether it loaded.
inline TSkinData* NewDefaultSkinData()
{
    fw::Application->Initialize();
    auto* data = new TSkinData(nullptr);
    data->SetSkinFile(SIGNS_DEFAULT_SKIN);
    return data;
}
#endif

// Records the skinned notifications and style changes that reach a
// control's WindowProc; it must outlive the control's window.
class TNotifySpy : public fw::TObject {
public:
    void Hook(fw::TControl* c)
    {
        old = c->WindowProc;
        c->WindowProc = fw::TWndMethod(this, &TNotifySpy::Proc);
    }
    void Proc(fw::TMessage& m)
    {
        if (m.Msg == WM_SKINNOTIFY) notes.push_back(m);
        if (m.Msg == WM_STYLECHANGED) ++styleChanges;
        old(m);
    }
    fw::TWndMethod old;
    std::vector<fw::TMessage> notes;
    int styleChanges = 0;
};

// The window is skinned: a skinner answers its query.
inline bool Skinned(HWND window) { return SendMessageW(window, WM_SKINQUERY, 0, 0) == 1; }

// A menu item of the owner's with the caption, added under parent.
inline fw::TMenuItem* AddMenuItem(fw::TComponent* owner, fw::TMenuItem* parent, const char* caption)
{
    auto* item = new fw::TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

inline RECT WindowRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

inline SIZE ClientSizeOf(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

// The skinned frame painted by the window into a bitmap of its size that
// was green before.
inline std::unique_ptr<fw::TBitmap> PaintedFrame(HWND window)
{
    const RECT r = WindowRectOf(window);
    auto b = Solid(r.right - r.left, r.bottom - r.top, 0x00FF00);
    EXPECT_EQ(SendMessageW(window, WM_SKINPAINTBORDER,
                           reinterpret_cast<WPARAM>(b->Canvas()->Handle()), SKIN_MARKER),
              SKIN_MARKER);
    return b;
}

// A press on the caption button whose left edge is xFromRight from the
// window's right edge (at y 15 of the window), released over the one at
// releaseXFromRight (the same button when 0).
inline void ClickCaptionButton(HWND window, int xFromRight, int releaseXFromRight = 0)
{
    const RECT r = WindowRectOf(window);
    const int up = releaseXFromRight ? releaseXFromRight : xFromRight;
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION,
                 MAKELPARAM(r.right - xFromRight + 15, r.top + 15));
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(r.right - up + 15, r.top + 15));
}

// Writes the bitmap into the folder SIGNS_SHOTS names, when it is set, to
// be looked at.
inline void SaveShot(fw::TBitmap* b, const char* name)
{
    char dir[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("SIGNS_SHOTS", dir, MAX_PATH)) return;
    b->SaveToFile(std::string(dir) + "\\" + name);
}

}  // namespace skin::test
