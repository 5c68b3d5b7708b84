#include "skin/controls/skinedit.h"

#include "rtl/textcase.h"
#include "skin/controls/classify.h"
#include "skin/controls/skinupdown.h"
#include "skin/engine/skinmessages.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinEdit) {}

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

void FrameIn(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

void TSkinEdit::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: PaintToDC(reinterpret_cast<HDC>(m.WParam)); break;
    case WM_PRINT: PaintBorderToDC(reinterpret_cast<HDC>(m.WParam)); break;
    case WM_SKINPAINTCLIENT:
        if (m.LParam != SKIN_MARKER) break;
        if (m.WParam) {
            fw::TMessage paint{WM_PAINT, m.WParam, 0, 0};
            CallOldProc(paint);
        }
        m.Result = SKIN_MARKER;
        break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinEdit::DrawControl(HDC dc, const RECT& r)
{
    if (SkinData && SkinData->SkinControls().Contains(xcSpin) && !UpDown) FindBuddyUpDown();
    RECT c;
    GetClientRect(Handle, &c);
    if (Width(c) == Width(r) || Height(c) == Height(r)) return;  // no border
    RECT ring = r;
    FrameIn(dc, ring, fw::ColorToRGB(SkinColour(TColourSlot::ButtonShadow)));
    InflateRect(&ring, -1, -1);
    FrameIn(dc, ring, RGB(255, 255, 255));
    InflateRect(&ring, -1, -1);
    FrameIn(dc, ring, RGB(255, 255, 255));
}

void TSkinEdit::PaintBorderToDC(HDC dc)
{
    RECT r;
    if (!Handle || !GetWindowRect(Handle, &r)) return;
    WindowRect = r;
    OffsetRect(&r, -r.left, -r.top);
    HDC windowDC = dc ? nullptr : GetWindowDC(Handle);
    try {
        DrawEditFrame(dc ? dc : windowDC, r);
    } catch (...) {
        // The border is drawn again at the next paint.
    }
    if (windowDC) ReleaseDC(Handle, windowDC);
}

void TSkinEdit::DrawEditFrame(HDC dc, const RECT& r)
{
    if (!dc) return;
    RECT c;
    GetClientRect(Handle, &c);
    if (Width(c) + 2 >= Width(r) || Height(c) + 2 >= Height(r)) return;
    // The inner ring takes the edit's background brush, the one in the DC.
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameIn(dc, r, fw::ColorToRGB(SkinColour(TColourSlot::ButtonShadow)));
}

void TSkinEdit::FindBuddyUpDown()
{
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[101] = {};
        GetClassNameA(child, name, sizeof name);
        const std::string cls = rtl::FoldCase(name);
        if (cls != "msctls_updown32" && cls.find("spin") == std::string::npos &&
            cls.find("updown") == std::string::npos)
            continue;
        BuddyWindow = child;
        TSkinnerRequest request;
        request.Kind = TSkinnerKind::UpDown;
        request.Window = child;
        UpDown = DefaultSkinnerFactory().Attach(request, Form, SkinData, WorkCanvas);
        if (auto* spin = dynamic_cast<TSkinUpDown*>(UpDown)) spin->Embedded = true;
        // The form may free the up-down's skinner first.
        if (UpDown) UpDown->FreeNotification(this);
        return;
    }
}

void TSkinEdit::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == fw::opRemove && component == UpDown) UpDown = nullptr;
}

}  // namespace skin
