// Push buttons, check boxes, radio buttons and group boxes.
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "framework/text.h"

namespace fw {

// ---------------------------------------------------------------------------
// TButtonControl, TButton

FW_IMPLEMENT_CLASS(TButtonControl) {}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = {csDoubleClicks};
    SetTabStop(true);
}

FW_IMPLEMENT_CLASS(TButton)
{
    c.Property("Caption", &TButton::Caption, &TButton::SetCaption);
    c.Property("Default", &TButton::Default, &TButton::SetDefault);
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
    c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v)
{
    default_ = v;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (modalResult_ != 0)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    }
    TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TCustomCheckBox, TCheckBox

FW_IMPLEMENT_CLASS(TCustomCheckBox) {}

FW_IMPLEMENT_CLASS(TCheckBox)
{
    c.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    c.Property("Ctl3D", &TCheckBox::Ctl3D, &TCheckBox::SetCtl3D);
    c.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment);
    c.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    c.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    c.Property("State", &TCheckBox::State, &TCheckBox::SetState);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    p.Style |= allowGrayed_ ? BS_3STATE : BS_CHECKBOX;
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(HandleIfAllocated(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetAlignment(TAlignment a)
{
    if (a == alignment_) return;
    alignment_ = a;
    RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState s)
{
    if (s == state_) return;
    state_ = s;
    if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(s), 0);
    if (!Reading()) Click();
}

void TCustomCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
        return;
    }
    TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TRadioButton

FW_IMPLEMENT_CLASS(TRadioButton)
{
    c.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    c.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    p.Style |= BS_RADIOBUTTON;
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TAlignment a)
{
    if (a == alignment_) return;
    alignment_ = a;
    RecreateWnd();
}

void TRadioButton::SetChecked(bool v)
{
    if (v == checked_) return;
    checked_ = v;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(p->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!Reading()) Click();
}

void TRadioButton::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(true);
        if (HIWORD(m.WParam) == BN_DOUBLECLICKED) DblClick();
        return;
    }
    TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TCustomGroupBox, TGroupBox

FW_IMPLEMENT_CLASS(TCustomGroupBox) {}

FW_IMPLEMENT_CLASS(TGroupBox)
{
    c.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
    c.Property("ParentBackground", &TGroupBox::ParentBackground, &TGroupBox::SetParentBackground);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks,
                     csParentBackground};
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::SetParentBackground(bool v)
{
    controlStyle_ = v ? controlStyle_ + TControlStyle{csParentBackground}
                      : controlStyle_ - TControlStyle{csParentBackground};
    Invalidate();
}

void TCustomGroupBox::AdjustClientRect(RECT& r) const
{
    // Below the caption, inside the frame.
    r.top += FontMetrics(Font()).tmHeight;
    InflateRect(&r, -1, -1);
}

void TCustomGroupBox::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const int h = c->TextHeight("0");
    RECT r = ClientRect();
    r.top += h / 2;
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    const std::string text = Caption();
    if (text.empty()) return;
    RECT t{8, 0, 0, h};
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->DrawText(text, t, DT_SINGLELINE | DT_CALCRECT);
    t.right += 2;
    c->FillRect(t);
    OffsetRect(&t, 1, 0);
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    c->DrawText(text, t, DT_SINGLELINE);
}

}  // namespace fw
