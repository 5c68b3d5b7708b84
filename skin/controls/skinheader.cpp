#include "skin/controls/skinheader.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/guards.h"
#include "skin/controls/skinpaint.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinHeader) {}
FW_IMPLEMENT_CLASS(TSkinListView) {}

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

constexpr int kHeaderTextLength = 100;

// A copy of the header's font (the system font when it has none).
void TakeWindowFont(HWND window, fw::TFont& font)
{
    auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!handle) handle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    LOGFONTW lf{};
    if (GetObjectW(handle, sizeof lf, &lf) != sizeof lf) return;
    if (HFONT copy = CreateFontIndirectW(&lf)) font.SetHandle(copy);
}

}  // namespace

int HeaderAlignment(int format)
{
    // The justify bits alone: the other flags (reading order, check box,
    // image, sort arrows) say nothing about where the text stands.
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return 2;
    case HDF_CENTER: return 1;
    default: return 0;
    }
}

void DrawHeaderText(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, int align,
                    const std::wstring& text, int imageIndex, HIMAGELIST images)
{
    DrawImageAndText(skinner, canvas, r, align, text, imageIndex, images,
                     DT_EXPANDTABS | DT_END_ELLIPSIS, true);
}

// ---------------------------------------------------------------------------
// The header

void TSkinHeader::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                              fw::TCanvas* workCanvas)
{
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    HotItem = -1;
}

void TSkinHeader::InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                             fw::TCanvas* workCanvas)
{
    TSkinControl::InitHandle(handle, skinData, form, workCanvas);
    HotItem = -1;
}

TDataSkinObject* TSkinHeader::Headerbar() const
{
    if (!SkinData) return nullptr;
    TDataSkinObject* bar = SkinData->Skin().Headerbar.get();
    return bar && !bar->Image->Empty() ? bar : nullptr;
}

bool TSkinHeader::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        // Without a Headerbar image the header keeps its own look rather
        // than showing nothing at all.
        if (!Headerbar()) break;
        DoPaintMessage(this, m);
        return false;
    case WM_ERASEBKGND:
        if (!Headerbar()) break;
        m.Result = 1;  // the paint covers the whole header
        return false;
    default: break;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinHeader::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEMOVE: HotTrackHeader(m); break;
    case WM_MOUSELEAVE:
        HotItem = -1;
        RepaintControl();
        break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinHeader::HotTrackHeader(const fw::TMessage& m)
{
    const POINT p{static_cast<int16_t>(LOWORD(m.LParam)), static_cast<int16_t>(HIWORD(m.LParam))};
    for (size_t i = 0; i < ItemRects.size(); ++i) {
        if (PtInRect(&ItemRects[i], p) && static_cast<int>(i) != HotItem) {
            HotItem = static_cast<int>(i);
            RepaintControl();
        }
    }
    TrackMouseLeave(Handle);
}

void TSkinHeader::DrawControl(HDC dc, const RECT& r)
{
    TDataSkinObject* bar = Headerbar();
    if (!bar || Width(r) <= 0 || Height(r) <= 0) return;
    fw::TBitmap work;
    work.SetPixelFormat(fw::pf24bit);
    work.SetSize(Width(r), Height(r));
    HDC wdc = work.Canvas()->Handle();
    fw::TFont font;
    TakeWindowFont(Handle, font);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));

    const int count = std::max(0, static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0)));
    ItemRects.assign(static_cast<size_t>(count), RECT{});
    LONG right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)))
            continue;
        DrawHeaderItem(wdc, font, images, i, item);
        ItemRects[static_cast<size_t>(i)] = {item.left + 3, item.top, item.right - 3, item.bottom};
        right = std::max(right, item.right);
    }
    // The space right of the last item: the item look without an item.
    if (right < r.right) {
        const RECT rest{right, 0, r.right, Height(r)};
        auto filler = BuildSkinBitmap(rest, bar->Image.get(), bar->Margins(), false, bar->Tile != 0,
                                      bar->Frame, 1);
        if (!filler->Empty())
            BitBlt(wdc, rest.left, 0, Width(rest), Height(rest), filler->Canvas()->Handle(), 0, 0,
                   SRCCOPY);
    }
    BitBlt(dc, r.left, r.top, Width(r), Height(r), wdc, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawHeaderItem(HDC work, const fw::TFont& font, HIMAGELIST images, int index,
                                 const RECT& item)
{
    wchar_t text[kHeaderTextLength + 1] = {};
    HDITEMW hdi{};
    hdi.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    hdi.pszText = text;
    hdi.cchTextMax = kHeaderTextLength + 1;
    if (!SendMessageW(Handle, HDM_GETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&hdi)))
        text[0] = 0;
    text[kHeaderTextLength] = 0;

    TDataSkinObject* bar = Headerbar();
    const RECT size{0, 0, Width(item), Height(item)};
    auto bitmap = BuildSkinBitmap(size, bar->Image.get(), bar->Margins(), false, bar->Tile != 0,
                                  bar->Frame, index == HotItem ? 2 : 1);
    if (bitmap->Empty()) return;
    const std::wstring caption = text;
    if (!caption.empty()) {
        fw::TCanvas* canvas = bitmap->Canvas();
        canvas->SetFont(&font);
        const TSkinContent& skin = SkinData->Skin();
        canvas->Font()->SetColor(skin.ColourDefined(TColourSlot::WindowText)
                                     ? skin.Colour(TColourSlot::WindowText)
                                     : fw::clWindowText);
        const int image = (hdi.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? hdi.iImage : -1;
        DrawHeaderText(this, canvas, size, HeaderAlignment(hdi.fmt), caption, image, images);
    }
    BitBlt(work, item.left, item.top, Width(item), Height(item), bitmap->Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

// ---------------------------------------------------------------------------
// The list view

void TSkinListView::InitScrollbar(fw::TWinControl* control, TSkinData* skinData,
                                  TSkinControlList* form, fw::TCanvas* canvas)
{
    if (Attached) return;
    TSkinScrollbar::InitScrollbar(control, skinData, form, canvas);
    auto header = reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0));
    if (!header) return;
    Header = new TSkinHeader(control);
    Header->InitHandle(header, skinData, form, canvas);
    // The form's list may free the header's skinner before this one.
    Header->FreeNotification(this);
}

void TSkinListView::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinScrollbar::Notification(component, operation);
    if (operation == fw::opRemove && component == Header) Header = nullptr;
}

}  // namespace skin
