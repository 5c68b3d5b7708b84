#include "skin/controls/skintrack.h"

#include "skin/controls/skinpaint.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinTrackBar) {}

namespace {

constexpr int kThumbFrames = 5;
constexpr int kThumbFrame = 2;

// Copies the source piece to the destination piece, stretched; pieces of
// no size are left out, so that nothing is drawn mirrored.
void StretchPiece(HDC dc, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh)
{
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    StretchBlt(dc, x, y, w, h, source, sx, sy, sw, sh, SRCCOPY);
}

}  // namespace

bool TSkinTrackBar::BeforeProc(fw::TMessage& m)
{
    if (m.Msg != WM_NOTIFY && m.Msg != fw::CN_NOTIFY) return TSkinControl::BeforeProc(m);
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    // Only the track bar's own drawing; a child's (its tooltip's) is not ours.
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW) || header->hwndFrom != Handle)
        return true;
    m.Result = AnswerTrackCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.LParam));
    return false;
}

LRESULT TSkinTrackBar::AnswerTrackCustomDraw(const NMCUSTOMDRAW& draw)
{
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB: DrawTrackThumb(draw.hdc); return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL: DrawTrackChannel(draw.hdc); return CDRF_SKIPDEFAULT;
    default: return CDRF_DODEFAULT;  // the tick marks
    }
}

bool TSkinTrackBar::Vertical() const
{
    return (GetWindowLongAuto(Handle, GWL_STYLE) & TBS_VERT) != 0;
}

void TSkinTrackBar::DrawTrackChannel(HDC dc)
{
    if (!SkinData) return;
    RECT c{};
    SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    const TSkinContent& skin = SkinData->Skin();
    if (Vertical() && skin.TrackVert) {
        // Some versions of the control report a vertical channel as if it
        // lay horizontally (wider than high); others as it lies.
        const RECT r = WidthOf(c) > HeightOf(c) ? RECT{c.top, c.left, c.bottom, c.right} : c;
        TBitmap* image = skin.TrackVert->Image.get();
        if (image->Empty()) return;
        const int w = image->Width(), h = image->Height();
        const int t = skin.TrackVert->TopHeight, b = skin.TrackVert->BottomHeight;
        const int x = r.left + (w < WidthOf(r) ? (WidthOf(r) - w) / 2 : 0);
        HDC src = image->Canvas()->Handle();
        StretchPiece(dc, x, r.top, w, t, src, 0, 0, w, t);
        StretchPiece(dc, x, r.top + t, w, HeightOf(r) - t - b, src, 0, t, w, h - t - b);
        StretchPiece(dc, x, r.bottom - b, w, b, src, 0, h - b, w, b);
    } else if (skin.Track) {
        TBitmap* image = skin.Track->Image.get();
        if (image->Empty()) return;
        const int w = image->Width(), h = image->Height();
        const int l = skin.Track->LeftWidth, rw = skin.Track->RightWidth;
        // An image lower than the channel goes half the channel's height
        // down (not half the difference).
        const int y = c.top + (h < HeightOf(c) ? HeightOf(c) / 2 : 0);
        HDC src = image->Canvas()->Handle();
        StretchPiece(dc, c.left, y, l, h, src, 0, 0, l, h);
        StretchPiece(dc, c.left + l, y, WidthOf(c) - l - rw, h, src, l, 0, w - l - rw, h);
        StretchPiece(dc, c.right - rw, y, rw, h, src, w - rw, 0, rw, h);
    }
}

void TSkinTrackBar::DrawTrackThumb(HDC dc)
{
    if (!IsWindow(Handle)) return;
    RECT r{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    TBitmap* image = nullptr;
    if (SkinData) {
        const TSkinContent& skin = SkinData->Skin();
        if (Vertical() && skin.ThumbVert)
            image = skin.ThumbVert->Image.get();
        else if (skin.ThumbHorz)
            image = skin.ThumbHorz->Image.get();
    }
    if (image) {
        // The thumb shows one look whatever the mouse does.
        DrawStripFrame(dc, r, kThumbFrames, kThumbFrame, image);
        return;
    }
    fw::TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Pen()->SetColor(SkinColour(TColourSlot::ButtonShadow));
    canvas.Rectangle(r.left, r.top, r.right, r.bottom);
    canvas.SetHandle(nullptr);
}

void TSkinTrackBar::RefreshSkin()
{
    // The focus goes there and back. The application's focus handlers run
    // in between and may free the skinner: only locals are read after.
    const HWND self = Handle;
    const HWND previous = SetFocus(self);
    if (previous != self) SetFocus(previous);
}

}  // namespace skin
