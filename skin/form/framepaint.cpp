// The skinned frame: borders, caption strip, caption text and buttons,
// composed off screen in the form skinner's own bitmap and copied to the
// window in one blit; and the window region cut from the border pieces.
#include "skin/form/framepaint.h"

#include <algorithm>
#include <vector>

#include "skin/data/skindata.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinunit.h"
#include "skin/form/menubar.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

// Rectangles handed to ExtCreateRegion at most at once.
constexpr size_t kRegionBlock = 2000;
constexpr size_t kRectRoom = 500;

struct TRegionDeleter {
    void operator()(HRGN rgn) const
    {
        if (rgn) DeleteObject(rgn);
    }
};
using TRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, TRegionDeleter>;

// Turns the rectangles gathered so far into a region and adds it to the
// result.
void FlushRects(std::vector<RECT>& rects, TRegion& result)
{
    std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    RGNDATAHEADER& h = data->rdh;
    h.dwSize = sizeof(RGNDATAHEADER);
    h.iType = RDH_RECTANGLES;
    h.nCount = DWORD(rects.size());
    h.nRgnSize = 0;
    h.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    for (const RECT& r : rects) {
        h.rcBound.left = std::min(h.rcBound.left, r.left);
        h.rcBound.top = std::min(h.rcBound.top, r.top);
        h.rcBound.right = std::max(h.rcBound.right, r.right);
        h.rcBound.bottom = std::max(h.rcBound.bottom, r.bottom);
    }
    if (rects.empty()) h.rcBound = RECT{0, 0, 0, 0};
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data->Buffer));
    TRegion block(ExtCreateRegion(nullptr, DWORD(buffer.size()), data));
    rects.clear();
    if (!block) return;
    if (!result)
        result = std::move(block);
    else
        CombineRgn(result.get(), result.get(), block.get(), RGN_OR);
}

// Adds b to a and deletes b.
void Unite(TRegion& a, TRegion b)
{
    if (!b) return;
    if (!a)
        a = std::move(b);
    else
        CombineRgn(a.get(), a.get(), b.get(), RGN_OR);
}

TRegion RectRegion(int left, int top, int right, int bottom)
{
    return TRegion(CreateRectRgn(left, top, right, bottom));
}

int Frames(const TDataSkinObject& o) { return std::max(o.Frame, 1); }

}  // namespace

HRGN BitmapToRegion(fw::TBitmap* bitmap, int x, int y, fw::TColor key, int redTolerance,
                    int greenTolerance, int blueTolerance)
{
    const int kr = int(key & 0xFF), kg = int((key >> 8) & 0xFF), kb = int((key >> 16) & 0xFF);
    const int hr = std::min(kr + redTolerance, 255), hg = std::min(kg + greenTolerance, 255),
              hb = std::min(kb + blueTolerance, 255);
    auto isKey = [&](const uint8_t* p) {
        return p[2] >= kr && p[2] <= hr && p[1] >= kg && p[1] <= hg && p[0] >= kb && p[0] <= hb;
    };
    TRegion result;
    std::vector<RECT> rects;
    rects.reserve(kRectRoom);
    if (!bitmap->Empty()) {
        bitmap->SetPixelFormat(fw::pf32bit);
        const int w = bitmap->Width(), h = bitmap->Height();
        for (int row = 0; row < h; ++row) {
            const uint8_t* line = bitmap->ScanLine(row);
            int col = 0;
            while (col < w) {
                while (col < w && isKey(line + col * 4)) ++col;
                const int start = col;
                while (col < w && !isKey(line + col * 4)) ++col;
                if (col > start) {
                    rects.push_back(RECT{start + x, row + y, col + x, row + 1 + y});
                    if (rects.size() >= kRegionBlock) FlushRects(rects, result);
                }
            }
        }
    }
    if (!rects.empty() || !result) FlushRects(rects, result);
    return result.release();
}

std::wstring TWinSkinForm::CaptionText() const
{
    std::wstring text;
    if (!WindowHandle || FormState == fsDestroyed) return text;
    if (Unicode && WindowsVersion().NT) {
        const int n = GetWindowTextLengthW(WindowHandle);
        if (n > 0) {
            text.resize(size_t(n) + 1);
            const int got = GetWindowTextW(WindowHandle, text.data(), n + 1);
            text.resize(size_t(std::clamp(got, 0, n)));
        }
    } else {
        char buffer[1000] = {};
        const LRESULT got =
            SendMessageA(WindowHandle, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        const int n = int(std::clamp<LRESULT>(got, 0, LRESULT(sizeof buffer - 1)));
        const int wide = MultiByteToWideChar(CP_ACP, 0, buffer, n, nullptr, 0);
        text.resize(size_t(std::max(wide, 0)));
        if (wide > 0) MultiByteToWideChar(CP_ACP, 0, buffer, n, text.data(), wide);
    }
    return text;
}

void TWinSkinForm::DrawWindowIcon(HDC dc, const RECT& r)
{
    if (!icon_) return;
    DrawIconEx(dc, r.left, r.top, icon_, iconSize_.cx, iconSize_.cy, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::PaintBorder(int piece, const RECT& r, HDC dc)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w < 0 || h < 0 || !SkinData) return;
    TSkinContent& skin = SkinData->Skin();
    TDataSkinBorder* pieces[] = {skin.Left.get(), skin.Right.get(), skin.Top.get(),
                                 skin.Bottom.get()};
    if (piece < 1 || piece > 4) return;
    TDataSkinBorder& o = *pieces[piece - 1];
    const int frame = Active || Frames(o) < 2 ? 1 : 2;
    const bool vertical = piece >= 3;
    TBuiltBorder& built = builtBorders_[piece - 1];
    if (!built.bitmap || built.data != SkinData || built.width != w || built.height != h ||
        built.frame != frame) {
        built.bitmap = BuildSkinBitmap(RECT{0, 0, w, h}, o.Image.get(), o.Margins(), vertical,
                                       o.Tile != 1, Frames(o), frame);
        built.data = SkinData;
        built.width = w;
        built.height = h;
        built.frame = frame;
    }
    const fw::TBitmap* b = built.bitmap.get();
    if (b && !b->Empty())
        BitBlt(dc, r.left, r.top, w, h, built.bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::ForgetBuiltBorders()
{
    for (TBuiltBorder& built : builtBorders_) built = TBuiltBorder{};
}

void TWinSkinForm::DrawCaptionText(fw::TCanvas* canvas, const RECT& r)
{
    const TDataSkinTitle& title = *SkinData->Skin().Title;
    HDC dc = canvas->Handle();
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (RightToLeft) format |= DT_RIGHT | DT_RTLREADING;
    const std::wstring text = L"  " + CaptionText() + L" ";

    RightButtonsWidth = 0;
    for (size_t i = 0; i < SysButtons.size(); ++i) {
        const TDataSkinSysButton& s = *SysButtons[i]->SkinButton;
        if (s.Align == 1 && !s.Image->Empty() && SysButtonVisible(i))
            RightButtonsWidth = std::max(RightButtonsWidth, int(s.Xcoord));
    }

    HGDIOBJ oldFont = SelectObject(dc, captionFont_->Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const TColor colour = SkinData->Skin().Colour(Active ? TColourSlot::TitleTextActive
                                                         : TColourSlot::TitleTextNoActive);
    const COLORREF oldColour = SetTextColor(dc, fw::ColorToRGB(colour));

    RECT t = r;
    DrawTextW(dc, text.c_str(), int(text.size()), &t, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    t.right += title.TXTBackleft + title.TXTBackRight;
    const int rw = r.right - r.left, tw = t.right - t.left;
    const int rh = r.bottom - r.top, th = t.bottom - t.top;
    const int shift = title.LeftWidth, rightClip = title.RightWidth;
    int dx = 0;
    if (!RightToLeft) {
        switch (title.TextAlignment) {
        case 0: dx = shift; break;
        case 1: dx = (rw - tw) / 2; break;
        case 2: dx = rw - rightClip - tw; break;
        default: break;
        }
    } else {
        switch (title.TextAlignment) {
        case 0: dx = rw - RightButtonsWidth - tw; break;
        case 1: dx = (rw - tw - RightButtonsWidth) / 2; break;
        case 2: dx = shift; break;
        default: break;
        }
    }
    const int dy = (rh - th) / 2 + title.TopHeight / 2;
    OffsetRect(&t, dx, dy);
    if (RightToLeft && dx <= 0) t.left = shift;
    if (!(WindowStyle & WS_POPUP)) {
        if (RightToLeft)
            OffsetRect(&t, 10, 0);
        else
            t.right = std::min<LONG>(t.right, r.right - rightClip);
    } else if (RightToLeft) {
        OffsetRect(&t, 10, 0);
    } else if (RightButtonsWidth > 5 && r.right - RightButtonsWidth - 5 < t.right) {
        t.right = r.right - RightButtonsWidth - 5;
    }
    // Dialogs show no icon: their text starts further left, but never on
    // the border.
    if (BorderKind == bkDialog && title.TextAlignment == 0) t.left = std::max(t.left - 16, r.left);
    CaptionTextRect = t;

    if (!title.Image->Empty())
        DrawSkinImageCanvas(canvas, RECT{t.left, r.top, t.right, r.bottom}, title.Image.get(), true,
                            true, 2, Active ? 1 : 2,
                            RECT{title.TXTBackleft, 0, title.TXTBackRight, 0});
    t.left += title.TXTBackleft;
    t.right -= title.TXTBackRight;
    if (t.right > t.left) DrawTextW(dc, text.c_str(), int(text.size()), &t, format);

    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void TWinSkinForm::PaintCaption()
{
    fw::TCanvas* canvas = captionBitmap_->Canvas();
    HDC bdc = canvas->Handle();
    RECT caption;
    if (WindowState == wsMinimized) {
        RECT all{0, 0, WindowWidth, WindowHeight};
        FillRect(bdc, &all, SkinData->Skin().ButtonFaceBrush.Handle());
        caption = RECT{0, 0, WindowWidth, borders_.Top};
    } else {
        caption = RECT{borders_.Left, 0, WindowWidth - borders_.Right, borders_.Top};
    }
    PaintBorder(3, caption, bdc);
    DrawCaptionText(canvas, caption);
    // The strip as it is without buttons: a single button is drawn again
    // over it.
    buttonGround_->SetPixelFormat(fw::pf24bit);
    buttonGround_->SetSize(WindowWidth, std::max(borders_.Top, 1));
    BitBlt(buttonGround_->Canvas()->Handle(), 0, 0, WindowWidth, borders_.Top, bdc, 0, 0, SRCCOPY);
    LayoutSysButtons();
    PaintSysButtons(bdc);
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    if (!WorkBitmap() || !SkinData || !WindowHandle) return;
    if (FormState != fsActive && FormState != fsReskinning) return;
    if (BorderKind == bkNone || (FormKind == fkMDIChild && WindowState == wsMaximized)) return;
    HDC windowDC = dc ? nullptr : GetWindowDC(WindowHandle);
    HDC target = dc ? dc : windowDC;
    if (!target) return;
    try {
        GetWindowRect(WindowHandle, &WindowRect);
        WindowWidth = WindowRect.right - WindowRect.left;
        WindowHeight = WindowRect.bottom - WindowRect.top;
        const int w = WindowWidth, h = WindowHeight;
        if (w > 0 && h > 0) {
            captionBitmap_->SetPixelFormat(fw::pf24bit);
            captionBitmap_->SetSize(w, h);
            HDC bdc = captionBitmap_->Canvas()->Handle();
            if (WindowState != wsMinimized) {
                PaintBorder(1, RECT{0, 0, borders_.Left, h}, bdc);
                PaintBorder(2, RECT{w - borders_.Right, 0, w, h}, bdc);
                PaintBorder(4, RECT{borders_.Left, h - borders_.Bottom, w - borders_.Right, h},
                            bdc);
            }
            PaintCaption();
            if (WindowState != wsMinimized && MenuBarHeight > 0) {
                RECT bar{borders_.Left, borders_.Top, w - borders_.Right,
                         borders_.Top + MenuBarHeight};
                if (MenuBar)
                    MenuBar->PaintMenuBar(bdc, bar);
                else
                    FillRect(bdc, &bar, SkinData->Skin().ButtonFaceBrush.Handle());
            }
            // One blit of the whole frame, the client area left out.
            const int saved = SaveDC(target);
            if (WindowState != wsMinimized) {
                RECT client;
                GetClientRect(WindowHandle, &client);
                POINT origin{0, 0};
                ClientToScreen(WindowHandle, &origin);
                const int cx = origin.x - WindowRect.left, cy = origin.y - WindowRect.top;
                ExcludeClipRect(target, cx, cy, cx + client.right, cy + client.bottom);
            }
            BitBlt(target, 0, 0, w, h, bdc, 0, 0, SRCCOPY);
            RestoreDC(target, saved);
            SetBkMode(target, OPAQUE);
        }
    } catch (...) {
        // A frame that cannot be painted stays as it was; the window goes on.
    }
    if (windowDC) ReleaseDC(WindowHandle, windowDC);
    HotObject = nullptr;
}

void TWinSkinForm::UpdateWindowRegion()
{
    if (FormState == fsDestroyed || !FrameSkinned || !WindowHandle || !SkinData) return;
    RECT wr;
    if (!GetWindowRect(WindowHandle, &wr)) return;
    SetWindowRegion(wr.right - wr.left, wr.bottom - wr.top, true);
}

void TWinSkinForm::SetWindowRegion(int w, int h, bool redraw)
{
    if (w <= 0 || h <= 0) return;
    if (FormKind == fkMDIChild && WindowState != wsNormal) return;
    if (RegionSet && RegionWidth == w && RegionHeight == h && FormKind != fkMDIChild &&
        FormState != fsReskinning)
        return;
    RegionSet = false;
    TSkinContent& skin = SkinData->Skin();
    const TFrameBorders& b = borders_;
    TRegion region;
    const bool anyTrans =
        skin.Left->Trans || skin.Right->Trans || skin.Top->Trans || skin.Bottom->Trans;
    RegionWidth = w;
    RegionHeight = h;
    if (!anyTrans) {
        region = RectRegion(0, 0, w, h);
    } else {
        region = RectRegion(b.Left, b.Top, w - b.Right, h - b.Bottom);
        if (BorderKind != bkNone) {
            // A piece's opaque pixels, painted as the frame paints it.
            auto fromImage = [&](int piece, int pw, int ph, int ox, int oy) {
                fw::TBitmap scratch;
                scratch.SetPixelFormat(fw::pf24bit);
                scratch.SetSize(pw, ph);
                PaintBorder(piece, RECT{0, 0, pw, ph}, scratch.Canvas()->Handle());
                return TRegion(BitmapToRegion(&scratch, ox, oy, kSkinKeyColor, 1, 1, 1));
            };
            TRegion sides = skin.Left->Trans == 1 && h > 1 ? fromImage(1, b.Left, h, 0, 0)
                                                           : RectRegion(0, 0, b.Left, h);
            Unite(sides, skin.Right->Trans == 1 && h > 1 ? fromImage(2, b.Right, h, w - b.Right, 0)
                                                         : RectRegion(w - b.Right, 0, w, h));
            const int innerW = w - b.Left - b.Right;
            TRegion ends = skin.Top->Trans == 1 && b.Top > 1 && innerW > 0
                               ? fromImage(3, innerW, b.Top, b.Left, 0)
                               : RectRegion(b.Left, 0, w - b.Right, b.Top);
            Unite(ends, skin.Bottom->Trans == 1 && b.Bottom >= 2 && innerW > 0
                            ? fromImage(4, innerW, b.Bottom, b.Left, h - b.Bottom)
                            : RectRegion(b.Left, h - b.Bottom, w - b.Right, h));
            Unite(sides, std::move(ends));
            Unite(region, std::move(sides));
        }
    }
    if (!region) return;
    // On success the region belongs to the system.
    if (SetWindowRgn(WindowHandle, region.get(), redraw)) {
        region.release();
        RegionSet = true;
    }
}

void TWinSkinForm::RemoveWindowRegion()
{
    if (!RegionSet) return;
    if (WindowHandle && FormState != fsDestroyed)
        SetWindowRgn(WindowHandle, nullptr, FormKind == fkMDIChild);
    RegionSet = false;
}

}  // namespace skin
