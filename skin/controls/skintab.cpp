#include "skin/controls/skintab.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/graphics.h"
#include "framework/guards.h"
#include "framework/strings.h"
#include "framework/typinfo.h"
#include "skin/controls/classify.h"
#include "skin/controls/skinpaint.h"
#include "skin/draw/imgutil.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinmessages.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinTab) {}
FW_IMPLEMENT_CLASS(TSkinTab31) {}
FW_IMPLEMENT_CLASS(TSkinTabBtn) {}
FW_IMPLEMENT_CLASS(TSkinAdvPage) {}

namespace {

constexpr int kTabTextLength = 80;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool HasImage(const TDataSkinObject* o) { return o && !o->Image->Empty(); }

bool WindowDisabled(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_DISABLED) != 0;
}

// The display rectangle of a tab control for its window rectangle r, grown
// by 4 on every side: the pane with its edge.
RECT PaneRect(HWND window, const RECT& r)
{
    RECT p = r;
    SendMessageA(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&p));
    InflateRect(&p, 4, 4);
    return p;
}

// The canvas's font made like the window's (the control's font when the
// window names none). The canvas gets a copy: the window keeps its own.
void TakeWindowFont(fw::TCanvas* canvas, HWND window, const fw::TControl* control)
{
    auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!font && control && control->Font()) font = control->Font()->Handle();
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return;
    if (HFONT copy = CreateFontIndirectW(&lf)) canvas->Font()->SetHandle(copy);
}

// A 24-bit bitmap of w x h (no pixels for a size of 0 or less).
void Size24(fw::TBitmap* b, int w, int h)
{
    b->SetPixelFormat(fw::pf24bit);
    b->SetSize(std::max(w, 0), std::max(h, 0));
}

// The scroller child of a tab control's window and, the first time it is
// seen, its up-down skinner (kept in upDown and cleared by the caller's
// Notification when the form frees it). True when the scroller is shown.
bool AttachScroller(TSkinControl* tab, TSkinControl*& upDown, HWND scroller, bool horizontal)
{
    if (!scroller) return false;
    if (!upDown) {
        upDown = tab->Form ? tab->Form->FindByHandle(scroller) : nullptr;
        if (!upDown) {
            TSkinnerRequest request;
            request.Kind = TSkinnerKind::UpDown;
            request.Window = scroller;
            request.Mode = horizontal ? 1 : 0;
            upDown =
                DefaultSkinnerFactory().Attach(request, tab->Form, tab->SkinData, tab->WorkCanvas);
        }
        if (upDown) upDown->FreeNotification(tab);
    }
    return (GetWindowLongPtrA(scroller, GWL_STYLE) & WS_VISIBLE) != 0;
}

HWND FindUpDownChild(HWND window)
{
    return window ? FindWindowExA(window, nullptr, "msctls_updown32", nullptr) : nullptr;
}

}  // namespace

TTabOrientation TabOrientationOfStyle(LONG_PTR style)
{
    const bool vertical = (style & TCS_VERTICAL) != 0;
    if (style & TCS_BOTTOM) return vertical ? toRight : toBottom;
    return vertical ? toLeft : toTop;
}

bool ReadTabItem(HWND window, bool unicode, int i, std::wstring& text, int& image)
{
    constexpr UINT mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    if (unicode) {
        wchar_t buffer[kTabTextLength + 1] = {};
        TCITEMW item{};
        item.mask = mask;
        item.pszText = buffer;
        item.cchTextMax = kTabTextLength + 1;
        if (!SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)))
            return false;
        text.assign(item.pszText ? item.pszText : L"");
        image = item.iImage;
    } else {
        char buffer[kTabTextLength + 1] = {};
        TCITEMA item{};
        item.mask = mask;
        item.pszText = buffer;
        item.cchTextMax = kTabTextLength + 1;
        if (!SendMessageA(window, TCM_GETITEMA, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)))
            return false;
        text = AnsiToWide(item.pszText ? item.pszText : "");
        image = item.iImage;
    }
    if (text.size() > kTabTextLength) text.resize(kTabTextLength);
    return true;
}

// ---------------------------------------------------------------------------
// TSkinTab

TSkinTab::TSkinTab(fw::TComponent* owner)
    : TSkinControl(owner), TabFace(std::make_unique<fw::TBitmap>()),
      PaneImage(std::make_unique<fw::TBitmap>()), StripBitmap(std::make_unique<fw::TBitmap>())
{
    StripBitmap->SetPixelFormat(fw::pf24bit);
}

TSkinTab::~TSkinTab() = default;

void TSkinTab::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                           fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    if (!Handle) return;
    WindowEnabled = !WindowDisabled(Handle);
    // The close marks are hit in client coordinates, which match the
    // strip's only for tabs on top.
    Closable = Control && Control->Tag() == kClosableTabsTag &&
               Control->InheritsFrom("TPageControl") && ReadTabOrientation() == toTop;
    LoadTabBitmaps();
    FindTabScroller();
    IsUnicode = IsWindowUnicode(Handle) != 0;
}

void TSkinTab::InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                          fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitHandle(handle, skinData, form, workCanvas);
    if (!Handle) return;
    Focused = GetFocus() == Handle;
    WindowEnabled = !WindowDisabled(Handle);
    LoadTabBitmaps();
    FindTabScroller();
    IsUnicode = IsWindowUnicode(Handle) != 0;
}

void TSkinTab::RefreshSkin()
{
    // The new skin's images first, so that the repaint shows them.
    LoadTabBitmaps();
    TSkinControl::RefreshSkin();
}

void TSkinTab::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == fw::opRemove && component == UpDown) UpDown = nullptr;
}

bool TSkinTab::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: DoPaintMessage(this, m); return false;
    case WM_LBUTTONDOWN:
        if (Closable && CloseTabAt(m)) {
            m.Result = 0;
            return false;
        }
        return TSkinControl::BeforeProc(m);
    default: return TSkinControl::BeforeProc(m);
    }
}

TTabOrientation TSkinTab::ReadTabOrientation() const
{
    return Handle ? TabOrientationOfStyle(GetWindowLongPtrA(Handle, GWL_STYLE)) : toTop;
}

void TSkinTab::LoadTabBitmaps()
{
    Orientation = ReadTabOrientation();
    const TDataSkinBorder* tabs = SkinData ? SkinData->Skin().Tabs.get() : nullptr;
    if (!tabs) return;
    // Only what is copied now is turned: an image kept from before was
    // turned when it was copied.
    bool faceCopied = false, paneCopied = false;
    if (!tabs->Image->Empty()) {
        TabFace->Assign(tabs->Image.get());
        faceCopied = true;
    }
    const TDataSkinObject* pane = SkinData->Skin().TabPane.get();
    if (tabs->Style == 0 && !tabs->Image2->Empty()) {
        PaneImage->Assign(tabs->Image2.get());
        paneCopied = true;
    } else if (tabs->Style == 1 && HasImage(pane)) {
        PaneImage->Assign(pane->Image.get());
        paneCopied = true;
    }
    TabFace->SetPixelFormat(fw::pf24bit);
    PaneImage->SetPixelFormat(fw::pf24bit);
    switch (Orientation) {
    case toBottom:
        if (paneCopied) FlipBitmap(PaneImage.get());
        if (faceCopied) FlipBitmap(TabFace.get());
        break;
    case toLeft:
        if (paneCopied) RotateBitmapLeft(PaneImage.get());
        break;
    case toRight:
        if (paneCopied) RotateBitmapRight(PaneImage.get());
        break;
    case toTop: break;
    }
}

bool TSkinTab::FindTabScroller()
{
    return AttachScroller(this, UpDown, FindUpDownChild(Handle), false);
}

void TSkinTab::DrawControl(HDC dc, const RECT& r)
{
    if (!Handle || !SkinData) return;
    const TDataSkinBorder* tabs = SkinData->Skin().Tabs.get();
    const bool drawTabs = HasImage(tabs);

    RECT p = PaneRect(Handle, r);
    switch (Orientation) {
    case toTop: ++p.top; break;
    case toBottom: --p.bottom; break;
    case toLeft: ++p.left; break;
    case toRight: --p.right; break;
    }
    const int count = static_cast<int>(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageA(Handle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(Handle, TCM_GETIMAGELIST, 0, 0));
    CloseRects.assign(static_cast<size_t>(std::max(count, 0)), RECT{});

    RECT s{};
    switch (Orientation) {
    case toTop: s = {r.left, r.top, r.right, p.top}; break;
    case toBottom: s = {r.left, p.bottom, r.right, r.bottom}; break;
    case toLeft: s = {r.left, r.top, p.left, r.bottom}; break;
    case toRight: s = {p.right, r.top, r.right, r.bottom}; break;
    }
    const bool across = Orientation == toTop || Orientation == toBottom;
    const int length = across ? Width(s) : Height(s);
    Size24(StripBitmap.get(), length, across ? Height(s) : Width(s));

    if (!StripBitmap->Empty()) {
        fw::TCanvas* canvas = StripBitmap->Canvas();
        HDC stripDC = canvas->Handle();
        FillParentFace(stripDC, RECT{0, 0, StripBitmap->Width(), StripBitmap->Height()});
        TakeWindowFont(canvas, Handle, Control);
        for (int i = 0; i < count; ++i) {
            std::wstring text;
            int image = -1;
            if (!ReadTabItem(Handle, IsUnicode, i, text, image)) text.clear(), image = -1;
            RECT t;
            if (!SendMessageA(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                              reinterpret_cast<LPARAM>(&t)))
                continue;
            switch (Orientation) {
            case toTop: OffsetRect(&t, 0, 1); break;
            case toBottom: OffsetRect(&t, 0, -(p.bottom + 1)); break;
            case toLeft: t = {length - t.bottom, t.left, length - t.top, t.right}; break;
            case toRight: t = {t.top - 1, r.right - t.right, t.bottom - 1, r.right - t.left}; break;
            }
            const int state = i == focus ? 2 : 1;
            if (drawTabs)
                DrawSkinImage(stripDC, t, TabFace.get(), false, tabs->Tile != 0, tabs->Trans == 1,
                              tabs->Frame, state, tabs->Margins());
            if (Closable) DrawTabCloseMark(t, i);
            if (tabs)
                canvas->Font()->SetColor(state == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2);
            ImageListDrawGlyph(this, canvas, t, 1, text, image, images);
        }
        if (Orientation == toRight) RotateBitmapRight(StripBitmap.get());
        if (Orientation == toLeft) RotateBitmapLeft(StripBitmap.get());

        const POINT at{s.left, s.top};
        HWND scroller = FindUpDownChild(Handle);
        if (FindTabScroller())
            BlitAroundScroller(dc, at, scroller);
        else
            BitBlt(dc, at.x, at.y, StripBitmap->Width(), StripBitmap->Height(),
                   StripBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    }

    DrawPane(dc, p);
    if (SubKind == 2)
        if (auto* w = dynamic_cast<fw::TWinControl*>(Control)) w->PaintControls(dc);
}

void TSkinTab::DrawPane(HDC dc, const RECT& p)
{
    if (PaneImage->Empty()) return;
    const TDataSkinBorder* tabs = SkinData->Skin().Tabs.get();
    const TDataSkinObject* pane = SkinData->Skin().TabPane.get();
    if (!tabs || tabs->Style == 0) {
        try {
            DrawSkinImage(dc, p, PaneImage.get(), false, false, false, 1, 1, RECT{4, 5, 4, 4});
        } catch (...) {
            // A pane that cannot be drawn leaves the rest of the paint alone.
        }
    } else {
        DrawSkinImage(dc, p, PaneImage.get(), false, pane && pane->Tile != 0, false, 1, 1,
                      pane ? pane->Margins() : RECT{});
    }
}

void TSkinTab::BlitAroundScroller(HDC dc, POINT p, HWND scroller)
{
    RECT window{}, scrollerRect{};
    GetWindowRect(Handle, &window);
    GetWindowRect(scroller, &scrollerRect);
    OffsetRect(&scrollerRect, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    const fw::TSavedDC saved(dc);
    const fw::TGdiObject<HRGN> clip(CreateRectRgnIndirect(&window));
    const fw::TGdiObject<HRGN> hole(CreateRectRgnIndirect(&scrollerRect));
    CombineRgn(clip.Handle(), clip.Handle(), hole.Handle(), RGN_DIFF);
    SelectClipRgn(dc, clip.Handle());
    BitBlt(dc, p.x, p.y, StripBitmap->Width(), StripBitmap->Height(),
           StripBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinTab::DrawTabCloseMark(const RECT& t, int i)
{
    fw::TCanvas* canvas = StripBitmap->Canvas();
    canvas->Pen()->SetColor(fw::clBlack);
    canvas->Pen()->SetWidth(1);
    const int left = t.right - 8, top = t.top + 2, right = t.right - 2, bottom = t.top + 8;
    canvas->MoveTo(left, top);
    canvas->LineTo(right, top);
    canvas->LineTo(right, bottom);
    canvas->LineTo(left, bottom);
    canvas->LineTo(left, top);
    canvas->LineTo(right, bottom);
    canvas->MoveTo(right, top);
    canvas->LineTo(left, bottom);
    if (i >= 0 && static_cast<size_t>(i) < CloseRects.size())
        CloseRects[static_cast<size_t>(i)] = RECT{left, top, right, bottom};
}

fw::TControl* TSkinTab::Page(int i) const
{
    auto* pages = dynamic_cast<fw::TWinControl*>(Control);
    if (!pages || i < 0) return nullptr;
    for (int k = 0; k < pages->ControlCount(); ++k) {
        fw::TControl* c = pages->Controls(k);
        if (c->InheritsFrom("TTabSheet") && i-- == 0) return c;
    }
    return nullptr;
}

bool TSkinTab::CloseTabAt(const fw::TMessage& m)
{
    const POINT point{static_cast<LONG>(LOWORD(m.LParam)), static_cast<LONG>(HIWORD(m.LParam))};
    HWND window = Handle;
    const std::vector<RECT> marks = CloseRects;
    bool hit = false;
    for (size_t i = 0; i < marks.size(); ++i) {
        if (!PtInRect(&marks[i], point)) continue;
        hit = true;
        LRESULT answer = 0;
        const bool survived = Alive().Survives([&] {
            if (Form && Form->Window)
                answer = SendMessageA(Form->Window, WM_SKINTABCLOSE,
                                      reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(i));
        });
        // The form may have destroyed the control (and this skinner with
        // it) while it answered.
        if (!survived || SkinState == kDestroyed || !IsWindow(window)) break;
        if (answer == 0)
            if (fw::TControl* page = Page(static_cast<int>(i))) page->Free();
    }
    return hit;
}

// ---------------------------------------------------------------------------
// TSkinTab31

TSkinTab31::TSkinTab31(fw::TComponent* owner)
    : TSkinControl(owner), FlippedTabs(std::make_unique<fw::TBitmap>())
{}

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::InitControl(TSkinControlList* form, TSkinData* skinData, bool,
                             fw::TCanvas* workCanvas)
{
    if (Attached) return;
    auto* tabSet = dynamic_cast<fw::TWinControl*>(Owner());
    if (!tabSet) return;
    TSkinControl::InitHandle(tabSet->Handle(), skinData, form, workCanvas);
    // Attached by window, but the tab set's properties are read from it.
    Control = tabSet;
    LoadTabSetBitmap();
    if (tabSet->ComponentCount() > 0)
        if (auto* scroller = dynamic_cast<fw::TWinControl*>(tabSet->Components(0))) {
            Scroller = scroller;
            Scroller->FreeNotification(this);
            AttachScroller(this, UpDown, Scroller->Handle(), true);
        }
}

void TSkinTab31::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation != fw::opRemove) return;
    if (component == UpDown) UpDown = nullptr;
    if (component == Scroller) Scroller = nullptr;
}

void TSkinTab31::RefreshSkin()
{
    LoadTabSetBitmap();
    TSkinControl::RefreshSkin();
}

void TSkinTab31::LoadTabSetBitmap()
{
    const TDataSkinBorder* tabs = SkinData ? SkinData->Skin().Tabs.get() : nullptr;
    if (!HasImage(tabs)) return;
    FlippedTabs->Assign(tabs->Image.get());
    FlipBitmap(FlippedTabs.get());
}

bool TSkinTab31::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: DoPaintMessage(this, m); return true;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeProc(m);
    }
}

bool TSkinTab31::ScrollerVisible() const
{
    return Scroller && Scroller->HandleAllocated() &&
           (GetWindowLongPtrA(Scroller->Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab31::DrawControl(HDC dc, const RECT& r)
{
    const TDataSkinBorder* tabs = SkinData ? SkinData->Skin().Tabs.get() : nullptr;
    if (!HasImage(tabs) || FlippedTabs->Empty() || !Control) return;
    fw::TBitmap work;
    Size24(&work, Width(r), Height(r));
    if (work.Empty()) return;
    fw::TCanvas* canvas = work.Canvas();
    const RECT area{0, 0, work.Width(), work.Height()};
    FillSkinFace(canvas->Handle(), area);
    if (auto* font =
            static_cast<fw::TFont*>(GetObjectPropByName(Control, "Font", fw::TFont::StaticClass())))
        canvas->SetFont(font);

    auto* texts = static_cast<fw::TStrings*>(
        GetObjectPropByName(Control, "Tabs", fw::TStrings::StaticClass()));
    const int count = texts ? texts->Count() : 0;
    // A property the tab set lacks reads as -1: no margin, the first tab.
    const auto number = [this](const char* name) {
        return static_cast<int>(std::max<int64_t>(GetOrdPropByName(Control, name), 0));
    };
    const int selected = static_cast<int>(GetOrdPropByName(Control, "TabIndex"));
    const int available = area.right - number("EndMargin");
    const bool scroller = ScrollerVisible();
    const bool enabled = Control->Enabled();
    int x = number("StartMargin");
    for (int i = number("FirstIndex"); i < count; ++i) {
        const std::string& text = texts->Get(i);
        const int state = i == selected ? 2 : 1;
        const int w = canvas->TextWidth(text) + 9;
        // A tab that does not fit is left out; a later, shorter one may.
        if ((scroller ? x + 12 + w : x + w) > available) continue;
        const RECT t{x, 0, x + w, area.bottom};
        DrawSkinImage(canvas->Handle(), t, FlippedTabs.get(), false, tabs->Tile != 0,
                      tabs->Trans == 1, tabs->Frame, state, tabs->Margins());
        canvas->Font()->SetColor(state == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2);
        DrawStateText(this, canvas, t, DT_CENTER, enabled, AnsiToWide(text));
        x += w;
    }
    BitBlt(dc, r.left, r.top, Width(r), Height(r), canvas->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// TSkinTabBtn

bool TSkinTabBtn::BeforeProc(fw::TMessage& m)
{
    if (m.Msg != WM_PAINT) return TSkinControl::BeforeProc(m);
    DoPaintMessage(this, m);
    return false;
}

void TSkinTabBtn::DrawControl(HDC dc, const RECT& r)
{
    const TDataSkinButton* buttons = SkinData ? SkinData->Skin().Buttons.get() : nullptr;
    if (!HasImage(buttons) || !Handle) return;
    WindowEnabled = Control ? Control->Enabled() : !WindowDisabled(Handle);
    const RECT p = PaneRect(Handle, r);
    const RECT s{r.left, r.top, r.right, p.top + 1};
    fw::TBitmap work;
    Size24(&work, Width(s), Height(s));
    if (work.Empty()) return;
    fw::TCanvas* canvas = work.Canvas();
    HDC workDC = canvas->Handle();
    FillSkinFace(workDC, RECT{0, 0, work.Width(), work.Height()});
    TakeWindowFont(canvas, Handle, Control);
    canvas->Font()->SetColor(fw::clBlack);

    const int count = static_cast<int>(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageA(Handle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(Handle, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text;
        int image = -1;
        if (!ReadTabItem(Handle, IsUnicode, i, text, image)) text.clear(), image = -1;
        RECT t;
        if (!SendMessageA(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&t)))
            continue;
        OffsetRect(&t, 0, 1);
        const int state = i == focus ? 2 : 1;
        DrawSkinImage(workDC, t, buttons->Image.get(), false, buttons->Tile != 0,
                      buttons->Trans == 1, buttons->Frame, state, buttons->Margins());
        // A colour the skin does not give leaves the one before.
        if (state == 1 && buttons->NormalColour2Given)
            canvas->Font()->SetColor(buttons->NormalColour2);
        if (state == 2 && buttons->PressedColour2Given)
            canvas->Font()->SetColor(buttons->PressedColour2);
        ImageListDrawGlyph(this, canvas, t, 1, text, image, images);
    }
    BitBlt(dc, s.left, s.top, work.Width(), work.Height(), workDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// TSkinAdvPage

void TSkinAdvPage::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                               fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    ApplyTabBackgrounds();
}

void TSkinAdvPage::RefreshSkin() { ApplyTabBackgrounds(); }

void TSkinAdvPage::UnSkin()
{
    for (const char* name : {"TabBackGround", "TabBackGroundActive"})
        if (HasProp(Control, name)) fw::SetObjectProp(Control, name, nullptr);
    TSkinControl::UnSkin();
}

void TSkinAdvPage::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == fw::opRemove && component == UpDown) UpDown = nullptr;
}

void TSkinAdvPage::DrawControl(HDC, const RECT&)
{
    AttachScroller(this, UpDown, FindUpDownChild(Handle), false);
}

void TSkinAdvPage::ApplyTabBackgrounds()
{
    const TDataSkinBorder* tabs = SkinData ? SkinData->Skin().Tabs.get() : nullptr;
    if (!tabs || !Control) return;
    const std::pair<const char*, int> backgrounds[] = {{"TabBackGround", 1},
                                                       {"TabBackGroundActive", 2}};
    for (const auto& [name, frame] : backgrounds) {
        auto bitmap = BuildSkinBitmap(RECT{0, 0, 100, 21}, tabs->Image.get(), tabs->Margins(),
                                      false, tabs->Tile != 0, tabs->Frame, frame);
        if (HasProp(Control, name)) fw::SetObjectProp(Control, name, bitmap.get());
    }
}

}  // namespace skin
