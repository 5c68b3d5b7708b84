#include "framework/comctrls.h"

#include <algorithm>

#include "framework/guards.h"
#include "framework/text.h"

namespace fw {

FW_IMPLEMENT_CLASS(TStatusPanel)
{
    c.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    c.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    c.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
    c.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
    c.Property("BiDiMode", &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode);
    c.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle);
}

template <class T>
void TStatusPanel::Change(T& field, const T& value)
{
    field = value;
    bar_->UpdatePanels();
}

void TStatusPanel::SetText(const std::string& text) { Change(text_, text); }
void TStatusPanel::SetWidth(int width) { Change(width_, width); }
void TStatusPanel::SetAlignment(TAlignment alignment) { Change(alignment_, alignment); }
void TStatusPanel::SetBevel(TStatusPanelBevel bevel) { Change(bevel_, bevel); }
void TStatusPanel::SetBiDiMode(TBiDiMode mode) { Change(biDiMode_, mode); }
void TStatusPanel::SetStyle(TStatusPanelStyle style) { Change(style_, style); }

FW_IMPLEMENT_CLASS(TStatusBar)
{
    c.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    c.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    c.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    c.Property("OnDrawPanel", &TStatusBar::OnDrawPanel);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = {csCaptureMouse, csClickEvents, csDoubleClicks};
    parentColor_ = false;
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

TStatusPanel* TStatusBar::Panels(int index) const
{
    if (index < 0 || index >= PanelCount()) return nullptr;
    return panels_[static_cast<size_t>(index)].get();
}

TStatusPanel* TStatusBar::AddPanel()
{
    panels_.push_back(std::make_unique<TStatusPanel>(this));
    UpdatePanels();
    return panels_.back().get();
}

void TStatusBar::ClearPanels()
{
    panels_.clear();
    UpdatePanels();
}

void TStatusBar::UpdatePanels()
{
    HWND h = HandleIfAllocated();
    if (!h) return;
    // The window takes each part's right edge; the last part's -1 runs to
    // the bar's end. A bar without panels keeps one empty part.
    std::vector<int> edges;
    int right = 0;
    for (const auto& panel : panels_) {
        right += std::max(panel->Width(), 0);
        edges.push_back(right);
    }
    if (edges.empty()) edges.push_back(-1);
    edges.back() = -1;
    SendMessageW(h, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < PanelCount(); ++i) {
        const TStatusPanel* panel = panels_[static_cast<size_t>(i)].get();
        WPARAM flags = static_cast<WPARAM>(i);
        if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
        if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
        if (panel->BiDiMode() != bdLeftToRight) flags |= SBT_RTLREADING;
        if (panel->Style() == psOwnerDraw) {
            SendMessageW(h, SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(i));
            continue;
        }
        // The window centres the text after one tab and right-aligns it
        // after two.
        std::wstring text = ToWide(panel->Text());
        if (panel->Alignment() == taCenter) text.insert(0, L"\t");
        if (panel->Alignment() == taRightJustify) text.insert(0, L"\t\t");
        SendMessageW(h, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TStatusBar::DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect)
{
    if (!OnDrawPanel) return;
    canvas_->SetHandle(dc);
    TScopeExit release([this] { canvas_->SetHandle(nullptr); });
    OnDrawPanel(this, panel, rect);
}

void TStatusBar::WndProc(TMessage& m)
{
    if (m.Msg == CN_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (TStatusPanel* panel = Panels(static_cast<int>(dis->itemID)))
            DrawPanel(panel, dis->hDC, dis->rcItem);
        m.Result = TRUE;
        return;
    }
    TWinControl::WndProc(m);
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
    UpdatePanels();
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
