#include "framework/extctrls.h"

namespace fw {

FW_IMPLEMENT_CLASS(TCustomPanel) {}

FW_IMPLEMENT_CLASS(TPanel)
{
    c.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
    c.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment);
    c.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner);
    c.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter);
    c.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
    c.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle);
    c.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
    c.Property("Ctl3D", &TPanel::Ctl3D, &TPanel::SetCtl3D);
    c.Property("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint);
    c.Property("ParentBackground", &TPanel::ParentBackground, &TPanel::SetParentBackground);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents,
                     csDoubleClicks,    csOpaque,       csParentBackground};
    parentColor_ = false;
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    if (borderStyle_ != bsNone) {
        if (Ctl3D())
            p.ExStyle |= WS_EX_CLIENTEDGE;
        else
            p.Style |= WS_BORDER;
    }
}

void TCustomPanel::SetBevelOuter(TBevelCut b)
{
    bevelOuter_ = b;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut b)
{
    bevelInner_ = b;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int w)
{
    bevelWidth_ = w < 1 ? 1 : w;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int w)
{
    borderWidth_ = w < 0 ? 0 : w;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle s)
{
    if (s == borderStyle_) return;
    borderStyle_ = s;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TCustomPanel::SetParentBackground(bool v)
{
    controlStyle_ = v ? controlStyle_ + TControlStyle{csParentBackground}
                      : controlStyle_ - TControlStyle{csParentBackground};
    Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& r) const
{
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    InflateRect(&r, -inset, -inset);
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    RECT r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        const TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == bvSpace)
            Frame3D(c, r, Color(), Color(), bevelWidth_);
        else
            Frame3D(c, r, top, bottom, bevelWidth_);
    };
    bevel(bevelOuter_);
    Frame3D(c, r, Color(), Color(), borderWidth_);
    bevel(bevelInner_);
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    const std::string text = Caption();
    if (text.empty()) return;
    c->SetFont(Font());
    c->Brush()->SetStyle(bsClear);
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    c->DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | kAlign[alignment_]);
}

}  // namespace fw
