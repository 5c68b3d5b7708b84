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

FW_IMPLEMENT_CLASS(TDateTimePicker)
{
    c.Property("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind);
    c.Property("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode);
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    parentColor_ = false;
    SetTabStop(true);
    SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, DATETIMEPICK_CLASSW);
    if (kind_ == dtkTime) p.Style |= DTS_TIMEFORMAT;
    if (dateMode_ == dmUpDown) p.Style |= DTS_UPDOWN;
}

void TDateTimePicker::SetKind(TDateTimeKind kind)
{
    if (kind == kind_) return;
    kind_ = kind;
    if (HandleAllocated()) RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode)
{
    if (mode == dateMode_) return;
    dateMode_ = mode;
    if (HandleAllocated()) RecreateWnd();
}

}  // namespace fw
