#include "framework/stdctrls.h"

#include "framework/forms.h"
#include "framework/text.h"

namespace fw {

// ---------------------------------------------------------------------------
// TCustomLabel / TLabel

FW_IMPLEMENT_CLASS(TCustomLabel) {}

FW_IMPLEMENT_CLASS(TLabel)
{
    c.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    c.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment);
    c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    c.Property("Layout", &TLabel::Layout, &TLabel::SetLayout);
    c.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
    c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    c.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool v)
{
    autoSize_ = v;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool v)
{
    if (v == wordWrap_) return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout l)
{
    layout_ = l;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v)
{
    transparent_ = v;
    controlStyle_ =
        v ? controlStyle_ - TControlStyle{csOpaque} : controlStyle_ + TControlStyle{csOpaque};
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v)
{
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

UINT TCustomLabel::DrawFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::FontChanged()
{
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || Loading()) return;
    std::wstring text = ToWide(Caption());
    if (text.empty()) text = L" ";
    RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
    {
        const TWindowDC screen(nullptr);
        const TSelectObject font(screen.Handle(), Font()->Handle());
        DrawTextW(screen.Handle(), text.c_str(), static_cast<int>(text.size()), &r,
                  DrawFlags() | DT_CALCRECT);
    }
    int x = left_;
    if (alignment_ == taRightJustify) x = left_ + width_ - r.right;
    SetBounds(x, top_, r.right, r.bottom);
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    RECT r = ClientRect();
    if (!transparent_) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    const std::string text = Caption();
    const UINT flags = DrawFlags();
    if (layout_ != tlTop) {
        RECT calc = r;
        c->DrawText(text, calc, flags | DT_CALCRECT);
        const int free = (r.bottom - r.top) - (calc.bottom - calc.top);
        OffsetRect(&r, 0, layout_ == tlCenter ? free / 2 : free);
    }
    if (!Enabled()) {
        OffsetRect(&r, 1, 1);
        c->Font()->SetColor(clBtnHighlight);
        c->DrawText(text, r, flags);
        OffsetRect(&r, -1, -1);
        c->Font()->SetColor(clBtnShadow);
    }
    c->DrawText(text, r, flags);
}

// ---------------------------------------------------------------------------
// TCustomEdit / TEdit

FW_IMPLEMENT_CLASS(TCustomEdit) {}

FW_IMPLEMENT_CLASS(TEdit)
{
    c.Property("Text", &TEdit::Text, &TEdit::SetText);
    c.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
    c.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
    c.Property("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle);
    c.Property("Ctl3D", &TEdit::Ctl3D, &TEdit::SetCtl3D);
    c.Property("OnChange", &TEdit::OnChange);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = {csClickEvents, csDoubleClicks};
    parentColor_ = false;
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"EDIT");
    p.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) p.Style |= ES_READONLY;
    if (borderStyle_ != bsNone) {
        if (Ctl3D())
            p.ExStyle |= WS_EX_CLIENTEDGE;
        else
            p.Style |= WS_BORDER;
    }
}

void TCustomEdit::SetBorderStyle(TBorderStyle s)
{
    if (s == borderStyle_) return;
    borderStyle_ = s;
    RecreateWnd();
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(HandleIfAllocated(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetMaxLength(int v)
{
    maxLength_ = v < 0 ? 0 : v;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v)
{
    readOnly_ = v;
    if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETREADONLY, v, 0);
}

int TCustomEdit::SelStart() const
{
    DWORD start = 0;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int v)
{
    if (HWND h = const_cast<TCustomEdit*>(this)->Handle()) SendMessageW(h, EM_SETSEL, v, v);
}

int TCustomEdit::SelLength() const
{
    DWORD start = 0, end = 0;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int v)
{
    const int start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, start, start + v);
}

void TCustomEdit::SelectAll()
{
    if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, 0, -1);
}

void TCustomEdit::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        Change();
        return;
    }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TMemoStrings, TCustomMemo, TMemo

FW_IMPLEMENT_CLASS(TMemoStrings) {}

rtl::TStringList TMemoStrings::Read() const
{
    rtl::TStringList lines;
    lines.SetText(memo_->Text());
    return lines;
}

void TMemoStrings::Write(const rtl::TStringList& lines) { memo_->SetText(lines.Text()); }

int TMemoStrings::Count() const { return Read().Count(); }

std::string TMemoStrings::Get(int index) const { return Read().Get(index); }

void* TMemoStrings::GetObject(int index) const
{
    Read().Get(index);  // the index check
    return nullptr;
}

void TMemoStrings::PutObject(int, void*) {}

void TMemoStrings::Put(int index, const std::string& s)
{
    rtl::TStringList lines = Read();
    lines.Put(index, s);
    Write(lines);
}

void TMemoStrings::Insert(int index, const std::string& s)
{
    rtl::TStringList lines = Read();
    lines.Insert(index, s);
    Write(lines);
}

void TMemoStrings::Delete(int index)
{
    rtl::TStringList lines = Read();
    lines.Delete(index);
    Write(lines);
}

void TMemoStrings::Clear() { memo_->SetText({}); }

FW_IMPLEMENT_CLASS(TCustomMemo) {}

FW_IMPLEMENT_CLASS(TMemo)
{
    c.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
    c.Property("Text", &TMemo::Text, &TMemo::SetText);
    c.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment);
    c.Property("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle);
    c.Property("Ctl3D", &TMemo::Ctl3D, &TMemo::SetCtl3D);
    c.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
    c.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
    c.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars);
    c.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
    c.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
    c.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    c.Property("OnChange", &TMemo::OnChange);
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this))
{
    SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL | ES_LEFT);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    static constexpr DWORD kAlign[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    p.Style |= kAlign[alignment_];
    if (!wordWrap_) p.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
    if (wantReturns_) p.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetAlignment(TAlignment a)
{
    if (a == alignment_) return;
    alignment_ = a;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle s)
{
    if (s == scrollBars_) return;
    scrollBars_ = s;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool v)
{
    if (v == wordWrap_) return;
    wordWrap_ = v;
    RecreateWnd();
}

void TCustomMemo::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        TCustomEdit::WndProc(m);
        if (!wantTabs_) m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!wantReturns_) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::WndProc(m);
}

// ---------------------------------------------------------------------------
// TComboBoxStrings

FW_IMPLEMENT_CLASS(TComboBoxStrings) {}

void TComboBoxStrings::Check(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
}

std::string TComboBoxStrings::Get(int index) const
{
    Check(index);
    return items_[static_cast<size_t>(index)].text;
}

void* TComboBoxStrings::GetObject(int index) const
{
    Check(index);
    return items_[static_cast<size_t>(index)].object;
}

void TComboBoxStrings::PutObject(int index, void* object)
{
    Check(index);
    items_[static_cast<size_t>(index)].object = object;
}

void TComboBoxStrings::Put(int index, const std::string& s)
{
    Check(index);
    items_[static_cast<size_t>(index)].text = s;
    if (HWND h = combo_->HandleIfAllocated()) {
        const LRESULT sel = SendMessageW(h, CB_GETCURSEL, 0, 0);
        SendMessageW(h, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageW(h, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(ToWide(s).c_str()));
        if (sel == index) SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void TComboBoxStrings::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) IndexError(index);
    items_.insert(items_.begin() + index, Item{s, nullptr});
    if (HWND h = combo_->HandleIfAllocated()) {
        SendMessageW(h, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(ToWide(s).c_str()));
    } else if (combo_->itemIndex_ >= index) {
        ++combo_->itemIndex_;
    }
}

void TComboBoxStrings::Delete(int index)
{
    Check(index);
    items_.erase(items_.begin() + index);
    if (HWND h = combo_->HandleIfAllocated()) {
        SendMessageW(h, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    } else if (combo_->itemIndex_ == index) {
        combo_->itemIndex_ = -1;
    } else if (combo_->itemIndex_ > index) {
        --combo_->itemIndex_;
    }
}

void TComboBoxStrings::Clear()
{
    items_.clear();
    if (HWND h = combo_->HandleIfAllocated()) {
        SendMessageW(h, CB_RESETCONTENT, 0, 0);
    } else {
        combo_->itemIndex_ = -1;
        combo_->text_.clear();
    }
}

// ---------------------------------------------------------------------------
// TCustomComboBox / TComboBox

FW_IMPLEMENT_CLASS(TCustomComboBox) {}

FW_IMPLEMENT_CLASS(TComboBox)
{
    c.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
    c.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
    c.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
    c.Property("Text", &TComboBox::Text, &TComboBox::SetText);
    c.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
    c.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
    c.Property("OnChange", &TComboBox::OnChange);
    c.Property("OnSelect", &TComboBox::OnSelect);
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(this))
{
    controlStyle_ = {csDoubleClicks};
    parentColor_ = false;
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"COMBOBOX");
    static constexpr DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | kStyles[style_];
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND h = HandleIfAllocated();
    for (const auto& item : items_->items_)
        SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item.text).c_str()));
    SendMessageW(h, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (itemIndex_ >= 0 && itemIndex_ < items_->Count() &&
        (style_ == csDropDownList || text_ == items_->Get(itemIndex_)))
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    else if (style_ != csDropDownList)
        SetWindowTextW(h, ToWide(text_).c_str());
}

void TCustomComboBox::DestroyWnd()
{
    itemIndex_ = static_cast<int>(SendMessageW(HandleIfAllocated(), CB_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const
{
    int i = itemIndex_;
    if (HWND h = HandleIfAllocated()) i = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
    if (i < 0 || i >= items_->Count()) return -1;
    if (style_ != csDropDownList && Text() != items_->Get(i)) return -1;
    return i;
}

void TCustomComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= items_->Count()) index = -1;
    if (HWND h = HandleIfAllocated()) {
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    itemIndex_ = index;
    text_ = index >= 0 ? items_->Get(index) : std::string{};
}

void TCustomComboBox::SetStyle(TComboBoxStyle s)
{
    if (s == style_) return;
    style_ = s;
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int v)
{
    maxLength_ = v < 0 ? 0 : v;
    if (HWND h = HandleIfAllocated())
        SendMessageW(h, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

int TCustomComboBox::ItemHeight() const
{
    if (HWND h = HandleIfAllocated())
        return static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, 0, 0));
    return FontMetrics(Font()).tmHeight;
}

int TCustomComboBox::WindowHeight(int height) const
{
    if (style_ == csSimple) return height;
    return height + dropDownCount_ * ItemHeight() + 2;
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE: {
            const int i = static_cast<int>(SendMessageW(HandleIfAllocated(), CB_GETCURSEL, 0, 0));
            if (i >= 0 && i < items_->Count()) SetText(items_->Get(i));
            Click();
            Select();
            return;
        }
        case CBN_EDITCHANGE: Change(); return;
        case CBN_SETFOCUS:
            // The focus may have gone straight to the combo box's own edit.
            if (Screen) Screen->ControlFocused(this);
            return;
        default: return;
        }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        // From the combo box's own edit and list windows.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Brush()->Color()));
        m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
        return;
    }
    default: break;
    }
    TWinControl::WndProc(m);
}

}  // namespace fw
