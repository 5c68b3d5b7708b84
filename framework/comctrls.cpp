#include "framework/comctrls.h"

#include "framework/text.h"

namespace fw {

FW_IMPLEMENT_CLASS(TStatusBar)
{
    c.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    c.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    c.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = {csCaptureMouse, csClickEvents, csDoubleClicks};
    parentColor_ = false;
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, STATUSCLASSNAMEW);
    // The framework places the bar (Align), not the bar itself.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND h = HandleIfAllocated();
    SendMessageW(h, SB_SIMPLE, simplePanel_, 0);
    SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID,
                 reinterpret_cast<LPARAM>(ToWide(simpleText_).c_str()));
}

void TStatusBar::SetSimplePanel(bool v)
{
    simplePanel_ = v;
    if (HWND h = HandleIfAllocated()) SendMessageW(h, SB_SIMPLE, v, 0);
}

void TStatusBar::SetSimpleText(const std::string& text)
{
    simpleText_ = text;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

void TStatusBar::SetSizeGrip(bool v)
{
    if (v == sizeGrip_) return;
    sizeGrip_ = v;
    RecreateWnd();
}

}  // namespace fw
